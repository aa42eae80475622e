// Whole queries of both dialects and the whole SPSS syntax are in tests/golden, and the
// SQL suite runs seeded models in both dialects, bracketed or not; here the options
// the examples leave at their defaults and what no model computes.
#include "core/export/code/mars_sql.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/export/code/mars_spss.h"
#include "core/mars/mars_reading.h"
#include "core/test_models.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;

using testing::MarsText;
using testing::ParseText;
using testing::RecordingMessagePort;

TEST(MarsSql, TypedBracketsAreKeptOnceAndFieldsCanGoUnbracketed) {
  RecordingMessagePort messages;
  const MarsModel model = ParseText(testing::kWorkedExample, messages);
  MarsSqlOptions options;
  options.dialect = SqlDialect::Access;
  options.table = "[My Table]";
  options.output_field = " Score ";
  options.bracket_field_names = false;
  const std::string text = MarsSqlText(model, options, messages);
  EXPECT_EQ(text.rfind("\r\nUPDATE [My Table]\r\nSET [Score] =  0.5 + \r\n", 0), 0u);
  EXPECT_THAT(text, HasSubstr("1.2 * IIf(( X1 - 2.5 ) < 0 , 0, X1 - 2.5) - "));
}

TEST(MarsSql, ExpressionPastTheLimitIsRefusedBeforeItIsBuilt) {
  // Each basis function uses the two before it: the text doubles at every step.
  std::string text = "BF1 = max(0, X - 1);\r\nBF2 = max(0, 1 - X);\r\n";
  for (int i = 3; i <= 60; ++i) {
    text += "BF" + std::to_string(i) + " = max(0, X - " + std::to_string(i) + ") * BF" +
            std::to_string(i - 1) + " * BF" + std::to_string(i - 2) + ";\r\n";
  }
  text += "\r\nY = 1 + BF60;\r\n\r\nMODEL Y = BF60;\r\n";
  RecordingMessagePort messages;
  const MarsModel model = ParseText(text, messages);
  std::string sql, error;
  EXPECT_FALSE(BuildMarsSql(model, MarsSqlOptions{}, sql, error));
  EXPECT_THAT(error, HasSubstr("longer than 4194304 bytes")) << error;
  EXPECT_TRUE(sql.empty());
  EXPECT_EQ(MarsSqlText(model, MarsSqlOptions{}, messages), "");
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_EQ(messages.messages.back().text, error);
}

TEST(MarsSql, TheModelStatementCannotEndTheHeaderComment) {
  RecordingMessagePort messages;
  const MarsModel model = ParseText(
      "BF1 = max(0, X - 1);\r\n\r\nY = 2 * BF1;\r\n\r\nMODEL */DELETE/**/FROM/**/T;/* = BF1;\r\n",
      messages);
  ASSERT_EQ(model.output_name, "*/DELETE/**/FROM/**/T;/*");
  std::string sql, error;
  ASSERT_TRUE(BuildMarsSql(model, MarsSqlOptions{}, sql, error)) << error;
  EXPECT_EQ(sql.find("*/"), sql.find("\r\n*/\r\n\r\nUSE [DatabaseName]") + 2) << sql;
  EXPECT_THAT(sql, HasSubstr("\r\n* /DELETE/** /FROM/** /T;/*\r\n")) << sql;
}

TEST(MarsSql, TypedNamesAreQuotedWhetherOrNotTheyCameWithBrackets) {
  for (SqlDialect dialect : {SqlDialect::SqlServer, SqlDialect::Access}) {
    EXPECT_EQ(QuoteTypedMarsSqlName(dialect, "[My Table]"), "[My Table]");
    EXPECT_EQ(QuoteTypedMarsSqlName(dialect, "  My Table "), "[My Table]");
    EXPECT_EQ(QuoteTypedMarsSqlName(dialect, "Field]"), "[Field]");
    EXPECT_EQ(QuoteTypedMarsSqlName(dialect, ""), "[]");
    EXPECT_EQ(QuoteTypedMarsSqlName(dialect, "a]b"), "[a]]b]");
  }
}

TEST(MarsSql, ReservedInputNamesAreQuestioned) {
  RecordingMessagePort messages;
  MarsModel model = ParseText(
      "BF1 = max(0, Select - 1);\r\nBF2 = max(0, sEt - 1);\r\n\r\nY = BF1 + BF2;\r\n\r\n"
      "MODEL Y = BF1 BF2;\r\n",
      messages);
  messages.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  EXPECT_TRUE(CheckReservedFieldNames(model, messages));
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[0].text,
            "One of your field names ( Select ) is an SQL reserved word.\r\n"
            "This could potentially be an issue.\r\nDo you want to continue with this name?");
  EXPECT_EQ(messages.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(messages.messages[0].icon, MessageIcon::Information);
  messages.answers = {MessageAnswer::Yes, MessageAnswer::No};
  EXPECT_FALSE(CheckReservedFieldNames(model, messages));

  model.input_names = {"Selected", "Value"};
  EXPECT_TRUE(CheckReservedFieldNames(model, messages));
  EXPECT_EQ(messages.messages.size(), 4u);
}

TEST(MarsSpss, TypedOutputNameIsStoredTrimmedAndLowerCasedAndWrittenAsAVariable) {
  EXPECT_EQ(StoredSpssOutputName("  My Out "), "my out");
  EXPECT_EQ(SpssOutputVariable("my out"), "my_out");
  EXPECT_EQ(SpssOutputVariable("   "), "");
  EXPECT_EQ(SpssOutputVariable(" a b "), "a_b");
}

TEST(MarsSpss, IndicatorTimesAProductIsBracketedSoItComputesTheModel) {
  RecordingMessagePort messages;
  const MarsModel model = ParseText(
      MarsText(
          "BF1 = max(0, X1 - 2.5);\r\nBF2 = ( X3 > .) * BF1;\r\nBF3 = ( X3 = .) * BF1 * 2;\r\n"),
      messages);
  MarsReading reading;
  std::string error;
  ASSERT_TRUE(ReadMarsModel(model, reading, error)) << error;
  // NOT binds more loosely than "*": unbracketed, NOT would take the whole product.
  EXPECT_EQ(MarsSpssCompute(model.basis_function_defs[1], reading.basis[1], model),
            "BF2 = (NOT(MISSING( X3))) * BF1");
  EXPECT_EQ(MarsSpssCompute(model.basis_function_defs[2], reading.basis[2], model),
            "BF3 = MISSING( X3) * BF1 * 2");
  EXPECT_EQ(MarsSpssCompute("  BF1 = max(0, X1 - 2.5);  ", reading.basis[0], model),
            "BF1 = max(0, X1 - 2.5)");
}

TEST(MarsSpss, InputsSpssCannotNameAreRefused) {
  RecordingMessagePort messages;
  const MarsModel model = ParseText(MarsText("BF1 = max(0, BY - 2.5);\r\n"), messages);
  std::string text, error;
  EXPECT_FALSE(BuildMarsSpss(model, MarsSpssOptions{}, text, error));
  EXPECT_EQ(error.rfind("The input BY is not a name SPSS accepts", 0), 0u) << error;
}

}  // namespace
}  // namespace kdk
