#pragma once

#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace kdk::conformance {

// An in-memory SQLite database that runs generated queries the way the target
// servers would, once the lines SQLite has no use for are dropped.
class SqliteDatabase {
 public:
  SqliteDatabase();
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  // Runs every statement of the text; false with the engine's message in `error`.
  bool Execute(const std::string& sql, std::string& error);

  // The first column of each row of a query, NULL as nullopt.
  std::vector<std::optional<double>> QueryColumn(const std::string& sql, std::string& error);

  // Every column of each row as text (numbers with 17 digits), NULL as nullopt.
  std::vector<std::vector<std::optional<std::string>>> QueryRows(const std::string& sql,
                                                                 std::string& error);

  // Inserts one row of values (NULL for nullopt) into the named columns.
  bool InsertRow(const std::string& table, const std::vector<std::string>& columns,
                 const std::vector<std::optional<double>>& values, std::string& error);

 private:
  sqlite3* db_ = nullptr;
};

// The generated text as SQLite takes it: without the USE and Go lines of SQL Server,
// and with Access's IsNull (a keyword in SQLite) calling a function of ours.
std::string AdaptForSqlite(const std::string& generated);

}  // namespace kdk::conformance
