// Every generated UPDATE query runs in SQLite over a table of inputs and must give,
// row by row, what the MARS evaluator gives. Rows with missing inputs are compared
// wherever SQL's NULL rules give the query a value; where they give NULL (a missing
// value inside a hinge) the row must have a missing input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "conformance/sqlite/sqlite_database.h"
#include "core/common/text_file.h"
#include "core/export/code/mars_sql.h"
#include "core/mars/mars_evaluator.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/parse_mars_model.h"

namespace kdk::conformance {
namespace {

class SilentMessages : public MessagePort {
 public:
  MessageAnswer Show(std::string_view text, std::string_view, MessageIcon,
                     MessageButtons) override {
    shown.emplace_back(text);
    return MessageAnswer::Yes;
  }
  std::vector<std::string> shown;
};

struct Case {
  std::string name;
  std::string text;
  // Values drawn for set-test inputs: small integers, never 0 (see docs/mars.md).
  std::vector<std::string> categorical_inputs;
};

std::vector<Case> Cases() {
  std::string example;
  std::string error;
  ReadWholeFile(std::string(KDK_EXAMPLES_DIR) + "/house_value_mars.txt", example, error);
  return {
      {"worked_example",
       "BF1 = max(0, X1 - 2.5);\r\nBF2 = max(0, 2.5 - X1);\r\nBF3 = ( X2 = 1 OR X2 = 3) * BF1;\r\n"
       "BF4 = ( X3 > .);\r\nBF5 = ( X3 = .);\r\n\r\n"
       "Y = 0.5 + 1.2 * BF1 - 0.7 * BF3 + 0.2 * BF4;\r\n\r\nMODEL Y = BF1 BF3 BF4;\r\n",
       {}},
      {"house_value_example", example, {}},
      // Twelve basis functions: BF1 must not be matched inside BF10, BF11, BF12;
      // negative knots, exponents, and a chain of products.
      {"chained_products",
       "BF1 = max(0, T - -3.75);\r\nBF2 = max(0, -3.75 - T);\r\nBF3 = max(0, P - 1.5E-03) * "
       "BF1;\r\n"
       "BF4 = max(0, 1.5E-03 - P) * BF1;\r\nBF5 = ( K = 2 OR K = 5 OR K = 7);\r\n"
       "BF6 = ( K = 1 OR K = 3) * BF3;\r\nBF7 = max(0, Q - 40) * BF5;\r\nBF8 = max(0, 40 - Q) * "
       "BF6;\r\n"
       "BF9 = max(0, T - 12.25) * BF7;\r\nBF10 = max(0, P + 0.5) * BF2;\r\n"
       "BF11 = max(0, Q - .5) * BF10;\r\nBF12 = max(0, .5 - Q);\r\n\r\n"
       "Y = -12.5 + 0.3 * BF1 - 2.25 * BF2 + 1.1 * BF3 - 0.9 * BF4 + 7 * BF5 - 3.5 * BF6\r\n"
       "+ 0.02 * BF7 - 0.04 * BF8 + 1E-03 * BF9 + 0.6 * BF10 - 0.015 * BF11 + 2 * BF12;\r\n\r\n"
       "MODEL Y = BF1 BF2 BF3 BF4 BF5 BF6 BF7 BF8 BF9 BF10 BF11 BF12;\r\n",
       {"K"}},
      // Names inside other names (AGE, AGE2, PAGE), and a model whose missing inputs
      // meet only indicators and set tests, so SQL gives every row a value.
      {"names_inside_names",
       "BF1 = ( AGE > .);\r\nBF2 = ( AGE = .);\r\nBF3 = ( AGE2 = 4 OR AGE2 = 6);\r\n"
       "BF4 = ( PAGE > .) * BF3;\r\nBF5 = ( PAGE = .) * BF1;\r\nBF6 = ( AGE2 = 1) * BF2;\r\n\r\n"
       "Y = 3.25 + 1.5 * BF1 - 2 * BF2 + 0.75 * BF3 - 4 * BF4 + 6.5 * BF5 + 9 * BF6;\r\n\r\n"
       "MODEL OUT = BF1 BF2 BF3 BF4 BF5 BF6;\r\n",
       {"AGE", "AGE2", "PAGE"}},
  };
}

bool IsCategorical(const Case& c, const std::string& input) {
  for (const std::string& name : c.categorical_inputs) {
    if (name == input) return true;
  }
  return false;
}

std::vector<std::vector<std::optional<double>>> Rows(const Case& c, const MarsModel& model) {
  std::mt19937 random(20260205);
  std::uniform_real_distribution<double> real(-60.0, 260.0);
  std::uniform_int_distribution<int> category(1, 8);
  std::bernoulli_distribution missing(0.15);
  std::vector<std::vector<std::optional<double>>> rows;
  for (int r = 0; r < 400; ++r) {
    std::vector<std::optional<double>> row;
    for (int i = 0; i < model.InputCount(); ++i) {
      if (missing(random)) {
        row.push_back(std::nullopt);
      } else if (IsCategorical(c, model.input_names[i]) || model.is_categorical[i]) {
        row.push_back(category(random));
      } else {
        // Quarter steps hit the knots exactly now and then; the rest falls between.
        const double value = real(random);
        row.push_back(r % 3 == 0 ? std::round(value * 4) / 4 : value / 7.3);
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

bool Close(double a, double b) {
  return std::fabs(a - b) <= 1e-12 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

void RunCase(const Case& c, SqlDialect dialect) {
  SilentMessages messages;
  std::vector<std::string> lines;
  ASSERT_TRUE(SplitTextLines(c.text, lines));
  MarsModel model;
  ASSERT_TRUE(ParseMarsLines(lines, model, messages)) << c.name;
  MarsEvaluator evaluator;
  std::string error;
  ASSERT_TRUE(evaluator.Compile(model, error)) << error;

  MarsSqlOptions options;
  options.dialect = dialect;
  options.table = "Scored Rows";
  options.output_field = "Prediction";
  const std::string sql = MarsSqlText(model, options, messages);

  SqliteDatabase db;
  std::string create = "CREATE TABLE [Scored Rows] (";
  for (int i = 0; i < model.InputCount(); ++i) {
    create += (i ? ", [" : "[") + model.input_names[i] + "] REAL";
  }
  create += dialect == SqlDialect::Access ? ", [Prediction] REAL)" : ")";
  ASSERT_TRUE(db.Execute(create, error)) << error;
  const auto rows = Rows(c, model);
  for (const auto& row : rows)
    ASSERT_TRUE(db.InsertRow("Scored Rows", model.input_names, row, error)) << error;

  ASSERT_TRUE(db.Execute(AdaptForSqlite(sql), error)) << error << "\n" << sql;
  const auto results =
      db.QueryColumn("SELECT [Prediction] FROM [Scored Rows] ORDER BY rowid", error);
  ASSERT_EQ(results.size(), rows.size()) << error;

  int compared = 0, compared_with_missing = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    bool any_missing = false;
    for (const auto& value : rows[r]) any_missing = any_missing || !value;
    const double expected = evaluator.Evaluate(rows[r]);
    if (!results[r]) {
      EXPECT_TRUE(any_missing) << c.name << " row " << r
                               << ": SQL gave NULL with every input present";
      continue;
    }
    EXPECT_TRUE(Close(*results[r], expected))
        << c.name << " row " << r << ": SQL " << *results[r] << ", evaluator " << expected;
    ++compared;
    compared_with_missing += any_missing;
  }
  std::printf("%s: %d of %zu rows compared, %d with missing inputs\n", c.name.c_str(), compared,
              rows.size(), compared_with_missing);
  // Without missing inputs every row has a value; some rows with missing values do too.
  EXPECT_GT(compared, static_cast<int>(rows.size()) / 3) << c.name;
  if (c.name == "names_inside_names") {
    EXPECT_EQ(compared, static_cast<int>(rows.size()));
    EXPECT_GT(compared_with_missing, 50);
  }
}

TEST(MarsSqlInSqlite, SqlServerQueriesMatchTheEvaluator) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    RunCase(c, SqlDialect::SqlServer);
  }
}

TEST(MarsSqlInSqlite, AccessQueriesMatchTheEvaluator) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    RunCase(c, SqlDialect::Access);
  }
}

}  // namespace
}  // namespace kdk::conformance
