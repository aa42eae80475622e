#include "engines/workbook/r1c1_formula.h"

#include <gtest/gtest.h>

namespace kdk::workbook {
namespace {

std::string A1(std::string_view formula, int row, int column) {
  std::string out;
  EXPECT_TRUE(R1C1ToA1(formula, row, column, out)) << formula;
  return out;
}

TEST(R1C1Formula, WorkbookFormulas) {
  EXPECT_EQ(A1("=book_CalculateIt(RC[-1]:RC[-3])", 2, 4), "=book_CalculateIt(A2:C2)");
  EXPECT_EQ(A1("=b_CalculateIt(RC[-2]:RC[-4],2)", 2, 5), "=b_CalculateIt(A2:C2,2)");
  EXPECT_EQ(A1("=b_CalculateIt(R[-3]C:R[-5]C)", 7, 2), "=b_CalculateIt(B2:B4)");
  EXPECT_EQ(A1("=b_CalculateIt(R[-3]C[-2]:R[-5]C[-2],2)", 7, 4), "=b_CalculateIt(B2:B4,2)");
  EXPECT_EQ(A1("=f(RC[-1]:RC[-60])", 2, 61), "=f(A2:BH2)");
  EXPECT_EQ(A1("=R1C1+R[1]C[1]", 5, 5), "=A1+F6");
}

TEST(R1C1Formula, NamesAndTextAreNotReferences) {
  EXPECT_EQ(A1("=RC_CalculateIt(RC[-1]:RC[-1])", 2, 2), "=RC_CalculateIt(A2:A2)");
  EXPECT_EQ(A1("=XRC(1)&\"RC[-1]\"", 3, 3), "=XRC(1)&\"RC[-1]\"");
  EXPECT_EQ(A1("=ROUND(R2C3,1)", 1, 1), "=ROUND(C2,1)");
}

TEST(R1C1Formula, ReferencesOffTheSheetFail) {
  std::string out;
  EXPECT_FALSE(R1C1ToA1("=f(RC[-5])", 2, 3, out));
  EXPECT_FALSE(R1C1ToA1("=f(R[-3]C)", 2, 3, out));
}

TEST(R1C1Formula, ColumnLetters) {
  EXPECT_EQ(ColumnLetters(1), "A");
  EXPECT_EQ(ColumnLetters(26), "Z");
  EXPECT_EQ(ColumnLetters(27), "AA");
  EXPECT_EQ(ColumnLetters(702), "ZZ");
  EXPECT_EQ(ColumnLetters(703), "AAA");
  EXPECT_EQ(ColumnLetters(16384), "XFD");
}

}  // namespace
}  // namespace kdk::workbook
