#pragma once

#include <ctime>

#include "core/ports/clock.h"

namespace kdk {

// Local time from the operating system; a file's birth time where the file system
// records one, else its last status change.
class SystemClock : public Clock {
 public:
  LocalDateTime Now() override;
  std::optional<LocalDateTime> FileCreationTime(std::string_view path) override;
};

LocalDateTime ToLocalDateTime(std::time_t when);

}  // namespace kdk
