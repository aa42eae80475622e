#include "core/export/web/mars_script.h"

#include <algorithm>

#include "core/common/model_text.h"
#include "core/common/text_utils.h"
#include "core/lang/language_rules.h"
#include "core/lang/name_table.h"
#include "core/lang/web_text.h"
#include "core/mars/basis_function_ops.h"
#include "core/mars/parse_mars_model.h"

namespace kdk {
namespace {

// Names the page's own script uses; a basis function may not take one of them.
constexpr std::string_view kPageNames[] = {"inpval",
                                           "inpvaln",
                                           "CalcMars",
                                           "inputs",
                                           "i",
                                           "n",
                                           "tempx",
                                           "MARSPrediction",
                                           "inpValRepresentsNull",
                                           "inpValIsAFlag",
                                           "Math",
                                           "Array",
                                           "document",
                                           "alert",
                                           "NaN",
                                           "Infinity",
                                           "undefined",
                                           "window",
                                           "values",
                                           "index",
                                           "numberofvalues",
                                           "y"};

// Identifiers the page's own statements put into a basis function's script.
constexpr std::string_view kStatementWords[] = {
    "var", "new", "Array", "inpval", "tempx", "inpValRepresentsNull", "inpValIsAFlag"};

bool IsSpaceAt(std::string_view text, size_t position) {
  return position < text.size() && (text[position] == ' ' || text[position] == '\t');
}

// The script's name of "max" or "min" used as a function at `position` (the word in
// any case, as the evaluator reads it, then blanks, then "("), or "".
std::string_view FunctionAt(std::string_view text, size_t position) {
  for (std::string_view word : {"max", "min"}) {
    if (position + word.size() > text.size()) continue;
    const std::string_view found = text.substr(position, word.size());
    if (ToLowerAscii(found) != word || !lang::IsWholeWordAt(text, position, found)) continue;
    size_t next = position + word.size();
    while (IsSpaceAt(text, next)) ++next;
    if (next < text.size() && text[next] == '(') return word == "max" ? "Math.max" : "Math.min";
  }
  return {};
}

// Where `name` stands whole at `at` and is followed, across blanks, by "=": `value`
// is then where the text after the "=" (and its blanks) starts.
bool EqualsAfter(std::string_view text, size_t at, std::string_view name, size_t& value) {
  if (!lang::IsWholeWordAt(text, at, name)) return false;
  size_t next = at + name.size();
  while (IsSpaceAt(text, next)) ++next;
  if (next >= text.size() || text[next] != '=') return false;
  ++next;
  while (IsSpaceAt(text, next)) ++next;
  value = next;
  return true;
}

// The end of "name > ." (test '>') or "name = ." (test '='), blanks anywhere between,
// that starts at `at`; 0 when none does.
size_t MissingTestEnd(std::string_view text, size_t at, std::string_view name, char test) {
  if (!lang::IsWholeWordAt(text, at, name)) return 0;
  size_t next = at + name.size();
  while (IsSpaceAt(text, next)) ++next;
  if (next >= text.size() || text[next] != test) return 0;
  ++next;
  while (IsSpaceAt(text, next)) ++next;
  if (next >= text.size() || text[next] != '.') return 0;
  ++next;
  return next < text.size() && text[next] >= '0' && text[next] <= '9' ? 0 : next;
}

// The signed number written at `at` (its characters only: "2" of "2);").
std::string NumberAt(std::string_view text, size_t at) {
  size_t end = at;
  while (end < text.size() &&
         (std::string_view("+-.eE").find(text[end]) != std::string_view::npos ||
          (text[end] >= '0' && text[end] <= '9'))) {
    ++end;
  }
  return std::string(text.substr(at, end - at));
}

// A record the reader refuses (names no model text could hold, written into a record)
// is still written as a page: its forms are then told by the text's patterns.
BasisReading TextReading(const std::string& definition, const MarsModel& model,
                         MessagePort& messages) {
  BasisReading basis;
  const bool present = IsNotMissingIndicator(definition);
  if (present || IsMissingIndicator(definition)) {
    // The input the indicator tests: the one it names, else the first whose name occurs.
    const std::string tested = IndicatorVariable(definition);
    basis.input = -1;
    for (int i = 0; i < model.InputCount() && basis.input < 0; ++i) {
      if (model.input_names[static_cast<size_t>(i)] == tested) basis.input = i;
    }
    for (int i = 0; i < model.InputCount() && basis.input < 0; ++i) {
      const std::string& name = model.input_names[static_cast<size_t>(i)];
      for (size_t at = definition.find(name); at != std::string::npos && basis.input < 0;
           at = definition.find(name, at + 1)) {
        if (lang::IsWholeWordAt(definition, at, name)) basis.input = i;
      }
    }
    if (basis.input >= 0) basis.form = present ? BasisForm::Present : BasisForm::Missing;
    return basis;
  }
  int index = -1;
  if (IsCategoricalBasisFunction(definition, model, messages, index) && index >= 0) {
    basis.form = BasisForm::SetTest;
    basis.input = index;
  }
  return basis;
}

}  // namespace

MarsScript::MarsScript(const MarsModel& model, MessagePort& messages)
    : model_(model), messages_(messages) {
  lang::NameTable names(lang::RulesOf(lang::Language::JavaScript));
  for (std::string_view fixed : kPageNames) names.ReserveFixed(fixed);
  for (const std::string& name : model.basis_function_names) {
    variables_.push_back(names.Claim(TrimBlanks(name)));
    script_names_.emplace(variables_.back(), true);
    AddReplacement(TrimBlanks(name), variables_.back());
  }
  for (int i = 0; i < model.InputCount(); ++i) {
    const std::string& name = model.input_names[static_cast<size_t>(i)];
    AddReplacement(name, "(inpval[" + std::to_string(i + 1) + "] * 1.0)");
  }
  // Longest first, so that of two names starting at one place the whole one wins.
  std::stable_sort(other_replacements_.begin(), other_replacements_.end(),
                   [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });

  MarsReading reading;
  std::string unread;
  const bool read = ReadMarsModel(model, reading, unread);
  for (size_t k = 0; k < model.basis_function_defs.size(); ++k) {
    bool valid = true;
    const std::string& definition = model.basis_function_defs[k];
    std::vector<Piece> pieces = ConvertDefinition(
        definition, read ? reading.basis[k] : TextReading(definition, model, messages), valid);
    std::string statement = valid ? ScriptStatement(std::move(pieces)) : std::string();
    if (!valid || !IsSafeStatement(statement)) {
      statement = "var " + variables_[k] + " = NaN;";
    }
    statements_.push_back(std::move(statement));
  }
  std::string body = BasisFunctionBody(model.equation, messages);
  AppendSubstituted(prediction_, body);
  if (!IsSafeExpression(prediction_)) prediction_ = "NaN";
}

void MarsScript::AddReplacement(const std::string& name, const std::string& script) {
  if (name.empty()) return;
  const bool word = std::all_of(name.begin(), name.end(), IsModelNameChar);
  if (!word) {
    other_replacements_.emplace_back(name, script);
  } else {
    word_replacements_.emplace(name, script);  // the first of equal names keeps it
  }
}

void MarsScript::AppendSubstituted(std::string& out, std::string_view text) const {
  out.reserve(out.size() + text.size() * 2);
  for (size_t i = 0; i < text.size();) {
    const bool may_start = i == 0 || !IsModelNameChar(text[i - 1]) || !IsModelNameChar(text[i]);
    if (may_start) {
      if (const std::string_view function = FunctionAt(text, i); !function.empty()) {
        out.append(function);
        i += 3;
        continue;
      }
      size_t length = 0;
      const std::string* script = nullptr;
      size_t word_end = i;
      while (word_end < text.size() && IsModelNameChar(text[word_end])) ++word_end;
      if (word_end > i) {
        const auto found = word_replacements_.find(std::string(text.substr(i, word_end - i)));
        if (found != word_replacements_.end()) {
          length = word_end - i;
          script = &found->second;
        }
      }
      for (const auto& [name, replacement] : other_replacements_) {
        if (name.size() <= length) break;
        if (lang::IsWholeWordAt(text, i, name)) {
          length = name.size();
          script = &replacement;
          break;
        }
      }
      if (script != nullptr) {
        out.append(*script);
        i += length;
        continue;
      }
    }
    out.push_back(text[i++]);
  }
}

std::vector<MarsScript::Piece> MarsScript::IndicatorPieces(const std::string& definition,
                                                           const BasisReading& basis,
                                                           std::string_view outcome) const {
  const std::string& name = model_.input_names[static_cast<size_t>(basis.input)];
  const char test = basis.form == BasisForm::Present ? '>' : '=';
  const std::string call =
      "inpValRepresentsNull(" + std::to_string(basis.input + 1) + std::string(outcome) + ")";
  std::vector<Piece> pieces;
  size_t from = 0;
  for (size_t at = definition.find(name); at != std::string::npos;
       at = definition.find(name, at + 1)) {
    if (at < from) continue;
    const size_t end = MissingTestEnd(definition, at, name, test);
    if (end == 0) continue;
    pieces.push_back({definition.substr(from, at - from), true});
    pieces.push_back({call, false});
    from = end;
  }
  pieces.push_back({definition.substr(from), true});
  return pieces;
}

std::vector<MarsScript::Piece> MarsScript::CategoricalPieces(const std::string& definition,
                                                             int input_index, bool& valid) const {
  const size_t equals = definition.find('=');
  const std::string left = TrimBlanks(std::string_view(definition).substr(0, equals + 1));
  std::string rest = TrimBlanks(std::string_view(definition).substr(equals + 1));
  const std::string& name = model_.input_names[static_cast<size_t>(input_index)];
  std::vector<std::string> values;
  for (size_t at = rest.find(name); at != std::string::npos; at = rest.find(name, at + 1)) {
    size_t value = 0;
    if (EqualsAfter(rest, at, name, value)) values.push_back(NumberAt(rest, value));
  }
  std::string list;
  for (const std::string& value : values) {
    if (!list.empty()) list.push_back(',');
    list.append(value);
  }
  list = TrimBlanks(list);
  if (EndsWithText(list, ";")) list = TrimBlanks(DropLast(list, 1));
  if (EndsWithText(list, ")")) list = TrimBlanks(DropLast(list, 1));
  // The listed values go into the script as they are, so they must be numbers.
  for (const std::string& value : SplitAt(list, ',')) valid = valid && IsNumberText(value);

  std::vector<Piece> pieces;
  // One value in "new Array(v)" would make an empty array of length v.
  if (values.size() == 1) {
    pieces.push_back({"tempx = [" + list + "];\r\n\tvar ", false});
  } else {
    pieces.push_back({"tempx = new Array(" + list + ");\r\n\tvar ", false});
  }
  pieces.push_back({left, true});
  pieces.push_back({" inpValIsAFlag(" + std::to_string(input_index + 1) + ",tempx," +
                        std::to_string(values.size()) + ")",
                    false});
  const size_t star = definition.find('*');
  if (star != std::string::npos) {
    std::string product = TrimBlanks(std::string_view(definition).substr(star + 1));
    if (EndsWithText(product, ";")) product = DropLast(product, 1);
    pieces.push_back({" * ", false});
    pieces.push_back({product, true});
  }
  pieces.push_back({";", false});
  return pieces;
}

std::vector<MarsScript::Piece> MarsScript::ConvertDefinition(const std::string& definition,
                                                             const BasisReading& basis,
                                                             bool& valid) const {
  switch (basis.form) {
    case BasisForm::Present:
      return IndicatorPieces(definition, basis, ",0,1");
    case BasisForm::Missing:
      return IndicatorPieces(definition, basis, ",1,0");
    case BasisForm::SetTest:
      return CategoricalPieces(definition, basis.input, valid);
    case BasisForm::Hinge:
      break;
  }
  return {{definition, true}};
}

std::string MarsScript::ScriptStatement(std::vector<Piece> pieces) const {
  // A final ";" becomes the start of a declaration.
  for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) {
    if (piece->text.empty()) continue;
    if (piece->text.back() == ';') {
      piece->text.pop_back();
      pieces.insert(pieces.begin(), {"var ", false});
    }
    break;
  }
  std::string statement;
  const auto append = [&](const Piece& piece, std::string_view text) {
    if (piece.from_model) {
      AppendSubstituted(statement, text);
    } else {
      statement.append(text);
    }
  };
  bool right = false;
  for (const Piece& piece : pieces) {
    std::string_view text = piece.text;
    if (!right) {
      const size_t equals = text.find('=');
      if (equals == std::string_view::npos) {
        append(piece, text);
        continue;
      }
      const std::string_view head = text.substr(0, equals + 1);
      append(piece, head);
      text.remove_prefix(equals + 1);
      right = true;
    }
    append(piece, text);
  }
  statement.push_back(';');
  return statement;
}

bool MarsScript::IsSafeExpression(std::string_view expression) const {
  int depth = 0;
  for (size_t i = 0; i < expression.size();) {
    const char c = expression[i];
    if (IsModelNameChar(c) && !(c >= '0' && c <= '9')) {
      size_t end = i;
      while (end < expression.size() && IsModelNameChar(expression[end])) ++end;
      const std::string_view word = expression.substr(i, end - i);
      if (word == "Math") {
        const std::string_view member = expression.substr(end, 4);
        if (member != ".max" && member != ".min") return false;
        i = end + 4;
        continue;
      }
      const bool known = script_names_.count(word) > 0 ||
                         std::find(std::begin(kStatementWords), std::end(kStatementWords), word) !=
                             std::end(kStatementWords);
      if (!known) return false;
      i = end;
      continue;
    }
    if ((c >= '0' && c <= '9') || c == '.') {
      size_t end = i;
      while (end < expression.size() &&
             ((expression[end] >= '0' && expression[end] <= '9') || expression[end] == '.')) {
        ++end;
      }
      if (end < expression.size() && (expression[end] == 'E' || expression[end] == 'e')) {
        ++end;
        if (end < expression.size() && (expression[end] == '+' || expression[end] == '-')) ++end;
        while (end < expression.size() && expression[end] >= '0' && expression[end] <= '9') ++end;
      }
      const std::string_view number = expression.substr(i, end - i);
      if (!IsNumberText(number)) return false;
      // A number runs straight into a name only in text that is no arithmetic.
      if (end < expression.size() && IsModelNameChar(expression[end])) return false;
      i = end;
      continue;
    }
    if (c == '/' && i + 1 < expression.size() &&
        (expression[i + 1] == '/' || expression[i + 1] == '*')) {
      return false;
    }
    if (c == '(' || c == '[') ++depth;
    if (c == ')' || c == ']') --depth;
    if (depth < 0) return false;
    if (std::string_view(" \t+-*/(),[]").find(c) == std::string_view::npos) return false;
    ++i;
  }
  return depth == 0;
}

bool MarsScript::IsSafeStatement(std::string_view statement) const {
  // Each line: "var NAME =" expression ";".
  size_t start = 0;
  while (start <= statement.size()) {
    size_t end = statement.find("\r\n\t", start);
    const std::string_view line = statement.substr(
        start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (line.substr(0, 4) != "var " || line.empty() || line.back() != ';') return false;
    const size_t equals = line.find(" =");
    if (equals == std::string_view::npos) return false;
    const std::string_view name = line.substr(4, equals - 4);
    if (name != "tempx" && script_names_.count(name) == 0) return false;
    if (!IsSafeExpression(line.substr(equals + 2, line.size() - equals - 3))) return false;
    if (end == std::string_view::npos) break;
    start = end + 3;
  }
  return true;
}

std::vector<std::string> BasisFunctionScript(const MarsModel& model, MessagePort& messages) {
  return MarsScript(model, messages).Statements();
}

}  // namespace kdk
