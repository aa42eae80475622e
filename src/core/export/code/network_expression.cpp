#include "core/export/code/network_expression.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/number_text.h"
#include "core/common/text_utils.h"
#include "core/export/code/program_names.h"
#include "core/export/code/statement_fitting.h"
#include "core/lang/language_rules.h"
#include "core/network/evaluate_network.h"

namespace kdk {

namespace {

std::string_view TanhCallOf(CodeType type);

// Writes the statements of one layout; holds the syntax pieces and the cleaned
// names so that each is computed once.
class ExpressionWriter {
 public:
  ExpressionWriter(CodeExportSettings& settings, const NetworkModel& model,
                   const ProgramNames& names)
      : settings_(settings),
        model_(model),
        rules_(lang::RulesOf(LanguageOf(settings.code_type))),
        prefix_(settings.statement_prefix),
        terminator_(settings.line_terminator),
        continuation_(settings.line_continuation),
        section_end_(settings.section_end),
        root_(names.root),
        output_(names.output),
        tanh_call_(TanhCallOf(settings.code_type)),
        inputs_(model.InputCount()),
        slots_(model.HiddenSlots()),
        names_(names.inputs) {
    settings.root_name = root_;
    settings.temp_variables.assign(1, std::string());
  }

  // Whether Write's text is already cleaned up (Java's split layout A cleans each
  // term itself: the lines between its methods must stay).
  bool Cleaned() const { return cleaned_; }

  std::string Write(int format) {
    switch (format) {
      case kFormatA:
        return FormatA();
      case kFormatB:
        return FormatB();
      case kFormatC:
        return FormatC();
      case kFormatD:
        return FormatD();
      default:
        return {};
    }
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

  bool HasInputTerms(int k) const {
    for (int i = 0; i < inputs_; ++i) {
      if (model_.wih[i][k] != 0) return true;
    }
    return false;
  }

  // "((name * (coefficient)) - offset)"; false when the weight is 0 (no term).
  bool AppendInputTerm(std::string& out, int i, int k) const {
    const double w = model_.wih[i][k];
    if (w == 0) return false;
    const double span = model_.max_norm[i] - model_.min_norm[i];
    const double coefficient = (w + w) / span;
    const double offset = ((model_.min_norm[i] + model_.min_norm[i]) / span + 1) * w;
    out.append("((");
    out.append(names_[i]);
    out.append(" * (");
    AppendNumber(out, coefficient);
    if (offset == 0) {
      out.append(")))");
    } else {
      out.append(")) - ");
      AppendNumber(out, offset);
      out.append(")");
    }
    return true;
  }

  // The input terms and the bias of a hidden neuron, each further term on a new
  // line starting " + "; for the bias slot its output weight.
  std::string HiddenSum(int k, bool real_bias = false) const {
    std::string sum;
    if (IsBiasSlot(k)) {
      AppendNumber(sum, model_.who[k]);
      return sum;
    }
    sum.reserve(static_cast<size_t>(inputs_ + 1) * 48);
    for (int i = 0; i < inputs_; ++i) {
      const size_t before = sum.size();
      if (before > 0) {
        sum.append(continuation_);
        sum.append(" + ");
      }
      if (!AppendInputTerm(sum, i, k)) sum.resize(before);
    }
    if (!sum.empty()) {
      sum.append(continuation_);
      sum.append(" + ");
      AppendNumber(sum, model_.wih[inputs_][k]);
    } else if (real_bias) {
      AppendReal(sum, model_.wih[inputs_][k]);
    } else {
      AppendNumber(sum, model_.wih[inputs_][k]);
    }
    return sum;
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
    out.append(HiddenSum(k, true));
    out.append(continuation_);
    out.append(")");
    out.append(" * (");
    AppendNumber(out, model_.who[k]);
    out.append(")");
  }

  // "name = weight * tanh(name)" for a non-linear neuron, without tanh for a linear
  // one, "name = name" for the bias slot.
  void AppendActivationLine(std::string& out, const std::string& name, int k) const {
    out.append(prefix_);
    out.append(name);
    out.append(" = ");
    if (IsBiasSlot(k)) {
      out.append(name);
    } else {
      AppendNumber(out, model_.who[k]);
      out.append(" * ");
      out.append(IsNonLinear(k) ? TanhExprIn(name, settings_.tanh_mode, tanh_call_) : name);
    }
    out.append(terminator_);
    out.append(kCrLf);
  }

  void AppendAssignment(std::string& out, const std::string& name, std::string_view value) const {
    out.append(prefix_);
    out.append(name);
    out.append(" = ");
    out.append(value);
    out.append(terminator_);
    out.append(kCrLf);
  }

  void AddTemp(const std::string& name) { settings_.temp_variables.push_back(name); }

  // The sum of the weighted terms, one "+" term after another. Without hidden
  // neurons the output bias alone is the sum, written as a real so that the
  // scaling's "/2" does not divide integers; with no bias either the sum is 0.
  std::vector<std::string> FormatATerms() const {
    std::vector<std::string> terms;
    terms.reserve(static_cast<size_t>(slots_));
    for (int k = 0; k + 1 < slots_; ++k) {
      std::string term(continuation_);
      term.append("+");
      AppendWeightedTerm(term, k);
      terms.push_back(std::move(term));
    }
    const double bias = model_.who[slots_ - 1];
    const bool alone = terms.empty();
    if (bias != 0) {
      std::string term(continuation_);
      term.append(bias > 0 ? "+" : "-");
      if (alone) {
        AppendReal(term, std::fabs(bias));
      } else {
        AppendNumber(term, std::fabs(bias));
      }
      terms.push_back(std::move(term));
    } else if (alone) {
      std::string zero;
      AppendReal(zero, 0);
      terms.push_back(std::move(zero));
    }
    return terms;
  }

  std::string FormatA() {
    const std::vector<std::string> terms = FormatATerms();
    if (settings_.code_type == CodeType::Java) {
      std::string split = JavaSplitSum(terms, [this](std::string_view sum) {
        return OutputLine(settings_, model_, sum);
      });
      if (!split.empty()) {
        cleaned_ = true;
        return split;
      }
    }
    std::string sum;
    for (const std::string& term : terms) sum.append(term);
    return OutputLine(settings_, model_, sum);
  }

  std::string FormatB() {
    std::string text;
    std::string list;
    for (int k = 0; k < slots_; ++k) {
      const std::string name = Numbered(k + 1);
      text.append(kCrLf);
      text.append(prefix_);
      text.append(name);
      text.append(" = ");
      AppendWeightedTerm(text, k);
      text.append(terminator_);
      text.append(kCrLf);
      AddTemp(name);
      AppendToList(list, name);
    }
    text.append(OutputLine(settings_, model_, list));
    return text;
  }

  static void AppendToList(std::string& list, std::string_view name) {
    if (!list.empty()) list.append(" + ");
    list.append(name);
  }

  std::string FormatC() {
    std::string sums;
    std::string weighted;
    std::string list;
    for (int k = 0; k < slots_; ++k) {
      const std::string name = Numbered(k + 1);
      AddTemp(name);
      sums.append(kCrLf);
      AppendAssignment(sums, name, HiddenSum(k));
      AppendActivationLine(weighted, name, k);
      AppendToList(list, name);
    }
    return Sections({sums, weighted, OutputLine(settings_, model_, list)});
  }

  // Each block followed by the section separator.
  std::string Sections(std::initializer_list<std::string_view> blocks) const {
    size_t size = 0;
    for (std::string_view block : blocks) size += block.size() + section_end_.size();
    std::string text;
    text.reserve(size);
    for (std::string_view block : blocks) text.append(block).append(section_end_);
    return text;
  }

  std::string FormatD() {
    std::string terms;
    std::string weighted;
    std::string list;
    std::vector<std::string> component_sums(slots_);
    for (int k = 0; k < slots_; ++k) {
      const std::string name = Numbered(k + 1);
      std::string& sum = component_sums[k];
      terms.append(kCrLf);
      std::string term;
      for (int i = 0; i < inputs_; ++i) {
        term.clear();
        if (!AppendInputTerm(term, i, k)) continue;
        const std::string term_name = name + "_" + std::to_string(i + 1);
        AppendAssignment(terms, term_name, term);
        AddTemp(term_name);
        AppendToList(sum, term_name);
      }
      const std::string bias_name = name + "_" + std::to_string(inputs_ + 1);
      const double bias = model_.wih[inputs_][k];
      const bool bias_written = bias != 0;
      if (bias_written) {
        term.clear();
        AppendNumber(term, bias);
        AppendAssignment(terms, bias_name, term);
        AddTemp(bias_name);
      }
      if (model_.who[k] != 0) {
        if (!IsBiasSlot(k) && bias_written) {
          sum.append(" + ");
          sum.append(bias_name);
        } else if (IsBiasSlot(k)) {
          sum.append(" + ");
          AppendNumber(sum, model_.who[k]);
        }
      }
      AppendActivationLine(weighted, name, k);
      AppendToList(list, name);
    }
    std::string sums;
    std::string zero;
    AppendNumber(zero, 0);
    for (int k = 0; k < slots_; ++k) {
      // A slot without components (a zero output bias, a neuron whose weights and
      // bias are all 0) still has its activation line below, which reads it.
      const std::string name = Numbered(k + 1);
      AddTemp(name);
      AppendAssignment(sums, name, component_sums[k].empty() ? zero : component_sums[k]);
    }
    AddTemp(root_);
    std::string total = prefix_;
    total.append(root_).append(" = ").append(list).append(terminator_);
    return Sections({terms, sums, weighted, total, OutputLine(settings_, model_, root_)});
  }

  CodeExportSettings& settings_;
  const NetworkModel& model_;
  const lang::LanguageRules& rules_;
  const std::string prefix_;
  const std::string terminator_;
  const std::string continuation_;
  const std::string section_end_;
  const std::string root_;
  const std::string output_;
  const std::string_view tanh_call_;
  const int inputs_;
  const int slots_;
  const std::vector<std::string>& names_;
  bool cleaned_ = false;
};

std::string_view TanhCallOf(CodeType type) {
  // C and Java call their own bounded function; the header names it the same way.
  return type == CodeType::C || type == CodeType::Java ? "myTanh(" : "Tanh(";
}

}  // namespace

std::string TanhExpr(std::string_view x, int tanh_mode) {
  return TanhExprIn(x, tanh_mode, "Tanh(");
}

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

std::string OutputLine(const CodeExportSettings& settings, const NetworkModel& model,
                       std::string_view x) {
  std::string line;
  line.reserve(x.size() + 96);
  line.append(kCrLf);
  const lang::LanguageRules& rules = lang::RulesOf(LanguageOf(settings.code_type));
  line.append(settings.statement_prefix);
  line.append(NameProgram(settings, model).output);
  line.append(" = ((((");
  line.append(x);
  line.append(")/2) + 0.5) * ");
  lang::AppendRealLiteral(rules, line, model.max_norm_out - model.min_norm_out);
  line.append(")");
  if (model.min_norm_out != 0) {
    line.append(" + ");
    lang::AppendRealLiteral(rules, line, model.min_norm_out);
  }
  line.append(settings.line_terminator);
  return line;
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

std::string NetworkExpression(CodeExportSettings& settings, const NetworkModel& model,
                              MessagePort& messages) {
  settings.temp_variables.assign(1, std::string());
  std::string problem = NetworkShapeProblem(model);
  if (problem.empty()) problem = UnscalableInputMessage(model);
  if (!problem.empty()) {
    messages.Inform(problem, MessageIcon::Exclamation);
    return {};
  }
  if (settings.equation_format < kFormatB || settings.equation_format > kFormatD) {
    messages.Inform("error!", MessageIcon::Information);
    return {};
  }
  const ProgramNames names = NameProgram(settings, model);
  ExpressionWriter writer(settings, model, names);
  std::string text = writer.Write(settings.equation_format);
  if (!writer.Cleaned()) text = CleanUpExpression(text);
  return FitStatements(settings, std::move(text), messages);
}

}  // namespace kdk
