#include "support/networks.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <stdexcept>

#include "core/common/text_utils.h"

namespace kdk::conformance {

namespace {

using Random = std::mt19937_64;

// Names and texts a weights file may carry that a careless generator would write as code.
// clang-format off
const std::vector<std::string> kHostileNames = {
    "class", "int", "double", "main", "y1", "j0", "Var1", "Var2_1", "var1", "Var", "Tanh",
    "myTanh", "exp", "calcNet", "CalcNet", "initData", "Math", "System", "String", "args",
    "_2nd_input", "2nd input", "a.b-c", "a b", "a_b", "", " ", "END", "Print", "Program",
    "Kestrium", "Dim", "If", "REAL", "COMPUTE", "BY", "TO", "_", "__", "Data", "Run", "x",
    "GetInputData", "NeuralPrediction", "Calcnet", "InputBox", "MsgBox", "xval",
    "x*/ int PWN-ED = system(\"touch pwned\"); /*", "line\r\nbreak PWN-ED", "lone\nLF",
    "lone\rCR", "quote\"d 'PWN-ED'", "C:\\data\\units.csv", "C:\\u0022PWN-ED", "caf\xe9",
    "\xff\xfe", "\x80uro \x8Akoda \x9Cuvre \x81",
    "n_exactly_63_characters_long_for_fortran_names_aaaaaaaaaaaaaaaaa",
    "a_name_of_seventy_characters_is_longer_than_fortran_or_sas_takes_aaaaa", "X1", "x1",
    "l\xe9gume \xe0 PWN-ED", "end", "Var1_1", "Var3_2",
    "</script><script>window.__pwned=1</script>", "<img src=x onerror=\"window.__pwned=1\">",
    "'q' & <!-- x", "&lt;", "Input1", "prediction"};
const std::vector<std::string> kHostileTexts = {
    "plain text", "*/ system(\"touch pwned\"); PWN-ED /*", "line one\r\nline two */ PWN-ED",
    "lone\nLF PWN-ED\nmore", "lone\rCR PWN-ED", "C:\\data\\units.csv \\u000a PWN-ED",
    "\\\\u0041 PWN-ED", "ends with _", "ends with continuation _ ", "caf\xe9 \x80 \x93q\x94 PWN-ED",
    "tab\there PWN-ED", "\" quote ' PWN-ED", "<script>window.__pwned=1</script> PWN-ED",
    "\"><script>window.__pwned=1</script>", ""};
// clang-format on

template <typename T>
const T& Pick(const std::vector<T>& from, Random& random) {
  return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
}

bool Chance(double p, Random& random) {
  return std::uniform_real_distribution<double>(0, 1)(random) < p;
}

// A weight or bias: often 0, often whole, otherwise real.
double Weight(Random& random) {
  const double kind = std::uniform_real_distribution<double>(0, 1)(random);
  if (kind < 0.2) return 0;
  if (kind < 0.4) return static_cast<double>(std::uniform_int_distribution<int>(-3, 3)(random));
  return std::uniform_real_distribution<double>(-1.5, 1.5)(random);
}

NetworkModel MakeNetwork(int inputs, int hidden, Random& random) {
  NetworkModel model;
  const int slots = hidden + 1;
  for (int i = 0; i < inputs; ++i) {
    model.input_names.push_back(Chance(0.35, random) ? Pick(kHostileNames, random)
                                                     : "x" + std::to_string(i + 1));
    // Ranges whole, real, or a hundredth wide near 0 (a tiny range far from 0 would
    // leave too few digits of the folded constants).
    const double kind = std::uniform_real_distribution<double>(0, 1)(random);
    double minimum = std::uniform_real_distribution<double>(-50, 50)(random);
    double width = std::uniform_real_distribution<double>(0.5, 200)(random);
    if (kind < 0.1) {
      width = std::uniform_real_distribution<double>(0.01, 0.05)(random);
      minimum = std::uniform_real_distribution<double>(-2, 2)(random) * width;
    } else if (kind > 0.7) {
      minimum = std::round(minimum);
      width = std::round(width) + 1;
    }
    model.min_norm.push_back(minimum);
    model.max_norm.push_back(minimum + width);
    model.min_seen.push_back(minimum + 0.1 * width);
    model.max_seen.push_back(minimum + 0.9 * width);
  }
  model.output_name = Chance(0.5, random) ? Pick(kHostileNames, random) : "value";
  model.data_source = Pick(kHostileTexts, random);
  model.data_view = Pick(kHostileTexts, random);
  model.description = Pick(kHostileTexts, random) + "\r\n" + Pick(kHostileTexts, random);
  // Output ranges from a hundredth to 1E10, some whole (5E9 is past 2^31).
  const double range = std::pow(10.0, std::uniform_real_distribution<double>(-2, 10)(random));
  const double minimum_out =
      Chance(0.3, random) ? 0 : std::uniform_real_distribution<double>(-1, 1)(random) * range;
  model.min_norm_out = Chance(0.5, random) ? std::round(minimum_out) : minimum_out;
  model.max_norm_out = model.min_norm_out + (Chance(0.5, random) ? std::round(range) + 1 : range);
  model.min_seen_out = model.min_norm_out;
  model.max_seen_out = model.max_norm_out;
  // A classifier's strength divides by the seen extreme of the predicted sign, which
  // may be 0.
  model.is_classifier = Chance(0.25, random);
  model.max_seen_out_cl =
      Chance(0.2, random) ? 0 : std::uniform_real_distribution<double>(0.1, 1)(random);
  model.min_seen_out_cl =
      Chance(0.2, random) ? 0 : -std::uniform_real_distribution<double>(0.1, 1)(random);
  for (int k = 0; k < hidden; ++k) {
    const bool linear = Chance(0.3, random);
    model.hidden_type.push_back(linear ? NeuronType::Linear : NeuronType::NonLinear);
    model.linear_count += linear ? 1 : 0;
  }
  model.hidden_type.push_back(NeuronType::Bias);
  model.wih.assign(inputs + 1, std::vector<double>(slots, 0.0));
  const bool sparse = Chance(0.2, random);  // neurons with no input at all
  for (int k = 0; k < hidden; ++k) {
    const bool empty = sparse && Chance(0.5, random);
    for (int i = 0; i <= inputs; ++i) model.wih[i][k] = empty && i < inputs ? 0 : Weight(random);
  }
  for (int k = 0; k < slots; ++k) model.who.push_back(Weight(random));
  return model;
}

void MakeNamesDistinct(NetworkModel& model) {
  std::set<std::string> taken;
  int suffix = 0;
  const auto claim = [&](std::string& name) {
    while (name.find_first_of("\r\n\x81\x8D\x8F\x90\x9D") != std::string::npos ||
           TrimBlanks(name).empty() || !taken.insert(ToLowerAscii(name)).second) {
      name = "n_" + std::to_string(++suffix);
    }
  };
  claim(model.output_name);
  for (std::string& name : model.input_names) claim(name);
}

// The largest double whose 15-digit text reads back finite: 1.79769313486231E+308.
constexpr double kLargestWritableDouble = 1.7976931348623149e308;

// Numbers near the largest a program holds, each still writable: an output range as
// wide as `largest` (its minimum at -largest), an input range 0.8 of it, and
// (`narrow_range`) an input range so narrow that its folded weights come to half of it
// (its values are subnormal) and (`huge_weight`) a weight of a quarter of it. Every
// neuron is tanh and the output weights sum to 0.9 at most, so the prediction stays
// inside the output range for inputs inside theirs.
void PushToTheOverflowEdge(NetworkModel& model, double largest, bool huge_weight,
                           bool narrow_range) {
  const int inputs = model.InputCount();
  const int hidden = model.HiddenCount();
  for (int k = 0; k < hidden; ++k) model.hidden_type[k] = NeuronType::NonLinear;
  model.linear_count = 0;
  double total = 0;
  for (double w : model.who) total += std::fabs(w);
  for (double& w : model.who) w *= total > 0.9 ? 0.9 / total : 1;
  model.min_norm_out = model.min_seen_out = -largest;
  model.max_norm_out = model.max_seen_out = 0;
  const auto set_range = [&](int i, double minimum, double maximum) {
    model.min_norm[i] = minimum;
    model.max_norm[i] = maximum;
    model.min_seen[i] = minimum + 0.1 * (maximum - minimum);
    model.max_seen[i] = minimum + 0.9 * (maximum - minimum);
  };
  set_range(0, -0.4 * largest, 0.4 * largest);
  if (inputs > 1 && narrow_range) {
    double widest = 1;
    for (int k = 0; k < hidden; ++k) widest = std::max(widest, std::fabs(model.wih[1][k]));
    set_range(1, 0, 4 * widest / largest);
  }
  if (inputs > 2 && hidden > 0 && huge_weight) {
    set_range(2, -1, 1);
    model.wih[2][0] = largest / 4;
  }
}

}  // namespace

std::vector<std::vector<double>> NetworkInputs(const NetworkModel& model, int count,
                                               std::uint64_t seed, double reach) {
  Random random(seed);
  std::uniform_real_distribution<double> unit(-0.1 * reach, 1 + 0.1 * reach);
  std::vector<std::vector<double>> vectors;
  for (int v = 0; v < count; ++v) {
    std::vector<double> values;
    for (int i = 0; i < model.InputCount(); ++i) {
      const double span = model.max_norm[i] - model.min_norm[i];
      // The first vector sits on every input's minimum (offsets cancel exactly).
      values.push_back(v == 0 ? model.min_norm[i] : model.min_norm[i] + unit(random) * span);
    }
    vectors.push_back(values);
  }
  return vectors;
}

std::uint64_t ConformanceSeed() {
  const char* chosen = std::getenv("KDK_CONFORMANCE_SEED");
  return chosen != nullptr ? std::strtoull(chosen, nullptr, 10) : 20040503;
}

std::string ExactText(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

NetworkPrediction Predicted(const NetworkModel& model, const std::vector<double>& inputs) {
  NetworkPrediction result;
  std::string error;
  if (!EvaluateNetwork(model, inputs, result, error)) throw std::runtime_error(error);
  return result;
}

bool NearPrediction(const NetworkModel& model, double got, double want) {
  const double range = std::fabs(model.max_norm_out - model.min_norm_out);
  return std::fabs(got - want) <= 1e-12 * std::max({1.0, std::fabs(want), range});
}

std::vector<ConformanceCase> ConformanceCases(std::uint64_t seed, int count, int vectors_per_case,
                                              CaseOptions options) {
  Random random(seed);
  std::vector<ConformanceCase> cases;
  for (int n = 0; n < count; ++n) {
    // The largest shape, no hidden neurons (1 and 2), numbers near the overflow edge (3
    // and 4); then most shapes small, some large: sizes spread evenly on a log scale.
    int inputs = n == 0 ? options.largest_inputs : n <= 2 ? 1 + n : 4;
    int hidden = n == 0 ? 70 : n <= 2 ? 0 : 3;
    if (n > 4) {
      inputs = static_cast<int>(std::exp(std::uniform_real_distribution<double>(0, 4.8)(random)));
      hidden =
          Chance(0.1, random)
              ? 0
              : static_cast<int>(std::exp(std::uniform_real_distribution<double>(0, 4.25)(random)));
    }
    ConformanceCase item;
    item.name = "n" + std::to_string(n);
    item.model = MakeNetwork(inputs, hidden, random);
    if (n == 1) item.model.who.back() = 0;  // the statement would be "(((()/2)"
    if (n == 2) item.model.who.back() = 3;  // "(+3)/2" would divide integers
    item.near_overflow = n == 3 || n == 4;
    if (n == 3) {
      PushToTheOverflowEdge(item.model, kLargestWritableDouble, true, options.subnormal_inputs);
      item.past_single_precision = true;
    }
    // Large weights would leave single precision's error bound meaningless.
    if (n == 4) PushToTheOverflowEdge(item.model, FLT_MAX, false, options.subnormal_inputs);
    if (options.distinct_names) MakeNamesDistinct(item.model);
    item.output_field_name =
        Chance(0.7, random) ? "Kestrium_" + item.model.output_name : Pick(kHostileNames, random);
    item.smart_names = !Chance(0.25, random);
    item.inputs = NetworkInputs(item.model, vectors_per_case, random());
    cases.push_back(std::move(item));
  }
  return cases;
}

}  // namespace kdk::conformance
