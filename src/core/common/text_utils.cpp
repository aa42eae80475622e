#include "core/common/text_utils.h"

#include <filesystem>

namespace kdk {

std::string TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool ContainsText(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

bool EndsWithText(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  if (from.empty()) return std::string(text);
  size_t pos = 0;
  while (true) {
    size_t hit = text.find(from, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::string BlanksToUnderscores(std::string_view text) {
  return ReplaceAll(text, " ", "_");
}

std::string DropLast(std::string_view text, size_t count) {
  return std::string(text.substr(0, text.size() > count ? text.size() - count : 0));
}

std::vector<std::string> SplitAt(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    size_t hit = text.find(separator, start);
    if (hit == std::string_view::npos) {
      parts.emplace_back(text.substr(start));
      return parts;
    }
    parts.emplace_back(text.substr(start, hit - start));
    start = hit + 1;
  }
}

std::string StripChars(std::string_view text, std::optional<char> also_remove) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '"') continue;
    if (also_remove && c == *also_remove) continue;
    out.push_back(c);
  }
  return out;
}

std::string FileNameOfPath(std::string_view path) {
  size_t slash = path.rfind('/');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  size_t backslash = name.rfind('\\');
  return std::string(backslash == std::string_view::npos ? name : name.substr(backslash + 1));
}

std::string OutputBaseName(std::string_view path) {
  std::string without_extension = DropLast(path, 4);
  return BlanksToUnderscores(TrimBlanks(FileNameOfPath(without_extension)));
}

std::string AbsolutePath(std::string_view path) {
  std::error_code error;
  std::string absolute = std::filesystem::absolute(std::filesystem::path(path), error).string();
  return absolute.empty() ? std::string(path) : absolute;
}

std::string ParentFolder(std::string_view path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(path), error);
  if (error) absolute = std::filesystem::path(path);
  absolute = absolute.lexically_normal();
  if (!absolute.has_filename() && absolute.has_parent_path()) absolute = absolute.parent_path();
  return absolute.parent_path().string();
}

std::string ModelNameFromFileTitle(std::string_view file_title) {
  return BlanksToUnderscores(DropLast(file_title, 4));
}

}  // namespace kdk
