#include "core/common/temporary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

namespace kdk {

namespace {

constexpr int kAttempts = 100;

std::string CandidateName(std::random_device& device, const std::string& folder,
                          std::string_view prefix, std::string_view suffix) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name;
  name.reserve(folder.size() + prefix.size() + suffix.size() + 8);
  name.append(folder.empty() ? "." : folder).append("/").append(prefix);
  unsigned bits = device();
  for (int i = 0; i < 6; ++i, bits /= 36) name.push_back(kLetters[bits % 36]);
  name.append(suffix);
  return name;
}

}  // namespace

int CreateExclusiveFile(const std::string& folder, std::string_view prefix, std::string_view suffix,
                        mode_t mode, std::string& path) {
  std::random_device device;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string name = CandidateName(device, folder, prefix, suffix);
    const int descriptor =
        open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (descriptor >= 0) {
      path = std::move(name);
      return descriptor;
    }
    if (errno != EEXIST) return -1;
  }
  errno = EEXIST;
  return -1;
}

bool LinkExclusively(const std::string& existing, const std::string& folder,
                     std::string_view prefix, std::string_view suffix, std::string& path) {
  std::random_device device;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string name = CandidateName(device, folder, prefix, suffix);
    if (link(existing.c_str(), name.c_str()) == 0) {
      path = std::move(name);
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool WriteAllBytes(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

std::string SystemTemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

PrivateFolder::~PrivateFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

bool PrivateFolder::Create(std::string_view prefix, std::string& error) {
  std::string pattern = SystemTemporaryFolder();
  pattern.append("/").append(prefix).append("XXXXXX");
  if (mkdtemp(pattern.data()) == nullptr) {
    error = "No private temporary folder could be made: " + std::string(std::strerror(errno));
    return false;
  }
  path_ = std::move(pattern);
  return true;
}

TemporaryFile::~TemporaryFile() {
  if (!path_.empty()) unlink(path_.c_str());
}

bool TemporaryFile::Create(const std::string& folder, std::string_view prefix,
                           std::string_view suffix, std::string_view bytes, std::string& error) {
  const std::string where = folder.empty() ? SystemTemporaryFolder() : folder;
  std::string path;
  const int descriptor = CreateExclusiveFile(where, prefix, suffix, 0600, path);
  if (descriptor < 0) {
    error = "No temporary file could be made in " + where + ": " + std::strerror(errno);
    return false;
  }
  const bool written = WriteAllBytes(descriptor, bytes);
  const int reason = errno;
  if (close(descriptor) != 0 || !written) {
    unlink(path.c_str());
    error = "The temporary file " + path +
            " could not be written: " + std::strerror(written ? errno : reason);
    return false;
  }
  if (!path_.empty()) unlink(path_.c_str());
  path_ = std::move(path);
  return true;
}

}  // namespace kdk
