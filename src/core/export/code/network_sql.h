#pragma once

#include <cstddef>
#include <string>

#include "core/export/code/sql_names.h"
#include "core/network/network_model.h"
#include "core/ports/message_port.h"

namespace kdk {

// The options of the Kestrium >> SQL window and `kdk convert NET --to sql`.
struct NetworkSqlOptions {
  SqlDialect dialect = SqlDialect::SqlServer;
  bool select = false;  // a SELECT of the inputs and the prediction, not an UPDATE
  std::string table = "TableName";
  std::string output_field;               // "" : DefaultNetworkSqlField
  std::string database = "DatabaseName";  // SQL Server's USE line
  bool include_header = true;             // comment lines (none in Access)
};

// The UPDATE writes every hidden sum at each of its uses inside the tanh; past this
// many bytes the query is refused rather than built (the SELECT form writes each sum
// once and stays far smaller).
inline constexpr std::size_t kMaxNetworkSqlBytes = 16u * 1024u * 1024u;

// "Kestrium_" and the network's output name, as the code window names its output.
std::string DefaultNetworkSqlField(const NetworkModel& model);

// The columns the query writes, unquoted: the prediction (the typed field, or the
// default, control characters as "_", with "_1", "_2", ... where it names an input),
// and for a classifier in the SELECT form the prediction's name with "_Class" and
// "_Strength", each moved aside the same way from the inputs and the names before it.
struct NetworkSqlColumns {
  std::string prediction, class_text, strength;
};
NetworkSqlColumns NetworkSqlOutputColumns(const NetworkModel& model,
                                          const NetworkSqlOptions& options);

// The whole query. False with `error` for a network of the wrong shape, an input that
// cannot scale, inputs that name no column or the same one, an input name with a control
// character or longer than SQL Server or Access takes, or a query past kMaxNetworkSqlBytes.
bool BuildNetworkSql(const NetworkModel& model, const NetworkSqlOptions& options, std::string& text,
                     std::string& error);

// BuildNetworkSql for a window: a refusal is reported (critical icon) and gives "".
std::string NetworkSqlText(const NetworkModel& model, const NetworkSqlOptions& options,
                           MessagePort& messages);

}  // namespace kdk
