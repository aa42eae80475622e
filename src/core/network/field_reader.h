#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kdk {

// Reads a weights file as a stream of fields. A field ends at a comma or at a line
// end, and the two are interchangeable. A field in double quotes may hold commas
// (text after its closing quote up to the delimiter is dropped); leading blanks are
// skipped and an unquoted field loses its trailing blanks.
class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

  // False when the data ends before the field.
  bool Next(std::string& field);
  bool NextNumber(double& value);
  // A 16-bit signed integer.
  bool NextInteger16(int& value);
  bool Skip(long long count);

  // The rest of the current line (after a field that ended at a comma), or the next
  // whole line (after a field that ended at a line end). False at the end of data.
  bool RestOfLine(std::string& line);

  // Bytes not yet read: every further field needs at least one of them.
  std::size_t Remaining() const { return bytes_.size() - position_; }

 private:
  void ConsumeDelimiter();

  std::string_view bytes_;
  std::size_t position_ = 0;
};

// A decimal number with "." as the point and an optional exponent; blanks around it
// are allowed. False for anything else, including infinities and NaN.
bool ParseFiniteNumber(std::string_view text, double& value);

}  // namespace kdk
