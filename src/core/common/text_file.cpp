#include "core/common/text_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace kdk {
namespace {

std::string TemporaryNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  std::random_device device;
  return path + ".kdk-" + std::to_string(device()) + "-" + std::to_string(counter++) + ".tmp";
}

// The file a write to `path` must change: the final target of a symbolic link (also
// one whose target does not exist yet), `path` itself otherwise.
std::string WriteTarget(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target(path);
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(target, ec)); ++hops) {
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target.string();
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

bool WriteFileAtomically(const std::string& requested_path, std::string_view bytes,
                         std::string& error) {
  namespace fs = std::filesystem;
  const std::string path = WriteTarget(requested_path);
  std::error_code status_error;
  const fs::file_status existing = fs::status(path, status_error);
  if (!status_error && fs::is_regular_file(existing) &&
      (existing.permissions() & fs::perms::owner_write) == fs::perms::none) {
    error = "Cannot write " + path + ": the file is read-only";
    return false;
  }
  const std::string temporary = TemporaryNameBeside(path);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = "Cannot create " + path + ": " + std::strerror(errno);
      return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      error = "Cannot write " + path + ": " + std::strerror(errno);
      out.close();
      std::remove(temporary.c_str());
      return false;
    }
  }
  std::error_code ec;
  if (!status_error && fs::is_regular_file(existing)) {
    fs::permissions(temporary, existing.permissions(), fs::perm_options::replace, ec);
  }
  if (!ec) fs::rename(temporary, path, ec);
  if (ec) {
    error = "Cannot write " + path + ": " + ec.message();
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

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
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "Cannot read the file";
    return false;
  }
  return true;
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
