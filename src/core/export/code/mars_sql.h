#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/code/sql_names.h"
#include "core/mars/mars_model.h"
#include "core/mars/mars_reading.h"
#include "core/ports/message_port.h"

namespace kdk {

// The options of the MARS >> SQL window, with its start values.
struct MarsSqlOptions {
  SqlDialect dialect = SqlDialect::SqlServer;
  std::string output_field = "FieldName";
  std::string table = "TableName";
  std::string database = "DatabaseName";
  bool create_output_field = true;  // SQL Server only
  bool bracket_field_names = true;
  bool include_header = true;  // SQL Server only
};

// Every basis function is written in place, so products of products grow the query
// fast; past this many bytes of model expression the query is refused, not built.
inline constexpr std::size_t kMaxMarsSqlExpressionBytes = 4u * 1024u * 1024u;

// The words an input name is checked against before SQL is written.
const std::vector<std::string>& SqlReservedWords();

// The output field as written, bracketed: the typed name, or where it names an input
// of the model (compared in any case, as both dialects compare), that name with "_1",
// "_2", ... (SqlNameBeside) so that the prediction never overwrites an input column.
std::string MarsSqlOutputField(const MarsModel& model, std::string_view typed_field);

// One basis function as an SQL expression: indicators and set tests as 1/0
// conditions, hinges as their positive part, and " * " with the rest of a product
// (names of earlier basis functions stay, to be expanded afterwards). Input names are
// bracketed when `bracket` is set or the dialect could not read them bare.
std::string BasisFunctionSql(const BasisReading& basis, const MarsModel& model, SqlDialect dialect,
                             bool bracket);

// Asks whether to go on for each input named like an SQL reserved word; false when
// any answer is No.
bool CheckReservedFieldNames(const MarsModel& model, MessagePort& messages);

// The equation's right-hand side with every basis function expanded in place, so it
// refers to input fields only; one term per line. False with `error` for a model the
// reading refuses or an expression longer than kMaxMarsSqlExpressionBytes.
bool MarsModelSqlExpression(const MarsModel& model, SqlDialect dialect, bool bracket_field_names,
                            std::string& expression, std::string& error);

// The whole query: model information, USE line, ALTER block and UPDATE statement.
bool BuildMarsSql(const MarsModel& model, const MarsSqlOptions& options, std::string& text,
                  std::string& error);

// BuildMarsSql for a window: a refusal is reported (critical icon) and gives "".
std::string MarsSqlText(const MarsModel& model, const MarsSqlOptions& options,
                        MessagePort& messages);

}  // namespace kdk
