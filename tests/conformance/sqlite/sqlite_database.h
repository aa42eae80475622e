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

  // Every column of each row as text (numbers with 17 digits), NULL as nullopt.
  std::vector<std::vector<std::optional<std::string>>> QueryRows(const std::string& sql,
                                                                 std::string& error);

 private:
  sqlite3* db_ = nullptr;
};

// The generated text as SQLite takes it: without the USE and Go lines of SQL Server,
// and with Access's IsNull (a keyword in SQLite) calling a function of ours.
std::string AdaptForSqlite(const std::string& generated);

}  // namespace kdk::conformance
