#pragma once

#include <string>
#include <string_view>

namespace kdk {

// The per-user settings store of application "KestriumDK".
class SettingsPort {
 public:
  virtual ~SettingsPort() = default;
  virtual std::string Get(std::string_view section, std::string_view key,
                          std::string_view default_value) = 0;
  virtual void Set(std::string_view section, std::string_view key, std::string_view value) = 0;
};

}  // namespace kdk
