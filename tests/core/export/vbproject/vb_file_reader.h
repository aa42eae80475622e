#pragma once

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kdk::testing {

// One control block of a VB6 form description.
struct VbControl {
  std::string name;                               // "lblInput"
  std::map<std::string, std::string> properties;  // value as written, strings unquoted
};

struct VbFormFile {
  std::vector<VbControl> controls;
  std::map<std::string, std::string> form_properties;
};

// "Name<blanks>=<blanks>value[<blanks>'comment]" with `indent` leading blanks. A value is
// a quoted string (doubled quotes inside), a whole number or an &H colour.
inline bool ReadVbProperty(std::string_view line, std::size_t indent, std::string& name,
                           std::string& value) {
  if (line.size() <= indent || line.substr(0, indent) != std::string(indent, ' ')) return false;
  std::size_t i = indent;
  while (i < line.size() && (std::isalnum(static_cast<unsigned char>(line[i])) || line[i] == '_')) {
    ++i;
  }
  name = std::string(line.substr(indent, i - indent));
  while (i < line.size() && line[i] == ' ') ++i;
  if (name.empty() || i >= line.size() || line[i++] != '=') return false;
  while (i < line.size() && line[i] == ' ') ++i;
  value.clear();
  const std::size_t start = i;
  if (i < line.size() && line[i] == '"') {
    for (++i;; ++i) {
      if (i >= line.size()) return false;  // unclosed string
      if (line[i] == '"' && (++i >= line.size() || line[i] != '"')) break;
      value.push_back(line[i]);
    }
  } else {
    const bool colour = line.substr(i, 2) == "&H";
    i += colour ? 2 : (i < line.size() && line[i] == '-');
    const std::size_t digits = i;
    while (i < line.size() && (colour ? std::isxdigit(static_cast<unsigned char>(line[i]))
                                      : std::isdigit(static_cast<unsigned char>(line[i])))) {
      ++i;
    }
    if (i == digits) return false;
    value = std::string(line.substr(start, i - start));
  }
  while (i < line.size() && line[i] == ' ') ++i;
  return i == line.size() || line[i] == '\'';
}

// Reads a form file as VB6 would: "VERSION 5.00", the form block with its property
// lines and control blocks (every Begin closed by its End, indented three blanks a
// level), then at least one Attribute line; every line ends with CR LF.
inline bool ReadVbForm(std::string_view text, VbFormFile& form, std::string& error) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
    end = text.find("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (lines.back().find_first_of("\r\n") != std::string_view::npos || end == text.size()) {
      error = "no CR LF, or a lone CR or LF, in line " + std::to_string(lines.size());
      return false;
    }
  }
  auto fail = [&](std::size_t index, std::string what) {
    error = "line " + std::to_string(index + 1) + ": " + what + ": " + std::string(lines[index]);
    return false;
  };
  if (lines.size() < 3 || lines[0] != "VERSION 5.00") return fail(0, "no VERSION line");
  if (lines[1] != "Begin VB.Form Predict") return fail(1, "no form block");
  std::size_t i = 2;
  VbControl* open = nullptr;
  for (; i < lines.size() && lines[i] != "End"; ++i) {
    const std::string_view line = lines[i];
    if (line == "   End") {
      if (!open) return fail(i, "End without Begin");
      open = nullptr;
    } else if (line.substr(0, 9) == "   Begin ") {
      const std::size_t blank = line.find(' ', 9);
      if (open || blank == std::string_view::npos || line.substr(9, 3) != "VB.") {
        return fail(i, "nested control or bad Begin line");
      }
      open = &form.controls.emplace_back(VbControl{std::string(line.substr(blank + 1)), {}});
    } else {
      std::string name, value;
      if (!ReadVbProperty(line, open ? 6 : 3, name, value)) return fail(i, "bad property line");
      auto& properties = open ? open->properties : form.form_properties;
      if (!properties.emplace(name, value).second) return fail(i, "property set twice");
    }
  }
  if (open || i == lines.size()) return fail(i - 1, "control or form not closed");
  if (i + 1 == lines.size() || lines[i + 1].substr(0, 10) != "Attribute ") {
    return fail(i, "no Attribute lines after");
  }
  return true;
}

// TabIndex runs 0, 1, 2, ... in the order the controls are written.
inline bool TabIndexesDense(const VbFormFile& form, std::string& error) {
  for (std::size_t n = 0; n < form.controls.size(); ++n) {
    const auto& properties = form.controls[n].properties;
    const auto found = properties.find("TabIndex");
    if (found == properties.end() || found->second != std::to_string(n)) {
      error = form.controls[n].name + " has no TabIndex " + std::to_string(n);
      return false;
    }
  }
  return true;
}

}  // namespace kdk::testing
