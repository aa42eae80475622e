#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace kdk::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// A usage error: the message goes to stderr and kdk exits with status 2.
struct UsageError {
  std::string message;
};

// Options of the form "--name value" and flags of the form "--name"; everything
// else is positional. Which names take values is declared up front, so an unknown
// option is a usage error rather than a silently ignored word.
class Arguments {
 public:
  Arguments(const std::vector<std::string>& words, const std::set<std::string>& value_options,
            const std::set<std::string>& flag_options);

  const std::vector<std::string>& Positional() const { return positional_; }
  bool Has(const std::string& name) const;
  std::string Value(const std::string& name, const std::string& default_value) const;
  bool WantsHelp() const { return help_; }

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> values_;
  std::set<std::string> flags_;
  bool help_ = false;
};

}  // namespace kdk::cli
