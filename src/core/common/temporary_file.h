#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace kdk {

// Creates a new file `folder/<prefix>XXXXXX<suffix>` (six random letters and digits)
// exclusively: it never opens a file or a link that is already there. `mode` is
// filtered by the umask. Returns the open descriptor and fills `path`, or -1 with
// errno set. The name does not depend on any output's name, so it always fits.
int CreateExclusiveFile(const std::string& folder, std::string_view prefix, std::string_view suffix,
                        mode_t mode, std::string& path);

// Gives the existing file a second, new name of the same pattern (a hard link).
bool LinkExclusively(const std::string& existing, const std::string& folder,
                     std::string_view prefix, std::string_view suffix, std::string& path);

// Writes every byte to the descriptor; false with errno set.
bool WriteAllBytes(int descriptor, std::string_view bytes);

// The folder for private temporary files: $TMPDIR when set, /tmp otherwise.
std::string SystemTemporaryFolder();

// A private folder (mkdtemp, mode 0700) in SystemTemporaryFolder(), removed with all
// it holds when the object goes.
class PrivateFolder {
 public:
  PrivateFolder() = default;
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  // False with `error` when no folder can be made.
  bool Create(std::string_view prefix, std::string& error);
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A private temporary file (mode 0600, created exclusively) holding the given bytes,
// removed when the object goes. Two runs at once never share one.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Makes the file in `folder` (SystemTemporaryFolder() when empty). False with `error`.
  bool Create(const std::string& folder, std::string_view prefix, std::string_view suffix,
              std::string_view bytes, std::string& error);
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace kdk
