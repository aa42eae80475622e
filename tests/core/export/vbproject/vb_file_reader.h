#pragma once

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kdk::testing {

// One control block of a VB6 form description.
struct VbControl {
  std::string type;                               // "VB.Label"
  std::string name;                               // "lblInput"
  std::map<std::string, std::string> properties;  // value as written, strings unquoted
};

struct VbFormFile {
  std::vector<VbControl> controls;
  std::map<std::string, std::string> form_properties;
  std::vector<std::string> attributes;  // "Attribute ..." lines
  std::string code;                     // everything after the attributes
};

// Reads a form file as VB6 would: "VERSION 5.00", the form block with its property
// lines and control blocks (every Begin closed by its End, indented three blanks a
// level), the Attribute lines, then code. Property values are quoted strings (doubled
// quotes inside), numbers or &H colours, with an optional comment. Every line must
// end with CR LF. ReadVbProject reads "Key=Value" lines; TabIndexesDense checks that
// TabIndex runs 0, 1, 2, ... in the order the controls are written.

namespace vb_reader_detail {

inline bool SplitCrLfLines(std::string_view text, std::vector<std::string_view>& lines,
                           std::string& error) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) {
      error = "the last line has no CR LF";
      return false;
    }
    const std::string_view line = text.substr(start, end - start);
    if (line.find_first_of("\r\n") != std::string_view::npos) {
      error = "a lone CR or LF in line " + std::to_string(lines.size() + 1);
      return false;
    }
    lines.push_back(line);
    start = end + 2;
  }
  return true;
}

inline bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// "Name<blanks>=<blanks>value[<blanks>'comment]" with `indent` leading blanks.
inline bool ReadProperty(std::string_view line, std::size_t indent, std::string& name,
                         std::string& value) {
  if (line.size() <= indent || line.substr(0, indent) != std::string(indent, ' ')) return false;
  std::size_t i = indent;
  while (i < line.size() && IsNameChar(line[i])) ++i;
  name = std::string(line.substr(indent, i - indent));
  if (name.empty()) return false;
  while (i < line.size() && line[i] == ' ') ++i;
  if (i >= line.size() || line[i] != '=') return false;
  ++i;
  while (i < line.size() && line[i] == ' ') ++i;
  value.clear();
  if (i < line.size() && line[i] == '"') {
    for (++i;; ++i) {
      if (i >= line.size()) return false;  // unclosed string
      if (line[i] == '"') {
        if (i + 1 < line.size() && line[i + 1] == '"') {
          value.push_back('"');
          ++i;
          continue;
        }
        ++i;
        break;
      }
      value.push_back(line[i]);
    }
  } else if (line.substr(i, 2) == "&H") {
    const std::size_t start = i;
    i += 2;
    while (i < line.size() && std::isxdigit(static_cast<unsigned char>(line[i]))) ++i;
    value = std::string(line.substr(start, i - start));
    if (value.size() == 2) return false;
  } else {
    const std::size_t start = i;
    if (i < line.size() && line[i] == '-') ++i;
    while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
    value = std::string(line.substr(start, i - start));
    if (value.empty() || value == "-") return false;
  }
  while (i < line.size() && line[i] == ' ') ++i;
  return i == line.size() || line[i] == '\'';
}

}  // namespace vb_reader_detail

using namespace vb_reader_detail;

inline bool ReadVbForm(std::string_view text, VbFormFile& form, std::string& error) {
  std::vector<std::string_view> lines;
  if (!SplitCrLfLines(text, lines, error)) return false;
  auto fail = [&](std::size_t index, std::string what) {
    error = "line " + std::to_string(index + 1) + ": " + what + ": " + std::string(lines[index]);
    return false;
  };
  if (lines.size() < 3 || lines[0] != "VERSION 5.00") return fail(0, "no VERSION line");
  if (lines[1] != "Begin VB.Form Predict") return fail(1, "no form block");
  std::size_t i = 2;
  VbControl* open = nullptr;
  for (; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line == "End") {
      if (open) return fail(i, "form closed inside a control");
      ++i;
      break;
    }
    if (line == "   End") {
      if (!open) return fail(i, "End without Begin");
      open = nullptr;
      continue;
    }
    if (line.substr(0, 9) == "   Begin ") {
      if (open) return fail(i, "nested control");
      const std::string_view rest = line.substr(9);
      const std::size_t blank = rest.find(' ');
      if (blank == std::string_view::npos || rest.substr(0, 3) != "VB.") {
        return fail(i, "bad Begin line");
      }
      form.controls.push_back(
          {std::string(rest.substr(0, blank)), std::string(rest.substr(blank + 1)), {}});
      open = &form.controls.back();
      continue;
    }
    std::string name, value;
    if (!ReadProperty(line, open ? 6 : 3, name, value)) return fail(i, "bad property line");
    auto& properties = open ? open->properties : form.form_properties;
    if (!properties.emplace(name, value).second) return fail(i, "property set twice");
  }
  if (open) return fail(lines.size() - 1, "control not closed");
  for (; i < lines.size() && lines[i].substr(0, 10) == "Attribute "; ++i) {
    form.attributes.emplace_back(lines[i]);
  }
  if (form.attributes.empty()) {
    error = "no Attribute lines";
    return false;
  }
  for (; i < lines.size(); ++i) form.code.append(lines[i]).append("\r\n");
  return true;
}

inline bool ReadVbProject(std::string_view text,
                          std::vector<std::pair<std::string, std::string>>& entries,
                          std::string& error) {
  std::vector<std::string_view> lines;
  if (!SplitCrLfLines(text, lines, error)) return false;
  for (std::string_view line : lines) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) {
      error = "not a Key=Value line: " + std::string(line);
      return false;
    }
    entries.emplace_back(std::string(line.substr(0, equals)), std::string(line.substr(equals + 1)));
  }
  return true;
}

inline bool TabIndexesDense(const VbFormFile& form, std::string& error) {
  int expected = 0;
  for (const VbControl& control : form.controls) {
    const auto found = control.properties.find("TabIndex");
    if (found == control.properties.end()) {
      error = control.name + " has no TabIndex";
      return false;
    }
    if (found->second != std::to_string(expected)) {
      error = control.name + " has TabIndex " + found->second + ", expected " +
              std::to_string(expected);
      return false;
    }
    ++expected;
  }
  return true;
}

}  // namespace kdk::testing
