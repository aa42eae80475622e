#pragma once

#include <string>
#include <vector>

namespace kdk::cli {

// Each returns the process exit status.
int RunInfo(const std::vector<std::string>& words);
int RunPredict(const std::vector<std::string>& words);
int RunConvert(const std::vector<std::string>& words);
int RunSpssCheck(const std::vector<std::string>& words);
int RunSpssRun(const std::vector<std::string>& words);
int RunScore(const std::vector<std::string>& words);

}  // namespace kdk::cli
