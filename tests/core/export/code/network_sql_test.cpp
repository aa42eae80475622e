#include "core/export/code/network_sql.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/test_models.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;

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

// Whole queries of every dialect, as UPDATE and SELECT, are in tests/golden.
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

TEST(NetworkSql, RefusesInputsNoColumnCanHold) {
  NetworkModel model = testing::CodeTestNetwork();
  model.input_names = {"", "size"};
  EXPECT_EQ(Refusal(model), "Input 1 has no name, so no column can hold it.");
  model.input_names = {"a\nb", "size"};
  EXPECT_THAT(Refusal(model), HasSubstr("control character"));
  model.input_names = {"Size", "size"};
  EXPECT_THAT(Refusal(model), HasSubstr("name the same column"));
  model.input_names = {std::string(65, 'x'), "size"};
  EXPECT_THAT(Refusal(model, SqlDialect::Access), HasSubstr("64 characters Access allows"));
}

// The UPDATE repeats each hidden sum at its six uses; the SELECT names it once.
TEST(NetworkSql, UpdatePastTheLimitIsRefusedTheSelectIsNot) {
  NetworkModel model = testing::WideNetwork(400, 100, 0.123456789012345, -0.5);
  EXPECT_THAT(Refusal(model), HasSubstr("longer than 16777216 bytes"));
  NetworkSqlOptions options;
  options.select = true;
  EXPECT_LT(Build(model, options).size(), kMaxNetworkSqlBytes / 4);
}

}  // namespace
}  // namespace kdk
