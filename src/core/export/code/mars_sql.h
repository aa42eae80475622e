#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/mars/mars_model.h"
#include "core/ports/message_port.h"

namespace kdk {

enum class SqlDialect { Access = 0, SqlServer = 1 };

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

// The words an input name is checked against before SQL is written.
const std::vector<std::string>& SqlReservedWords();

// "[" name "]", whether or not the name came with its brackets.
std::string BracketName(std::string_view name);

// One definition as an SQL expression: indicators and set tests as 1/0 conditions,
// hinges as their positive part, and " * " with the rest of a product (names of
// earlier basis functions stay, to be expanded afterwards).
std::string BasisFunctionSql(std::string_view definition, SqlDialect dialect,
                             const MarsModel& model, MessagePort& messages);

// Writes every input name that stands between two blanks as "[" name "]".
std::string BracketInputFields(std::string_view expression,
                               const std::vector<std::string>& input_names);

// Asks whether to go on for each input named like an SQL reserved word; false when
// any answer is No.
bool CheckReservedFieldNames(const MarsModel& model, MessagePort& messages);

// The equation's right-hand side with every basis function expanded in place, so it
// refers to input fields only; one term per line.
std::string MarsModelSqlExpression(const MarsModel& model, SqlDialect dialect,
                                   bool bracket_field_names, MessagePort& messages);

// The whole query: model information, USE line, ALTER block and UPDATE statement.
std::string MarsSqlText(const MarsModel& model, const MarsSqlOptions& options,
                        MessagePort& messages);

}  // namespace kdk
