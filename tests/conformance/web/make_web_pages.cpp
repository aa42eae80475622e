// Writes the web pages the browser suite drives, and a manifest of what each must
// show: seeded random networks (regression and classifier) and MARS models, with
// names a model could use to attack a page, and the engine's own predictions.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>

#include "conformance/compilers/conformance_networks.h"
#include "core/common/model_text.h"
#include "core/common/number_text.h"
#include "core/common/text_file.h"
#include "core/export/web/mars_page.h"
#include "core/export/web/network_page.h"
#include "core/mars/mars_evaluator.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/parse_mars_model.h"
#include "core/network/evaluate_network.h"

namespace kdk::conformance {
namespace {

class SilentMessages : public MessagePort {
 public:
  MessageAnswer Show(std::string_view, std::string_view, MessageIcon, MessageButtons) override {
    return MessageAnswer::No;
  }
};

// Names that would be markup or script if a page wrote them as they are, names the
// page's script uses, and names that collide.
const std::vector<std::string> kHostileNetworkNames = {
    "</script><script>window.__pwned=1</script>",
    "<img src=x onerror=\"window.__pwned=1\">",
    "a\"b",
    "class",
    "X1",
    "X1",
    "Input1",
    "prediction",
    "'q' & <!-- x",
    "&lt;",
};
// The MARS text allows no blanks, "+", ",", "-", "=", ">", ".", "(" or ")" in a name.
// The evaluator reads only letters, digits, "_", "$", "#", "@" and bytes from 0x80, so
// a page with other names is checked against a twin model with plain names.
const std::vector<std::string> kHostileMarsNames = {"</script",
                                                    "class",
                                                    "X1",
                                                    "X10",
                                                    "<script",
                                                    "Xmax",
                                                    "max_1",
                                                    "a\"b",
                                                    "tempx",
                                                    "inpval",
                                                    "'q'",
                                                    "var",
                                                    "Math",
                                                    "a$b",
                                                    "<!",
                                                    "n#1",
                                                    "@x",
                                                    "\xE9t\xE9",
                                                    "alert",
                                                    "&amp;",
                                                    "\x8Akoda\x80",
                                                    "Gr\xF6\xDF"
                                                    "e"};

bool EvaluatorReads(const std::string& name) {
  return !name.empty() && IsModelNameStart(name[0]) &&
         std::all_of(name.begin(), name.end(), IsModelNameChar);
}

std::string Json(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (byte < 0x20 || byte >= 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x",
                    static_cast<unsigned>(CodePointOfCp1252(byte)));
      out.append(buffer);
    } else {
      out.push_back(c);
    }
  }
  return out + "\"";
}

std::string JsonNumber(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

std::string JsonList(const std::vector<std::string>& items, bool quote) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out.push_back(',');
    out.append(quote ? Json(items[i]) : items[i]);
  }
  return out + "]";
}

// An input as a user types it: at most ten characters (the fields' maxlength).
std::optional<std::string> TypedValue(double value) {
  for (int decimals = 4; decimals >= 0; --decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    if (std::string(buffer).size() <= 10) return std::string(buffer);
  }
  return std::nullopt;
}

std::string RandomColour(std::mt19937& random) {
  std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFF);
  return ColourToRgbText(any(random));
}

PageStyle RandomStyle(std::mt19937& random, int page) {
  PageStyle style;
  if (page % 2 == 1) {
    style.page_background_colour = RandomColour(random);
    style.data_grid_background_colour = RandomColour(random);
    style.warning_colour = RandomColour(random);
    style.data_grid_font_size = "12pt";
  }
  // The introduction is the user's own HTML and is written as typed.
  style.introduction_html = page % 3 == 0 ? "" : "Intro<BR><b>bold</b>";
  return style;
}

struct Manifest {
  std::ostringstream pages;
  int count = 0;
  void Add(const std::string& entry) { pages << (count++ ? ",\n" : "\n") << entry; }
};

bool WritePage(const std::string& folder, const std::string& file, const std::string& text) {
  std::string error;
  if (!WriteFileAtomically(folder + "/" + file, text, error)) {
    std::cerr << error << '\n';
    return false;
  }
  return true;
}

bool AddNetworkPage(Manifest& manifest, const std::string& folder, const std::string& file,
                    const NetworkModel& model, std::mt19937& random) {
  const PageStyle style = RandomStyle(random, manifest.count);
  const std::string page = NetworkPageText(model, style, {"/models/<m>.kwf", "Unknown", "now"});
  if (!WritePage(folder, file, page)) return false;

  std::vector<std::string> cases;
  for (int c = 0; c < 5; ++c) {
    std::vector<std::string> typed;
    std::vector<double> values;
    std::vector<std::string> warn;
    for (int i = 0; i < model.InputCount(); ++i) {
      const double low = model.min_seen[i], high = model.max_seen[i];
      const double margin = 0.25 * (high - low) + 1e-3;
      std::uniform_real_distribution<double> draw(low - margin, high + margin);
      const std::optional<std::string> text = TypedValue(draw(random));
      if (!text) return std::cerr << file << ": an input cannot be typed\n", false;
      typed.push_back(*text);
      values.push_back(std::strtod(text->c_str(), nullptr));
      if (values.back() > high) warn.push_back("\"max" + std::to_string(i + 1) + "\"");
      if (values.back() < low) warn.push_back("\"min" + std::to_string(i + 1) + "\"");
    }
    NetworkPrediction result;
    std::string error;
    if (!EvaluateNetwork(model, values, result, error)) return std::cerr << error << '\n', false;
    std::string entry = "{\"values\":" + JsonList(typed, true);
    if (model.is_classifier) {
      entry += ",\"class\":" + Json(result.class_text) +
               ",\"strength\":" + JsonNumber(result.strength) +
               ",\"raw\":" + JsonNumber(result.normalised_output);
    } else {
      const double shown = std::fabs(result.prediction) > 0.01
                               ? std::round(result.prediction * 1e6) / 1e6
                               : result.prediction;
      if (shown > model.max_seen_out) warn.push_back("\"maxOut\"");
      if (shown < model.min_seen_out) warn.push_back("\"minOut\"");
      entry += ",\"prediction\":" + JsonNumber(result.prediction);
      // What the page must show, digit for digit, where the model fixes it.
      if (shown == 12.345679) entry += ",\"shown\":\"12.345679\"";
    }
    entry += ",\"warn\":" + JsonList(warn, false) + "}";
    cases.push_back(entry);
  }
  std::vector<std::string> cells;
  for (int i = 1; i <= model.InputCount(); ++i) {
    cells.push_back("\"min" + std::to_string(i) + "\"");
    cells.push_back("\"max" + std::to_string(i) + "\"");
  }
  if (!model.is_classifier) {
    cells.push_back("\"minOut\"");
    cells.push_back("\"maxOut\"");
  }
  manifest.Add(
      "{\"file\":" + Json(file) +
      ",\"kind\":\"network\",\"classifier\":" + (model.is_classifier ? "true" : "false") +
      ",\"names\":" + JsonList(model.input_names, true) + ",\"output\":" + Json(model.output_name) +
      ",\"normal\":" + Json(style.data_grid_background_colour) +
      ",\"warning\":" + Json(style.warning_colour) + ",\"cells\":" + JsonList(cells, false) +
      ",\"cases\":" + JsonList(cases, false) + "}");
  return true;
}

// A seeded MARS model: indicators first for the inputs that may be missing, then
// hinges (some times an earlier basis function) and set tests on categorical inputs.
struct MarsCase {
  std::string text;
  std::string output;
};

std::string Knot(std::mt19937& random) {
  std::uniform_real_distribution<double> draw(-40, 120);
  std::string text = NumberText(std::round(draw(random) * 8) / 8);
  return text;
}

// The same draws give the same model whatever the names, so a twin with plain names
// computes what the page must show.
MarsCase RandomMarsText(std::mt19937 random, const std::vector<std::string>& names,
                        const std::string& output) {
  const int inputs = static_cast<int>(names.size());
  std::vector<bool> categorical, missing;
  for (int i = 0; i < inputs; ++i) {
    categorical.push_back(std::bernoulli_distribution(0.3)(random));
    missing.push_back(!categorical.back() && std::bernoulli_distribution(0.5)(random));
  }
  std::vector<std::string> definitions;
  std::vector<int> indicator(inputs, -1);
  auto add = [&](const std::string& body) {
    definitions.push_back("BF" + std::to_string(definitions.size() + 1) + " = " + body + ";");
  };
  for (int i = 0; i < inputs; ++i) {
    if (!missing[i]) continue;
    indicator[i] = static_cast<int>(definitions.size()) + 1;
    add("( " + names[i] + " > .)");
    add("( " + names[i] + " = .)");
  }
  std::uniform_int_distribution<int> extra(3, 9);
  const int hinges = extra(random);
  for (int h = 0; h < inputs + hinges; ++h) {
    // Every input once, then any.
    const int i = h < inputs ? h : std::uniform_int_distribution<int>(0, inputs - 1)(random);
    std::string body;
    if (categorical[i]) {
      const int values = std::uniform_int_distribution<int>(1, 3)(random);
      // Some sets hold 0, the value a missing input takes; "or" is the keyword in any case.
      body = "(";
      for (int v = 0; v < values; ++v) {
        body += std::string(v ? (h % 3 == 1 ? " or " : " OR ") : " ") + names[i] + " = " +
                std::to_string(2 * v + h % 2);
      }
      body += ")";
    } else {
      const std::string max = h % 3 == 0 ? "MAX(0, " : "max(0, ";
      body = std::bernoulli_distribution(0.5)(random) ? max + names[i] + " - " + Knot(random) + ")"
                                                      : max + Knot(random) + " - " + names[i] + ")";
    }
    if (indicator[i] > 0) {
      body += " * BF" + std::to_string(indicator[i]);
    } else if (!definitions.empty() && std::bernoulli_distribution(0.3)(random)) {
      body += " * BF" + std::to_string(std::uniform_int_distribution<int>(
                            1, static_cast<int>(definitions.size()))(random));
    }
    add(body);
  }
  std::string equation = "Y = " + Knot(random);
  std::string statement;
  for (size_t k = 0; k < definitions.size(); ++k) {
    if (std::bernoulli_distribution(0.25)(random)) continue;
    equation +=
        (k % 2 ? " - " : " + ") +
        NumberText(std::round(std::uniform_real_distribution<double>(0.01, 9)(random) * 1000) /
                   1000) +
        " * BF" + std::to_string(k + 1);
    statement += " BF" + std::to_string(k + 1);
  }
  std::string text;
  for (const std::string& d : definitions) text += d + "\r\n";
  text += "\r\nY" + equation.substr(1) + ";\r\n\r\nMODEL " + output + " =" + statement + ";\r\n";
  return {text, output};
}

// The model, and for each of its inputs the index of its name in `names`.
bool ReadMars(const MarsCase& mars, const std::vector<std::string>& names, MarsModel& model,
              std::vector<size_t>& order) {
  SilentMessages messages;
  bool read = ParseMarsText(mars.text, model, messages) && model.input_names.size() == names.size();
  for (size_t k = 0; read && k < names.size(); ++k) {
    order.push_back(std::find(names.begin(), names.end(), model.input_names[k]) - names.begin());
    read = order.back() < names.size();
  }
  if (!read) std::cerr << "the model text was not read as meant:\n" << mars.text;
  return read;
}

// Writes `to[j]` for every whole word `from[j]` of the text.
std::string RenameWords(const std::string& text, const std::vector<std::string>& from,
                        const std::vector<std::string>& to) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (!IsModelNameChar(text[i])) {
      out.push_back(text[i++]);
      continue;
    }
    size_t end = i;
    while (end < text.size() && IsModelNameChar(text[end])) ++end;
    const std::string word = text.substr(i, end - i);
    const auto found = std::find(from.begin(), from.end(), word);
    out += found == from.end() ? word : to[found - from.begin()];
    i = end;
  }
  return out;
}

// The reader takes only names that are words, but a page must hold for whatever names
// a model record carries: the hostile model is its plain twin with the names written in.
bool HostileTwin(const MarsModel& plain, const std::vector<std::string>& names,
                 const std::vector<std::string>& twin_names, const std::string& output,
                 MarsModel& model) {
  model = plain;
  model.input_names = [&] {
    std::vector<std::string> renamed;
    for (const std::string& name : plain.input_names) {
      renamed.push_back(RenameWords(name, twin_names, names));
    }
    return renamed;
  }();
  for (std::string& definition : model.basis_function_defs) {
    definition = RenameWords(definition, twin_names, names);
  }
  model.output_name = output;
  model.model_statement =
      "MODEL " + output + plain.model_statement.substr(plain.model_statement.find(" ="));
  return model.input_names.size() == names.size();
}

bool AddMarsPage(Manifest& manifest, const std::string& folder, const std::string& file,
                 const MarsCase& mars, const MarsCase& twin, const std::vector<std::string>& names,
                 const std::vector<std::string>& twin_names, bool allow_missing,
                 std::mt19937& random) {
  SilentMessages messages;
  MarsModel model, plain;
  std::vector<size_t> twin_order;
  if (!ReadMars(twin, twin_names, plain, twin_order) ||
      !HostileTwin(plain, names, twin_names, mars.output, model)) {
    return false;
  }
  MarsEvaluator evaluator;
  std::string error;
  if (!evaluator.Compile(plain, error)) return std::cerr << file << ": " << error << '\n', false;
  const PageStyle style = RandomStyle(random, manifest.count);
  const std::string page =
      MarsPageText(model, style, {"C:\\m\\<x>.txt", "Unknown", "now"}, allow_missing, messages);
  if (!WritePage(folder, file, page)) return false;

  std::vector<std::string> cases;
  for (int c = 0; c < 5; ++c) {
    std::vector<std::string> typed;
    std::vector<std::optional<double>> values;
    for (int i = 0; i < model.InputCount(); ++i) {
      // With missing values allowed any input may be empty: case 1 leaves them all so.
      if (allow_missing && c % 2 == 1 && (c == 1 || std::bernoulli_distribution(0.6)(random))) {
        typed.push_back(c == 3 ? "n/a" : "");
        values.push_back(std::nullopt);
        continue;
      }
      const std::string text =
          model.is_categorical[i]
              ? std::to_string(std::uniform_int_distribution<int>(1, 6)(random))
              : *TypedValue(std::uniform_real_distribution<double>(-50, 150)(random));
      typed.push_back(text);
      values.push_back(std::strtod(text.c_str(), nullptr));
    }
    cases.push_back("{\"values\":" + JsonList(typed, true) +
                    ",\"prediction\":" + JsonNumber(evaluator.Evaluate(values)) + "}");
  }
  manifest.Add("{\"file\":" + Json(file) +
               ",\"kind\":\"mars\",\"allowMissing\":" + (allow_missing ? "true" : "false") +
               ",\"names\":" + JsonList(model.input_names, true) + ",\"output\":" +
               Json(model.output_name) + ",\"cases\":" + JsonList(cases, false) + "}");
  return true;
}

// A network of random shape: 1 to 8 inputs, 0 to 6 hidden neurons of either kind,
// regression or classifier, ranges anywhere from tiny to large.
NetworkModel RandomNetwork(std::mt19937& random) {
  auto integer = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto real = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  NetworkModel model;
  const int inputs = integer(1, 8), hidden = integer(0, 6);
  for (int i = 0; i < inputs; ++i) {
    model.input_names.push_back("v" + std::to_string(i + 1));
    const double scale = std::pow(10.0, integer(-2, 3));
    const double minimum = real(-5, 5) * scale;
    const double maximum = minimum + real(0.5, 10) * scale;
    model.min_norm.push_back(minimum);
    model.max_norm.push_back(maximum);
    model.min_seen.push_back(minimum + real(0, 0.2) * (maximum - minimum));
    model.max_seen.push_back(maximum - real(0, 0.2) * (maximum - minimum));
  }
  model.output_name = "out";
  model.is_classifier = integer(0, 1) == 1;
  model.min_norm_out = real(-100, 100);
  model.max_norm_out = model.min_norm_out + real(0.001, 1000);
  model.min_seen_out = model.min_norm_out + 0.1 * (model.max_norm_out - model.min_norm_out);
  model.max_seen_out = model.max_norm_out - 0.1 * (model.max_norm_out - model.min_norm_out);
  model.max_seen_out_cl = real(0.1, 1);
  model.min_seen_out_cl = -real(0.1, 1);
  for (int k = 0; k < hidden; ++k) {
    model.hidden_type.push_back(integer(0, 2) == 0 ? NeuronType::Linear : NeuronType::NonLinear);
  }
  model.hidden_type.push_back(NeuronType::Bias);
  model.wih.assign(inputs + 1, std::vector<double>(hidden + 1, 0.0));
  for (auto& row : model.wih) {
    for (int k = 0; k < hidden; ++k) row[k] = integer(0, 9) == 0 ? 0.0 : real(-8, 8);
  }
  for (int k = 0; k <= hidden; ++k) model.who.push_back(real(-2, 2));
  return model;
}

}  // namespace

int Main(const std::string& folder) {
  std::mt19937 random(20261206);
  Manifest manifest;
  int page = 0;
  std::vector<NetworkModel> networks;
  // The compiler suite's seeded networks: extreme shapes first, hostile names and texts.
  // Values near the largest double cannot be typed into the page's ten-character boxes.
  for (const ConformanceCase& item : ConformanceCases(1, 8, 1)) {
    if (!item.near_overflow) networks.push_back(item.model);
  }
  for (int n = 0; n < 12; ++n) networks.push_back(RandomNetwork(random));
  // No hidden neurons: the prediction is the output bias + 1 whatever the input, so
  // the page must show 12.3456789 rounded to 12.345679 and 0.0041234567 as it is.
  for (double prediction : {12.3456789, 0.0041234567}) {
    NetworkModel model = RandomNetwork(random);
    model.is_classifier = false;
    model.hidden_type = {NeuronType::Bias};
    for (auto& row : model.wih) row.assign(1, 0.0);
    model.who = {prediction - 1};
    model.min_norm_out = 0;
    model.max_norm_out = 2;
    networks.push_back(model);
  }
  // A classifier whose seen extreme on the predicted side is 0: the strength is 0.
  for (double output : {0.5, -0.5}) {
    NetworkModel model = RandomNetwork(random);
    model.is_classifier = true;
    model.hidden_type = {NeuronType::Bias};
    for (auto& row : model.wih) row.assign(1, 0.0);
    model.who = {output};
    (output > 0 ? model.max_seen_out_cl : model.min_seen_out_cl) = 0;
    networks.push_back(model);
  }
  for (size_t n = 0; n < networks.size(); ++n) {
    NetworkModel model = networks[n];
    if (n % 2 == 0) {
      // Every page of an even case carries the hostile names and texts.
      for (int i = 0; i < model.InputCount(); ++i) {
        model.input_names[i] = kHostileNetworkNames[(n + i) % kHostileNetworkNames.size()];
      }
      model.output_name = "<b>out</b>\"";
      model.description = "<script>window.__pwned=1</script>\r\nline & more";
      model.data_source = "\"><script>window.__pwned=1</script>";
    }
    if (!AddNetworkPage(manifest, folder, "page" + std::to_string(page++) + ".html", model,
                        random)) {
      return 1;
    }
  }
  size_t hostile = 0;
  for (int seed = 0; seed < 24; ++seed) {
    const int inputs = std::uniform_int_distribution<int>(2, 6)(random);
    std::vector<std::string> names, twin_names;
    for (int i = 0; i < inputs; ++i) {
      names.push_back(seed % 2 == 0 ? kHostileMarsNames[hostile++ % kHostileMarsNames.size()]
                                    : "X" + std::to_string(i + 1));
      twin_names.push_back(EvaluatorReads(names.back()) ? names.back()
                                                        : "P" + std::to_string(i + 1));
    }
    const std::string output = seed % 2 == 0 ? "<i>Y&amp;</i>" : "Y";
    MarsCase mars = RandomMarsText(random, names, output);
    // Model text comes in either encoding; the page must be the same.
    if (seed % 4 == 0) mars.text = Cp1252ToUtf8(mars.text);
    const MarsCase twin = RandomMarsText(random, twin_names, "Y");
    random.discard(1000);
    if (!AddMarsPage(manifest, folder, "page" + std::to_string(page++) + ".html", mars, twin, names,
                     twin_names, seed % 4 < 2, random)) {
      return 1;
    }
  }
  std::ofstream out(folder + "/manifest.json", std::ios::binary);
  out << "{\"pages\":[" << manifest.pages.str() << "\n]}\n";
  return out ? 0 : 1;
}

}  // namespace kdk::conformance

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: kdk_web_pages FOLDER\n";
    return 2;
  }
  return kdk::conformance::Main(argv[1]);
}
