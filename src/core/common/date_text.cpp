#include "core/common/date_text.h"

namespace kdk {
namespace {

constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

std::string DateText(const LocalDateTime& when) {
  std::string text;
  text.reserve(28);
  text += kDays[((when.weekday % 7) + 7) % 7];
  text += ", ";
  text += kMonths[(when.month >= 1 && when.month <= 12) ? when.month - 1 : 0];
  text += ' ';
  text += std::to_string(when.day);
  text += ' ';
  text += std::to_string(when.year);
  text += ", ";
  int hour12 = when.hour % 12;
  text += std::to_string(hour12 == 0 ? 12 : hour12);
  text += ':';
  if (when.minute < 10) text += '0';
  text += std::to_string(when.minute);
  text += when.hour < 12 ? " AM" : " PM";
  return text;
}

}  // namespace kdk
