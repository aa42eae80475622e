#pragma once

#include <optional>
#include <string>
#include <vector>

#include "support/scratch.h"

struct pg_conn;
struct sqlite3;

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
class SqliteDatabase : public SqlEngine {
 public:
  SqliteDatabase();
  ~SqliteDatabase() override;
  bool Execute(const std::string& sql, std::string& error) override;
  SqlRows Query(const std::string& sql, std::string& error) override;
  std::string Adapt(const std::string& generated) const override;

 private:
  sqlite3* db_ = nullptr;
};

// A PostgreSQL server of our own: a cluster initialised in a temporary folder,
// listening only on a Unix socket in that folder, run as "nobody" when we are root
// (the server refuses root), stopped and removed by the destructor. The database
// holds Latin-1 text, the bytes the model files carry.
class PostgresServer : public SqlEngine {
 public:
  PostgresServer();
  ~PostgresServer() override;
  // "" once the server answers; otherwise why it does not.
  const std::string& Problem() const { return problem_; }
  bool Execute(const std::string& sql, std::string& error) override;
  SqlRows Query(const std::string& sql, std::string& error) override;

 private:
  bool Run(const std::string& command);

  ScratchFolder scratch_;
  std::string folder_;
  std::string runner_;  // "runuser -u nobody -- " as root
  bool started_ = false;
  pg_conn* connection_ = nullptr;
  std::string problem_;
};

}  // namespace kdk::conformance
