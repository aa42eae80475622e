#include "conformance/sqlite/sqlite_database.h"

#include <sqlite3.h>

#include <cstdio>
#include <stdexcept>

#include "core/common/text_file.h"
#include "core/common/text_utils.h"

namespace kdk::conformance {
namespace {

// Access's IsNull(x): 1 when x is NULL.
void IsNullFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
  sqlite3_result_int(context, sqlite3_value_type(arguments[0]) == SQLITE_NULL ? 1 : 0);
}

}  // namespace

SqliteDatabase::SqliteDatabase() {
  if (sqlite3_open(":memory:", &db_) != SQLITE_OK) throw std::runtime_error("sqlite3_open");
  sqlite3_create_function(db_, "kdk_isnull", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                          IsNullFunction, nullptr, nullptr);
}

SqliteDatabase::~SqliteDatabase() {
  sqlite3_close(db_);
}

bool SqliteDatabase::Execute(const std::string& sql, std::string& error) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return true;
  error = message ? message : "unknown SQLite error";
  sqlite3_free(message);
  return false;
}

std::vector<std::vector<std::optional<std::string>>> SqliteDatabase::QueryRows(
    const std::string& sql, std::string& error) {
  std::vector<std::vector<std::optional<std::string>>> rows;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    error = sqlite3_errmsg(db_);
    return rows;
  }
  while (sqlite3_step(statement) == SQLITE_ROW) {
    std::vector<std::optional<std::string>> row;
    for (int c = 0; c < sqlite3_column_count(statement); ++c) {
      const int type = sqlite3_column_type(statement, c);
      if (type == SQLITE_NULL) {
        row.emplace_back();
      } else if (type == SQLITE_TEXT) {
        row.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
      } else {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.17g", sqlite3_column_double(statement, c));
        row.emplace_back(digits);
      }
    }
    rows.push_back(std::move(row));
  }
  sqlite3_finalize(statement);
  return rows;
}

std::string AdaptForSqlite(const std::string& generated) {
  std::string out;
  out.reserve(generated.size());
  for (const std::string& line : SplitIntoLines(generated)) {
    if (line.rfind("USE ", 0) == 0 || line == "Go") {
      out.append(";\n");  // the batch separator ends the statement before it
      continue;
    }
    out.append(line).append("\n");
  }
  return ReplaceAll(out, "IsNull(", "kdk_isnull(");
}

}  // namespace kdk::conformance
