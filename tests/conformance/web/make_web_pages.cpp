// The seeded models' web pages, with hostile names, and a manifest of what each must show.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <random>

#include "core/common/model_text.h"
#include "core/common/number_text.h"
#include "core/common/text_file.h"
#include "core/export/web/mars_page.h"
#include "core/export/web/network_page.h"
#include "core/mars/mars_words.h"
#include "support/manifest_json.h"
#include "support/mars_models.h"
#include "support/networks.h"
#include "support/scratch.h"

namespace kdk::conformance {
namespace {

// Names a page could take for markup or script: a MARS text cannot hold most of them,
// so a page with them is checked against the model read with its own names.
const std::vector<std::string> kHostileMarsNames = {
    "</script", "class",     "<script", "Xmax",  "max_1",       "a\"b", "tempx",
    "inpval",   "'q'",       "var",     "Math",  "a$b",         "<!",   "n#1",
    "@x",       "\xE9t\xE9", "alert",   "&amp;", "\x8Akoda\x80"};

// An input as a user types it: at most ten characters (the fields' maxlength).
std::optional<std::string> TypedValue(double value) {
  for (int decimals = 4; decimals >= 0; --decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    if (std::string(buffer).size() <= 10) return std::string(buffer);
  }
  return std::nullopt;
}

PageStyle RandomStyle(std::mt19937& random, int page) {
  std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFF);
  PageStyle style;
  if (page % 2 == 1) {
    style.page_background_colour = ColourToRgbText(any(random));
    style.data_grid_background_colour = ColourToRgbText(any(random));
    style.warning_colour = ColourToRgbText(any(random));
    style.data_grid_font_size = "12pt";
  }
  // The introduction is the user's own HTML and is written as typed.
  style.introduction_html = page % 3 == 0 ? "" : "Intro<BR><b>bold</b>";
  return style;
}

bool AddNetworkPage(std::vector<std::string>& manifest, const std::string& folder, int page,
                    const NetworkModel& model, std::mt19937& random) {
  const std::string file = "page" + std::to_string(page) + ".html";
  const PageStyle style = RandomStyle(random, page);
  WriteText(folder + "/" + file,
            NetworkPageText(model, style, {"/models/<m>.kwf", "Unknown", "now"}));

  std::vector<std::string> cases;
  for (int c = 0; c < 5; ++c) {
    std::vector<std::string> typed;
    std::vector<double> values;
    std::vector<std::string> warn;
    for (int i = 0; i < model.InputCount(); ++i) {
      const double low = model.min_seen[i], high = model.max_seen[i];
      const double margin = 0.25 * (high - low) + 1e-3;
      std::uniform_real_distribution<double> draw(low - margin, high + margin);
      // Cases 0 and 1 sit exactly on the seen maximum and minimum: no warning there.
      const double value = c == 0 ? high : c == 1 ? low : draw(random);
      const std::optional<std::string> text = TypedValue(value);
      if (!text) return std::cerr << file << ": an input cannot be typed\n", false;
      typed.push_back(*text);
      values.push_back(std::strtod(text->c_str(), nullptr));
      if (values.back() > high) warn.push_back("\"max" + std::to_string(i + 1) + "\"");
      if (values.back() < low) warn.push_back("\"min" + std::to_string(i + 1) + "\"");
    }
    const NetworkPrediction result = Predicted(model, values);
    std::string entry = "{\"values\":" + JsonList(typed, true);
    if (model.is_classifier) {
      entry += ",\"class\":" + Json(result.class_text) +
               ",\"strength\":" + ExactText(result.strength) +
               ",\"raw\":" + ExactText(result.normalised_output);
    } else {
      const double shown = std::fabs(result.prediction) > 0.01
                               ? std::round(result.prediction * 1e6) / 1e6
                               : result.prediction;
      if (shown > model.max_seen_out) warn.push_back("\"maxOut\"");
      if (shown < model.min_seen_out) warn.push_back("\"minOut\"");
      entry += ",\"prediction\":" + ExactText(result.prediction);
      // What the page must show, digit for digit, where the model fixes it.
      if (shown == 12.345679) entry += ",\"shown\":\"12.345679\"";
    }
    entry += ",\"warn\":" + JsonList(warn, false) + "}";
    cases.push_back(entry);
  }
  manifest.push_back(
      "{\"file\":" + Json(file) +
      ",\"kind\":\"network\",\"classifier\":" + (model.is_classifier ? "true" : "false") +
      ",\"names\":" + JsonList(model.input_names, true) + ",\"output\":" + Json(model.output_name) +
      ",\"normal\":" + Json(style.data_grid_background_colour) +
      ",\"warning\":" + Json(style.warning_colour) + ",\"cases\":" + JsonList(cases, false) + "}");
  return true;
}

// The reader takes only names that are words, but a page must hold for whatever names
// a model record carries: the hostile model is the read one with hostile names written in.
MarsModel HostileTwin(const MarsModel& plain, size_t& hostile) {
  MarsModel model = plain;
  std::vector<std::string>& names = model.input_names;
  for (std::string& name : names) name = kHostileMarsNames[hostile++ % kHostileMarsNames.size()];
  for (std::string& definition : model.basis_function_defs) {
    definition = ReplaceMarsNames(definition, [&](std::string_view word) {
      const auto found = std::find(plain.input_names.begin(), plain.input_names.end(), word);
      return found == plain.input_names.end()
                 ? std::nullopt
                 : std::optional(names[found - plain.input_names.begin()]);
    });
  }
  model.output_name = "<i>Y&amp;</i>";
  model.model_statement =
      "MODEL " + model.output_name + plain.model_statement.substr(plain.model_statement.find(" ="));
  return model;
}

// A page of the seeded model (or its hostile twin) and its rows as typed: missing inputs
// left empty or "n/a" where missing values are allowed (case 1 leaves every input empty).
void AddMarsPage(std::vector<std::string>& manifest, const std::string& folder, int page,
                 std::uint32_t seed, size_t* hostile, bool allow_missing, std::mt19937& random) {
  const std::string file = "page" + std::to_string(page) + ".html";
  SilentMessages messages;
  MarsCase mars = ReadMarsCase(seed, 5);
  const MarsModel model = hostile ? HostileTwin(mars.model, *hostile) : mars.model;
  WriteText(folder + "/" + file,
            MarsPageText(model, RandomStyle(random, page), {"C:\\m\\<x>.txt", "Unknown", "now"},
                         allow_missing, messages));

  std::vector<std::string> cases;
  int c = 0;
  for (InputRow& values : mars.rows) {
    std::vector<std::string> typed;
    for (auto& value : values) {
      if (allow_missing && (c == 1 || !value)) {
        typed.push_back(c == 3 ? "n/a" : "");
        value.reset();
        continue;
      }
      typed.push_back(*TypedValue(value.value_or(0)));
      value = std::strtod(typed.back().c_str(), nullptr);
    }
    ++c;
    cases.push_back("{\"values\":" + JsonList(typed, true) +
                    ",\"prediction\":" + ExactText(mars.evaluator.Evaluate(values)) + "}");
  }
  manifest.push_back("{\"file\":" + Json(file) +
                     ",\"kind\":\"mars\",\"allowMissing\":" + (allow_missing ? "true" : "false") +
                     ",\"names\":" + JsonList(model.input_names, true) + ",\"output\":" +
                     Json(model.output_name) + ",\"cases\":" + JsonList(cases, false) + "}");
}

}  // namespace
}  // namespace kdk::conformance

int main(int argc, char** argv) {
  using namespace kdk;
  using namespace kdk::conformance;
  if (argc != 2) return std::cerr << "usage: kdk_web_pages FOLDER\n", 2;
  const std::string folder = argv[1];
  const std::uint64_t seed = ConformanceSeed();
  std::mt19937 random(static_cast<std::uint32_t>(seed));
  std::vector<std::string> manifest;
  int page = 0;
  std::vector<NetworkModel> networks;
  // Values near the largest double cannot be typed into the page's ten-character boxes.
  const std::vector<ConformanceCase> cases = ConformanceCases(seed + 3, 22, 0);
  for (const ConformanceCase& item : cases) {
    if (!item.near_overflow) networks.push_back(item.model);
  }
  // No hidden neurons (cases 1 and 2): the prediction is the output bias + 1 whatever
  // the input, so the page must show 12.3456789 rounded to 12.345679 and 0.0041234567
  // as it is; as classifiers whose seen extreme on the predicted side is 0, strength 0.
  for (double prediction : {12.3456789, 0.0041234567, 0.5, -0.5}) {
    NetworkModel model = cases[prediction > 0.1 ? 1 : 2].model;
    model.is_classifier = std::fabs(prediction) == 0.5;
    model.who = {model.is_classifier ? prediction : prediction - 1};
    model.min_norm_out = 0;
    model.max_norm_out = 2;
    (prediction > 0 ? model.max_seen_out_cl : model.min_seen_out_cl) = 0;
    networks.push_back(model);
  }
  for (NetworkModel& model : networks) {
    // Seen limits a user can type exactly, to type them (a value on the limit is inside).
    for (int i = 0; i < model.InputCount(); ++i) {
      model.min_seen[i] = std::round(model.min_seen[i] * 100) / 100;
      model.max_seen[i] = std::round(model.max_seen[i] * 100) / 100;
    }
    if (!AddNetworkPage(manifest, folder, page++, model, random)) return 1;
  }
  size_t hostile = 0;
  for (std::uint32_t m = 0; m < 24; ++m) {
    const auto mars_seed = static_cast<std::uint32_t>(seed) + m;
    // Every other model carries names a page could mistake for markup or script.
    AddMarsPage(manifest, folder, page++, mars_seed, m % 2 == 0 ? &hostile : nullptr, m % 4 < 2,
                random);
  }
  WriteText(folder + "/manifest.json", JsonList(manifest, false));
  return 0;
}
