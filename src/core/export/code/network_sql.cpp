#include "core/export/code/network_sql.h"

#include <cmath>
#include <vector>

#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/network_expression.h"
#include "core/lang/language_rules.h"
#include "core/network/evaluate_network.h"

namespace kdk {
namespace {

// Numbers as SQL Server writes them (the digits every dialect reads), always with a
// point or an exponent so no engine divides integers, a negative one in brackets so a
// minus never meets another as the "--" of a comment.
void AppendNumber(std::string& out, double value) {
  const lang::LanguageRules& rules = lang::RulesOf(lang::Language::TransactSql);
  if (value < 0) {
    out.append("(");
    lang::AppendRealLiteral(rules, out, value, true);
    out.append(")");
  } else {
    lang::AppendRealLiteral(rules, out, value, true);
  }
}

class SqlWriter {
 public:
  SqlWriter(const NetworkModel& model, SqlDialect dialect)
      : model_(model), access_(dialect == SqlDialect::Access) {}

  // The input scaled as the evaluator scales it: ((x - min) / (max - min) - 0.5) * 2.
  void AppendNormalised(std::string& out, int i, const std::string& column) const {
    out.append("(((").append(column).append(" - ");
    AppendNumber(out, model_.min_norm[i]);
    out.append(") / (");
    AppendNumber(out, model_.max_norm[i]);
    out.append(" - ");
    AppendNumber(out, model_.min_norm[i]);
    out.append(") - 0.5) * 2.0)");
  }

  // A hidden neuron's sum in the evaluator's order: each input's term, the bias last.
  // `normalised[i]` is the scaled input's text.
  void AppendHiddenSum(std::string& out, int k, const std::vector<std::string>& normalised) const {
    out.append("(");
    for (int i = 0; i < model_.InputCount(); ++i) {
      AppendNumber(out, model_.wih[i][k]);
      out.append(" * ").append(normalised[i]).append(" + ");
    }
    AppendNumber(out, model_.wih[model_.InputCount()][k]);
    out.append(")");
  }

  // tanh of the bracketed sum as (e^s - e^-s) / (e^s + e^-s), 1 above 20 and -1 below -20.
  void AppendTanh(std::string& out, const std::string& s) const {
    if (access_) {
      out.append("IIf(").append(s).append(" > 20, 1.0, IIf(").append(s);
      out.append(" < -20, -1.0, (Exp(").append(s).append(") - Exp(-").append(s);
      out.append(")) / (Exp(").append(s).append(") + Exp(-").append(s).append("))))");
    } else {
      out.append("CASE WHEN ").append(s).append(" > 20 THEN 1.0 WHEN ").append(s);
      out.append(" < -20 THEN -1.0 ELSE (EXP(").append(s).append(") - EXP(-").append(s);
      out.append(")) / (EXP(").append(s).append(") + EXP(-").append(s).append(")) END");
    }
  }

  // The normalised output: each hidden slot times its output weight, the bias last.
  // `sum(k)` gives hidden neuron k's sum, bracketed. False past the size limit.
  template <typename SumText>
  bool AppendOutput(std::string& out, SumText sum, std::size_t written) const {
    out.append("(");
    const int slots = model_.HiddenSlots();
    for (int k = 0; k < slots - 1; ++k) {
      const std::string s = sum(k);
      if (model_.hidden_type[k] == NeuronType::NonLinear) {
        out.append("(");
        AppendTanh(out, s);
        out.append(")");
      } else {
        out.append(s);
      }
      out.append(" * ");
      AppendNumber(out, model_.who[k]);
      out.append(" + ");
      if (written + out.size() > kMaxNetworkSqlBytes) return false;
    }
    AppendNumber(out, model_.who[slots - 1]);
    out.append(")");
    return true;
  }

  // The prediction from the normalised output o: (o + 1) / 2 * (max - min) + min.
  void AppendPrediction(std::string& out, const std::string& o) const {
    out.append("((").append(o).append(" + 1.0) / 2.0 * (");
    AppendNumber(out, model_.max_norm_out);
    out.append(" - ");
    AppendNumber(out, model_.min_norm_out);
    out.append(") + ");
    AppendNumber(out, model_.min_norm_out);
    out.append(")");
  }

  // TRUE above 0; strength o over the side's seen extreme, 0 where that is 0.
  // A NULL output (a NULL input) has no class.
  void AppendClass(std::string& out, const std::string& o) const {
    out.append(access_
                   ? "IIf(" + o + " > 0, 'TRUE', IIf(" + o + " <= 0, 'FALSE', Null))"
                   : "CASE WHEN " + o + " > 0 THEN 'TRUE' WHEN " + o + " <= 0 THEN 'FALSE' END");
  }
  void AppendStrength(std::string& out, const std::string& o) const {
    auto part = [&](double extreme) {
      const double divisor = std::fabs(extreme);
      if (divisor == 0) return std::string("0.0");
      std::string text = "(" + o + " / ";
      AppendNumber(text, divisor);
      return text + ")";
    };
    out.append(access_ ? "IIf(" + o + " > 0, " : "CASE WHEN " + o + " > 0 THEN ");
    out.append(part(model_.max_seen_out_cl));
    out.append(access_ ? ", " : " ELSE ");
    out.append(part(model_.min_seen_out_cl));
    out.append(access_ ? ")" : " END");
  }

 private:
  const NetworkModel& model_;
  bool access_;
};

std::string DialectName(SqlDialect dialect) {
  switch (dialect) {
    case SqlDialect::Access:
      return "Access";
    case SqlDialect::SqlServer:
      return "SQL Server";
    case SqlDialect::Ansi:
      break;
  }
  return "ANSI SQL";
}

// "-- " lines (SQL Server and the standard both read them; Access reads no comments).
void AppendHeader(std::string& out, const NetworkModel& model, const NetworkSqlOptions& options) {
  const lang::LanguageRules& rules = lang::RulesOf(lang::Language::TransactSql);
  auto line = [&](std::string_view a, std::string_view b = {}) {
    out.append("-- ").append(a);
    lang::AppendCommentSafe(rules, out, b);
    out.append(kCrLf);
  };
  line("Kestrium neural network as " + DialectName(options.dialect) +
       (options.select ? " (SELECT)" : " (UPDATE)"));
  for (const std::string& text : SplitIntoLines(model.description)) line("", text);
  line("Output: ", model.output_name);
  line(std::to_string(model.InputCount()) + " inputs, " + std::to_string(model.HiddenCount()) +
       " hidden neurons" + (model.is_classifier ? ", classifier" : ""));
  line("Data source: ", model.data_source);
  line("Data view: ", model.data_view);
  if (model.HiddenCount() > 0) line("A NULL input gives a NULL prediction.");
  out.append(kCrLf);
}

bool HasControl(std::string_view name) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
  }
  return false;
}

std::string CommentSafe(std::string_view text) {
  return lang::CommentSafe(lang::RulesOf(lang::Language::TransactSql), text);
}

std::string InputProblem(const NetworkModel& model, SqlDialect dialect) {
  std::string problem = NetworkShapeProblem(model);
  if (!problem.empty()) return problem;
  problem = UnscalableInputMessage(model);
  if (!problem.empty()) return problem;
  const std::size_t limit = SqlProfileOf(dialect).name_limit;
  for (int i = 0; i < model.InputCount(); ++i) {
    const std::string& name = model.input_names[i];
    if (name.empty()) {
      return "Input " + std::to_string(i + 1) + " has no name, so no column can hold it.";
    }
    // A line break inside a name would not survive a change of line ends.
    if (HasControl(name)) {
      return "The input name " + CommentSafe(name) +
             " holds a line break or control character; rename the input to write SQL.";
    }
    if (dialect != SqlDialect::Ansi && name.size() > limit) {
      return "The input name " + name + " is longer than the " + std::to_string(limit) +
             " characters " + DialectName(dialect) + " allows for a field name.";
    }
    for (int j = 0; j < i; ++j) {
      if (ToLowerAscii(model.input_names[j]) == ToLowerAscii(name)) {
        return "The inputs " + model.input_names[j] + " and " + name +
               " name the same column (SQL compares names in any case).";
      }
    }
  }
  return {};
}

}  // namespace

std::string DefaultNetworkSqlField(const NetworkModel& model) {
  return "Kestrium_" + model.output_name;
}

NetworkSqlColumns NetworkSqlOutputColumns(const NetworkModel& model,
                                          const NetworkSqlOptions& options) {
  const std::size_t limit = SqlProfileOf(options.dialect).name_limit;
  std::string typed = TypedSqlName(options.dialect, options.output_field);
  if (typed.empty()) typed = DefaultNetworkSqlField(model);
  for (char& c : typed) {
    if (HasControl(std::string_view(&c, 1))) c = '_';
  }
  std::vector<std::string> taken = model.input_names;
  NetworkSqlColumns columns;
  columns.prediction = SqlNameBeside(typed, taken, limit);
  if (options.select && model.is_classifier) {
    taken.push_back(columns.prediction);
    columns.class_text = SqlNameBeside(columns.prediction + "_Class", taken, limit);
    taken.push_back(columns.class_text);
    columns.strength = SqlNameBeside(columns.prediction + "_Strength", taken, limit);
  }
  return columns;
}

bool BuildNetworkSql(const NetworkModel& model, const NetworkSqlOptions& options, std::string& text,
                     std::string& error) {
  error = InputProblem(model, options.dialect);
  if (!error.empty()) return false;
  const SqlDialect dialect = options.dialect;
  const SqlWriter writer(model, dialect);
  auto quote = [dialect](std::string_view name) { return QuoteSqlName(dialect, name); };
  const int n = model.InputCount();
  const int hidden = model.HiddenCount();
  const NetworkSqlColumns columns = NetworkSqlOutputColumns(model, options);
  const std::string table = quote(TypedSqlName(dialect, options.table));
  const bool server = dialect == SqlDialect::SqlServer;

  text.clear();
  text.reserve(4096 + static_cast<std::size_t>(n + 2) * static_cast<std::size_t>(hidden + 2) *
                          (options.select ? 40 : 400));
  if (options.include_header && dialect != SqlDialect::Access) AppendHeader(text, model, options);
  if (server) {
    text.append("USE ").append(quote(TypedSqlName(dialect, options.database))).append(kCrLf);
  }
  std::vector<std::string> inputs(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) inputs[i] = quote(model.input_names[i]);
  const std::string too_long =
      "The SQL of this network would be longer than " + std::to_string(kMaxNetworkSqlBytes) +
      " bytes (16 MB); no query is written." +
      (options.select ? "" : " The SELECT form writes each hidden sum once and is far smaller.");

  if (!options.select) {
    const std::string field = quote(columns.prediction);
    if (server) {
      text.append(kCrLf).append("ALTER TABLE ").append(table).append(" ADD ").append(field);
      text.append(" float").append(kCrLf).append("Go").append(kCrLf);
    }
    if (server) text.append(kCrLf);
    text.append("UPDATE ").append(table).append(kCrLf);
    text.append("SET ").append(field).append(" = ");
    std::vector<std::string> normalised(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) writer.AppendNormalised(normalised[i], i, inputs[i]);
    std::string output;
    auto sum = [&](int k) {
      std::string s;
      writer.AppendHiddenSum(s, k, normalised);
      return s;
    };
    if (!writer.AppendOutput(output, sum, text.size())) {
      error = too_long;
      return false;
    }
    writer.AppendPrediction(text, output);
    if (!server) text.append(";");
    if (text.size() > kMaxNetworkSqlBytes) {
      error = too_long;
      return false;
    }
    return true;
  }

  // The SELECT: each level a derived table that names its results once, so every
  // scaled input, hidden sum and the normalised output is written once.
  std::vector<std::string> taken = model.input_names;
  for (const std::string* name : {&columns.prediction, &columns.class_text, &columns.strength}) {
    if (!name->empty()) taken.push_back(*name);
  }
  auto internal = [&](const std::string& base) {
    std::string name = SqlNameBeside(base, taken, SqlProfileOf(dialect).name_limit);
    taken.push_back(name);
    return quote(name);
  };
  std::vector<std::string> normalised(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) normalised[i] = internal("KestriumScaled" + std::to_string(i + 1));
  std::vector<std::string> sums(static_cast<std::size_t>(hidden));
  for (int k = 0; k < hidden; ++k) sums[k] = internal("KestriumHidden" + std::to_string(k + 1));
  const std::string o = internal("KestriumNet");
  std::string input_list;
  for (int i = 0; i < n; ++i) input_list.append(i ? ", " : "").append(inputs[i]);
  const std::string end(kCrLf);

  if (server) text.append(kCrLf);
  text.append("SELECT ").append(input_list).append(", ");
  writer.AppendPrediction(text, o);
  text.append(" AS ").append(quote(columns.prediction));
  if (!columns.class_text.empty()) {
    text.append(",").append(end).append("  ");
    writer.AppendClass(text, o);
    text.append(" AS ").append(quote(columns.class_text)).append(",").append(end).append("  ");
    writer.AppendStrength(text, o);
    text.append(" AS ").append(quote(columns.strength));
  }
  std::string net = "SELECT " + input_list + ", ";
  if (!writer.AppendOutput(
          net, [&](int k) { return sums[k]; }, 0)) {
    error = too_long;
    return false;
  }
  net.append(" AS ").append(o).append(end);
  std::string hidden_sums = "SELECT " + input_list;
  for (int k = 0; k < hidden; ++k) {
    hidden_sums.append(",").append(end).append("  ");
    writer.AppendHiddenSum(hidden_sums, k, normalised);
    hidden_sums.append(" AS ").append(sums[k]);
    if (hidden_sums.size() > kMaxNetworkSqlBytes) {
      error = too_long;
      return false;
    }
  }
  hidden_sums.append(end);
  std::string scaled = "SELECT " + input_list;
  for (int i = 0; i < n; ++i) {
    scaled.append(",").append(end).append("  ");
    writer.AppendNormalised(scaled, i, inputs[i]);
    scaled.append(" AS ").append(normalised[i]);
  }
  scaled.append(end).append("FROM ").append(table);
  text.append(end).append("FROM (");
  if (dialect == SqlDialect::Ansi) {
    // A derived table with a WITH of its own is computed as written: PostgreSQL would
    // otherwise write each hidden sum into every use of it while planning, which
    // takes seconds for a network of a few thousand weights.
    text.append("WITH q2 AS (WITH q1 AS (").append(scaled).append(")").append(end);
    text.append(hidden_sums).append("FROM q1)").append(end).append(net).append("FROM q2) AS q3");
  } else {
    text.append(net).append("FROM (").append(hidden_sums).append("FROM (").append(scaled);
    text.append(") AS q1) AS q2) AS q3");
  }
  if (!server) text.append(";");
  if (text.size() > kMaxNetworkSqlBytes) {
    error = too_long;
    return false;
  }
  return true;
}

std::string NetworkSqlText(const NetworkModel& model, const NetworkSqlOptions& options,
                           MessagePort& messages) {
  std::string text;
  std::string error;
  if (!BuildNetworkSql(model, options, text, error)) {
    messages.Inform(error, MessageIcon::Critical);
    return {};
  }
  return text;
}

}  // namespace kdk
