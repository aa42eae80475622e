#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kdk::cli {

// The scored file, written as it is produced: beside the output under a temporary
// name and renamed in when whole, or straight to standard output ("-").
class ScoreOutput {
 public:
  ScoreOutput() = default;
  ScoreOutput(const ScoreOutput&) = delete;
  ScoreOutput& operator=(const ScoreOutput&) = delete;
  ~ScoreOutput() { Abandon(); }

  // False with `error` when the output is one of `inputs` or cannot be created.
  bool Open(const std::string& path, const std::vector<std::string>& inputs, std::string& error);
  bool Write(std::string_view bytes);
  bool Commit(std::string& error);
  void Abandon();

 private:
  int fd_ = -1;
  bool staged_ = false;
  std::string temporary_;
  std::string target_;
};

}  // namespace kdk::cli
