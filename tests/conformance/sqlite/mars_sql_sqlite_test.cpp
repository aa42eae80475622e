// Generated MARS models (tests/support) converted to SQL in both dialects,
// with and without bracketed field names, run in SQLite over rows of inputs with
// missing values, and compared row by row: with the MARS evaluator where no input is
// missing, and everywhere with the evaluator under SQL's NULL rules (a hinge on a
// missing input is NULL, a set test on one is 0; see PredictUnderRules).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "conformance/sqlite/sqlite_database.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/mars_sql.h"
#include "core/mars/mars_evaluator.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/parse_mars_model.h"
#include "support/mars_models.h"
#include "support/networks.h"

namespace kdk::conformance {
namespace {

constexpr std::uint32_t kModels = 60;
constexpr int kRows = 120;

struct Tally {
  int rows = 0, with_missing = 0, equal_to_evaluator = 0, null_rows = 0;
};

// The first column of a query's rows, NULL as nullopt.
std::vector<std::optional<double>> Column(SqliteDatabase& db, const std::string& sql,
                                          std::string& error) {
  std::vector<std::optional<double>> column;
  for (const auto& row : db.QueryRows(sql, error)) {
    column.push_back(row[0] ? std::optional(std::strtod(row[0]->c_str(), nullptr)) : std::nullopt);
  }
  return column;
}

void RunModel(const GeneratedMars& generated, std::uint32_t seed, SqlDialect dialect, bool brackets,
              Tally& tally) {
  SilentMessages messages;
  MarsModel model;
  ASSERT_TRUE(ParseMarsText(generated.text, model, messages)) << generated.text;
  MarsEvaluator evaluator;
  std::string error;
  ASSERT_TRUE(evaluator.Compile(model, error)) << error;

  MarsSqlOptions options;
  options.dialect = dialect;
  options.table = "Scored Rows";
  // Every third model asks for an output field named like an input (in another case):
  // the prediction must land beside it, never over it.
  const std::string& last_input = model.input_names.back();
  options.output_field = seed % 3 == 0 ? ToLowerAscii(last_input) : "Prediction";
  options.bracket_field_names = brackets;
  std::string sql;
  ASSERT_TRUE(BuildMarsSql(model, options, sql, error)) << error << "\n" << generated.text;
  const std::string output = MarsSqlOutputField(model, options.output_field);

  SqliteDatabase db;
  std::string create = "CREATE TABLE [Scored Rows] (";
  for (int i = 0; i < model.InputCount(); ++i) {
    create += (i ? ", [" : "[") + model.input_names[i] + "] REAL";
  }
  create += dialect == SqlDialect::Access ? ", " + output + " REAL)" : ")";
  ASSERT_TRUE(db.Execute(create, error)) << error;
  const std::vector<InputRow> rows = GenerateRows(generated, model, seed, kRows);
  std::string insert = "INSERT INTO [Scored Rows] VALUES";
  for (const InputRow& row : rows) {
    insert += &row == &rows.front() ? " (" : ", (";
    for (const auto& value : row) {
      insert += (&value == &row.front() ? "" : ", ") + (value ? ExactText(*value) : "NULL");
    }
    insert += dialect == SqlDialect::Access ? ", NULL)" : ")";
  }
  ASSERT_TRUE(db.Execute(insert, error)) << error;
  ASSERT_TRUE(db.Execute(AdaptForSqlite(sql), error)) << error << "\n" << sql;
  const auto results = Column(db, "SELECT " + output + " FROM [Scored Rows] ORDER BY rowid", error);
  ASSERT_EQ(results.size(), rows.size()) << error;
  const auto kept =
      Column(db, "SELECT [" + last_input + "] FROM [Scored Rows] ORDER BY rowid", error);
  ASSERT_EQ(kept.size(), rows.size()) << error;

  for (size_t r = 0; r < rows.size(); ++r) {
    bool any_missing = false;
    for (const auto& value : rows[r]) any_missing = any_missing || !value;
    const double expected = evaluator.Evaluate(rows[r]);
    const std::optional<double> under_rules = PredictUnderRules(model, rows[r], MissingRules::Sql);
    const std::optional<double>& got = results[r];
    ASSERT_EQ(kept[r], rows[r].back()) << "seed " << seed << ": input overwritten, row " << r;
    ++tally.rows;
    tally.with_missing += any_missing;
    tally.null_rows += !got;
    tally.equal_to_evaluator += got && Close(*got, expected);
    if (!any_missing) {
      ASSERT_TRUE(got && Close(*got, expected))
          << "seed " << seed << " row " << r << ": SQL " << (got ? *got : NAN) << ", evaluator "
          << expected << "\n"
          << generated.text << "\n"
          << sql;
    }
    ASSERT_EQ(got.has_value(), under_rules.has_value()) << "seed " << seed << " row " << r;
    if (got) {
      ASSERT_TRUE(Close(*got, *under_rules)) << "seed " << seed << " row " << r;
    }
  }
}

void RunAll(SqlDialect dialect) {
  Tally tally;
  const auto first = static_cast<std::uint32_t>(ConformanceSeed());
  for (std::uint32_t seed = first; seed < first + kModels; ++seed) {
    const GeneratedMars generated = GenerateMarsModel(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    RunModel(generated, seed, dialect, seed % 2 == 0, tally);
    if (::testing::Test::HasFatalFailure()) return;
  }
  std::printf(
      "%u models, %d rows (%d with a missing input): %d equal to the evaluator, "
      "%d NULL; every row as SQL's NULL rules define it\n",
      kModels, tally.rows, tally.with_missing, tally.equal_to_evaluator, tally.null_rows);
  EXPECT_GT(tally.with_missing, tally.rows / 4);
  EXPECT_GT(tally.equal_to_evaluator, tally.rows / 2);
}

TEST(MarsSqlInSqlite, SqlServerQueriesComputeTheModel) {
  RunAll(SqlDialect::SqlServer);
}

TEST(MarsSqlInSqlite, AccessQueriesComputeTheModel) {
  RunAll(SqlDialect::Access);
}

// The bundled example, in both dialects.
TEST(MarsSqlInSqlite, HouseValueExample) {
  GeneratedMars example;
  std::string error;
  ASSERT_TRUE(
      ReadWholeFile(std::string(KDK_EXAMPLES_DIR) + "/house_value_mars.txt", example.text, error));
  example.categorical = {"DISTRICT"};
  Tally tally;
  RunModel(example, 7, SqlDialect::SqlServer, true, tally);
  RunModel(example, 8, SqlDialect::Access, false, tally);
  EXPECT_EQ(tally.rows, 2 * kRows);
}

}  // namespace
}  // namespace kdk::conformance
