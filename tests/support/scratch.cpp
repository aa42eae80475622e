#include "support/scratch.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "core/common/text_file.h"

namespace kdk::conformance {

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kdk-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::string error;
  if (!WriteFileAtomically(path.string(), text, error)) {
    std::cerr << error << "\n";
    std::exit(1);
  }
}

std::string ReadBack(const std::filesystem::path& path) {
  std::string bytes, error;
  ReadWholeFile(path.string(), bytes, error);
  return bytes;
}

int RunCommand(const std::string& command, const std::string& input_file, std::string& output) {
  const ScratchFolder capture;
  std::string line = "(" + command + ")";
  if (!input_file.empty()) line += " < " + Quoted(input_file);
  line += " > " + Quoted(capture.File("out")) + " 2>&1";
  const int status = std::system(line.c_str());
  output = ReadBack(capture.File("out"));
  return WEXITSTATUS(status);
}

}  // namespace kdk::conformance
