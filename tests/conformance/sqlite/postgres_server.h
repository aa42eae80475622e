#pragma once

#include <optional>
#include <string>
#include <vector>

#include "support/scratch.h"

struct pg_conn;

namespace kdk::conformance {

// A PostgreSQL server of our own: a cluster initialised in a temporary folder,
// listening only on a Unix socket in that folder, run as "nobody" when we are root
// (the server refuses root), stopped and removed by the destructor. The database
// holds Latin-1 text, the bytes the model files carry.
class PostgresServer {
 public:
  PostgresServer();
  ~PostgresServer();
  PostgresServer(const PostgresServer&) = delete;
  PostgresServer& operator=(const PostgresServer&) = delete;

  // "" once the server answers; otherwise why it does not.
  const std::string& Problem() const { return problem_; }

  bool Execute(const std::string& sql, std::string& error);
  // Each row's columns as text, NULL as nullopt.
  std::vector<std::vector<std::optional<std::string>>> Query(const std::string& sql,
                                                             std::string& error);

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
