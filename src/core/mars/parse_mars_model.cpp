#include "core/mars/parse_mars_model.h"

#include <stdexcept>
#include <unordered_set>

#include "core/common/model_text.h"
#include "core/common/text_utils.h"
#include "core/mars/basis_function_ops.h"
#include "core/mars/mars_reading.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/mars_words.h"

namespace kdk {
namespace {

// Raised where the text does not have the shape of an export (no "BF" line, a block
// that runs off the end of the text); reported once as "Cannot Read Data".
struct UnreadableText : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Raised for a text of the right shape whose definitions no converter could write;
// its reason is shown after the message.
struct RefusedModel : std::runtime_error {
  using std::runtime_error::runtime_error;
};

bool StartsWithUpper(std::string_view line, std::string_view upper_prefix) {
  return line.size() >= upper_prefix.size() &&
         ToUpperAscii(line.substr(0, upper_prefix.size())) == upper_prefix;
}

// The first line at or after `from` that starts with the prefix, or `from` itself.
size_t FindBlock(const std::vector<std::string>& lines, size_t from, std::string_view prefix) {
  for (size_t i = from; i < lines.size(); ++i) {
    if (StartsWithUpper(TrimBlanks(lines[i]), prefix)) return i;
  }
  return from;
}

const std::string& LineAt(const std::vector<std::string>& lines, size_t index) {
  if (index >= lines.size()) throw UnreadableText("the text ends inside a block");
  return lines[index];
}

std::string DropFinalCharacter(const std::string& text) {
  if (text.empty()) throw UnreadableText("an empty block");
  return text.substr(0, text.size() - 1);
}

void CollectDefinitions(const std::vector<std::string>& lines, size_t& position, MarsModel& model) {
  std::vector<std::string> block;
  while (true) {
    const std::string& line = LineAt(lines, position++);
    if (line.empty()) break;
    block.push_back(line);
  }
  // A definition wrapped over several lines continues on lines without "BF".
  std::vector<bool> continuation(block.size());
  for (size_t i = 0; i < block.size(); ++i) {
    continuation[i] = !StartsWithUpper(TrimBlanks(block[i]), "BF");
  }
  for (size_t i = block.size(); i-- > 1;) {
    if (continuation[i]) block[i - 1].append(" ").append(block[i]);
  }
  for (size_t i = 0; i < block.size(); ++i) {
    if (!continuation[i]) model.basis_function_defs.push_back(std::move(block[i]));
  }
}

std::string CollectEquation(const std::vector<std::string>& lines, size_t& position) {
  std::string text;
  while (true) {
    const std::string& line = LineAt(lines, position++);
    text.append(" ").append(line);
    if (line.empty()) break;
  }
  return DropFinalCharacter(TrimBlanks(text));
}

std::string CollectModelStatement(const std::vector<std::string>& lines, size_t& position) {
  std::string text;
  bool last_line_empty = false;
  while (!last_line_empty && !EndsWithText(TrimBlanks(text), ";") && position < lines.size()) {
    const std::string& line = lines[position++];
    text.append(line);
    last_line_empty = line.empty();
  }
  return DropFinalCharacter(TrimBlanks(text));
}

void ReadStatementParts(MarsModel& model) {
  const std::vector<std::string> sides = SplitAt(model.model_statement, '=');
  model.model_term_count = static_cast<int>(SplitAt(TrimBlanks(sides.back()), ' ').size());
  const std::vector<std::string> left = SplitAt(TrimBlanks(sides.front()), ' ');
  model.output_name = TrimBlanks(left.back());
}

// The basis-function names, lower-cased and trimmed, as words are compared with them.
using LowerNames = std::unordered_set<std::string>;

LowerNames LowerBasisFunctionNames(const MarsModel& model) {
  LowerNames names;
  for (const std::string& name : model.basis_function_names) {
    names.insert(ToLowerAscii(TrimBlanks(name)));
  }
  return names;
}

bool IsWordDelimiter(char c) {
  return c == '+' || c == ',' || c == '-' || c == '=' || c == '>' || c == '.';
}

// The variable names of one piece of a definition, blank-separated.
std::string ExtractVariableNames(std::string_view piece, const LowerNames& basis_names) {
  std::string names;
  size_t start = 0;
  for (size_t i = 0; i < piece.size(); ++i) {
    const char c = piece[i];
    const bool last = i + 1 == piece.size();
    bool delimiter = IsWordDelimiter(c);
    // The sign of an exponent (1.5E-03) belongs to the number.
    if ((c == '+' || c == '-') && i > 0 && (piece[i - 1] == 'E' || piece[i - 1] == 'e')) {
      delimiter = false;
    }
    if (!last && !delimiter) continue;
    const size_t end = last ? i + 1 : i;
    const std::string word = TrimBlanks(piece.substr(start, end - start));
    start = i + 1;
    if (word.empty() || word == "." || IsNumberText(word) ||
        basis_names.count(ToLowerAscii(word)) != 0) {
      continue;
    }
    names.append(" ").append(word);
  }
  return names;
}

bool IsKeywordWord(std::string_view word) {
  const std::string upper = ToUpperAscii(word);
  return upper == "OR" || upper == "AND";
}

void FindInputs(MarsModel& model) {
  const LowerNames basis_names = LowerBasisFunctionNames(model);
  std::string list;
  for (const std::string& definition : model.basis_function_defs) {
    std::string text = TrimBlanks(definition);
    const size_t open = text.rfind('(');
    if (open != std::string::npos) text = text.substr(open + 1);
    const size_t close = text.find(')');
    if (close != std::string::npos) text = text.substr(0, close);
    for (const std::string& piece : SplitAtWord(text, "OR")) {
      const std::string names = TrimBlanks(ExtractVariableNames(TrimBlanks(piece), basis_names));
      list = TrimBlanks(list);
      list.append(" ").append(names);
    }
  }
  // A number or a keyword of the definitions' grammar is never an input, whatever
  // the text around it.
  std::unordered_set<std::string> known;
  for (const std::string& word : SplitAt(TrimBlanks(list), ' ')) {
    if (!IsMarsName(word) || IsKeywordWord(word)) continue;
    if (known.insert(word).second) model.input_names.push_back(word);
  }
}

// The converters substitute names as text, so an input whose name is part of a basis
// function's name that another definition uses could be replaced inside that name.
void WarnOfNameConflicts(const MarsModel& model, MessagePort& messages) {
  // Every basis-function name starts with "BF", so only bodies holding "BF" can hold one;
  // and a hostile text could ask for millions of warnings: after kMaxWarnings the
  // rest are left unsaid.
  constexpr int kMaxWarnings = 100;
  std::vector<std::string> bodies;
  for (const std::string& definition : model.basis_function_defs) {
    std::string body = ToUpperAscii(TrimBlanks(BasisFunctionBody(definition, messages)));
    if (ContainsText(body, "BF")) bodies.push_back(std::move(body));
  }
  int warnings = 0;
  for (const std::string& input_name : model.input_names) {
    const std::string input = ToUpperAscii(TrimBlanks(input_name));
    for (const std::string& bf_name : model.basis_function_names) {
      const std::string name = ToUpperAscii(TrimBlanks(bf_name));
      if (!ContainsText(name, input)) continue;
      for (const std::string& body : bodies) {
        if (!ContainsText(body, name)) continue;
        messages.Inform("Warning - there is a potential conflict with the variable named '" +
                        input + "' and the basis function " + name);
        if (++warnings == kMaxWarnings) return;
      }
    }
  }
}

}  // namespace

bool IsNumberText(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponent_digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  return i == text.size();
}

bool ParseMarsLines(const std::vector<std::string>& lines, MarsModel& model,
                    MessagePort& messages) {
  try {
    model.basis_function_defs.clear();
    model.basis_function_names.clear();
    model.input_names.clear();
    model.is_categorical.clear();

    size_t position = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
      if (StartsWithUpper(TrimBlanks(lines[i]), "BF")) {
        position = i;
        break;
      }
    }
    if (position == lines.size()) throw UnreadableText("no basis functions");

    CollectDefinitions(lines, position, model);
    position = FindBlock(lines, position, "Y =");
    model.equation = CollectEquation(lines, position);
    position = FindBlock(lines, position, "MODEL");
    model.model_statement = CollectModelStatement(lines, position);
    ReadStatementParts(model);

    for (const std::string& definition : model.basis_function_defs) {
      model.basis_function_names.push_back(TrimBlanks(SplitAt(definition, '=').front()));
    }
    FindInputs(model);
    WarnOfNameConflicts(model, messages);
    // Every converter and the evaluator read the model the same way; a text they
    // would not read is refused here, with the reason, before anything is written.
    MarsReading reading;
    std::string reason;
    if (!ReadMarsModel(model, reading, reason)) throw RefusedModel(reason);
    // An input is categorical when the reading finds a set test on it, however the
    // test is spaced (X1=1) and whatever other name holds its name (X10 = 1).
    model.is_categorical.assign(model.input_names.size(), false);
    for (const BasisReading& basis : reading.basis) {
      if (basis.form == BasisForm::SetTest) model.is_categorical[basis.input] = true;
    }
    return true;
  } catch (const std::exception& failure) {
    std::string text = "Cannot Read Data";
    text.append(kCrLf).append(kCrLf).append("Are you using valid MARS functions?");
    if (const auto* refused = dynamic_cast<const RefusedModel*>(&failure)) {
      text.append(kCrLf).append(kCrLf).append(refused->what());
    }
    messages.Inform(text, MessageIcon::Critical);
    return false;
  }
}

bool ParseMarsText(std::string_view text, MarsModel& model, MessagePort& messages) {
  std::string decoded, error;
  if (!DecodeModelText(text, decoded, error)) {
    messages.Inform(UnrepresentableTextMessage(error), MessageIcon::Critical);
    return false;
  }
  std::vector<std::string> lines;
  return SplitTextLines(decoded, lines) && ParseMarsLines(lines, model, messages);
}

bool ParseMarsModel(MarsModel& current, const std::string& model_path, MessagePort& messages) {
  std::vector<std::string> lines;
  if (current.source_kind == kSourceTextFile) {
    if (!ReadTextFileLines(model_path, lines, messages)) return false;
  } else if (current.source_kind != kSourcePaste) {
    return false;
  }
  MarsModel fresh;
  fresh.source_kind = current.source_kind;
  fresh.pasted_text = current.pasted_text;
  const bool parsed = current.source_kind == kSourcePaste
                          ? ParseMarsText(current.pasted_text, fresh, messages)
                          : ParseMarsLines(lines, fresh, messages);
  if (!parsed) return false;
  current = std::move(fresh);
  return true;
}

}  // namespace kdk
