#include "core/common/text_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/common/output_file.h"

namespace kdk {

bool IsExistingFile(std::string_view path) {
  std::error_code ignored;
  return !path.empty() && std::filesystem::is_regular_file(std::filesystem::path(path), ignored);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  return WriteOutputFile(path, bytes, error);
}

namespace {

std::string TooLargeMessage() {
  return "The input is larger than " + std::to_string(kLargestInputBytes >> 20) +
         " MB; no model is that large.";
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    error = "File not found";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = std::string("Cannot open the file: ") + std::strerror(errno);
    return false;
  }
  if (std::filesystem::file_size(path, ec) > kLargestInputBytes && !ec) {
    error = TooLargeMessage();
    return false;
  }
  if (ReadWholeStream(in, bytes, error)) return true;
  if (error.empty()) error = "Cannot read the file";
  return false;
}

bool ReadWholeStream(std::istream& in, std::string& bytes, std::string& error) {
  bytes.clear();
  error.clear();
  char block[65536];
  while (in) {
    in.read(block, sizeof block);
    const auto count = static_cast<std::size_t>(in.gcount());
    if (bytes.size() + count > kLargestInputBytes) {
      bytes.clear();
      error = TooLargeMessage();
      return false;
    }
    bytes.append(block, count);
  }
  return !in.bad();
}

std::vector<std::string> SplitIntoLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace kdk
