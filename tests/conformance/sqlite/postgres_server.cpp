#include "conformance/sqlite/postgres_server.h"

#include <libpq-fe.h>
#include <pwd.h>
#include <unistd.h>

#include <filesystem>

namespace kdk::conformance {

PostgresServer::PostgresServer() {
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

PostgresServer::~PostgresServer() {
  if (connection_ != nullptr) PQfinish(connection_);
  if (started_)
    Run(std::string(KDK_POSTGRES_BIN) + "/pg_ctl -D " + folder_ + "/data -m fast -w stop");
}

bool PostgresServer::Run(const std::string& command) {
  std::string output;
  if (RunCommand(runner_ + command, "", output) == 0) return true;
  problem_ = command + " failed:\n" + output;
  return false;
}

bool PostgresServer::Execute(const std::string& sql, std::string& error) {
  PGresult* result = PQexec(connection_, sql.c_str());
  const ExecStatusType status = PQresultStatus(result);
  const bool ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
  if (!ok) error = PQresultErrorMessage(result);
  PQclear(result);
  return ok;
}

std::vector<std::vector<std::optional<std::string>>> PostgresServer::Query(const std::string& sql,
                                                                           std::string& error) {
  std::vector<std::vector<std::optional<std::string>>> rows;
  PGresult* result = PQexec(connection_, sql.c_str());
  if (PQresultStatus(result) != PGRES_TUPLES_OK) {
    error = PQresultErrorMessage(result);
  } else {
    for (int r = 0; r < PQntuples(result); ++r) {
      std::vector<std::optional<std::string>> row;
      for (int c = 0; c < PQnfields(result); ++c) {
        if (PQgetisnull(result, r, c)) {
          row.emplace_back();
        } else {
          row.emplace_back(PQgetvalue(result, r, c));
        }
      }
      rows.push_back(std::move(row));
    }
  }
  PQclear(result);
  return rows;
}

}  // namespace kdk::conformance
