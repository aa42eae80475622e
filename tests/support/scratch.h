#pragma once

#include <filesystem>
#include <string>

namespace kdk::conformance {

// A fresh folder under the temporary folder, removed with the object.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// The file's bytes, or "" when it cannot be read.
std::string ReadBack(const std::filesystem::path& path);

// Runs a shell command with stdin from `input_file` ("" for none); stdout and
// stderr are captured. Returns the exit status.
int RunCommand(const std::string& command, const std::string& input_file, std::string& output);

// Writes the file or ends the program with the reason (for the manifest writers).
void WriteText(const std::filesystem::path& path, const std::string& text);

// Single-quoted for the shell.
std::string Quoted(const std::string& text);

}  // namespace kdk::conformance
