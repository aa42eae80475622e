#include "toolchain_runner.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

namespace kdk::conformance {

ScratchFolder::ScratchFolder() {
  std::random_device seed;
  path_ = std::filesystem::temp_directory_path() /
          ("kdk_compilers_" + std::to_string(seed()) + std::to_string(seed()));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

int RunCommand(const std::string& command, const std::string& input_file, std::string& output) {
  static int counter = 0;
  const std::filesystem::path capture =
      std::filesystem::temp_directory_path() /
      ("kdk_capture_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
  std::string line = "(" + command + ")";
  if (!input_file.empty()) line += " < " + Quoted(input_file);
  line += " > " + Quoted(capture.string()) + " 2>&1";
  const int status = std::system(line.c_str());
  std::ifstream in(capture, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  output = buffer.str();
  std::error_code ignored;
  std::filesystem::remove(capture, ignored);
  return WEXITSTATUS(status);
}

}  // namespace kdk::conformance
