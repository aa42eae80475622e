#include "support/mars_models.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>

#include "core/common/model_text.h"
#include "core/common/number_text.h"
#include "core/common/text_utils.h"
#include "core/mars/mars_expression.h"
#include "core/mars/mars_reading.h"
#include "core/mars/mars_words.h"
#include "core/mars/parse_mars_model.h"

namespace kdk::conformance {
namespace {

// Windows-1252 names (Größe, café, Škoda) come too; see GenerateMarsModel for UTF-8.
const std::vector<std::string> kContinuousNames = {
    "X",      "X1",    "X12",    "XBF1",  "AGE",  "PAGE",           "AGE2",
    "Select", "Value", "ORDERS", "NULLS", "FORx", "Gr\xF6\xDF\x65", "caf\xE9"};
// Names every other target takes but SPSS refuses as variables.
const std::vector<std::string> kSpssRefusedNames = {"_lead", "BY"};
const std::vector<std::string> kCategoricalNames = {"COLOR", "Table", "K",
                                                    "ORG",   "KIND",  "\x8Akoda"};

// A knot as an export writes it: plain, negative, or in exponent form.
std::string KnotText(std::mt19937& random, double& value) {
  std::uniform_int_distribution<int> kind(0, 5);
  std::uniform_real_distribution<double> real(-40.0, 120.0);
  const auto printed = [&value](const char* format, double x) {
    char text[32];
    std::snprintf(text, sizeof text, format, x);
    value = std::stod(text);
    return std::string(text);
  };
  switch (kind(random)) {
    case 0:
      value = std::round(real(random));
      break;
    case 1:
      value = std::round(real(random) * 4) / 4;
      break;
    case 2:
      return printed("%.4E", real(random));
    case 3:
      return printed("%.1E", 1.5E-03 * (1 + kind(random)));
    default:
      value = -std::round(std::fabs(real(random)) * 8) / 8;
  }
  return NumberText(value);
}

template <typename T>
const T& Pick(std::mt19937& random, const std::vector<T>& from) {
  return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
}

}  // namespace

GeneratedMars GenerateMarsModel(std::uint32_t seed) {
  std::mt19937 random(seed);
  auto chance = [&](double p) { return std::bernoulli_distribution(p)(random); };
  GeneratedMars out;

  std::vector<std::string> continuous = kContinuousNames;
  std::vector<std::string> categorical = kCategoricalNames;
  std::shuffle(continuous.begin(), continuous.end(), random);
  std::shuffle(categorical.begin(), categorical.end(), random);
  continuous.resize(std::uniform_int_distribution<size_t>(1, 5)(random));
  categorical.resize(std::uniform_int_distribution<size_t>(0, 2)(random));
  out.categorical.insert(categorical.begin(), categorical.end());
  if (seed % 7 == 0) continuous[0] = Pick(random, kSpssRefusedNames);
  std::vector<std::string> all = continuous;
  all.insert(all.end(), categorical.begin(), categorical.end());

  const int count = std::uniform_int_distribution<int>(3, 14)(random);
  // Names in number order, or shuffled so that BF10 may come before BF1.
  std::vector<int> numbers(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) numbers[static_cast<size_t>(i)] = i + 1;
  if (chance(0.4)) std::shuffle(numbers.begin(), numbers.end(), random);
  auto name = [&](int i) { return "BF" + std::to_string(numbers[static_cast<size_t>(i)]); };

  std::string block;
  for (int i = 0; i < count; ++i) {
    std::string body;
    const int form = std::uniform_int_distribution<int>(0, 9)(random);
    if (form <= 4 || (form <= 6 && categorical.empty())) {
      const std::string& x = Pick(random, continuous);
      double knot = 0;
      const std::string k = KnotText(random, knot);
      out.knots.push_back(knot);
      const std::string max = chance(0.2) ? "MAX(0, " : "max(0, ";
      if (chance(0.5)) {
        // Now and then wrapped over two lines, as long definitions are exported.
        body = max + x + " -" + (chance(0.2) ? "\r\n" : " ") + k + ")";
      } else {
        body = max + k + " - " + x + ")";
      }
    } else if (form <= 6) {
      std::vector<int> values = {0, 1, 2, 3, 4, 5};
      std::shuffle(values.begin(), values.end(), random);
      values.resize(std::uniform_int_distribution<size_t>(1, 3)(random));
      const std::string& x = Pick(random, categorical);
      const char* const joint = chance(0.2) ? " or " : " OR ";
      body = "(";
      for (size_t v = 0; v < values.size(); ++v) {
        body += (v ? joint : " ") + x + " = " + std::to_string(values[v]);
      }
      body += ")";
    } else {
      body = "( " + Pick(random, all) + (form == 7 ? " > .)" : " = .)");
    }
    // Products of degree 2 and 3 with earlier basis functions, now and then a number.
    const int factors = i == 0 ? 0 : std::discrete_distribution<int>({5, 4, 2})(random);
    for (int f = 0; f < factors; ++f) {
      body += " * " + name(std::uniform_int_distribution<int>(0, i - 1)(random));
    }
    if (factors > 0 && chance(0.1)) body += " * 2";
    block += name(i) + " = " + body + ";\r\n";
  }

  std::string equation =
      "Y = " +
      NumberText(std::round(std::uniform_real_distribution<double>(-500, 500)(random) * 100) / 100);
  std::string statement = "MODEL Y =";
  for (int i = 0; i < count; ++i) {
    if (i + 1 < count && chance(0.25)) continue;  // the last is always used
    const double coefficient =
        std::round(std::uniform_real_distribution<double>(0.01, 9)(random) * 1000) / 1000;
    const int sign = std::uniform_int_distribution<int>(0, 3)(random);
    std::string c = NumberText(coefficient);
    if (coefficient < 1 && chance(0.3)) c = c.substr(1);  // ".5"
    equation += sign == 0 ? " - " : " + ";
    if (sign == 3) equation += "-";  // "+ -0.5 * BF2": a line that starts with "-"
    equation += c + " * " + name(i);
    if (chance(0.1)) equation += "\r\n";
    statement += " " + name(i);
  }
  // The equation may have been broken over lines; a break right before the end is
  // harmless, an empty line would end it.
  out.text =
      block + "\r\n" + ReplaceAll(equation + ";", "\r\n;", ";") + "\r\n\r\n" + statement + ";\r\n";
  // Every third text is UTF-8, as an editor saves it; it must read as the same model.
  if (seed % 3 == 0) out.text = Cp1252ToUtf8(out.text);
  return out;
}

MarsCase ReadMarsCase(GeneratedMars generated, std::uint32_t seed, int count) {
  MarsCase out{std::move(generated), {}, {}, {}};
  SilentMessages messages;
  std::string error;
  if (!ParseMarsText(out.generated.text, out.model, messages) ||
      !out.evaluator.Compile(out.model, error)) {
    throw std::runtime_error("MARS text not read: " + error + "\n" + out.generated.text);
  }
  const MarsModel& model = out.model;
  std::vector<InputRow>& rows = out.rows;
  std::mt19937 random(seed ^ 0x9e3779b9u);
  std::uniform_real_distribution<double> real(-60.0, 160.0);
  std::uniform_int_distribution<int> category(0, 5);
  std::bernoulli_distribution missing(0.12);
  for (int r = 0; r < count; ++r) {
    InputRow row;
    for (const std::string& input : model.input_names) {
      if (missing(random)) {
        row.push_back(std::nullopt);
      } else if (out.generated.categorical.count(input)) {
        row.push_back(category(random));
      } else if (const auto& knots = out.generated.knots; r % 4 == 0 && !knots.empty()) {
        row.push_back(knots[static_cast<size_t>(r / 4) % knots.size()]);
      } else {
        row.push_back(r % 3 == 0 ? std::round(real(random) * 4) / 4 : real(random) / 7.3);
      }
    }
    rows.push_back(std::move(row));
  }
  return out;
}

bool HasSpssRefusedInput(const MarsModel& model) {
  return std::any_of(model.input_names.begin(), model.input_names.end(), [](const std::string& n) {
    return std::find(kSpssRefusedNames.begin(), kSpssRefusedNames.end(), n) !=
           kSpssRefusedNames.end();
  });
}

std::optional<double> PredictUnderRules(const MarsModel& model, const InputRow& row,
                                        MissingRules rules) {
  MarsReading reading;
  std::string error;
  const auto must = [&error](bool read) {
    if (!read) throw std::logic_error("the reference rules cannot read the model: " + error);
  };
  must(ReadMarsModel(model, reading, error));
  auto resolve = [&](std::string_view word) -> std::optional<NameReference> {
    for (int i = 0; i < model.InputCount(); ++i) {
      if (model.input_names[i] == word) return NameReference{NameReference::Kind::Input, i};
    }
    for (int i = 0; i < model.BasisFunctionCount(); ++i) {
      if (model.basis_function_names[i] == word) {
        return NameReference{NameReference::Kind::BasisFunction, i};
      }
    }
    return std::nullopt;
  };
  // The evaluator's rule: a missing input is 0 (set here, not left to the expression).
  InputRow zeroed;
  for (const auto& value : row) zeroed.push_back(value.value_or(0.0));
  std::vector<std::optional<double>> basis(reading.basis.size());
  std::vector<double> known(reading.basis.size(), 0.0);
  for (size_t j = 0; j < reading.basis.size(); ++j) {
    const BasisReading& b = reading.basis[j];
    const bool input_missing = !row[static_cast<size_t>(b.input)].has_value();
    std::optional<double> lead;
    if (b.form == BasisForm::Present || b.form == BasisForm::Missing) {
      lead = (b.form == BasisForm::Missing) == input_missing ? 1.0 : 0.0;
    } else if (input_missing && rules == MissingRules::Sql) {
      lead = b.form == BasisForm::Hinge ? std::nullopt : std::optional<double>(0.0);
    } else if (input_missing && rules == MissingRules::Spss) {
      lead = b.form == BasisForm::Hinge ? std::optional<double>(0.0) : std::nullopt;
    } else {
      MarsExpression expression;
      must(expression.Parse(b.lead, resolve, error));
      const double value = expression.Evaluate(zeroed, known);
      lead = b.form == BasisForm::Hinge ? std::max(0.0, value) : value;
    }
    std::vector<std::optional<double>> factors = {lead};
    for (const std::string& part : SplitAt(b.product, '*')) {
      const std::string factor = TrimBlanks(part);
      if (factor.empty()) continue;
      const std::optional<NameReference> named = resolve(factor);
      factors.push_back(named ? basis[static_cast<size_t>(named->index)]
                              : std::optional<double>(std::stod(factor)));
    }
    bool any_missing = false, any_zero = false;
    double product = 1;
    for (const auto& factor : factors) {
      any_missing = any_missing || !factor;
      any_zero = any_zero || (factor && *factor == 0);
      if (factor) product *= *factor;
    }
    if (any_missing && !(rules == MissingRules::Spss && any_zero)) {
      basis[j] = std::nullopt;
    } else {
      basis[j] = any_missing ? 0.0 : product;
      known[j] = *basis[j];
    }
  }
  // Every term of the equation multiplies a basis function by a number that is not 0,
  // so a missing basis function it names makes the prediction missing.
  bool reaches_missing = false;
  ForEachMarsName(reading.equation_terms, [&](size_t start, size_t length) {
    const auto named = resolve(std::string_view(reading.equation_terms).substr(start, length));
    if (named && !basis[static_cast<size_t>(named->index)]) reaches_missing = true;
  });
  if (reaches_missing) return std::nullopt;
  MarsExpression equation;
  must(equation.Parse(reading.equation_terms, resolve, error));
  return equation.Evaluate(zeroed, known);
}

std::string GenerateLargeMarsText(std::uint32_t seed, int count) {
  std::mt19937 random(seed);
  std::string text, equation = "\r\nY = 1.5", statement = ";\r\n\r\nMODEL VALUE =";
  for (int b = 1; b <= count; ++b) {
    const std::string bf = "BF" + std::to_string(b), x = "X" + std::to_string(1 + random() % 30);
    switch (b == 1 ? 0 : random() % 4) {
      case 0:
        text += bf + " = max(0, " + x + " - " + NumberText((random() % 10000000) / 1e3) + ")";
        break;
      case 1:
        text += bf + " = max(0, -2.5 - " + x + ") * BF" + std::to_string(1 + random() % (b - 1));
        break;
      case 2: {
        const std::string c = "X" + std::to_string(31 + random() % 10);
        text += bf + " = ( " + c + " = 1";
        for (int level = 2 + random() % 400; level > 0; --level) {
          text += " OR " + c + " = " + std::to_string(level + 1);
        }
        text += ")";
        break;
      }
      default:
        text += bf + " = ( " + x + (b % 2 ? " > .)" : " = .)");
    }
    text += ";\r\n";
    equation += std::string(b % 2 ? " + " : " - ") + NumberText((random() % 1000 + 1) * 1e-8) +
                " * " + bf + (b % 6 ? "" : "\r\n");
    statement += " " + bf;
  }
  return text + equation + statement + ";\r\n";
}

}  // namespace kdk::conformance
