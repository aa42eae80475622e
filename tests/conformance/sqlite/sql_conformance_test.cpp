// Seeded networks' SQL in SQLite (every dialect) and PostgreSQL (the standard one), and
// seeded MARS models' SQL in SQLite over rows with NULLs, against the engine's arithmetic.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/mars_sql.h"
#include "core/export/code/network_sql.h"
#include "support/mars_models.h"
#include "support/networks.h"
#include "support/scratch.h"

namespace kdk::conformance {
namespace {

using SqlRows = std::vector<std::vector<std::optional<std::string>>>;

class SqlEngine {
 public:
  virtual ~SqlEngine() = default;
  virtual bool Execute(const std::string& sql, std::string& error) = 0;
  // Each row's columns as text (numbers with 17 digits), NULL as nullopt.
  virtual SqlRows Query(const std::string& sql, std::string& error) = 0;
  virtual std::string Adapt(const std::string& generated) const { return generated; }
  // `table` with a number column for each of `columns` (SQL text), NULL for nullopt.
  bool Load(const std::string& table, const std::vector<std::string>& columns,
            const std::vector<std::vector<std::optional<double>>>& rows, std::string& error) {
    std::string sql = "CREATE TABLE " + table + " (";
    for (const std::string& column : columns) {
      sql += (&column == &columns.front() ? "" : ", ") + column + " DOUBLE PRECISION";
    }
    sql += ");\nINSERT INTO " + table + " VALUES ";
    for (const auto& row : rows) {
      sql += &row == &rows.front() ? "(" : ", (";
      for (const auto& value : row) {
        sql += (&value == &row.front() ? "" : ", ") + (value ? ExactText(*value) : "NULL");
      }
      sql += ")";
    }
    return Execute(sql, error);
  }
};

// In memory, taking generated text without SQL Server's USE and Go lines, and with
// Access's IsNull (a keyword in SQLite) calling a function of ours.
class SqliteDatabase : public SqlEngine {
 public:
  SqliteDatabase() {
    if (sqlite3_open(":memory:", &db_) != SQLITE_OK) throw std::runtime_error("sqlite3_open");
    const auto is_null = [](sqlite3_context* context, int, sqlite3_value** arguments) {
      sqlite3_result_int(context, sqlite3_value_type(arguments[0]) == SQLITE_NULL);
    };
    sqlite3_create_function(db_, "kdk_isnull", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            is_null, nullptr, nullptr);
  }
  ~SqliteDatabase() override { sqlite3_close(db_); }
  bool Execute(const std::string& sql, std::string& error) override {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return true;
    error = message ? message : "unknown SQLite error";
    sqlite3_free(message);
    return false;
  }
  SqlRows Query(const std::string& sql, std::string& error) override {
    SqlRows rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      error = sqlite3_errmsg(db_);
      return rows;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
      auto& row = rows.emplace_back();
      for (int c = 0; c < sqlite3_column_count(statement); ++c) {
        const int type = sqlite3_column_type(statement, c);
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
        row.push_back(type == SQLITE_NULL   ? std::nullopt
                      : type == SQLITE_TEXT ? std::optional<std::string>(text)
                                            : ExactText(sqlite3_column_double(statement, c)));
      }
    }
    sqlite3_finalize(statement);
    return rows;
  }
  std::string Adapt(const std::string& generated) const override {
    std::string out;
    out.reserve(generated.size());
    for (const std::string& line : SplitIntoLines(generated)) {
      // The batch separator ends the statement before it.
      out.append(line.rfind("USE ", 0) == 0 || line == "Go" ? ";" : line).append("\n");
    }
    return ReplaceAll(out, "IsNull(", "kdk_isnull(");
  }

 private:
  sqlite3* db_ = nullptr;
};

// A PostgreSQL server of our own: a cluster in a scratch folder, listening only on a Unix
// socket there, run as "nobody" when we are root (the server refuses root), stopped and
// removed with the engine. The database holds Latin-1 text, the bytes model files carry.
class PostgresServer : public SqlEngine {
 public:
  PostgresServer() {
    const std::string bin = KDK_POSTGRES_BIN;
    if (bin.empty() || !std::filesystem::exists(bin + "/pg_ctl")) {
      problem_ = "PostgreSQL's initdb and pg_ctl were not found (scripts/setup.sh installs them)";
      return;
    }
    folder_ = scratch_.path().string();
    if (geteuid() == 0) {
      const passwd* nobody = getpwnam("nobody");
      if (nobody == nullptr || chown(folder_.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
        problem_ = "cannot hand " + folder_ + " to the user nobody";
        return;
      }
      runner_ = "runuser -u nobody -- ";
    }
    const std::string data = folder_ + "/data";
    if (!Run(bin + "/initdb -D " + data + " -A trust -U kdk -E LATIN1 --locale=C")) return;
    started_ = Run(bin + "/pg_ctl -D " + data + " -l " + folder_ + "/server.log -w -o \"-k " +
                   folder_ + " -c listen_addresses=''\" start");
    if (!started_) return;
    const std::string info = "host=" + folder_ + " user=kdk dbname=postgres";
    connection_ = PQconnectdb(info.c_str());
    if (PQstatus(connection_) != CONNECTION_OK) {
      problem_ = PQerrorMessage(connection_);
      return;
    }
    std::string error;
    if (!Execute("SET client_encoding = 'LATIN1'; SET client_min_messages = warning", error)) {
      problem_ = error;
    }
  }
  ~PostgresServer() override {
    if (connection_ != nullptr) PQfinish(connection_);
    if (started_)
      Run(std::string(KDK_POSTGRES_BIN) + "/pg_ctl -D " + folder_ + "/data -m fast -w stop");
  }
  bool Execute(const std::string& sql, std::string& error) override {
    PGresult* result = PQexec(connection_, sql.c_str());
    const ExecStatusType status = PQresultStatus(result);
    const bool ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    if (!ok) error = PQresultErrorMessage(result);
    PQclear(result);
    return ok;
  }
  SqlRows Query(const std::string& sql, std::string& error) override {
    SqlRows rows;
    PGresult* result = PQexec(connection_, sql.c_str());
    if (PQresultStatus(result) != PGRES_TUPLES_OK) error = PQresultErrorMessage(result);
    for (int r = 0; PQresultStatus(result) == PGRES_TUPLES_OK && r < PQntuples(result); ++r) {
      auto& row = rows.emplace_back();
      for (int c = 0; c < PQnfields(result); ++c) {
        row.push_back(PQgetisnull(result, r, c)
                          ? std::nullopt
                          : std::optional<std::string>(PQgetvalue(result, r, c)));
      }
    }
    PQclear(result);
    return rows;
  }
  std::string problem_;

 private:
  bool Run(const std::string& command) {
    std::string output;
    const bool ok = RunCommand(runner_ + command, "", output) == 0;
    if (!ok) problem_ = command + " failed:\n" + output;
    return ok;
  }
  ScratchFolder scratch_;
  std::string folder_;
  std::string runner_;  // "runuser -u nobody -- " as root
  bool started_ = false;
  pg_conn* connection_ = nullptr;
};

using Rows = std::vector<std::vector<std::optional<double>>>;

// The test's own quoting, independent of the generator's.
std::string SqlName(const std::string& name) {
  return "\"" + ReplaceAll(name, "\"", "\"\"") + "\"";
}

std::optional<double> Number(const std::optional<std::string>& text) {
  return text ? std::optional(std::strtod(text->c_str(), nullptr)) : std::nullopt;
}

// What every dialect refuses: a nameless input, a name with a control character, two
// inputs naming one column, and in SQL Server and Access a name past their length.
bool Refused(const NetworkModel& model, SqlDialect dialect) {
  for (size_t i = 0; i < model.input_names.size(); ++i) {
    const std::string& name = model.input_names[i];
    if (name.empty()) return true;
    if (std::any_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x20; }))
      return true;
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
  EXPECT_NEAR(*Number(got), want, 1e-12 * std::max(std::fabs(want), range)) << where;
}

constexpr int kCases = 30;

// Runs one network in one dialect; false when the generator (rightly) refused it.
bool RunNetwork(SqlEngine& db, const ConformanceCase& item, int index, SqlDialect dialect) {
  NetworkModel model = item.model;
  model.is_classifier = index % 2 == 1;
  if (index % 4 == 1) model.max_seen_out_cl = 0;  // a zero divisor gives strength 0
  NetworkSqlOptions options;
  options.dialect = dialect;
  // SQLite reads no "]" inside brackets; SQL Server's "]]" is checked in the unit tests.
  options.table = "Scored \"Rows\"" + std::string(dialect == SqlDialect::Ansi ? "] " : " ") +
                  std::to_string(index);
  // Every third network asks for a prediction named like an input.
  if (index % 3 == 0) options.output_field = ToLowerAscii(model.input_names.back());
  NetworkSqlOptions select = options;
  select.select = true;
  std::string update_sql, select_sql, error;
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
  const std::string id = SqlName(SqlNameBeside("row_id", taken));
  const std::string table = SqlName(options.table);
  // The rows: their number, the vectors (the first again with its first input NULL),
  // and where the query does not add it, the prediction column.
  std::vector<std::string> names = {id};
  for (const std::string& input : model.input_names) names.push_back(SqlName(input));
  const bool with_output = dialect != SqlDialect::SqlServer;
  if (with_output) names.push_back(SqlName(columns.prediction));
  Rows rows;
  for (const std::vector<double>& x : item.inputs) {
    rows.emplace_back(1, static_cast<double>(rows.size()));
    rows.back().insert(rows.back().end(), x.begin(), x.end());
    if (with_output) rows.back().emplace_back();
  }
  rows.push_back(rows.front());
  rows.back()[0] = static_cast<double>(rows.size() - 1);
  rows.back()[1].reset();
  EXPECT_TRUE(db.Load(table, names, rows, error)) << error;

  const double range = std::fabs(model.max_norm_out - model.min_norm_out);
  auto check = [&](const SqlRows& got, size_t column, bool with_class) {
    ASSERT_EQ(got.size(), rows.size()) << error << "\n" << select_sql.substr(0, 4000);
    for (size_t r = 0; r < rows.size(); ++r) {
      const std::string where = "case " + std::to_string(index) + " row " + std::to_string(r);
      // Without hidden neurons no input is read, so NULL changes nothing.
      if (!rows[r][1] && model.HiddenCount() > 0) {
        EXPECT_FALSE(got[r][column] || (with_class && got[r][column + 1])) << where;
        continue;
      }
      const NetworkPrediction want = Predicted(model, item.inputs[r % item.inputs.size()]);
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
  const SqlRows selected = db.Query(select_sql.substr(at), error);
  check(selected, model.input_names.size(), model.is_classifier);
  for (size_t r = 0; r < selected.size() && r < rows.size(); ++r) {
    if (rows[r][1]) ExpectValue(selected[r][0], *rows[r][1], 0, "echoed input");
  }

  EXPECT_TRUE(db.Execute(db.Adapt(update_sql), error)) << error << "\n"
                                                       << update_sql.substr(0, 4000);
  const SqlRows updated =
      db.Query("SELECT " + SqlName(columns.prediction) + ", " + names[model.input_names.size()] +
                   " FROM " + table + " ORDER BY " + id,
               error);
  check(updated, 0, false);
  for (size_t r = 0; r < updated.size() && r < rows.size(); ++r) {
    const auto& last = rows[r][model.input_names.size()];
    if (last) ExpectValue(updated[r][1], *last, 0, "input kept");
  }
  EXPECT_TRUE(db.Execute("DROP TABLE " + table, error)) << error;
  return true;
}

void RunNetworks(SqlEngine& db, SqlDialect dialect) {
  const std::vector<ConformanceCase> cases = ConformanceCases(ConformanceSeed() + 19, kCases, 6);
  int ran = 0;
  for (size_t c = 0; c < cases.size(); ++c) {
    const bool built = RunNetwork(db, cases[c], static_cast<int>(c), dialect);
    ran += built;
    // Refused rightly: run it again with the names a table can hold (in the standard
    // dialect only, which the largest shape then reaches in both engines).
    if (built || dialect != SqlDialect::Ansi) continue;
    ConformanceCase renamed = cases[c];
    std::vector<std::string>& names = renamed.model.input_names;
    for (size_t i = 0; i < names.size(); ++i) {
      names[i] = "in" + std::to_string(i) + " " + names[i].substr(0, 20);
      for (char& ch : names[i]) ch = static_cast<unsigned char>(ch) < 0x20 ? '_' : ch;
    }
    EXPECT_TRUE(RunNetwork(db, renamed, static_cast<int>(c), dialect));
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_GE(ran, kCases / 3);  // the rest hold names no table can (empty, twice, controls)
}

TEST(NetworkSqlInSqlite, EveryDialectComputesTheEvaluator) {
  for (SqlDialect dialect : {SqlDialect::SqlServer, SqlDialect::Access, SqlDialect::Ansi}) {
    SqliteDatabase db;
    RunNetworks(db, dialect);
  }
}

TEST(NetworkSqlInPostgres, StandardDialectComputesTheEvaluator) {
  PostgresServer server;
  ASSERT_EQ(server.problem_, "");
  RunNetworks(server, SqlDialect::Ansi);
}

struct Tally {
  int rows = 0, with_missing = 0, equal_to_evaluator = 0;
};

void RunMars(std::uint32_t seed, SqlDialect dialect, Tally& tally) {
  MarsCase mars = ReadMarsCase(seed, 120);
  const MarsModel& model = mars.model;
  std::string error;
  MarsSqlOptions options;
  options.dialect = dialect;
  options.table = "Scored Rows";
  // Every third model asks for an output field named like an input (in another case):
  // the prediction must land beside it, never over it.
  const std::string& last_input = model.input_names.back();
  options.output_field = seed % 3 == 0 ? ToLowerAscii(last_input) : "Prediction";
  options.bracket_field_names = seed % 2 == 0;
  std::string sql;
  ASSERT_TRUE(BuildMarsSql(model, options, sql, error)) << error << "\n" << mars.generated.text;
  const std::string output = MarsSqlOutputField(model, options.output_field);

  SqliteDatabase db;
  std::vector<std::string> names;
  for (const std::string& input : model.input_names) names.push_back(SqlName(input));
  if (dialect == SqlDialect::Access) names.push_back(output);
  Rows& rows = mars.rows;
  for (auto& row : rows) row.resize(names.size());
  ASSERT_TRUE(db.Load(SqlName(options.table), names, rows, error)) << error;
  ASSERT_TRUE(db.Execute(db.Adapt(sql), error)) << error << "\n" << sql;
  const SqlRows results = db.Query(
      "SELECT " + output + ", " + SqlName(last_input) + " FROM \"Scored Rows\" ORDER BY rowid",
      error);
  ASSERT_EQ(results.size(), rows.size()) << error;

  for (size_t r = 0; r < rows.size(); ++r) {
    rows[r].resize(model.input_names.size());
    bool any_missing = false;
    for (const auto& value : rows[r]) any_missing = any_missing || !value;
    const double expected = mars.evaluator.Evaluate(rows[r]);
    const std::optional<double> under_rules = PredictUnderRules(model, rows[r], MissingRules::Sql);
    const std::optional<double> got = Number(results[r][0]);
    ASSERT_EQ(Number(results[r][1]), rows[r].back()) << "input overwritten, row " << r;
    ++tally.rows;
    tally.with_missing += any_missing;
    tally.equal_to_evaluator += got && Close(*got, expected);
    if (!any_missing) {
      ASSERT_TRUE(got && Close(*got, expected))
          << "row " << r << ": SQL " << (got ? *got : NAN) << ", evaluator " << expected << "\n"
          << mars.generated.text << "\n"
          << sql;
    }
    ASSERT_TRUE(got ? under_rules && Close(*got, *under_rules) : !under_rules) << "row " << r;
  }
}

TEST(MarsSqlInSqlite, SqlServerAndAccessQueriesComputeTheModel) {
  for (SqlDialect dialect : {SqlDialect::SqlServer, SqlDialect::Access}) {
    Tally tally;
    const auto first = static_cast<std::uint32_t>(ConformanceSeed());
    for (std::uint32_t seed = first; seed < first + 60 && !HasFatalFailure(); ++seed) {
      SCOPED_TRACE("seed " + std::to_string(seed));
      RunMars(seed, dialect, tally);
    }
    EXPECT_GT(tally.with_missing, tally.rows / 4);
    EXPECT_GT(tally.equal_to_evaluator, tally.rows / 2);
  }
}

}  // namespace
}  // namespace kdk::conformance
