#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/score/table_rows.h"

namespace kdk {

// What a first reading of a table finds, for a result that must declare its columns
// before the first row (an SPSS data file): the rows there are, and each column's kind:
// numeric when every value is a number, empty or "." (missing), else text as wide as
// its widest value in UTF-8.
struct TableSurvey {
  std::size_t rows = 0;
  std::vector<unsigned char> numeric;  // per column of the header
  std::vector<std::size_t> widths;     // per column: bytes of the widest value in UTF-8
};

// A value of a data file as UTF-8 text: text that is valid UTF-8 stays, any other is
// taken as Windows-1252.
std::string DataTextAsUtf8(std::string_view text);

class TableSurveyor : public TableRows {
 public:
  bool Header(std::span<const std::string_view> names,
              std::span<const unsigned char> quoted) override;
  bool Row(std::span<const std::string_view> fields, std::span<const unsigned char> quoted,
           std::size_t line) override;
  bool Finish() override { return true; }
  const std::string& Error() const override { return error_; }

  const TableSurvey& Survey() const { return survey_; }

 private:
  std::size_t columns_ = 0;
  TableSurvey survey_;
  std::string error_;
};

}  // namespace kdk
