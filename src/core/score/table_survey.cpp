#include "core/score/table_survey.h"

#include <algorithm>

#include "core/common/model_text.h"
#include "core/network/field_reader.h"

namespace kdk {

std::string DataTextAsUtf8(std::string_view text) {
  return MessageTextAsUtf8(text);
}

bool TableSurveyor::Header(std::span<const std::string_view> names,
                           std::span<const unsigned char>) {
  columns_ = names.size();
  survey_.numeric.assign(columns_, 1);
  survey_.widths.assign(columns_, 1);
  return true;
}

bool TableSurveyor::Row(std::span<const std::string_view> fields,
                        std::span<const unsigned char> quoted, std::size_t) {
  if (IsBlankRecord(columns_, fields, quoted)) return true;
  ++survey_.rows;
  for (std::size_t i = 0; i < std::min(fields.size(), columns_); ++i) {
    const std::string_view value = fields[i];
    double number = 0;
    if (survey_.numeric[i] && !IsMissingDataValue(value) && !ParseFiniteNumber(value, number)) {
      survey_.numeric[i] = 0;
    }
    const bool ascii = std::all_of(value.begin(), value.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::size_t width = ascii ? value.size() : DataTextAsUtf8(value).size();
    survey_.widths[i] = std::max(survey_.widths[i], width);
  }
  return true;
}

}  // namespace kdk
