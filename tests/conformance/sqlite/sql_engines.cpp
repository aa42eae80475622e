#include "conformance/sqlite/sql_engines.h"

#include <libpq-fe.h>
#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "support/networks.h"
#include "support/scratch.h"

namespace kdk::conformance {

bool SqlEngine::Load(const std::string& table, const std::vector<std::string>& columns,
                     const std::vector<std::vector<std::optional<double>>>& rows,
                     std::string& error) {
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

namespace {

// Access's IsNull(x): 1 when x is NULL.
void IsNullFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
  sqlite3_result_int(context, sqlite3_value_type(arguments[0]) == SQLITE_NULL ? 1 : 0);
}

class SqliteDatabase : public SqlEngine {
 public:
  SqliteDatabase() {
    if (sqlite3_open(":memory:", &db_) != SQLITE_OK) throw std::runtime_error("sqlite3_open");
    sqlite3_create_function(db_, "kdk_isnull", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            IsNullFunction, nullptr, nullptr);
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
        if (type == SQLITE_NULL) {
          row.emplace_back();
        } else if (type == SQLITE_TEXT) {
          row.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
        } else {
          row.emplace_back(ExactText(sqlite3_column_double(statement, c)));
        }
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
        if (PQgetisnull(result, r, c)) {
          row.emplace_back();
        } else {
          row.emplace_back(PQgetvalue(result, r, c));
        }
      }
    }
    PQclear(result);
    return rows;
  }
  std::string problem_;

 private:
  bool Run(const std::string& command) {
    std::string output;
    if (RunCommand(runner_ + command, "", output) == 0) return true;
    problem_ = command + " failed:\n" + output;
    return false;
  }
  ScratchFolder scratch_;
  std::string folder_;
  std::string runner_;  // "runuser -u nobody -- " as root
  bool started_ = false;
  pg_conn* connection_ = nullptr;
};

}  // namespace

std::unique_ptr<SqlEngine> OpenSqlite() {
  return std::make_unique<SqliteDatabase>();
}

std::unique_ptr<SqlEngine> StartPostgres(std::string& problem) {
  auto server = std::make_unique<PostgresServer>();
  problem = server->problem_;
  return problem.empty() ? std::move(server) : nullptr;
}

}  // namespace kdk::conformance
