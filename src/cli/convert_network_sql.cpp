#include "cli/converters.h"
#include "core/export/code/network_sql.h"
#include "core/model_state.h"
#include "core/shell/common_operations.h"

namespace kdk::cli {
namespace {

bool ConvertNetworkSql(ConvertRequest& request) {
  const Arguments& args = request.args;
  NetworkSqlOptions options;
  const std::string dialect = args.Value("--dialect", "sqlserver");
  if (dialect == "access") {
    options.dialect = SqlDialect::Access;
  } else if (dialect == "ansi") {
    options.dialect = SqlDialect::Ansi;
  } else if (dialect != "sqlserver") {
    throw UsageError{"--dialect is sqlserver, access or ansi, not '" + dialect + "'"};
  }
  options.select = args.Has("--select");
  options.table = args.Value("--table", options.table);
  options.output_field = args.Value("--field", "");
  options.database = args.Value("--database", options.database);
  options.include_header = !args.Has("--no-header");
  std::string text;
  std::string error;
  if (!BuildNetworkSql(request.workspace.network, options, text, error)) {
    request.messages.Inform(error, MessageIcon::Critical);
    return false;
  }
  if (!CheckReadyToSave(request.workspace, request.output_path, kNetworkModelType,
                        request.messages)) {
    return false;
  }
  return WriteConvertedText(request, text);
}

}  // namespace

std::vector<ConverterEntry> NetworkSqlConverters() {
  return {{ModelKind::Network,
           "sql",
           {"--dialect", "--table", "--field", "--database"},
           {"--select", "--no-header"},
           "  sql (network): --dialect sqlserver|access|ansi (sqlserver; ansi for SQLite,\n"
           "      PostgreSQL, DuckDB, Spark SQL, Trino), --select (the inputs and the\n"
           "      prediction, and class and strength for a classifier, instead of an\n"
           "      UPDATE), --table NAME (TableName), --field NAME (Kestrium_ + the\n"
           "      model's output), --database NAME (DatabaseName), --no-header\n",
           ConvertNetworkSql}};
}

}  // namespace kdk::cli
