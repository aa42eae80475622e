#include "core/export/code/mars_sql.h"

#include <algorithm>
#include <unordered_map>

#include "core/common/text_utils.h"
#include "core/lang/language_rules.h"
#include "core/mars/mars_words.h"
#include "core/mars/model_summary.h"

namespace kdk {
namespace {

// A piece of the query: text as it is written, or a basis function written in place.
struct Piece {
  std::string text;
  int basis = -1;
};
using Pieces = std::vector<Piece>;

const lang::LanguageRules& RulesOf(SqlDialect dialect) {
  return lang::RulesOf(SqlProfileOf(dialect).language);
}

std::string BreakAfterTerms(std::string_view text) {
  std::string out = ReplaceAll(text, " + ", " + \r\n");
  return ReplaceAll(out, " - ", " - \r\n");
}

// The names in `text` that are basis functions become pieces of their own.
void AppendWithReferences(Pieces& pieces, std::string_view text,
                          const std::unordered_map<std::string, int>& basis_index) {
  size_t copied = 0;
  ForEachMarsName(text, [&](size_t start, size_t length) {
    const auto found = basis_index.find(std::string(text.substr(start, length)));
    if (found == basis_index.end()) return;
    pieces.push_back({std::string(text.substr(copied, start - copied))});
    pieces.push_back({"", found->second});
    copied = start + length;
  });
  pieces.push_back({std::string(text.substr(copied))});
}

// Writes the pieces with every basis function in place. An explicit stack keeps a
// chain of thousands of products off the call stack; the work is the text written.
void Emit(const Pieces& top, const std::vector<Pieces>& basis, std::string& out) {
  std::vector<std::pair<const Pieces*, size_t>> stack{{&top, 0}};
  while (!stack.empty()) {
    auto& [pieces, next] = stack.back();
    if (next == pieces->size()) {
      stack.pop_back();
      continue;
    }
    const Piece& piece = (*pieces)[next++];
    if (piece.basis < 0) {
      out.append(piece.text);
    } else {
      stack.emplace_back(&basis[static_cast<size_t>(piece.basis)], 0);
    }
  }
}

// The written size of each piece list, known before anything is built; sizes past
// the limit are held at limit + 1.
size_t WrittenSize(const Pieces& pieces, const std::vector<size_t>& basis_sizes) {
  constexpr size_t kPast = kMaxMarsSqlExpressionBytes + 1;
  size_t size = 0;
  for (const Piece& piece : pieces) {
    size += piece.basis < 0 ? piece.text.size() : basis_sizes[static_cast<size_t>(piece.basis)];
    if (size >= kPast) return kPast;
  }
  return size;
}

std::string ModelTextSql(std::string_view text, const MarsModel& model, SqlDialect dialect,
                         bool bracket) {
  return ReplaceMarsNames(text, [&](std::string_view word) -> std::optional<std::string> {
    const bool input = std::find(model.input_names.begin(), model.input_names.end(), word) !=
                       model.input_names.end();
    if (input && (bracket || !IsBareSqlName(dialect, word))) return QuoteSqlName(dialect, word);
    return std::nullopt;
  });
}

}  // namespace

const std::vector<std::string>& SqlReservedWords() {
  static const std::vector<std::string> words = {"CASE", "WHEN",  "IS",     "NULL",   "THEN",
                                                 "ELSE", "IIF",   "SELECT", "INTO",   "NOT",
                                                 "ADD",  "TABLE", "UPDATE", "INSERT", "SET"};
  return words;
}

std::string MarsSqlOutputField(const MarsModel& model, std::string_view typed_field) {
  const std::string typed = TypedMarsSqlName(SqlDialect::SqlServer, typed_field);
  return QuoteSqlName(SqlDialect::SqlServer, SqlNameBeside(typed, model.input_names));
}

std::string BasisFunctionSql(const BasisReading& basis, const MarsModel& model, SqlDialect dialect,
                             bool bracket) {
  const bool server = dialect == SqlDialect::SqlServer;
  const std::string lead =
      ModelTextSql(basis.form == BasisForm::Present || basis.form == BasisForm::Missing
                       ? std::string_view(model.input_names[static_cast<size_t>(basis.input)])
                       : std::string_view(basis.lead),
                   model, dialect, bracket);
  std::string sql;
  switch (basis.form) {
    case BasisForm::Present:
      sql = server ? "( CASE WHEN " + lead + " IS NOT NULL THEN 1 ELSE 0 END )"
                   : "IIf(IsNull( " + lead + " ),0,1)";
      break;
    case BasisForm::Missing:
      sql = server ? "( CASE WHEN " + lead + " IS NULL THEN 1 ELSE 0 END )"
                   : "IIf(IsNull( " + lead + " ),1,0)";
      break;
    case BasisForm::SetTest:
      sql = server ? "( CASE WHEN " + lead + " THEN 1 ELSE 0 END )" : "IIf(( " + lead + " ),1,0)";
      break;
    case BasisForm::Hinge:
      sql = server ? "( CASE WHEN ( " + lead + " ) < 0 THEN 0 ELSE ( " + lead + " ) END )"
                   : "IIf(( " + lead + " ) < 0 , 0, " + lead + ")";
      break;
  }
  if (!basis.product.empty()) sql.append(" * ").append(basis.product);
  return sql;
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

bool MarsModelSqlExpression(const MarsModel& model, SqlDialect dialect, bool bracket_field_names,
                            std::string& expression, std::string& error) {
  MarsReading reading;
  if (!ReadMarsModel(model, reading, error)) return false;
  const lang::LanguageRules& rules = RulesOf(dialect);
  for (const std::string& name : model.input_names) {
    if (name.size() > rules.max_identifier_length) {
      error = "The input name " + name + " is longer than the " +
              std::to_string(rules.max_identifier_length) + " characters " +
              std::string(rules.name) + " allows for a field name.";
      return false;
    }
  }
  std::unordered_map<std::string, int> basis_index;
  for (size_t j = 0; j < model.basis_function_names.size(); ++j) {
    basis_index.emplace(model.basis_function_names[j], static_cast<int>(j));
  }
  // A product names only earlier basis functions (the reading made sure), so sizes
  // are known in one pass in order.
  std::vector<Pieces> basis(reading.basis.size());
  std::vector<size_t> sizes(reading.basis.size());
  for (size_t j = 0; j < reading.basis.size(); ++j) {
    AppendWithReferences(basis[j],
                         BasisFunctionSql(reading.basis[j], model, dialect, bracket_field_names),
                         basis_index);
    sizes[j] = WrittenSize(basis[j], sizes);
  }
  Pieces top;
  AppendWithReferences(top, BreakAfterTerms(reading.equation_terms), basis_index);
  const size_t size = WrittenSize(top, sizes);
  if (size > kMaxMarsSqlExpressionBytes) {
    error =
        "With every basis function written in place, the SQL expression of this model "
        "would be longer than " +
        std::to_string(kMaxMarsSqlExpressionBytes) +
        " bytes (4 MB); no query is written. Its products of basis functions multiply "
        "the text each time they are repeated.";
    return false;
  }
  expression.clear();
  expression.reserve(size);
  Emit(top, basis, expression);
  return true;
}

bool BuildMarsSql(const MarsModel& model, const MarsSqlOptions& options, std::string& text,
                  std::string& error) {
  const bool server = options.dialect == SqlDialect::SqlServer;
  std::string expression;
  if (!MarsModelSqlExpression(model, options.dialect, options.bracket_field_names, expression,
                              error)) {
    return false;
  }
  const std::string table = QuoteTypedMarsSqlName(options.dialect, options.table);
  const std::string field = MarsSqlOutputField(model, options.output_field);
  text.clear();
  text.reserve(expression.size() + 4096);
  if (server && options.include_header) {
    text.append(ModelSummaryComment(model, "/*", "", "*/", RulesOf(options.dialect)))
        .append(kCrLf)
        .append(kCrLf);
  }
  if (server)
    text.append("USE ")
        .append(QuoteTypedMarsSqlName(options.dialect, options.database))
        .append(kCrLf);
  if (server && options.create_output_field) {
    text.append(kCrLf).append("ALTER TABLE ").append(table).append(" ADD ").append(field);
    text.append(" float").append(kCrLf).append("Go").append(kCrLf);
  }
  text.append(kCrLf).append("UPDATE ").append(table).append(kCrLf);
  text.append("SET ").append(field).append(" = ").append(expression);
  if (!server) text.append(";");
  return true;
}

std::string MarsSqlText(const MarsModel& model, const MarsSqlOptions& options,
                        MessagePort& messages) {
  std::string text;
  std::string error;
  if (!BuildMarsSql(model, options, text, error)) {
    messages.Inform(error, MessageIcon::Critical);
    return {};
  }
  return text;
}

}  // namespace kdk
