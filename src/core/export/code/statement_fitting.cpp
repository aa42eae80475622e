#include "core/export/code/statement_fitting.h"

#include <unordered_set>

#include "core/common/text_utils.h"
#include "core/export/code/network_expression.h"
#include "core/lang/language_rules.h"

namespace kdk {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Fortran: each line over the limit is broken before a " + " or " - " (a term of a
// sum), else at a blank, so that every piece with its " &" fits.
void AppendFortranLine(std::string& out, std::string_view line, std::size_t limit) {
  constexpr std::string_view kMark = " &";
  while (line.size() > limit) {
    const std::size_t room = limit - kMark.size();
    std::size_t cut = std::string_view::npos;
    for (std::size_t at = room; at > 0; --at) {
      if (line[at] == ' ' && at + 2 < line.size() && (line[at + 1] == '+' || line[at + 1] == '-') &&
          line[at + 2] == ' ') {
        cut = at;
        break;
      }
    }
    if (cut == std::string_view::npos) cut = line.rfind(' ', room);
    if (cut == std::string_view::npos || cut == 0) break;  // one word: nothing to do
    out.append(line.substr(0, cut)).append(kMark).append(kLineEnd);
    line.remove_prefix(cut);
  }
  out.append(line);
}

bool LinesFit(std::string_view text, std::size_t limit) {
  std::size_t start = 0;
  for (std::size_t end = text.find(kLineEnd); end != std::string_view::npos;
       end = text.find(kLineEnd, start)) {
    if (end - start > limit) return false;
    start = end + kLineEnd.size();
  }
  return text.size() - start <= limit;
}

// Where the first line over the limit starts, or npos.
std::size_t FirstLongLine(std::string_view text, std::size_t limit) {
  std::size_t start = 0;
  for (std::size_t end = text.find(kLineEnd); end != std::string_view::npos;
       end = text.find(kLineEnd, start)) {
    if (end - start > limit) return start;
    start = end + kLineEnd.size();
  }
  return text.size() - start > limit ? start : std::string_view::npos;
}

// The text from `from` on, moved out so that what comes before it stays in place and
// the fitted rest is appended behind it: a program's long lines come late, after its
// many short statements.
std::string MoveRest(std::string& text, std::size_t from, std::size_t room) {
  std::string rest = text.substr(from);
  text.resize(from);
  text.reserve(from + rest.size() + room);
  return rest;
}

std::string FitFortran(std::string text) {
  const std::size_t limit = lang::RulesOf(lang::Language::Fortran90).max_line_length;
  const std::size_t first = FirstLongLine(text, limit);
  if (first == std::string_view::npos) return text;
  const std::string rest = MoveRest(text, first, (text.size() - first) / 32);
  const std::string_view all = rest;
  std::size_t start = 0;
  std::size_t copied = 0;  // lines that fit are copied in runs
  while (true) {
    const std::size_t end = all.find(kLineEnd, start);
    const std::size_t stop = end == std::string_view::npos ? all.size() : end;
    if (stop - start > limit) {
      text.append(all.substr(copied, start - copied));
      AppendFortranLine(text, all.substr(start, stop - start), limit);
      copied = stop;
    }
    if (end == std::string_view::npos) break;
    start = end + kLineEnd.size();
  }
  text.append(all.substr(copied));
  return text;
}

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// One Visual Basic statement (its lines without the " _" marks) joined and broken
// again at blanks into lines that fit. Returns how many lines it took.
std::size_t AppendVbStatement(std::string& out, const std::vector<std::string_view>& pieces,
                              std::size_t limit) {
  std::string joined;
  for (std::string_view piece : pieces) {
    if (!joined.empty() && !piece.empty() && IsNameChar(joined.back()) && IsNameChar(piece[0])) {
      joined.push_back(' ');
    }
    joined.append(piece);
  }
  constexpr std::string_view kMark = " _";
  std::string_view rest = joined;
  std::size_t lines = 1;
  while (rest.size() > limit) {
    std::size_t cut = rest.rfind(' ', limit - kMark.size());
    if (cut == std::string_view::npos || cut == 0) break;
    out.append(rest.substr(0, cut)).append(kMark).append(kLineEnd);
    rest.remove_prefix(cut + 1);
    ++lines;
  }
  out.append(rest);
  return lines;
}

std::string LayoutCaption(int format) {
  switch (format) {
    case kFormatA:
      return "A - long";
    case kFormatB:
      return "B - components 1";
    case kFormatC:
      return "C - components 2";
    default:
      return "D - components 3";
  }
}

// Whether every statement keeps to the continuation limit.
bool ContinuationsFit(std::string_view text, const lang::LanguageRules& rules) {
  int continuations = 0;
  for (std::size_t end = text.find(kLineEnd); end != std::string_view::npos;
       end = text.find(kLineEnd, end + kLineEnd.size())) {
    if (text.substr(0, end).ends_with(rules.continuation)) {
      if (++continuations > rules.max_continuations) return false;
    } else {
      continuations = 0;
    }
  }
  return true;
}

// One statement from `start`: its lines up to one that does not end in the mark, each
// without the mark, and whether one is over the limit. Returns where its last line ends.
std::size_t ReadVbStatement(std::string_view all, std::size_t start,
                            const lang::LanguageRules& rules,
                            std::vector<std::string_view>& statement, bool& over) {
  statement.clear();
  over = false;
  while (true) {
    std::size_t end = all.find(kLineEnd, start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    over = over || line.size() > rules.max_line_length;
    const bool continued = line.ends_with(rules.continuation);
    if (continued) line.remove_suffix(rules.continuation.size());
    statement.push_back(line);
    start = end + kLineEnd.size();
    if (!continued || end == all.size()) return end;
  }
}

std::string FitVisualBasic(int format, std::string text, MessagePort& messages) {
  const lang::LanguageRules& rules = lang::RulesOf(lang::Language::VisualBasic);
  const std::size_t limit = rules.max_line_length;
  const std::size_t most_lines = static_cast<std::size_t>(rules.max_continuations) + 1;
  if (LinesFit(text, limit) && ContinuationsFit(text, rules)) return text;
  std::vector<std::string_view> statement;
  bool over = false;
  // The statements before the first that does not fit stay where they are.
  std::size_t first = std::string_view::npos;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = ReadVbStatement(text, start, rules, statement, over);
    if (over || statement.size() > most_lines) {
      first = start;
      break;
    }
    if (end == text.size()) break;
    start = end + kLineEnd.size();
  }
  if (first == std::string_view::npos) return text;
  const std::string rest = MoveRest(text, first, 0);
  const std::string_view all = rest;
  std::size_t copied = 0;  // statements that fit are copied in runs
  std::size_t start = 0;
  while (start <= all.size()) {
    const std::size_t statement_start = start;
    const std::size_t end = ReadVbStatement(all, start, rules, statement, over);
    start = end + kLineEnd.size();
    if (over || statement.size() > most_lines) {
      std::size_t length = 0;
      for (std::string_view piece : statement) length += piece.size();
      // Each continued line holds at most the limit less its mark: a statement
      // longer than the lines allowed can hold is refused without breaking it.
      const std::size_t at_least =
          length > limit ? (length - limit) / (limit - rules.continuation.size()) + 1 : 1;
      text.append(all.substr(copied, statement_start - copied));
      const std::size_t used =
          at_least > most_lines ? at_least : AppendVbStatement(text, statement, limit);
      if (used > most_lines) {
        std::string message = "This network is too large for Visual Basic in layout \"" +
                              LayoutCaption(format) + "\": one statement would need at least " +
                              std::to_string(used - 1) + " line continuations, and Visual " +
                              "Basic allows " + std::to_string(rules.max_continuations) + ".";
        if (format != kFormatD) {
          message +=
              " Choose layout \"D - components 3\", which writes one short statement a term.";
        }
        messages.Inform(message, MessageIcon::Exclamation);
        return {};
      }
      copied = end;
    }
    if (end == all.size()) break;
  }
  text.append(all.substr(copied));
  return text;
}

// Java: statements past the method limit go into helper methods, each statement whole.
std::string SplitJavaStatements(std::string text) {
  if (text.size() <= kJavaMethodChars) return text;
  std::vector<std::string_view> chunks;
  std::string_view rest = text;
  while (!rest.empty()) {
    std::size_t end = rest.size();
    if (rest.size() > kJavaMethodChars) {
      end = rest.rfind(";\r\n", kJavaMethodChars);
      if (end == std::string_view::npos || end == 0) end = rest.find(";\r\n");
      end = end == std::string_view::npos ? rest.size() : end + 1;
    }
    chunks.push_back(rest.substr(0, end));
    rest.remove_prefix(end);
  }
  std::string out;
  out.reserve(text.size() + chunks.size() * 64);
  for (std::size_t n = 1; n <= chunks.size(); ++n) {
    out.append(kLineEnd).append("\tcalcNet").append(std::to_string(n)).append("();");
  }
  out.append(kLineEnd).append("}");
  for (std::size_t n = 0; n < chunks.size(); ++n) {
    out.append(kLineEnd).append(kLineEnd);
    out.append("public static void calcNet").append(std::to_string(n + 1)).append("()");
    out.append(kLineEnd).append("{").append(chunks[n]);
    if (n + 1 < chunks.size()) out.append(kLineEnd).append("}");
  }
  return out;
}

}  // namespace

std::string JavaClassProblem(const CodeExportSettings& settings, const NetworkModel& model) {
  constexpr std::size_t kConstants = 65535;
  constexpr std::size_t kFixed = 100;  // classes, methods, strings of the fixed text
  const std::size_t inputs = model.input_names.size();
  const std::size_t slots = model.who.size();
  std::size_t terms = 0;
  std::size_t biases = 0;
  for (std::size_t k = 0; k < slots; ++k) {
    for (std::size_t i = 0; i < inputs; ++i) terms += model.wih[i][k] != 0 ? 1 : 0;
    biases += model.wih[inputs][k] != 0 ? 1 : 0;
  }
  std::size_t variables = inputs + 1;
  if (settings.equation_format == kFormatB || settings.equation_format == kFormatC) {
    variables += slots;
  } else if (settings.equation_format == kFormatD) {
    variables += terms + biases + slots + 1;
  }
  // At most two numbers a term and two a slot: most networks end here.
  const std::size_t at_most = kFixed + 3 * variables + 2 * (2 * terms + 2 * slots + 2);
  if (at_most <= kConstants) return {};
  // Distinct numbers are counted only until they are too many.
  const std::size_t for_numbers =
      kFixed + 3 * variables < kConstants ? (kConstants - kFixed - 3 * variables) / 2 : 0;
  std::unordered_set<double> numbers;
  numbers.reserve(for_numbers + 1);
  for (std::size_t k = 0; k < slots && numbers.size() <= for_numbers; ++k) {
    for (std::size_t i = 0; i < inputs && numbers.size() <= for_numbers; ++i) {
      const double w = model.wih[i][k];
      if (w == 0) continue;
      const double span = model.max_norm[i] - model.min_norm[i];
      numbers.insert((w + w) / span);
      numbers.insert(((model.min_norm[i] + model.min_norm[i]) / span + 1) * w);
    }
    numbers.insert(model.wih[inputs][k]);
    numbers.insert(model.who[k]);
  }
  if (numbers.size() <= for_numbers) return {};
  const std::size_t needed = kFixed + 3 * variables + 2 * numbers.size();
  return "This network is too large for one Java class: its program would need more than " +
         std::to_string(needed) + " constants, and a Java class file holds at most " +
         std::to_string(kConstants) + ". Choose another code format, such as C.";
}

std::string JavaSplitSum(const std::vector<std::string>& terms,
                         const std::function<std::string(std::string_view)>& output_line) {
  std::size_t total = 0;
  for (const std::string& term : terms) total += term.size();
  if (total <= kJavaMethodChars) return {};
  // Where each helper's terms begin.
  std::vector<std::size_t> starts = {0};
  std::size_t size = 0;
  for (std::size_t n = 0; n < terms.size(); ++n) {
    if (size > 0 && size + terms[n].size() > kJavaMethodChars) {
      starts.push_back(n);
      size = 0;
    }
    size += terms[n].size();
  }
  starts.push_back(terms.size());
  std::string calls;
  const std::size_t helpers = starts.size() - 1;
  for (std::size_t n = 1; n <= helpers; ++n) {
    if (n > 1) calls.append(" + ");
    calls.append("calcNet").append(std::to_string(n)).append("()");
  }
  std::string out = output_line(calls);
  out.reserve(out.size() + total + starts.size() * 64);
  out.append(kLineEnd).append("}");
  for (std::size_t n = 0; n + 1 < starts.size(); ++n) {
    out.append(kLineEnd).append(kLineEnd);
    out.append("public static double calcNet").append(std::to_string(n + 1)).append("()");
    out.append(kLineEnd).append("{").append(kLineEnd).append("return ");
    for (std::size_t t = starts[n]; t < starts[n + 1]; ++t) out.append(terms[t]);
    out.append(";");
    if (n + 2 < starts.size()) out.append(kLineEnd).append("}");
  }
  return out;
}

std::string FitStatements(const CodePlan& plan, std::string text, MessagePort& messages) {
  switch (plan.profile->fit) {
    case StatementFit::FortranLines:
      return FitFortran(std::move(text));
    case StatementFit::VisualBasicLines:
      return FitVisualBasic(plan.format, std::move(text), messages);
    case StatementFit::JavaMethods:
      // Layout A splits its one sum while writing it.
      if (plan.format == kFormatA) return text;
      return SplitJavaStatements(std::move(text));
    case StatementFit::None:
      return text;
  }
  return text;
}

}  // namespace kdk
