#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kdk::conformance {

using SqlRows = std::vector<std::vector<std::optional<std::string>>>;

// A database the generated SQL runs in.
class SqlEngine {
 public:
  virtual ~SqlEngine() = default;
  // Runs every statement of the text; false with the engine's message in `error`.
  virtual bool Execute(const std::string& sql, std::string& error) = 0;
  // Each row's columns as text (numbers with 17 digits), NULL as nullopt.
  virtual SqlRows Query(const std::string& sql, std::string& error) = 0;
  // The generated text as the engine takes it.
  virtual std::string Adapt(const std::string& generated) const { return generated; }
  // Creates `table` with a number column for each of `columns` (SQL text) and inserts
  // the rows, NULL for nullopt.
  bool Load(const std::string& table, const std::vector<std::string>& columns,
            const std::vector<std::vector<std::optional<double>>>& rows, std::string& error);
};

// An in-memory SQLite database. It takes generated text without the USE and Go lines of
// SQL Server, and with Access's IsNull (a keyword in SQLite) calling a function of ours.
std::unique_ptr<SqlEngine> OpenSqlite();

// A PostgreSQL server of our own: a cluster initialised in a temporary folder, listening
// only on a Unix socket in that folder, run as "nobody" when we are root (the server
// refuses root), stopped and removed with the engine. The database holds Latin-1 text,
// the bytes the model files carry. Null with `problem` when it does not answer.
std::unique_ptr<SqlEngine> StartPostgres(std::string& problem);

}  // namespace kdk::conformance
