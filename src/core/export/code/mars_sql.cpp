#include "core/export/code/mars_sql.h"

#include <algorithm>
#include <numeric>

#include "core/common/text_utils.h"
#include "core/mars/basis_function_ops.h"
#include "core/mars/model_summary.h"

namespace kdk {
namespace {

constexpr std::string_view kPlaceholder = "########";

// The text after the last occurrence of `mark` (all of it without one).
std::string_view AfterLast(std::string_view text, char mark) {
  const size_t at = text.rfind(mark);
  return at == std::string_view::npos ? text : text.substr(at + 1);
}

std::string_view BeforeFirst(std::string_view text, char mark) {
  return text.substr(0, text.find(mark));
}

std::string BreakAfterTerms(std::string_view text) {
  std::string out = ReplaceAll(text, " + ", " + \r\n");
  return ReplaceAll(out, " - ", " - \r\n");
}

// Replaces `name` where a blank stands on each side of it.
std::string ReplaceBlankBounded(std::string_view text, std::string_view name,
                                std::string_view replacement) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  size_t copied = 0;
  for (size_t hit = text.find(name); hit != std::string_view::npos && !name.empty();
       hit = text.find(name, hit + 1)) {
    const size_t end = hit + name.size();
    if (hit < copied || hit == 0 || text[hit - 1] != ' ' || end >= text.size() ||
        text[end] != ' ') {
      continue;
    }
    out.append(text.substr(copied, hit - copied)).append(replacement);
    copied = end;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace

const std::vector<std::string>& SqlReservedWords() {
  static const std::vector<std::string> words = {"CASE", "WHEN",  "IS",     "NULL",   "THEN",
                                                 "ELSE", "IIF",   "SELECT", "INTO",   "NOT",
                                                 "ADD",  "TABLE", "UPDATE", "INSERT", "SET"};
  return words;
}

std::string BracketName(std::string_view name) {
  std::string text = TrimBlanks(name);
  if (!text.empty() && text.back() == ']') text.pop_back();
  if (!text.empty() && text.front() == '[') text.erase(0, 1);
  return "[" + text + "]";
}

std::string BasisFunctionSql(std::string_view definition, SqlDialect dialect,
                             const MarsModel& model, MessagePort& messages) {
  const bool server = dialect == SqlDialect::SqlServer;
  std::string sql;
  int categorical_input = -1;
  if (IsNotMissingIndicator(definition)) {
    const std::string x = IndicatorVariable(definition);
    sql = server ? "( CASE WHEN " + x + " IS NOT NULL THEN 1 ELSE 0 END )"
                 : "IIf(IsNull( " + x + " ),0,1)";
  } else if (IsMissingIndicator(definition)) {
    const std::string x = IndicatorVariable(definition);
    sql = server ? "( CASE WHEN " + x + " IS NULL THEN 1 ELSE 0 END )"
                 : "IIf(IsNull( " + x + " ),1,0)";
  } else if (IsCategoricalBasisFunction(definition, model, messages, categorical_input)) {
    const std::string body = StripTrailingSemicolon(BasisFunctionBody(definition, messages));
    const std::string condition(BeforeFirst(body, '*'));
    sql = server ? "( CASE WHEN " + condition + " THEN 1 ELSE 0 END )"
                 : "IIf(( " + condition + " ),1,0)";
  } else {
    const std::string e = TrimBlanks(BeforeFirst(AfterLast(definition, ','), ')'));
    sql = server ? "( CASE WHEN ( " + e + " ) < 0 THEN 0 ELSE ( " + e + " ) END )"
                 : "IIf(( " + e + " ) < 0 , 0, " + e + ")";
  }
  const size_t star = definition.find('*');
  if (star != std::string_view::npos) {
    sql.append(" * ").append(DropLast(definition.substr(star + 1), 1));
  }
  return sql;
}

std::string BracketInputFields(std::string_view expression,
                               const std::vector<std::string>& input_names) {
  // Longer names first, so that a name inside another is never matched in it.
  std::vector<size_t> order(input_names.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return input_names[a].size() > input_names[b].size();
  });
  std::string text(expression);
  for (size_t i : order) {
    text = ReplaceBlankBounded(text, input_names[i],
                               std::string(kPlaceholder) + std::to_string(i + 1));
  }
  // Highest number first: "########1" is part of "########12".
  for (size_t i = input_names.size(); i-- > 0;) {
    text = ReplaceAll(text, std::string(kPlaceholder) + std::to_string(i + 1),
                      "[" + input_names[i] + "]");
  }
  return text;
}

bool CheckReservedFieldNames(const MarsModel& model, MessagePort& messages) {
  bool go_on = true;
  for (const std::string& name : model.input_names) {
    for (const std::string& word : SqlReservedWords()) {
      if (ToLowerAscii(name) != ToLowerAscii(word)) continue;
      std::string text = "One of your field names ( " + name + " ) is an SQL reserved word.";
      text.append(kCrLf).append("This could potentially be an issue.");
      text.append(kCrLf).append("Do you want to continue with this name?");
      if (messages.Show(text, kApplicationTitle, MessageIcon::Information, MessageButtons::YesNo) ==
          MessageAnswer::No) {
        go_on = false;
      }
    }
  }
  return go_on;
}

std::string MarsModelSqlExpression(const MarsModel& model, SqlDialect dialect,
                                   bool bracket_field_names, MessagePort& messages) {
  const size_t count = model.basis_function_defs.size();
  std::vector<std::string> sql;
  sql.reserve(count);
  for (const std::string& definition : model.basis_function_defs) {
    sql.push_back(BasisFunctionSql(definition, dialect, model, messages));
  }
  // Highest number first keeps BF1 from matching inside BF10; a name brought in by an
  // expansion belongs to an earlier basis function and is expanded later in the loop.
  for (size_t i = count; i-- > 0;) {
    for (size_t j = count; j-- > 0;) {
      const std::string& name = model.basis_function_names[j];
      if (!name.empty() && ContainsText(sql[i], name)) sql[i] = ReplaceAll(sql[i], name, sql[j]);
    }
  }
  std::string expression = BreakAfterTerms(AfterLast(model.equation, '='));
  for (size_t j = count; j-- > 0;) {
    const std::string& name = model.basis_function_names[j];
    if (!name.empty()) expression = ReplaceAll(expression, name, sql[j]);
  }
  if (bracket_field_names) expression = BracketInputFields(expression, model.input_names);
  return expression;
}

std::string MarsSqlText(const MarsModel& model, const MarsSqlOptions& options,
                        MessagePort& messages) {
  const bool server = options.dialect == SqlDialect::SqlServer;
  const std::string table = BracketName(options.table);
  const std::string field = BracketName(options.output_field);
  const std::string expression =
      MarsModelSqlExpression(model, options.dialect, options.bracket_field_names, messages);

  std::string text;
  text.reserve(expression.size() + 4096);
  if (server && options.include_header) {
    text.append(ModelSummaryText(model, "/*", "", "*/")).append(kCrLf).append(kCrLf);
  }
  if (server) text.append("USE ").append(BracketName(options.database)).append(kCrLf);
  if (server && options.create_output_field) {
    text.append(kCrLf).append("ALTER TABLE ").append(table).append(" ADD ").append(field);
    text.append(" float").append(kCrLf).append("Go").append(kCrLf);
  }
  text.append(kCrLf).append("UPDATE ").append(table).append(kCrLf);
  text.append("SET ").append(field).append(" = ").append(expression);
  if (!server) text.append(";");
  return text;
}

}  // namespace kdk
