#include "core/export/vbproject/equation_text.h"

#include "core/common/number_text.h"
#include "core/common/text_utils.h"
#include "core/export/vbproject/network_form_code.h"
#include "core/lang/language_rules.h"

namespace kdk {
namespace {

void SectionHeader(std::string& out, std::string_view title) {
  AppendLine(out, kEquationDashLine);
  AppendLine(out, title);
  AppendLine(out, kEquationDashLine);
}

// A model name as plain text on one line.
void AppendName(std::string& out, std::string_view name) {
  lang::AppendStringBody(lang::RulesOf(lang::Language::Equation), out, name);
}

void InputsSection(std::string& out, const NetworkModel& model) {
  SectionHeader(out, "INPUTS");
  for (int i = 0; i < model.InputCount(); ++i) {
    out.append("Input ").append(std::to_string(i + 1)).append("\t= ");
    AppendName(out, model.input_names[i]);
    out.append(kCrLf);
  }
}

void OutputSection(std::string& out, const NetworkModel& model) {
  SectionHeader(out, "OUTPUT");
  out.append("Output\t = ");
  AppendName(out, model.output_name);
  out.append(kCrLf);
}

void RangeLine(std::string& out, std::string_view name, double from, double to) {
  AppendName(out, name);
  out.append("\t=\t");
  AppendNumberText(out, from);
  out.append("\tto\t");
  AppendNumberText(out, to);
  out.append(kCrLf);
}

void RangesSection(std::string& out, const NetworkModel& model) {
  SectionHeader(out, "DATA RANGES");
  AppendLine(out, "*Inputs*");
  for (int i = 0; i < model.InputCount(); ++i) {
    RangeLine(out, model.input_names[i], model.min_seen[i], model.max_seen[i]);
  }
  out.append(kCrLf);
  AppendLine(out, "*Output*");
  RangeLine(out, model.output_name, model.min_seen_out, model.max_seen_out);
}

void WeightsSection(std::string& out, const NetworkModel& model) {
  const int inputs = model.InputCount();
  const int hidden = model.HiddenCount();
  SectionHeader(out, "WEIGHTS");
  for (int k = 0; k < hidden; ++k) {
    if (k > 0) out.append(kCrLf);
    out.append("*Inputs to neuron ").append(std::to_string(k + 1)).append("*").append(kCrLf);
    for (int row = 0; row <= inputs; ++row) {
      out.append("WIH(").append(std::to_string(row + 1)).append(",");
      out.append(std::to_string(k + 1)).append(") = ");
      AppendNumberText(out, model.wih[row][k]);
      if (row == inputs) out.append(" (Input Bias)");
      out.append(kCrLf);
    }
  }
  for (int k = 0; k <= hidden; ++k) {
    out.append(kCrLf);
    if (k < hidden) {
      out.append("*hidden neuron ").append(std::to_string(k + 1)).append(" to output*");
    } else {
      out.append("*Output Bias*");
    }
    out.append(kCrLf);
    out.append("WHO(").append(std::to_string(k + 1)).append(") = ");
    AppendNumberText(out, model.who[k]);
    if (k == hidden) {
      out.append(" (Output Bias)");
    } else {
      out.append(kCrLf);
    }
  }
  out.append(kCrLf).append(kCrLf);
  SectionHeader(out, "HIDDEN NEURON TYPES");
  for (int k = 0; k < hidden; ++k) {
    out.append("neurontype(").append(std::to_string(k + 1)).append(") = ");
    out.append(model.hidden_type[k] == NeuronType::NonLinear ? "2 'nonlinear (tanh)"
                                                             : "1 'linear (identity)");
    out.append(kCrLf);
  }
}

}  // namespace

std::string BuildEquationText(const NetworkModel& model, const GenerationStamp& stamp) {
  std::string out;
  out.reserve(4096 + static_cast<std::size_t>(model.InputCount() + 1) *
                         static_cast<std::size_t>(model.HiddenSlots()) * 32);
  out.append(VbNetworkHeaderComment(model, stamp));
  out.append(kCrLf);
  InputsSection(out, model);
  out.append(kCrLf);
  OutputSection(out, model);
  out.append(kCrLf);
  RangesSection(out, model);
  out.append(kCrLf);
  WeightsSection(out, model);
  out.append(kCrLf).append(VbNetworkDataDefinitions(model));
  out.append(kCrLf).append(kEquationDashLine);
  out.append(kCrLf).append("??");
  out.append(kCrLf).append(kEquationDashLine);
  out.append(kCrLf).append(VbNetworkForwardPass(model));
  out.append(kCrLf).append(kEquationDashLine);
  out.append(kCrLf).append(VbNormaliseFunction());
  out.append(kCrLf).append(kEquationDashLine);
  out.append(kCrLf).append(VbTanhFunction("TanH"));
  out.append(kCrLf).append(kEquationDashLine);
  return out;
}

}  // namespace kdk
