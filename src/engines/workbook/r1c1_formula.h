#pragma once

#include <string>
#include <string_view>

namespace kdk::workbook {

// "A", "B", ..., "Z", "AA", ... for column 1, 2, ...
std::string ColumnLetters(int column);

// A formula in R1C1 notation as the file stores it, in A1 notation, for the cell at
// (row, column) (both from 1). References are R or R[n] or Rn, then C or C[n] or Cn;
// a range of two references is written top-left to bottom-right. Text inside string
// literals is left alone. False when a reference falls outside the sheet.
bool R1C1ToA1(std::string_view formula, int row, int column, std::string& a1);

}  // namespace kdk::workbook
