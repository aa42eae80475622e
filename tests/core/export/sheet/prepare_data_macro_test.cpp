#include "core/export/sheet/prepare_data_macro.h"
#include "core/export/sheet/workbook_code_blocks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kdk {
namespace {

using ::testing::HasSubstr;

// The whole module (blocks and macro) of a regression, a classifier and a MARS model is
// in tests/golden; these are the properties of any input.
PrepareDataMacroInput TwoInputs(std::string_view kind, bool classifier) {
  return {3, "book_CalculateIt", {"A", "B"}, "Y", std::string(kind), classifier};
}

TEST(PrepareDataMacro, MarsNeverHasStrengthEvenWithAClassifierFlag) {
  const std::string mars = PrepareDataMacroText(TwoInputs(kModelKindMars, true));
  EXPECT_EQ(mars.find("Strength"), std::string::npos);
  EXPECT_EQ(mars, PrepareDataMacroText(TwoInputs(kModelKindNetwork, false)));
}

TEST(PrepareDataMacro, NamesStayInsideTheirStrings) {
  PrepareDataMacroInput input{3, "f_CalculateIt", {"say \"hi\"", "line\r\nbreak"}, "o\"ut", "MARS"};
  const std::string text = PrepareDataMacroText(input);
  EXPECT_THAT(text, HasSubstr("      RequiredVariables(1) = \"say \"\"hi\"\"\"\r\n"));
  EXPECT_THAT(text, HasSubstr("      RequiredVariables(2) = \"line  break\"\r\n"));
  EXPECT_THAT(text, HasSubstr("      RequiredVariables(3) = \"o\"\"ut\" 'existing"));
}

TEST(PrepareDataMacro, LongNamesKeepToVbLines) {
  const std::string quoted = std::string(1500, 'q') + "\"";
  const std::string text = PrepareDataMacroText(
      {3, "f_CalculateIt", {quoted, std::string(25000, 'n')}, std::string(1950, 'o'), "MARS"});
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    EXPECT_LE(end - start, 1023u) << text.substr(start, 40);
  }
  // Cut only between whole characters of the string: the doubled quote stays together.
  EXPECT_THAT(text, HasSubstr("qqq\"\"\"\r\n"));
  EXPECT_THAT(text, HasSubstr("\" & _\r\n        \"qqq"));
  // 25000 bytes: three statements, the later ones adding to the first.
  EXPECT_THAT(text, HasSubstr("\r\n      RequiredVariables(2) = RequiredVariables(2) & \"nnn"));
  EXPECT_THAT(text, HasSubstr("ooo\"\r\n      'existing output"));
}

TEST(PrepareDataMacro, ManyInputsNumberedFromOne) {
  PrepareDataMacroInput input{61, "f_CalculateIt", {}, "out", "KESTRIUM"};
  for (int i = 1; i <= 60; ++i) input.input_names.push_back("V" + std::to_string(i));
  const std::string text = PrepareDataMacroText(input);
  EXPECT_THAT(text, HasSubstr("Const NumberOfInputsPlusOutput As Integer = 61\r\n"));
  EXPECT_THAT(text,
              HasSubstr("      RequiredVariables(60) = \"V60\"\r\n      RequiredVariables(61) = "
                        "\"out\" 'existing"));
  EXPECT_EQ(text.rfind("\r\n"), text.size() - 14);  // ends with "End Function"
}

TEST(WorkbookCodeBlocks, APathCannotBreakOutOfItsCommentLine) {
  const std::string header = MarsModuleHeaderBlock("a\r\nMsgBox 1", "now");
  EXPECT_THAT(header, HasSubstr("'MARS rules file: a  MsgBox 1\r\n"));
}

}  // namespace
}  // namespace kdk
