#include "core/common/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "core/common/temporary_file.h"

namespace kdk {
namespace {

constexpr int kMostLinkHops = 40;
constexpr std::string_view kAsidePrefix = "kdk-";
constexpr std::string_view kAsideSuffix = ".tmp";

enum class TargetKind { File, Device, Descriptor, Refused };

struct Target {
  TargetKind kind = TargetKind::File;
  std::string path;  // the file a write changes (links followed)
  int descriptor = -1;
  bool exists = false;
  struct stat status {};
  std::string reason;  // why it is refused
};

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The descriptor a path names without opening anything: "-" is standard output.
std::optional<int> DescriptorNamed(const std::string& path) {
  if (path == "-" || path == "/dev/stdout") return 1;
  if (path == "/dev/stderr") return 2;
  for (std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    if (!path.starts_with(prefix) || path.size() == prefix.size()) continue;
    int number = 0;
    for (char c : std::string_view(path).substr(prefix.size())) {
      if (c < '0' || c > '9' || number > 100000) return std::nullopt;
      number = number * 10 + (c - '0');
    }
    return number;
  }
  return std::nullopt;
}

Target Resolve(const std::string& requested) {
  Target target;
  target.path = requested;
  for (int hops = 0;; ++hops) {
    if (const std::optional<int> descriptor = DescriptorNamed(target.path)) {
      target.kind = TargetKind::Descriptor;
      target.descriptor = *descriptor;
      target.exists = fstat(*descriptor, &target.status) == 0;
      return target;
    }
    if (lstat(target.path.c_str(), &target.status) != 0) {
      if (errno == ENOENT) return target;  // a new file
      target.kind = TargetKind::Refused;
      target.reason = std::strerror(errno);
      return target;
    }
    if (!S_ISLNK(target.status.st_mode)) break;
    if (hops == kMostLinkHops) {
      target.kind = TargetKind::Refused;
      target.reason = "the link leads round in a loop, never to a file.";
      return target;
    }
    std::string next(static_cast<size_t>(target.status.st_size) + 1, '\0');
    const ssize_t size = readlink(target.path.c_str(), next.data(), next.size());
    if (size < 0 || static_cast<size_t>(size) >= next.size()) {
      target.kind = TargetKind::Refused;
      target.reason = "the link cannot be read.";
      return target;
    }
    next.resize(static_cast<size_t>(size));
    target.path = next.starts_with('/') ? next : FolderOf(target.path) + "/" + next;
  }
  target.exists = true;
  const mode_t mode = target.status.st_mode;
  if (S_ISCHR(mode) || S_ISFIFO(mode)) {
    target.kind = TargetKind::Device;
  } else if (!S_ISREG(mode)) {
    target.kind = TargetKind::Refused;
    target.reason = S_ISDIR(mode)    ? "it is a folder."
                    : S_ISSOCK(mode) ? "it is a socket."
                                     : "it is not a regular file.";
  } else if ((mode & S_IWUSR) == 0) {
    target.kind = TargetKind::Refused;
    target.reason = "the file is read-only.";
  }
  return target;
}

// Writes the bytes, or with a `source` that file's content, to the descriptor.
bool WriteContent(int descriptor, std::string_view bytes, const std::string& source) {
  if (source.empty()) return WriteAllBytes(descriptor, bytes);
  const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  char block[65536];
  bool ok = true;
  for (;;) {
    const ssize_t got = read(in, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    if (!WriteAllBytes(descriptor, std::string_view(block, static_cast<size_t>(got)))) {
      ok = false;
      break;
    }
  }
  const int reason = errno;
  close(in);
  errno = reason;
  return ok;
}

bool SameInode(const struct stat& a, const std::string& path) {
  struct stat b {};
  return !path.empty() && stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

}  // namespace

struct OutputFiles::Entry {
  std::string requested;
  Target target;
  std::string aside;   // the staged file, renamed in at Commit
  std::string backup;  // the replaced file, kept until every rename is done
  std::string bytes;   // for a device or a descriptor, written at Commit
  std::string source;  // or the file whose content is written there
  bool renamed = false;
};

std::string SameAsModelMessage(const std::string& output_path) {
  std::string message = "The file was not written: ";
  message.append(output_path).append("\r\n\r\n");
  message.append("It is the model file itself. Choose another name so the model is not lost.");
  return message;
}

std::string SameAsDataMessage(const std::string& output_path) {
  return "The result was not saved: it would replace the data file " + output_path + ".";
}

std::string KeptInputRefusal(const KeptInputs& kept, const std::string& output_path) {
  const Target target = Resolve(output_path);
  if (!target.exists) return {};
  if (SameInode(target.status, kept.model_path)) return SameAsModelMessage(output_path);
  if (SameInode(target.status, kept.data_path)) return SameAsDataMessage(output_path);
  return {};
}

OutputFiles::OutputFiles(KeptInputs kept) : kept_(std::move(kept)) {}

OutputFiles::~OutputFiles() {
  Abandon();
}

void OutputFiles::Abandon() {
  for (Entry& entry : entries_) {
    if (!entry.aside.empty()) unlink(entry.aside.c_str());
    if (!entry.backup.empty()) unlink(entry.backup.c_str());
  }
  entries_.clear();
}

bool OutputFiles::Fail(const std::string& path, const std::string& reason) {
  error_ = "The file could not be written: " + path + "\r\n\r\n" + reason;
  Abandon();
  return false;
}

bool OutputFiles::Add(const std::string& path, std::string_view bytes) {
  return Stage(path, bytes, {});
}

bool OutputFiles::AddCopyOf(const std::string& path, const std::string& source) {
  return Stage(path, {}, source);
}

bool OutputFiles::Stage(const std::string& path, std::string_view bytes,
                        const std::string& source) {
  Entry entry{path, Resolve(path), {}, {}, {}, source, false};
  const Target& target = entry.target;
  if (target.kind == TargetKind::Refused) return Fail(path, target.reason);
  const std::string refusal = KeptInputRefusal(kept_, path);
  if (!refusal.empty()) {
    error_ = refusal;
    Abandon();
    return false;
  }
  if (target.kind != TargetKind::File) {
    entry.bytes.assign(bytes);
    entries_.push_back(std::move(entry));
    return true;
  }
  const int descriptor =
      CreateExclusiveFile(FolderOf(target.path), kAsidePrefix, kAsideSuffix, 0666, entry.aside);
  if (descriptor < 0) return Fail(path, std::strerror(errno));
  bool written = WriteContent(descriptor, bytes, source);
  if (written && target.exists) {
    // The replaced file's owner where allowed, then its permissions (a change of
    // owner clears the set-id bits).
    if (fchown(descriptor, target.status.st_uid, target.status.st_gid) != 0) errno = 0;
    written = fchmod(descriptor, target.status.st_mode & 07777) == 0;
  }
  const int reason = errno;
  const bool closed = close(descriptor) == 0;
  entries_.push_back(std::move(entry));
  if (!written || !closed) return Fail(path, std::strerror(written ? errno : reason));
  return true;
}

bool OutputFiles::Commit() {
  if (!error_.empty()) return false;  // an Add failed: nothing is staged
  // Devices and descriptors cannot be undone, so they go first, while nothing else
  // has been put in place.
  for (Entry& entry : entries_) {
    if (entry.target.kind == TargetKind::File) continue;
    std::fflush(nullptr);  // what the program printed comes before the artifact
    int descriptor = entry.target.descriptor;
    if (entry.target.kind == TargetKind::Device) {
      descriptor = open(entry.target.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    }
    bool written = descriptor >= 0 && WriteContent(descriptor, entry.bytes, entry.source);
    const int reason = errno;
    if (entry.target.kind == TargetKind::Device && descriptor >= 0) {
      written = close(descriptor) == 0 && written;
    }
    if (!written) return Fail(entry.requested, std::strerror(reason));
  }
  // With more than one file, each file replaced keeps a second name (a hard link)
  // until all are in, so that a failed rename can put the old ones back. Where the
  // file system has no hard links, a file already renamed in stays new.
  const bool several = entries_.size() > 1;
  for (Entry& entry : entries_) {
    if (entry.aside.empty()) continue;
    if (several && entry.target.exists) {
      LinkExclusively(entry.target.path, FolderOf(entry.target.path), kAsidePrefix, kAsideSuffix,
                      entry.backup);
    }
    if (rename(entry.aside.c_str(), entry.target.path.c_str()) != 0) {
      const std::string reason = std::strerror(errno);
      for (Entry& done : entries_) {
        if (!done.renamed) continue;
        if (!done.backup.empty()) {
          if (rename(done.backup.c_str(), done.target.path.c_str()) == 0) done.backup.clear();
        } else if (!done.target.exists) {
          unlink(done.target.path.c_str());
        }
      }
      return Fail(entry.requested, reason);
    }
    entry.aside.clear();
    entry.renamed = true;
  }
  Abandon();  // removes the backups
  return true;
}

OutputStream::~OutputStream() {
  Abandon();
}

bool OutputStream::Fail(const std::string& reason) {
  error_ = "The file could not be written: " + requested_ + "\r\n\r\n" + reason;
  Abandon();
  return false;
}

bool OutputStream::Open(const std::string& path, const KeptInputs& kept) {
  requested_ = path;
  error_.clear();
  const Target target = Resolve(path);
  if (target.kind == TargetKind::Refused) return Fail(target.reason);
  error_ = KeptInputRefusal(kept, path);
  if (!error_.empty()) return false;
  if (target.kind == TargetKind::Descriptor) {
    std::fflush(nullptr);
    descriptor_ = target.descriptor;
    return true;
  }
  if (target.kind == TargetKind::Device) {
    descriptor_ = open(target.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    owned_ = descriptor_ >= 0;
    return owned_ || Fail(std::strerror(errno));
  }
  descriptor_ =
      CreateExclusiveFile(FolderOf(target.path), kAsidePrefix, kAsideSuffix, 0666, aside_);
  if (descriptor_ < 0) return Fail(std::strerror(errno));
  owned_ = true;
  target_ = target.path;
  if (target.exists) {
    if (fchown(descriptor_, target.status.st_uid, target.status.st_gid) != 0) errno = 0;
    if (fchmod(descriptor_, target.status.st_mode & 07777) != 0) return Fail(std::strerror(errno));
  }
  return true;
}

bool OutputStream::Write(std::string_view bytes) {
  if (descriptor_ < 0) return false;
  return WriteAllBytes(descriptor_, bytes) || Fail(std::strerror(errno));
}

bool OutputStream::Commit() {
  if (descriptor_ < 0) return false;
  const bool closed = !owned_ || close(descriptor_) == 0;
  descriptor_ = -1;
  owned_ = false;
  if (!closed) return Fail(std::strerror(errno));
  if (!aside_.empty()) {
    if (rename(aside_.c_str(), target_.c_str()) != 0) return Fail(std::strerror(errno));
    aside_.clear();
  }
  return true;
}

void OutputStream::Abandon() {
  if (owned_ && descriptor_ >= 0) close(descriptor_);
  descriptor_ = -1;
  owned_ = false;
  if (!aside_.empty()) unlink(aside_.c_str());
  aside_.clear();
}

bool WriteOutputFile(const std::string& path, std::string_view bytes, std::string& error,
                     const KeptInputs& kept) {
  OutputFiles files(kept);
  if (files.Add(path, bytes) && files.Commit()) return true;
  error = files.Error();
  return false;
}

bool CopyToOutputFile(const std::string& path, const std::string& source, std::string& error,
                      const KeptInputs& kept) {
  OutputFiles files(kept);
  if (files.AddCopyOf(path, source) && files.Commit()) return true;
  error = files.Error();
  return false;
}

}  // namespace kdk
