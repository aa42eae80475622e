#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/export/code/mars_spss.h"
#include "core/export/code/mars_sql.h"
#include "core/export/code/network_sql.h"
#include "core/mars/mars_reading.h"
#include "core/test_models.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;
using testing::MarsText;
using testing::ParseText;
using testing::RecordingMessagePort;

TEST(MarsSql, TypedNamesFieldsAndReservedWords) {
  RecordingMessagePort messages;
  MarsModel model = ParseText(testing::kWorkedExample, messages);
  MarsSqlOptions options;
  options.dialect = SqlDialect::Access;
  options.table = "[My Table]";
  options.output_field = " Score ";
  options.bracket_field_names = false;
  const std::string text = MarsSqlText(model, options, messages);
  EXPECT_EQ(text.rfind("\r\nUPDATE [My Table]\r\nSET [Score] =  0.5 + \r\n", 0), 0u);
  EXPECT_THAT(text, HasSubstr("1.2 * IIf(( X1 - 2.5 ) < 0 , 0, X1 - 2.5) - "));
  // Typed names are quoted whether or not they came with brackets.
  for (SqlDialect dialect : {SqlDialect::SqlServer, SqlDialect::Access}) {
    EXPECT_EQ(QuoteTypedMarsSqlName(dialect, "[My Table]"), "[My Table]");
    EXPECT_EQ(QuoteTypedMarsSqlName(dialect, "  My Table "), "[My Table]");
    EXPECT_EQ(QuoteTypedMarsSqlName(dialect, "Field]"), "[Field]");
    EXPECT_EQ(QuoteTypedMarsSqlName(dialect, ""), "[]");
    EXPECT_EQ(QuoteTypedMarsSqlName(dialect, "a]b"), "[a]]b]");
  }
  // Reserved input names are questioned.
  messages.messages.clear();
  model = ParseText(
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

TEST(MarsSql, NoOverlongExpressionAndNoEndOfTheHeaderComment) {
  // Each basis function uses the two before it: the text doubles at every step.
  std::string text = "BF1 = max(0, X - 1);\r\nBF2 = max(0, 1 - X);\r\n";
  for (int i = 3; i <= 60; ++i) {
    text += "BF" + std::to_string(i) + " = max(0, X - " + std::to_string(i) + ") * BF" +
            std::to_string(i - 1) + " * BF" + std::to_string(i - 2) + ";\r\n";
  }
  text += "\r\nY = 1 + BF60;\r\n\r\nMODEL Y = BF60;\r\n";
  RecordingMessagePort messages;
  MarsModel model = ParseText(text, messages);
  std::string sql, error;
  EXPECT_FALSE(BuildMarsSql(model, MarsSqlOptions{}, sql, error));
  EXPECT_THAT(error, HasSubstr("longer than 4194304 bytes")) << error;
  EXPECT_TRUE(sql.empty());
  EXPECT_EQ(MarsSqlText(model, MarsSqlOptions{}, messages), "");
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_EQ(messages.messages.back().text, error);
  // The model statement cannot end the header comment.
  model = ParseText(
      "BF1 = max(0, X - 1);\r\n\r\nY = 2 * BF1;\r\n\r\nMODEL */DELETE/**/FROM/**/T;/* = BF1;\r\n",
      messages);
  ASSERT_EQ(model.output_name, "*/DELETE/**/FROM/**/T;/*");
  ASSERT_TRUE(BuildMarsSql(model, MarsSqlOptions{}, sql, error)) << error;
  EXPECT_EQ(sql.find("*/"), sql.find("\r\n*/\r\n\r\nUSE [DatabaseName]") + 2) << sql;
  EXPECT_THAT(sql, HasSubstr("\r\n* /DELETE/** /FROM/** /T;/*\r\n")) << sql;
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

TEST(MarsSpss, InputsSpssCannotNameAreRefusedAndTheOutputNameIsCleaned) {
  RecordingMessagePort messages;
  const MarsModel model = ParseText(MarsText("BF1 = max(0, BY - 2.5);\r\n"), messages);
  std::string text, error;
  EXPECT_FALSE(BuildMarsSpss(model, MarsSpssOptions{}, text, error));
  EXPECT_EQ(error.rfind("The input BY is not a name SPSS accepts", 0), 0u) << error;
  // The typed output name is stored trimmed and lower-cased, and written as a variable.
  EXPECT_EQ(StoredSpssOutputName("  My Out "), "my out");
  EXPECT_EQ(SpssOutputVariable("my out"), "my_out");
  EXPECT_EQ(SpssOutputVariable("   "), "");
  EXPECT_EQ(SpssOutputVariable(" a b "), "a_b");
}

std::string Build(const NetworkModel& model, const NetworkSqlOptions& options) {
  std::string text, error;
  EXPECT_TRUE(BuildNetworkSql(model, options, text, error)) << error;
  return text;
}

std::string Refusal(const NetworkModel& model, SqlDialect dialect = SqlDialect::Ansi) {
  NetworkSqlOptions options;
  options.dialect = dialect;
  std::string text, error;
  EXPECT_FALSE(BuildNetworkSql(model, options, text, error));
  return error;
}

TEST(NetworkSql, ZeroSeenExtremeAndATableNameWithItsCloser) {
  NetworkModel model = testing::CodeTestNetwork();
  model.is_classifier = true;
  model.max_seen_out_cl = 0;
  model.min_seen_out_cl = -0.5;
  NetworkSqlOptions options;
  options.dialect = SqlDialect::Access;
  options.select = true;
  options.table = " [a]b] ";
  const std::string text = Build(model, options);
  EXPECT_THAT(text, HasSubstr("IIf([KestriumNet] > 0, 0.0, ([KestriumNet] / 0.5))"));
  EXPECT_THAT(text, HasSubstr("FROM [a]]b]) AS q1) AS q2) AS q3;"));
}

TEST(NetworkSql, NamesNeverBecomeSql) {
  NetworkModel model = testing::CodeTestNetwork();
  model.input_names = {"a\"b", "size"};
  model.output_name = "p\r\nDROP";
  model.description = "one */\r\nDROP TABLE x; -- two";
  NetworkSqlOptions options;
  options.dialect = SqlDialect::Ansi;
  options.output_field = "SIZE";  // an input, in another case
  const std::string text = Build(model, options);
  for (size_t at = 0; text.compare(at, 7, "UPDATE ") != 0; at = text.find("\r\n", at) + 2) {
    EXPECT_TRUE(text.compare(at, 3, "-- ") == 0 || text.compare(at, 2, "\r\n") == 0) << at;
  }
  EXPECT_THAT(text, HasSubstr("SET \"SIZE_1\" = "));
  EXPECT_THAT(text, HasSubstr("(\"a\"\"b\" - 0.0)"));
  options.output_field = "";
  EXPECT_EQ(NetworkSqlOutputColumns(model, options).prediction, "Kestrium_p__DROP");
  EXPECT_EQ(SqlNameBeside(std::string(63, 'a') + "b", {std::string(63, 'A')}, 63),
            std::string(61, 'a') + "_1");
}

TEST(NetworkSql, RefusesInputsNoColumnCanHoldAndUpdatesPastTheLimit) {
  NetworkModel model = testing::CodeTestNetwork();
  model.input_names = {"", "size"};
  EXPECT_EQ(Refusal(model), "Input 1 has no name, so no column can hold it.");
  model.input_names = {"a\nb", "size"};
  EXPECT_THAT(Refusal(model), HasSubstr("control character"));
  model.input_names = {"Size", "size"};
  EXPECT_THAT(Refusal(model), HasSubstr("name the same column"));
  model.input_names = {std::string(65, 'x'), "size"};
  EXPECT_THAT(Refusal(model, SqlDialect::Access), HasSubstr("64 characters Access allows"));
  // The UPDATE repeats each hidden sum at its six uses; the SELECT names it once.
  model = testing::WideNetwork(400, 100, 0.123456789012345, -0.5);
  EXPECT_THAT(Refusal(model), HasSubstr("longer than 16777216 bytes"));
  NetworkSqlOptions options;
  options.select = true;
  EXPECT_LT(Build(model, options).size(), kMaxNetworkSqlBytes / 4);
}

}  // namespace
}  // namespace kdk
