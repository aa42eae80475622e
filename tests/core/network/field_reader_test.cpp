#include "core/network/field_reader.h"

#include <gtest/gtest.h>

namespace kdk {
namespace {

std::vector<std::string> AllFields(std::string_view text) {
  FieldReader reader(text);
  std::vector<std::string> fields;
  std::string field;
  while (reader.Next(field)) fields.push_back(field);
  return fields;
}

TEST(FieldReader, CommasAndLineEndsAreInterchangeable) {
  EXPECT_EQ(AllFields("a,b\r\nc\nd\re"), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(AllFields("a,,b\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(AllFields("a,\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(FieldReader, QuotesProtectCommasAndBlanksAreTrimmedOutsideThem) {
  EXPECT_EQ(AllFields("  \"x, y\" ,  z  ,\" q \""), (std::vector<std::string>{"x, y", "z", " q "}));
  // Text after a closing quote, up to the delimiter, is dropped.
  EXPECT_EQ(AllFields("\"ab\"cd,e"), (std::vector<std::string>{"ab", "e"}));
  // An unterminated quote runs to the end of the data.
  EXPECT_EQ(AllFields("\"open, a\r\nb"), (std::vector<std::string>{"open, a\r\nb"}));
}

TEST(FieldReader, RestOfLineFollowsHowTheLastFieldEnded) {
  FieldReader at_comma("a,b,c,rest, of it\r\nnext");
  std::string value;
  ASSERT_TRUE(at_comma.Skip(3));
  ASSERT_TRUE(at_comma.RestOfLine(value));
  EXPECT_EQ(value, "rest, of it");
  ASSERT_TRUE(at_comma.Next(value));
  EXPECT_EQ(value, "next");

  FieldReader at_line_end("a,b,c\r\nwhole, line\r\n");
  ASSERT_TRUE(at_line_end.Skip(3));
  ASSERT_TRUE(at_line_end.RestOfLine(value));
  EXPECT_EQ(value, "whole, line");
  EXPECT_FALSE(at_line_end.RestOfLine(value));
}

TEST(FieldReader, NumbersAndSixteenBitIntegers) {
  FieldReader reader("1.5E+02, -0.25,32767,-32768,32768,2.5,x");
  double number = 0;
  int integer = 0;
  ASSERT_TRUE(reader.NextNumber(number));
  EXPECT_EQ(number, 150);
  ASSERT_TRUE(reader.NextNumber(number));
  EXPECT_EQ(number, -0.25);
  ASSERT_TRUE(reader.NextInteger16(integer));
  EXPECT_EQ(integer, 32767);
  ASSERT_TRUE(reader.NextInteger16(integer));
  EXPECT_EQ(integer, -32768);
  EXPECT_FALSE(reader.NextInteger16(integer));
  EXPECT_FALSE(reader.NextInteger16(integer));
  EXPECT_FALSE(reader.NextNumber(number));
  EXPECT_FALSE(reader.NextNumber(number));
}

TEST(ParseFiniteNumber, AcceptsDecimalFormsOnly) {
  double value = 0;
  for (const char* good : {"0", "-1", "+2", ".5", "5.", "1e3", "1E-3", " 7 "}) {
    EXPECT_TRUE(ParseFiniteNumber(good, value)) << good;
  }
  for (const char* bad : {"", " ", "inf", "nan", "0x1p3", "1,5", "1e", "--1", "1 2", "1e400"}) {
    EXPECT_FALSE(ParseFiniteNumber(bad, value)) << bad;
  }
}

}  // namespace
}  // namespace kdk
