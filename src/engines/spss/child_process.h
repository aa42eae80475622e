#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace kdk::spss {

struct ProcessResult {
  bool started = false;
  bool timed_out = false;
  int exit_status = -1;  // the exit code, or -1 when the process did not exit normally
  std::string error;     // why it could not be started or waited for
};

// Runs `argv` (argv[0] is the program's path; no shell is involved) with standard
// input from /dev/null and standard output and error into the given files, waiting
// at most `limit`; a process still running then is killed.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& output_file,
                         const std::string& error_file, std::chrono::milliseconds limit);

// Starts a program in a session of its own and does not wait for it.
bool StartDetached(const std::vector<std::string>& argv);

// The path of an executable file: `name` itself when it holds a "/", otherwise the
// first match in the folders of PATH. "" when there is none.
std::string FindProgram(const std::string& name);

}  // namespace kdk::spss
