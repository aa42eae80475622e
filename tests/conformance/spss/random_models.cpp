#include "conformance/spss/random_models.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "core/common/model_text.h"

namespace kdk::conformance {

namespace {

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

std::string InputName(int index, std::mt19937& random) {
  const std::string n = std::to_string(index + 1);
  // A leading digit (smart name "_2nd_input") comes up in about one network in eight.
  if (random() % 30 == 0) return "2nd input" + n;
  switch (std::uniform_int_distribution<int>(0, 8)(random)) {
    case 0:
    case 1:
      return "floor area " + n;
    case 2:
      return "a.b-c" + n;
    case 3:
      return "Income" + n;
    case 4:
      return "Rate(%)" + n;
    case 5:
      return "Gr\xF6\xDF"
             "e" +
             n;
    default:
      return "x" + n;
  }
}

}  // namespace

NetworkModel RandomNetwork(unsigned seed) {
  std::mt19937 random(seed * 7919u + 17u);
  std::uniform_real_distribution<double> weight(-2.0, 2.0);
  std::uniform_real_distribution<double> low(-100, 100);
  std::uniform_real_distribution<double> width(0.25, 500);
  NetworkModel model;
  const int inputs = std::uniform_int_distribution<int>(1, 6)(random);
  const int hidden = std::uniform_int_distribution<int>(1, 5)(random);
  for (int i = 0; i < inputs; ++i) {
    model.input_names.push_back(InputName(i, random));
    const double minimum = low(random);
    const double maximum = minimum + width(random);
    model.min_norm.push_back(minimum);
    model.max_norm.push_back(maximum);
    model.min_seen.push_back(minimum);
    model.max_seen.push_back(maximum);
  }
  model.is_classifier = random() % 3 == 0;
  model.output_name = model.is_classifier ? "default flag" : "price";
  model.min_norm_out = low(random);
  model.max_norm_out = model.min_norm_out + width(random);
  model.min_seen_out = model.min_norm_out;
  model.max_seen_out = model.max_norm_out;
  model.max_seen_out_cl = 0.9;
  model.min_seen_out_cl = -0.8;
  model.linear_count = 0;
  for (int k = 0; k < hidden; ++k) {
    const bool linear = random() % 3 == 0;
    model.hidden_type.push_back(linear ? NeuronType::Linear : NeuronType::NonLinear);
    model.linear_count += linear;
  }
  model.hidden_type.push_back(NeuronType::Bias);
  model.wih.assign(inputs + 1, std::vector<double>(hidden + 1, 0.0));
  for (int i = 0; i <= inputs; ++i) {
    for (int k = 0; k < hidden; ++k) model.wih[i][k] = random() % 7 == 0 ? 0.0 : weight(random);
  }
  for (int k = 0; k <= hidden; ++k) model.who.push_back(weight(random));
  if (model.who.back() == 0) model.who.back() = 0.125;
  return model;
}

std::vector<Row> RandomNetworkRows(const NetworkModel& model, unsigned seed, int count,
                                   double reach) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(-0.1 * reach, 1 + 0.1 * reach);
  std::vector<Row> rows;
  for (int r = 0; r < count; ++r) {
    Row row;
    for (int i = 0; i < model.InputCount(); ++i) {
      const double span = model.max_norm[i] - model.min_norm[i];
      row.push_back(r == 0 ? model.min_norm[i] : model.min_norm[i] + unit(random) * span);
    }
    rows.push_back(row);
  }
  return rows;
}

RandomMars RandomMarsText(unsigned seed) {
  std::mt19937 random(seed * 104729u + 3u);
  static const std::vector<std::string> kPool = {"AGE",
                                                 "AGE2",
                                                 "PAGE",
                                                 "Income",
                                                 "rooms",
                                                 "T",
                                                 "X1",
                                                 "X10",
                                                 "dist",
                                                 "_lead",
                                                 "household_income_band_2004",
                                                 "Gr\xF6\xDF"
                                                 "e",
                                                 "\x8Akoda"};
  std::vector<std::string> names = kPool;
  std::shuffle(names.begin(), names.end(), random);
  // The name PSPP refuses comes up in about one model in six.
  const auto lead = std::find(names.begin(), names.end(), "_lead");
  if (random() % 6 != 0) {
    names.erase(lead);
  } else {
    std::iter_swap(lead, names.begin());
  }
  const int input_count = std::uniform_int_distribution<int>(2, 5)(random);
  names.resize(input_count);
  RandomMars mars;
  std::vector<bool> categorical(input_count, false);
  for (int i = 0; i < input_count; ++i) {
    categorical[i] = random() % 3 == 0;
    if (categorical[i]) mars.categorical.push_back(names[i]);
  }
  const int bf_count = std::uniform_int_distribution<int>(3, 10)(random);
  std::uniform_int_distribution<int> pick(0, input_count - 1);
  std::uniform_real_distribution<double> knot(-20, 60);
  for (int b = 1; b <= bf_count; ++b) {
    const int input = pick(random);
    const std::string& x = names[input];
    BasisRecipe recipe{BasisKind::HingeUp, x};
    std::string body;
    const int form = random() % 10;
    if (form < 2) {
      recipe.kind = form == 0 ? BasisKind::NotMissing : BasisKind::IsMissing;
      body = form == 0 ? "( " + x + " > .)" : "( " + x + " = .)";
    } else if (categorical[input]) {
      recipe.kind = BasisKind::SetTest;
      recipe.set_a = 1 + random() % 5;
      recipe.set_b = 1 + random() % 5;
      body = "( " + x + " = " + std::to_string(recipe.set_a) + " OR " + x + " = " +
             std::to_string(recipe.set_b) + ")";
    } else {
      recipe.knot = std::round(knot(random) * 4) / 4;
      std::string k_text = Number(recipe.knot);
      if (random() % 5 == 0) {
        char text[40];
        std::snprintf(text, sizeof text, "%.4E", recipe.knot);  // exponent form as MARS writes it
        k_text = text;
      }
      recipe.kind = random() % 2 ? BasisKind::HingeUp : BasisKind::HingeDown;
      body = recipe.kind == BasisKind::HingeUp ? "max(0, " + x + " - " + k_text + ")"
                                               : "max(0, " + k_text + " - " + x + ")";
    }
    if (b > 1 && random() % 3 == 0) {
      recipe.factor = static_cast<int>(random() % (b - 1));
      body += " * BF" + std::to_string(recipe.factor + 1);
    }
    mars.basis.push_back(recipe);
    mars.text += "BF" + std::to_string(b) + " = " + body + ";\r\n";
  }
  mars.intercept = std::round(knot(random) * 100) / 100;
  mars.text += "\r\nY = " + Number(mars.intercept);
  std::string model = "MODEL Y =";
  for (int b = 1; b <= bf_count; ++b) {
    const double coefficient = std::round(knot(random) * 1000) / 1000;
    mars.coefficients.push_back(std::strtod(Number(coefficient).c_str(), nullptr));
    mars.text += (coefficient < 0 ? " - " : " + ") + Number(std::fabs(coefficient)) + " * BF" +
                 std::to_string(b);
    model += " BF" + std::to_string(b);
  }
  mars.text += ";\r\n\r\n" + model + ";\r\n";
  // Every third text is UTF-8, as an editor saves it; it must read as the same model.
  if (seed % 3 == 0) mars.text = Cp1252ToUtf8(mars.text);
  return mars;
}

namespace {

// SPSS multiplication: 0 times a missing value is 0.
std::optional<double> SpssTimes(std::optional<double> a, std::optional<double> b) {
  if (a && b) return *a * *b;
  if ((a && *a == 0) || (b && *b == 0)) return 0.0;
  return std::nullopt;
}

}  // namespace

std::optional<double> SpssRulesValue(const RandomMars& mars,
                                     const std::vector<std::string>& input_names, const Row& row) {
  std::vector<std::optional<double>> basis;
  for (const BasisRecipe& recipe : mars.basis) {
    const size_t input =
        std::find(input_names.begin(), input_names.end(), recipe.input) - input_names.begin();
    const std::optional<double> x = row.at(input);
    std::optional<double> value;
    switch (recipe.kind) {
      case BasisKind::HingeUp:
        value = x ? std::max(0.0, *x - recipe.knot) : 0.0;  // MAX(0, missing) is 0
        break;
      case BasisKind::HingeDown:
        value = x ? std::max(0.0, recipe.knot - *x) : 0.0;
        break;
      case BasisKind::SetTest:
        if (x) value = (*x == recipe.set_a || *x == recipe.set_b) ? 1.0 : 0.0;
        break;
      case BasisKind::NotMissing:
        value = x ? 1.0 : 0.0;
        break;
      case BasisKind::IsMissing:
        value = x ? 0.0 : 1.0;
        break;
    }
    if (recipe.factor >= 0) value = SpssTimes(value, basis[recipe.factor]);
    basis.push_back(value);
  }
  double sum = mars.intercept;
  for (size_t b = 0; b < basis.size(); ++b) {
    const std::optional<double> term = SpssTimes(mars.coefficients[b], basis[b]);
    if (!term) return std::nullopt;
    sum += *term;
  }
  return sum;
}

}  // namespace kdk::conformance
