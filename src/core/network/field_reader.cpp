#include "core/network/field_reader.h"

#include <charconv>
#include <cmath>

#include "core/common/text_utils.h"

namespace kdk {
namespace {

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

}  // namespace

bool ParseFiniteNumber(std::string_view text, double& value) {
  std::string_view digits = text;
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty()) return false;
  // from_chars would take "inf", "nan" and hex digits: allow only decimal forms.
  for (char c : digits) {
    bool allowed =
        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    if (!allowed) return false;
  }
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                   std::chars_format::general);
  if (ec != std::errc() || end != digits.data() + digits.size()) return false;
  return std::isfinite(value);
}

void FieldReader::ConsumeDelimiter() {
  if (position_ >= bytes_.size()) return;
  char c = bytes_[position_];
  if (c == ',') {
    ++position_;
  } else if (c == '\r') {
    ++position_;
    if (position_ < bytes_.size() && bytes_[position_] == '\n') ++position_;
  } else if (c == '\n') {
    ++position_;
  }
}

bool FieldReader::Next(std::string& field) {
  while (position_ < bytes_.size() && bytes_[position_] == ' ') ++position_;
  if (position_ >= bytes_.size()) return false;

  field.clear();
  if (bytes_[position_] == '"') {
    std::size_t close = bytes_.find('"', position_ + 1);
    if (close == std::string_view::npos) {
      field.assign(bytes_.substr(position_ + 1));
      position_ = bytes_.size();
      return true;
    }
    field.assign(bytes_.substr(position_ + 1, close - position_ - 1));
    position_ = close + 1;
    while (position_ < bytes_.size() && bytes_[position_] != ',' && !IsLineEnd(bytes_[position_])) {
      ++position_;
    }
  } else {
    std::size_t start = position_;
    while (position_ < bytes_.size() && bytes_[position_] != ',' && !IsLineEnd(bytes_[position_])) {
      ++position_;
    }
    std::string_view text = bytes_.substr(start, position_ - start);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    field.assign(text);
  }
  ConsumeDelimiter();
  return true;
}

bool FieldReader::NextNumber(double& value) {
  std::string field;
  return Next(field) && ParseFiniteNumber(field, value);
}

bool FieldReader::NextInteger16(int& value) {
  double number = 0;
  if (!NextNumber(number)) return false;
  if (number != std::floor(number) || number < -32768 || number > 32767) return false;
  value = static_cast<int>(number);
  return true;
}

bool FieldReader::Skip(long long count) {
  std::string ignored;
  for (long long i = 0; i < count; ++i) {
    if (!Next(ignored)) return false;
  }
  return true;
}

bool FieldReader::RestOfLine(std::string& line) {
  if (position_ >= bytes_.size()) return false;
  std::size_t start = position_;
  while (position_ < bytes_.size() && !IsLineEnd(bytes_[position_])) ++position_;
  line.assign(bytes_.substr(start, position_ - start));
  ConsumeDelimiter();
  return true;
}

}  // namespace kdk
