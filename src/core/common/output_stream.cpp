#include "core/common/output_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/common/text_file.h"

namespace kdk {

bool OutputStream::Open(const std::string& path, const std::vector<std::string>& inputs,
                        std::string& error) {
  if (path == "-") {
    fd_ = STDOUT_FILENO;
    return true;
  }
  for (const std::string& input : inputs) {
    if (input != "-" && IsSameFile(input, path)) {
      error = "The result was not written: " + path + " is an input of the run.";
      return false;
    }
  }
  namespace fs = std::filesystem;
  std::error_code ec;
  target_ = fs::weakly_canonical(path, ec).string();
  if (ec) target_ = path;
  struct stat existing {};
  const bool exists = ::stat(target_.c_str(), &existing) == 0;
  if (exists && (S_ISCHR(existing.st_mode) || S_ISFIFO(existing.st_mode))) {
    fd_ = ::open(target_.c_str(), O_WRONLY | O_APPEND);
    if (fd_ < 0) error = "Cannot write " + path + ": " + std::strerror(errno);
    return fd_ >= 0;
  }
  if (exists && !S_ISREG(existing.st_mode)) {
    error = "Cannot write " + path + ": it is not a regular file.";
    return false;
  }
  const fs::path folder = fs::path(target_).parent_path();
  std::string pattern = (folder / ".kdk-XXXXXX").string();
  fd_ = ::mkstemp(pattern.data());
  if (fd_ < 0) {
    error = "Cannot create " + path + ": " + std::strerror(errno);
    return false;
  }
  temporary_ = pattern;
  staged_ = true;
  mode_t mode = existing.st_mode & 07777;
  if (!exists) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd_, mode);
  return true;
}

bool OutputStream::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool OutputStream::Commit(std::string& error) {
  if (!staged_) {
    if (fd_ > STDERR_FILENO) ::close(fd_);
    fd_ = -1;
    return true;
  }
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!closed || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    error = "Cannot write " + target_ + ": " + std::strerror(errno);
    return false;
  }
  staged_ = false;
  return true;
}

void OutputStream::Abandon() {
  if (fd_ > STDERR_FILENO) ::close(fd_);
  fd_ = -1;
  if (staged_) std::remove(temporary_.c_str());
  staged_ = false;
}

}  // namespace kdk
