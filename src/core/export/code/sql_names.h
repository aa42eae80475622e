#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kdk {

// Ansi: the standard's double-quoted names, for SQLite, PostgreSQL, DuckDB, Spark SQL
// and Trino.
enum class SqlDialect { Access = 0, SqlServer = 1, Ansi = 2 };

// The dialect's delimited name: "[" name "]" with "]" written "]]" (SQL Server,
// Access), or '"' name '"' with '"' written '""' (ANSI). Any text is then a name and
// never SQL.
std::string QuoteSqlName(SqlDialect dialect, std::string_view name);

// A name as a user types it in a box: blanks around it and one pair of the dialect's
// delimiters dropped.
std::string TypedSqlName(SqlDialect dialect, std::string_view typed);

// The longest name the dialect keeps whole: 128 (SQL Server), 64 (Access), 63 bytes
// (PostgreSQL shortens longer names, so ANSI compares only the first 63).
std::size_t SqlNameLimit(SqlDialect dialect);

// `name`, or where it names one of `taken` (in any case, and within the first `limit`
// bytes where limit > 0), that name with "_1", "_2", ... (shortened to stay within
// the limit): an output column written beside the inputs never overwrites one.
std::string SqlNameBeside(std::string_view name, const std::vector<std::string>& taken,
                          std::size_t limit = 0);

}  // namespace kdk
