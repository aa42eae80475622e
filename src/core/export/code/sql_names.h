#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/language_rules.h"

namespace kdk {

// Ansi: the standard's double-quoted names, for SQLite, PostgreSQL, DuckDB, Spark SQL
// and Trino.
enum class SqlDialect { Access = 0, SqlServer = 1, Ansi = 2 };

// How a dialect writes a name: between `open` and `close`, a `close` inside written
// twice; names past `name_limit` bytes are not kept whole (PostgreSQL shortens
// longer ones, so ANSI compares only the first 63); `language` holds its reserved
// words and which names it reads bare.
struct SqlDialectProfile {
  char open;
  char close;
  std::size_t name_limit;
  lang::Language language;
};
const SqlDialectProfile& SqlProfileOf(SqlDialect dialect);

// The dialect's delimited name: "[" name "]" with "]" written "]]" (SQL Server,
// Access), or '"' name '"' with '"' written '""' (ANSI). Any text is then a name and
// never SQL. The one quoter every SQL writer uses.
std::string QuoteSqlName(SqlDialect dialect, std::string_view name);

// A name as a user types it in a box: blanks around it and one pair of the dialect's
// delimiters dropped.
std::string TypedSqlName(SqlDialect dialect, std::string_view typed);

// A name as typed in the MARS window's boxes: blanks around it, and a leading open
// and a trailing close delimiter each dropped; the Quote form then quotes it.
std::string TypedMarsSqlName(SqlDialect dialect, std::string_view typed);
std::string QuoteTypedMarsSqlName(SqlDialect dialect, std::string_view typed);

// Whether the dialect reads `name` without delimiters.
bool IsBareSqlName(SqlDialect dialect, std::string_view name);

// `name`, or where it names one of `taken` (in any case, and within the first `limit`
// bytes where limit > 0), that name with "_1", "_2", ... (shortened to stay within
// the limit): an output column written beside the inputs never overwrites one.
std::string SqlNameBeside(std::string_view name, const std::vector<std::string>& taken,
                          std::size_t limit = 0);

}  // namespace kdk
