#include "core/export/code/network_expression.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/program_names.h"
#include "core/export/code/statement_fitting.h"
#include "core/lang/language_rules.h"
#include "core/network/evaluate_network.h"
#include "core/network/network_numbers.h"

namespace kdk {

namespace {

// The text of a layout, written once. The clean-up (doubled signs, doubled line
// ends, the last line end) is applied while writing, so that the generated text
// needs no further pass: a negative number after " + " is written " - " and its
// magnitude, and a run of line ends is written as the clean-up leaves it (a run of
// n becomes ceil(n/4): two passes that each halve it). In the literal mode the text
// is written as the layouts describe it, for CleanUpExpression to clean.
class ExpressionText {
 public:
  explicit ExpressionText(bool clean) : clean_(clean) {}

  void Reserve(std::size_t size) { text_.reserve(size); }

  // Pieces hold no run of two line ends themselves; runs form where pieces meet.
  void Append(std::string_view piece) {
    if (!clean_) {
      text_.append(piece);
      return;
    }
    while (piece.starts_with(kCrLf)) {
      ++line_ends_;
      piece.remove_prefix(kCrLf.size());
    }
    if (piece.empty()) return;
    FlushLineEnds();
    std::size_t trailing = 0;
    while (piece.size() >= kCrLf.size() * (trailing + 1) &&
           piece.substr(piece.size() - kCrLf.size() * (trailing + 1), kCrLf.size()) == kCrLf) {
      ++trailing;
    }
    text_.append(piece.substr(0, piece.size() - trailing * kCrLf.size()));
    line_ends_ = trailing;
  }

  // A long piece that starts with one line end and does not end with one, taken
  // over without a copy when it is the whole text.
  void AppendWhole(std::string&& piece) {
    if (clean_ && text_.empty() && line_ends_ == 0) {
      text_ = std::move(piece);
    } else {
      Append(piece);
    }
  }

  // The text itself, for a long piece that neither starts nor ends with a line end
  // (line ends pending before it are written first).
  std::string& Direct() {
    FlushLineEnds();
    return text_;
  }

  // A piece written straight into the text, taken as Append takes it: Open counts
  // the line ends it starts with (what follows them is not empty and starts with
  // none) and returns the text; Close holds back the line ends it ends with.
  std::string& Open(std::size_t leading_line_ends) {
    if (!clean_) {
      for (std::size_t n = 0; n < leading_line_ends; ++n) text_.append(kCrLf);
      return text_;
    }
    line_ends_ += leading_line_ends;
    FlushLineEnds();
    piece_start_ = text_.size();
    return text_;
  }

  void Close() {
    if (!clean_) return;
    std::size_t end = text_.size();
    std::size_t trailing = 0;
    while (end >= piece_start_ + kCrLf.size() &&
           std::string_view(text_).substr(end - kCrLf.size(), kCrLf.size()) == kCrLf) {
      end -= kCrLf.size();
      ++trailing;
    }
    text_.resize(end);
    line_ends_ = trailing;
  }

  std::string Finish() {
    if (clean_) {
      // The clean-up's last step drops up to two line ends from the end.
      const std::size_t kept = (line_ends_ + 3) / 4;
      line_ends_ = kept > 2 ? kept - 2 : 0;
      for (std::size_t n = 0; n < line_ends_; ++n) text_.append(kCrLf);
      line_ends_ = 0;
    }
    return std::move(text_);
  }

 private:
  void FlushLineEnds() {
    for (std::size_t n = 0; n < (line_ends_ + 3) / 4; ++n) text_.append(kCrLf);
    line_ends_ = 0;
  }

  bool clean_;
  std::string text_;
  std::size_t line_ends_ = 0;
  std::size_t piece_start_ = 0;
};

// Writes the statements of one layout; holds the syntax pieces and the names so
// that each is computed once.
class ExpressionWriter {
 public:
  ExpressionWriter(CodePlan& plan, const NetworkModel& model, bool clean)
      : profile_(*plan.profile),
        temporaries_(plan.temporaries),
        model_(model),
        rules_(plan.rules()),
        clean_(clean),
        prefix_(plan.syntax.statement_prefix),
        terminator_(plan.syntax.line_terminator),
        continuation_(plan.syntax.line_continuation),
        section_end_(plan.syntax.section_end),
        root_(plan.names.root),
        output_(plan.names.output),
        tanh_call_(profile_.tanh_call),
        tanh_mode_(plan.syntax.tanh_mode),
        inputs_(model.InputCount()),
        slots_(model.HiddenSlots()),
        names_(plan.names.inputs) {
    temporaries_.assign(1, std::string());
    const auto slots = static_cast<std::size_t>(slots_);
    temporaries_.reserve(plan.format == kFormatD ? slots * static_cast<std::size_t>(inputs_ + 2) + 2
                                                 : slots + 1);
  }

  std::string Write(int format) {
    ExpressionText text(clean_);
    // At most about 70 characters a term; in layout D with room for the program's
    // declaration of each name around it. Pages reserved and not written cost nothing.
    text.Reserve(static_cast<std::size_t>(inputs_ + 2) * static_cast<std::size_t>(slots_) *
                 (format == kFormatD ? 160 : 80));
    switch (format) {
      case kFormatA:
        FormatA(text);
        break;
      case kFormatB:
        FormatB(text);
        break;
      case kFormatC:
        FormatC(text);
        break;
      case kFormatD:
        FormatD(text);
        break;
      default:
        break;
    }
    return text.Finish();
  }

 private:
  bool IsBiasSlot(int k) const { return k == slots_ - 1; }

  std::string Numbered(int m) const { return root_ + std::to_string(m); }

  // Numbers as the language reads them: a whole number past the integer range of
  // Java or Fortran gets a decimal point.
  void AppendNumber(std::string& out, double value) const {
    lang::AppendRealLiteral(rules_, out, value);
  }
  // A number that alone makes up a value computed in integers (a neuron without
  // input terms, a network without hidden neurons) is written as a real.
  void AppendReal(std::string& out, double value) const {
    lang::AppendRealLiteral(rules_, out, value, true);
  }

  // " + value", or " - magnitude" where the clean-up would turn "+ -" into "- ".
  void AppendPlus(std::string& out, double value, bool real = false) const {
    const bool flip = clean_ && value < 0;
    out.append(flip ? " - " : " + ");
    if (real) {
      AppendReal(out, flip ? -value : value);
    } else {
      AppendNumber(out, flip ? -value : value);
    }
  }

  // "((name * (coefficient)) - offset)"; false when the weight is 0 (no term).
  bool AppendInputTerm(std::string& out, int i, int k) const {
    const double w = model_.wih[i][k];
    if (w == 0) return false;
    const double coefficient = FoldedCoefficient(w, model_.max_norm[i], model_.min_norm[i]);
    const double offset = FoldedOffset(w, model_.max_norm[i], model_.min_norm[i]);
    out.append("((");
    out.append(names_[i]);
    out.append(" * (");
    AppendNumber(out, coefficient);
    if (offset == 0) {
      out.append(")))");
    } else if (clean_ && offset < 0) {
      out.append(")) + ");  // "- -" cleaned up
      AppendNumber(out, -offset);
      out.append(")");
    } else {
      out.append(")) - ");
      AppendNumber(out, offset);
      out.append(")");
    }
    return true;
  }

  // The input terms and the bias of a hidden neuron, each further term on a new
  // line starting " + "; for the bias slot its output weight. A neuron without
  // input terms has its bias alone, written as a real where it stands in an
  // expression (`real_bias`).
  void AppendHiddenSum(std::string& sum, int k, bool real_bias = false) const {
    if (IsBiasSlot(k)) {
      AppendNumber(sum, model_.who[k]);
      return;
    }
    bool any = false;
    for (int i = 0; i < inputs_; ++i) {
      const std::size_t before = sum.size();
      if (any) sum.append(continuation_).append(" + ");
      if (AppendInputTerm(sum, i, k)) {
        any = true;
      } else {
        sum.resize(before);
      }
    }
    const double bias = model_.wih[inputs_][k];
    if (any) {
      sum.append(continuation_);
      AppendPlus(sum, bias);
    } else if (real_bias) {
      AppendReal(sum, bias);
    } else {
      AppendNumber(sum, bias);
    }
  }

  bool IsNonLinear(int k) const {
    return !IsBiasSlot(k) && model_.hidden_type[k] == NeuronType::NonLinear;
  }

  // A hidden slot's output contribution; a non-linear neuron always with the Tanh( call.
  void AppendWeightedTerm(std::string& out, int k) const {
    if (IsBiasSlot(k)) {
      AppendNumber(out, model_.who[k]);
      return;
    }
    // A linear neuron's sum is bracketed like the tanh call: without the brackets
    // its output weight would multiply only the sum's last term.
    out.append(continuation_);
    out.append(IsNonLinear(k) ? tanh_call_ : "(");
    out.append(continuation_);
    AppendHiddenSum(out, k, true);
    out.append(continuation_);
    out.append(")");
    out.append(" * (");
    AppendNumber(out, model_.who[k]);
    out.append(")");
  }

  // "name = weight * tanh(name)" for a non-linear neuron, without tanh for a linear
  // one, "name = name" for the bias slot.
  void AppendActivationLine(std::string& out, const std::string& name, int k) const {
    if (IsNonLinear(k) && profile_.clip_exponential_tanh && tanh_mode_ == kTanhExponential) {
      AppendSpssClip(out, name);
    }
    out.append(prefix_);
    out.append(name);
    out.append(" = ");
    if (IsBiasSlot(k)) {
      out.append(name);
    } else {
      AppendNumber(out, model_.who[k]);
      out.append(" * ");
      out.append(IsNonLinear(k) ? TanhExprIn(name, tanh_mode_, tanh_call_) : name);
    }
    out.append(terminator_);
    out.append(kCrLf);
  }

  // SPSS's Exp overflows to system-missing past about 709, where the network's tanh is
  // 1 or -1: the sum is clipped at 20, as the network clips it, before the exponential
  // form. IF keeps a missing sum missing (MIN and MAX would ignore it).
  void AppendSpssClip(std::string& out, const std::string& name) const {
    out.append("IF (").append(name).append(" > 20) ").append(name).append(" = 20");
    out.append(terminator_).append(kCrLf);
    out.append("IF (").append(name).append(" < -20) ").append(name).append(" = -20");
    out.append(terminator_).append(kCrLf);
  }

  void AppendAssignment(std::string& out, const std::string& name, std::string_view value) const {
    out.append(prefix_);
    out.append(name);
    out.append(" = ");
    out.append(value);
    out.append(terminator_);
    out.append(kCrLf);
  }

  void AddTemp(std::string name) { temporaries_.push_back(std::move(name)); }

  // CR LF, the assignment of the output, "((((".
  void AppendOutputStart(std::string& out, bool line_end = true) const {
    if (line_end) out.append(kCrLf);
    out.append(prefix_);
    out.append(output_);
    out.append(" = ((((");
  }

  // The scaling back to real units after the normalised output.
  void AppendOutputEnd(std::string& out) const {
    out.append(")/2) + 0.5) * ");
    AppendNumber(out, model_.max_norm_out - model_.min_norm_out);
    out.append(")");
    if (model_.min_norm_out != 0) AppendPlus(out, model_.min_norm_out);
    out.append(terminator_);
  }

  std::string OutputStatement(std::string_view x) const {
    std::string line;
    line.reserve(x.size() + 96);
    AppendOutputStart(line);
    line.append(x);
    AppendOutputEnd(line);
    return line;
  }

  // One "+" term per hidden neuron, then the output bias with its sign. Without
  // hidden neurons the output bias alone is the sum, written as a real so that the
  // scaling's "/2" does not divide integers; with no bias either the sum is 0.
  void AppendFormatATerm(std::string& out, int k) const {
    out.append(continuation_);
    out.append("+");
    AppendWeightedTerm(out, k);
  }

  void AppendFormatABias(std::string& out) const {
    const double bias = model_.who[slots_ - 1];
    const bool alone = slots_ == 1;
    if (bias != 0) {
      out.append(continuation_);
      out.append(bias > 0 ? "+" : "-");
      if (alone) {
        AppendReal(out, std::fabs(bias));
      } else {
        AppendNumber(out, std::fabs(bias));
      }
    } else if (alone) {
      AppendReal(out, 0);
    }
  }

  void FormatA(ExpressionText& text) {
    if (profile_.fit == StatementFit::JavaMethods) {
      std::vector<std::string> terms(static_cast<std::size_t>(slots_));
      for (int k = 0; k + 1 < slots_; ++k) AppendFormatATerm(terms[k], k);
      AppendFormatABias(terms.back());
      std::string split =
          JavaSplitSum(terms, [this](std::string_view sum) { return OutputStatement(sum); });
      if (!split.empty()) {
        text.AppendWhole(std::move(split));
        return;
      }
    }
    // One statement: written straight into the text.
    text.Append(kCrLf);
    std::string& statement = text.Direct();
    AppendOutputStart(statement, false);
    for (int k = 0; k + 1 < slots_; ++k) AppendFormatATerm(statement, k);
    AppendFormatABias(statement);
    AppendOutputEnd(statement);
  }

  static void AppendToList(std::string& list, std::string_view name) {
    if (!list.empty()) list.append(" + ");
    list.append(name);
  }

  void FormatB(ExpressionText& text) {
    std::string list;
    std::string line;
    for (int k = 0; k < slots_; ++k) {
      const std::string name = Numbered(k + 1);
      line.clear();
      line.append(kCrLf);
      line.append(prefix_);
      line.append(name);
      line.append(" = ");
      AppendWeightedTerm(line, k);
      line.append(terminator_);
      line.append(kCrLf);
      text.Append(line);
      AddTemp(name);
      AppendToList(list, name);
    }
    text.Append(OutputStatement(list));
  }

  void FormatC(ExpressionText& text) {
    std::string weighted;
    std::string list;
    std::string line;
    for (int k = 0; k < slots_; ++k) {
      const std::string name = Numbered(k + 1);
      AddTemp(name);
      line.clear();
      line.append(kCrLf);
      line.append(prefix_);
      line.append(name);
      line.append(" = ");
      AppendHiddenSum(line, k);
      line.append(terminator_);
      line.append(kCrLf);
      text.Append(line);
      AppendActivationLine(weighted, name, k);
      AppendToList(list, name);
    }
    text.Append(section_end_);
    text.Append(weighted);
    text.Append(section_end_);
    text.Append(OutputStatement(list));
    text.Append(section_end_);
  }

  // Whether hidden slot k has a term or a bias to assign in layout D.
  bool HasComponents(int k) const {
    if (model_.wih[inputs_][k] != 0) return true;
    for (int i = 0; i < inputs_; ++i) {
      if (model_.wih[i][k] != 0) return true;
    }
    return false;
  }

  // Layout D: one statement a term and a bias, then each slot's sum of the names
  // assigned, its activation, their total and the output. Each name is built once,
  // kept in the temporaries and copied from there; the statements are
  // written straight into the text.
  void FormatD(ExpressionText& text) {
    const std::vector<std::string>& temps = temporaries_;
    // Where each slot's term names begin and end in temps; its bias name, when
    // assigned, follows them.
    std::vector<std::size_t> terms_begin(static_cast<std::size_t>(slots_));
    std::vector<std::size_t> terms_end(static_cast<std::size_t>(slots_));
    std::string weighted;
    std::string list;
    for (int k = 0; k < slots_; ++k) {
      const std::string name = Numbered(k + 1);
      terms_begin[k] = temps.size();
      terms_end[k] = temps.size();
      if (!HasComponents(k)) {
        text.Append(kCrLf);
      } else {
        std::string& out = text.Open(1);
        for (int i = 0; i < inputs_; ++i) {
          if (model_.wih[i][k] == 0) continue;  // no term
          AddTemp(SuffixedName(name, i + 1));
          out.append(prefix_).append(temps.back()).append(" = ");
          AppendInputTerm(out, i, k);
          out.append(terminator_).append(kCrLf);
        }
        terms_end[k] = temps.size();
        const double bias = model_.wih[inputs_][k];
        if (bias != 0) {
          AddTemp(SuffixedName(name, inputs_ + 1));
          out.append(prefix_).append(temps.back()).append(" = ");
          AppendNumber(out, bias);
          out.append(terminator_).append(kCrLf);
        }
        text.Close();
      }
      AppendActivationLine(weighted, name, k);
      AppendToList(list, name);
    }
    text.Append(section_end_);
    std::string zero;
    AppendNumber(zero, 0);
    {
      std::string& out = text.Open(0);
      for (int k = 0; k < slots_; ++k) {
        const std::string name = Numbered(k + 1);
        AddTemp(name);
        out.append(prefix_).append(name).append(" = ");
        const std::size_t sum_start = out.size();
        for (std::size_t t = terms_begin[k]; t < terms_end[k]; ++t) {
          if (t > terms_begin[k]) out.append(" + ");
          out.append(temps[t]);
        }
        if (model_.who[k] != 0) {
          const bool bias_written = model_.wih[inputs_][k] != 0;
          if (!IsBiasSlot(k) && bias_written) {
            out.append(" + ").append(temps[terms_end[k]]);
          } else if (IsBiasSlot(k)) {
            AppendPlus(out, model_.who[k]);
          }
        }
        // A slot without components (a zero output bias, a neuron whose weights and
        // bias are all 0) still has its activation line below, which reads it.
        const std::string_view sum = std::string_view(out).substr(sum_start);
        if (sum.empty()) {
          out.append(zero);
        } else if (!rules_.unary_plus && sum.starts_with(" + ") && !sum.starts_with(" + -")) {
          // Without a unary plus "=  + 0.75" becomes "= 0 + 0.75". (" + -" is a minus
          // once cleaned up.) Such a sum has no terms: it is short.
          out.insert(sum_start, zero);
        }
        out.append(terminator_).append(kCrLf);
      }
      text.Close();
    }
    text.Append(section_end_);
    text.Append(weighted);
    text.Append(section_end_);
    AddTemp(root_);
    std::string total = prefix_;
    total.append(root_).append(" = ").append(list).append(terminator_);
    text.Append(total);
    text.Append(section_end_);
    text.Append(OutputStatement(root_));
    text.Append(section_end_);
  }

  static std::string SuffixedName(const std::string& name, int number) {
    std::string suffixed = name;
    suffixed.push_back('_');
    suffixed.append(std::to_string(number));
    return suffixed;
  }

  const CodeTypeProfile& profile_;
  std::vector<std::string>& temporaries_;
  const NetworkModel& model_;
  const lang::LanguageRules& rules_;
  const bool clean_;
  const std::string prefix_;
  const std::string terminator_;
  const std::string continuation_;
  const std::string section_end_;
  const std::string root_;
  const std::string output_;
  const std::string_view tanh_call_;
  const int tanh_mode_;
  const int inputs_;
  const int slots_;
  const std::vector<std::string>& names_;
};

// Whether the clean-up would change the text: a doubled sign, two line ends in a
// row or a line end at the end. Each is looked for with find, which skips to the
// candidates' first characters.
bool NeedsCleanUp(std::string_view text) {
  if (text.ends_with(kCrLf)) return true;
  for (std::string_view doubled : {"- -", "- +", "+ -", "\n\r\n"}) {
    if (text.find(doubled) != std::string_view::npos) return true;
  }
  return false;
}

bool InputsFit(const CodeExportSettings& settings, const NetworkModel& model,
               MessagePort& messages) {
  std::string problem = NetworkShapeProblem(model);
  if (problem.empty()) problem = UnscalableInputMessage(model);
  // Loading refuses what no language can read; Fortran's REAL holds less.
  if (problem.empty()) {
    problem = NetworkNumberProblem(model, RulesOf(settings.code_type).real_kind);
  }
  if (!problem.empty()) {
    messages.Inform(problem, MessageIcon::Exclamation);
    return false;
  }
  if (settings.equation_format < kFormatB || settings.equation_format > kFormatD) {
    messages.Inform("error!", MessageIcon::Information);
    return false;
  }
  if (ProfileOf(settings.code_type).fit == StatementFit::JavaMethods) {
    const std::string too_large = JavaClassProblem(settings, model);
    if (!too_large.empty()) {
      messages.Inform(too_large, MessageIcon::Exclamation);
      return false;
    }
  }
  return true;
}

}  // namespace

std::string TanhExprIn(std::string_view x, int tanh_mode, std::string_view tanh_call) {
  std::string text;
  if (tanh_mode == kTanhCall) {
    text.append(tanh_call).append(x).append(")");
  } else if (tanh_mode == kTanhExponential) {
    text.append("(Exp(").append(x).append(") - Exp(-").append(x).append(")) / (Exp(");
    text.append(x).append(") + Exp(-").append(x).append("))");
  }
  return text;
}

std::string CleanUpExpression(std::string_view text) {
  std::string cleaned = ReplaceAll(text, "- -", "+ ");
  cleaned = ReplaceAll(cleaned, "+ -", "- ");
  cleaned = ReplaceAll(cleaned, "- +", "- ");
  cleaned = ReplaceAll(cleaned, "\r\n\r\n", "\r\n");
  cleaned = ReplaceAll(cleaned, "\r\n\r\n", "\r\n");
  for (int pass = 0; pass < 2; ++pass) {
    if (EndsWithText(cleaned, kCrLf)) cleaned.resize(cleaned.size() - kCrLf.size());
  }
  return cleaned;
}

std::string NetworkShapeProblem(const NetworkModel& model) {
  const size_t inputs = model.input_names.size();
  const size_t slots = model.who.size();
  bool fits = inputs >= 1 && slots >= 1 && model.max_norm.size() == inputs &&
              model.min_norm.size() == inputs && model.max_seen.size() == inputs &&
              model.min_seen.size() == inputs && model.hidden_type.size() == slots &&
              model.wih.size() == inputs + 1;
  for (size_t i = 0; fits && i < model.wih.size(); ++i) fits = model.wih[i].size() == slots;
  if (fits) return {};
  return "The network is incomplete: its weights do not match its " + std::to_string(inputs) +
         " inputs and " + std::to_string(slots) + " hidden slots.";
}

std::string LiteralNetworkExpression(const CodeExportSettings& settings, const NetworkModel& model,
                                     CodePlan& plan, MessagePort& messages) {
  plan.temporaries.assign(1, std::string());
  if (!InputsFit(settings, model, messages)) return {};
  plan = PlanCode(settings, model);
  return ExpressionWriter(plan, model, false).Write(plan.format);
}

std::string NetworkExpression(const CodeExportSettings& settings, const NetworkModel& model,
                              CodePlan& plan, MessagePort& messages) {
  plan.temporaries.assign(1, std::string());
  if (!InputsFit(settings, model, messages)) return {};
  plan = PlanCode(settings, model);
  std::string text = ExpressionWriter(plan, model, true).Write(plan.format);
  // Only the Equation type's own syntax and unchanged names can hold what the
  // clean-up replaces; then the text is written as described and cleaned up whole.
  if (plan.profile->user_syntax && NeedsCleanUp(text)) {
    text = CleanUpExpression(ExpressionWriter(plan, model, false).Write(plan.format));
  }
  return FitStatements(plan, std::move(text), messages);
}

}  // namespace kdk
