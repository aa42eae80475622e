#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kdk {

// One output file written in pieces as it is produced (a scored data file may be far
// larger than memory): beside the output under a temporary name and renamed in when
// whole, or straight to standard output ("-") or a device.
class OutputStream {
 public:
  OutputStream() = default;
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;
  ~OutputStream() { Abandon(); }

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

}  // namespace kdk
