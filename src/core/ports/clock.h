#pragma once

#include <optional>
#include <string_view>

#include "core/common/date_text.h"

namespace kdk {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() = 0;
  // The file's creation time (local); nullopt when the file does not exist.
  virtual std::optional<LocalDateTime> FileCreationTime(std::string_view path) = 0;
};

}  // namespace kdk
