#include "platform/system_clock.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

namespace kdk {

LocalDateTime ToLocalDateTime(std::time_t when) {
  std::tm parts{};
  localtime_r(&when, &parts);
  LocalDateTime local;
  local.year = parts.tm_year + 1900;
  local.month = parts.tm_mon + 1;
  local.day = parts.tm_mday;
  local.weekday = parts.tm_wday;
  local.hour = parts.tm_hour;
  local.minute = parts.tm_min;
  return local;
}

LocalDateTime SystemClock::Now() {
  return ToLocalDateTime(std::time(nullptr));
}

std::optional<LocalDateTime> SystemClock::FileCreationTime(std::string_view path) {
  const std::string name(path);
  struct statx info {};
  if (statx(AT_FDCWD, name.c_str(), 0, STATX_BTIME | STATX_CTIME, &info) != 0) return std::nullopt;
  if (info.stx_mask & STATX_BTIME)
    return ToLocalDateTime(static_cast<std::time_t>(info.stx_btime.tv_sec));
  return ToLocalDateTime(static_cast<std::time_t>(info.stx_ctime.tv_sec));
}

}  // namespace kdk
