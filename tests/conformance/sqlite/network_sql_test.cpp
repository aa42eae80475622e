// The seeded conformance networks (hostile names included) written as SQL and run
// over rows of inputs: the SELECT form and the UPDATE in SQLite in every dialect, and
// the standard dialect in a PostgreSQL server of the test's own. Each prediction,
// class and strength is compared with EvaluateNetwork.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "conformance/sqlite/postgres_server.h"
#include "conformance/sqlite/sqlite_database.h"
#include "core/common/text_utils.h"
#include "core/export/code/network_sql.h"
#include "core/network/evaluate_network.h"
#include "support/networks.h"

namespace kdk::conformance {
namespace {

constexpr int kCases = 30;
constexpr int kVectors = 6;

using Rows = std::vector<std::vector<std::optional<std::string>>>;

struct Engine {
  std::function<bool(const std::string&, std::string&)> execute;
  std::function<Rows(const std::string&, std::string&)> query;
  bool sqlite;
};

// The test's own quoting, independent of the generator's.
std::string Quoted(const std::string& name) {
  return "\"" + ReplaceAll(name, "\"", "\"\"") + "\"";
}

// What every dialect refuses: a nameless input, a name with a control character, two
// inputs naming one column, and in SQL Server and Access a name past their length.
bool Refused(const NetworkModel& model, SqlDialect dialect) {
  for (size_t i = 0; i < model.input_names.size(); ++i) {
    const std::string& name = model.input_names[i];
    if (name.empty()) return true;
    for (char c : name) {
      if (static_cast<unsigned char>(c) < 0x20) return true;
    }
    if (dialect != SqlDialect::Ansi && name.size() > SqlProfileOf(dialect).name_limit) return true;
    for (size_t j = 0; j < i; ++j) {
      if (ToLowerAscii(model.input_names[j]) == ToLowerAscii(name)) return true;
    }
  }
  return false;
}

void ExpectValue(const std::optional<std::string>& got, double want, double range,
                 const std::string& where) {
  ASSERT_TRUE(got.has_value()) << where;
  const double value = std::strtod(got->c_str(), nullptr);
  EXPECT_NEAR(value, want, 1e-12 * std::max(std::fabs(want), range)) << where;
}

// Runs one network in one dialect; false when the generator (rightly) refused it.
bool RunCase(Engine& db, const ConformanceCase& item, int index, SqlDialect dialect) {
  NetworkModel model = item.model;
  model.is_classifier = index % 2 == 1;
  if (index % 4 == 1) model.max_seen_out_cl = 0;  // a zero divisor gives strength 0
  const int n = model.InputCount();
  NetworkSqlOptions options;
  options.dialect = dialect;
  // SQLite reads no "]" inside brackets; SQL Server's "]]" is checked in the unit tests.
  options.table = "Scored \"Rows\"" + std::string(dialect == SqlDialect::Ansi ? "] " : " ") +
                  std::to_string(index);
  // Every third network asks for a prediction named like an input.
  if (index % 3 == 0) options.output_field = ToLowerAscii(model.input_names.back());
  NetworkSqlOptions select = options;
  select.select = true;
  std::string update_sql;
  std::string select_sql;
  std::string error;
  const bool built = BuildNetworkSql(model, options, update_sql, error);
  EXPECT_EQ(built, BuildNetworkSql(model, select, select_sql, error));
  EXPECT_EQ(!built, Refused(model, dialect)) << error;
  if (!built) return false;

  const NetworkSqlColumns columns = NetworkSqlOutputColumns(model, select);
  for (const std::string& input : model.input_names) {
    EXPECT_NE(ToLowerAscii(columns.prediction), ToLowerAscii(input));
  }
  std::vector<std::string> taken = model.input_names;
  taken.push_back(columns.prediction);
  const std::string id = SqlNameBeside("row_id", taken);
  const std::string table = Quoted(options.table);
  std::string create = "CREATE TABLE " + table + " (" + Quoted(id) + " INTEGER";
  for (const std::string& input : model.input_names)
    create += ", " + Quoted(input) + " DOUBLE PRECISION";
  if (dialect != SqlDialect::SqlServer)
    create += ", " + Quoted(columns.prediction) + " DOUBLE PRECISION";
  EXPECT_TRUE(db.execute(create + ")", error)) << error;

  // The vectors, then the first with its first input NULL.
  std::vector<std::vector<std::optional<double>>> rows;
  for (const std::vector<double>& x : item.inputs) rows.emplace_back(x.begin(), x.end());
  rows.push_back(rows.front());
  rows.back().front().reset();
  std::string insert = "INSERT INTO " + table + " VALUES ";
  for (size_t r = 0; r < rows.size(); ++r) {
    insert += (r ? ", (" : "(") + std::to_string(r);
    for (const auto& value : rows[r]) insert += ", " + (value ? ExactText(*value) : "NULL");
    if (dialect != SqlDialect::SqlServer) insert += ", NULL";
    insert += ")";
  }
  EXPECT_TRUE(db.execute(insert, error)) << error;

  const double range = std::fabs(model.max_norm_out - model.min_norm_out);
  auto check = [&](const Rows& got, size_t column, bool with_class) {
    ASSERT_EQ(got.size(), rows.size()) << error << "\n" << select_sql.substr(0, 4000);
    for (size_t r = 0; r < rows.size(); ++r) {
      const std::string where = "case " + std::to_string(index) + " row " + std::to_string(r);
      // Without hidden neurons no input is read, so NULL changes nothing.
      if (!rows[r].front() && model.HiddenCount() > 0) {
        EXPECT_FALSE(got[r][column].has_value()) << where;
        if (with_class) {
          EXPECT_FALSE(got[r][column + 1].has_value()) << where;
        }
        continue;
      }
      NetworkPrediction want;
      ASSERT_TRUE(EvaluateNetwork(model, item.inputs[r % item.inputs.size()], want, error))
          << error;
      ExpectValue(got[r][column], want.prediction, range, where);
      if (!with_class) continue;
      if (std::fabs(want.normalised_output) > 1e-9) {
        EXPECT_EQ(got[r][column + 1].value_or("NULL"), want.class_text) << where;
      }
      ExpectValue(got[r][column + 2], want.strength, 1, where + " strength");
    }
  };

  // The SELECT first, on the table as inserted (rows in insertion order); its first
  // column echoes the first input, so a row out of place shows.
  size_t at = 0;
  while (select_sql.compare(at, 7, "SELECT ") != 0) at = select_sql.find('\n', at) + 1;
  const std::string query = select_sql.substr(at);
  Rows selected = db.query(query, error);
  check(selected, static_cast<size_t>(n), model.is_classifier);
  for (size_t r = 0; r < selected.size() && r < rows.size(); ++r) {
    if (rows[r].front()) ExpectValue(selected[r][0], *rows[r].front(), 0, "echoed input");
  }

  const std::string run = db.sqlite ? AdaptForSqlite(update_sql) : update_sql;
  EXPECT_TRUE(db.execute(run, error)) << error << "\n" << update_sql.substr(0, 4000);
  const Rows updated =
      db.query("SELECT " + Quoted(columns.prediction) + ", " + Quoted(model.input_names.back()) +
                   " FROM " + table + " ORDER BY " + Quoted(id),
               error);
  check(updated, 0, false);
  for (size_t r = 0; r < updated.size() && r < rows.size(); ++r) {
    if (rows[r].back()) ExpectValue(updated[r][1], *rows[r].back(), 0, "input kept");
  }
  EXPECT_TRUE(db.execute("DROP TABLE " + table, error)) << error;
  return true;
}

void RunAll(Engine& db, SqlDialect dialect) {
  const std::vector<ConformanceCase> cases =
      ConformanceCases(ConformanceSeed() + 19, kCases, kVectors);
  int ran = 0;
  for (size_t c = 0; c < cases.size(); ++c) {
    if (RunCase(db, cases[c], static_cast<int>(c), dialect)) {
      ++ran;
      continue;
    }
    // Refused rightly: run it again with the names a table can hold (in the standard
    // dialect only, which the largest shape then reaches in both engines).
    if (dialect != SqlDialect::Ansi) continue;
    ConformanceCase renamed = cases[c];
    std::vector<std::string>& names = renamed.model.input_names;
    for (size_t i = 0; i < names.size(); ++i)
      names[i] = "in" + std::to_string(i) + " " + names[i].substr(0, 20);
    for (std::string& name : names) {
      for (char& ch : name) ch = static_cast<unsigned char>(ch) < 0x20 ? '_' : ch;
    }
    EXPECT_TRUE(RunCase(db, renamed, static_cast<int>(c), dialect));
    if (::testing::Test::HasFailure()) return;
  }
  std::printf("%d of %d networks run as generated, the rest refused rightly and run renamed\n", ran,
              kCases);
  EXPECT_GE(ran, kCases / 3);  // the rest hold names no table can (empty, twice, controls)
}

Engine SqliteEngine(SqliteDatabase& db) {
  return {[&db](const std::string& sql, std::string& error) { return db.Execute(sql, error); },
          [&db](const std::string& sql, std::string& error) { return db.QueryRows(sql, error); },
          true};
}

TEST(NetworkSqlInSqlite, EveryDialectComputesTheEvaluator) {
  for (SqlDialect dialect : {SqlDialect::SqlServer, SqlDialect::Access, SqlDialect::Ansi}) {
    SqliteDatabase db;
    Engine engine = SqliteEngine(db);
    RunAll(engine, dialect);
  }
}

TEST(NetworkSqlInPostgres, StandardDialectComputesTheEvaluator) {
  PostgresServer server;
  ASSERT_EQ(server.Problem(), "");
  Engine engine{
      [&server](const std::string& sql, std::string& error) { return server.Execute(sql, error); },
      [&server](const std::string& sql, std::string& error) { return server.Query(sql, error); },
      false};
  RunAll(engine, SqlDialect::Ansi);
}

}  // namespace
}  // namespace kdk::conformance
