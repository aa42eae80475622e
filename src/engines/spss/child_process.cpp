#include "engines/spss/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace kdk::spss {

namespace {

std::vector<char*> ArgumentPointers(const std::vector<std::string>& argv) {
  std::vector<char*> pointers;
  pointers.reserve(argv.size() + 1);
  for (const std::string& word : argv) pointers.push_back(const_cast<char*>(word.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

bool IsExecutableFile(const std::string& path) {
  return access(path.c_str(), X_OK) == 0;
}

class SpawnActions {
 public:
  SpawnActions() { posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& output_file,
                         const std::string& error_file, std::chrono::milliseconds limit) {
  ProcessResult result;
  if (argv.empty()) {
    result.error = "no program given";
    return result;
  }
  SpawnActions actions;
  constexpr int kWrite = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
  posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, output_file.c_str(), kWrite, 0600);
  posix_spawn_file_actions_addopen(actions.get(), STDERR_FILENO, error_file.c_str(), kWrite, 0600);
  std::vector<char*> pointers = ArgumentPointers(argv);
  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, argv[0].c_str(), actions.get(), nullptr, pointers.data(), environ);
  if (spawned != 0) {
    result.error = std::strerror(spawned);
    return result;
  }
  result.started = true;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  auto pause = std::chrono::milliseconds(2);
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      if (WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
      return result;
    }
    if (done < 0 && errno != EINTR) {
      result.error = std::strerror(errno);
      return result;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      result.timed_out = true;
      return result;
    }
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(50));
  }
}

bool StartDetached(const std::vector<std::string>& argv) {
  if (argv.empty()) return false;
  std::vector<char*> pointers = ArgumentPointers(argv);
  // The middle process exits at once, so the program is nobody's child to wait for.
  const pid_t middle = fork();
  if (middle < 0) return false;
  if (middle == 0) {
    setsid();
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
    }
    const pid_t program = fork();
    if (program == 0) {
      execv(pointers[0], pointers.data());
      _exit(127);
    }
    _exit(program < 0 ? 1 : 0);
  }
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string FindProgram(const std::string& name) {
  if (name.empty()) return {};
  if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string();
  const char* path = std::getenv("PATH");
  std::string folders = path == nullptr ? "/usr/local/bin:/usr/bin:/bin" : path;
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string folder = end > start ? folders.substr(start, end - start) : ".";
    const std::string candidate = folder + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

}  // namespace kdk::spss
