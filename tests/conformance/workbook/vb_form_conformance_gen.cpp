// Writes the VB6 form files of seeded networks and MARS models (the shared generators'
// models, plus classifiers, hostile texts, and models large enough that SetMaxMinVals
// and calcBasisFunctions are cut into parts) and a manifest of what each form must show
// for the inputs typed into it; check_vb_forms.py runs the forms' code in LibreOffice
// Basic and compares.
//
// usage: vb_form_conformance_gen OUTPUT_FOLDER NETWORKS MARS_MODELS (seed: KDK_CONFORMANCE_SEED)
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/model_text.h"
#include "core/common/number_text.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/vbproject/vb_project.h"
#include "core/lang/language_rules.h"
#include "core/mars/mars_evaluator.h"
#include "core/mars/mars_words.h"
#include "core/mars/parse_mars_model.h"
#include "core/network/evaluate_network.h"
#include "support/manifest_json.h"
#include "support/mars_models.h"
#include "support/networks.h"
#include "support/scratch.h"

namespace kdk::conformance {
namespace {

// A value as typed into a text box: every digit needed to give the same double.
std::string Typed(double value) {
  return Json(ExactText(value));
}

// What the About box shows of a text: a string may not span lines, so control
// characters other than TAB show as blanks.
std::string Shown(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) c = ' ';
  }
  return out;
}

// The number the form holds for a model constant: the literal it writes, read back.
double AsWritten(double value) {
  std::string text;
  lang::AppendRealLiteral(lang::RulesOf(lang::Language::VisualBasic), text, value);
  if (!text.empty() && text.back() == '#') text.pop_back();
  return std::strtod(text.c_str(), nullptr);
}

const GenerationStamp kStamp{"C:\\models\\\"caf\xE9\"\r\n PWN-ED.kwf", "Sat, Dec 5 2026, 9:15 AM",
                             "Sun, Dec 6 2026, 2:00 AM"};

struct Writer {
  std::string folder;
  Manifest manifest;
  SilentMessages messages;

  void Form(const std::string& name, const std::string& text, const std::string& fields) {
    const std::string path = folder + "/" + name + ".frm";
    WriteText(path, text);
    manifest.Next() << "{\"path\": " << Json(path) << ", " << fields << "}";
  }
};

std::string NetworkAbout(const NetworkModel& model) {
  return "inputs:" + std::to_string(model.InputCount()) +
         "\r\nhidden neurons:" + std::to_string(model.HiddenCount()) +
         "\r\ntraining data source:" + Shown(model.data_source) +
         "\r\ntraining data view:" + Shown(model.data_view) +
         "\r\nKestrium weights file:" + Shown(kStamp.model_path) +
         "\r\nmodel created:" + kStamp.model_created + "\r\nthis project created:" + kStamp.created;
}

void WriteNetwork(Writer& w, const ConformanceCase& item) {
  const NetworkModel& model = item.model;
  const int n = model.InputCount();
  std::vector<std::vector<double>> vectors = item.inputs;
  // On the warnings' limits as the form holds them, and just past them.
  std::vector<double> edge(n), past(n);
  for (int i = 0; i < n; ++i) {
    const double low = AsWritten(model.min_seen[i]), high = AsWritten(model.max_seen[i]);
    edge[i] = i % 2 ? high : low;
    past[i] = i % 2 ? high + (std::fabs(high) + 1) * 1e-12 : low - (std::fabs(low) + 1) * 1e-12;
  }
  vectors.push_back(edge);
  vectors.push_back(past);
  const double scale =
      std::max({1.0, std::fabs(model.max_norm_out), std::fabs(model.min_norm_out)});
  std::vector<std::string> cases;
  for (std::size_t v = 0; v < vectors.size(); ++v) {
    const std::vector<double>& values = vectors[v];
    NetworkPrediction prediction;
    std::string error;
    if (!EvaluateNetwork(model, values, prediction, error)) {
      std::cerr << item.name << ": " << error << "\n";
      std::exit(1);
    }
    std::vector<std::string> texts, low, high;
    for (int i = 0; i < n; ++i) {
      texts.push_back(Typed(values[i]));
      low.push_back(values[i] < AsWritten(model.min_seen[i]) ? "true" : "false");
      high.push_back(values[i] > AsWritten(model.max_seen[i]) ? "true" : "false");
    }
    std::string c = "{\"texts\": " + JsonList(texts, false) + ", \"low\": " + JsonList(low, false) +
                    ", \"high\": " + JsonList(high, false);
    if (model.is_classifier) {
      c += ", \"prediction\": " + Json(prediction.class_text) +
           ", \"strength\": " + ExactText(prediction.strength);
    } else {
      // The form rounds to 4 decimals above 0.01, then warns on the rounded value.
      const double p = prediction.prediction;
      const double shown = std::fabs(p) > 0.01 ? std::round(p * 1e4) / 1e4 : p;
      c += ", \"prediction\": " + ExactText(p) +
           ", \"out_low\": " + (shown < AsWritten(model.min_seen_out) ? "true" : "false") +
           ", \"out_high\": " + (shown > AsWritten(model.max_seen_out) ? "true" : "false");
    }
    cases.push_back(c + "}");
    if (v == 0) {
      // Then a box left empty: "Invalid number", and the prediction stays.
      std::vector<std::string> bad = texts;
      bad.back() = "\"\"";
      cases.push_back("{\"texts\": " + JsonList(bad, false) + ", \"invalid\": true}");
    }
  }
  w.Form(item.name, VbNetworkFormFile(model, kStamp),
         "\"kind\": \"network\", \"classifier\": " +
             std::string(model.is_classifier ? "true" : "false") +
             ", \"inputs\": " + std::to_string(n) + ", \"tolerance\": " + ExactText(1e-9 * scale) +
             ", \"about\": " + Json(NetworkAbout(model)) +
             ", \"cases\": " + JsonList(cases, false));
}

// Many generated texts as one model: each one's basis functions renamed BFn_k, their
// equations added, so that calcBasisFunctions must be cut into parts.
GeneratedMars JoinedMarsModels(std::uint32_t first_seed, int count) {
  GeneratedMars joined;
  std::string block, equation = "Y = ", statement = "MODEL Y =";
  int k = 0;
  for (std::uint32_t seed = first_seed; k < count; ++seed) {
    if (seed % 3 == 0) continue;  // UTF-8 texts; the joined one is in the code page
    const GeneratedMars one = GenerateMarsModel(seed);
    const std::string suffix = "_" + std::to_string(++k);
    const std::string text = ReplaceMarsNames(one.text, [&](std::string_view name) {
      const bool basis = name.size() > 2 && name.substr(0, 2) == "BF" &&
                         name.find_first_not_of("0123456789", 2) == std::string_view::npos;
      return basis ? std::optional<std::string>(std::string(name) + suffix) : std::nullopt;
    });
    const std::vector<std::string> parts = SplitAt(text, '\n');
    std::string* into = &block;
    for (const std::string& raw : parts) {
      const std::string line = TrimBlanks(ReplaceAll(raw, "\r", ""));
      if (line.rfind("Y = ", 0) == 0) {
        into = &equation;
        equation += (k > 1 ? " + " : "") + line.substr(4);
      } else if (line.rfind("MODEL Y =", 0) == 0) {
        statement += line.substr(9);
        into = nullptr;
      } else if (into == &block && !line.empty()) {
        block += line + "\r\n";
      } else if (into == &equation && !line.empty()) {
        equation += " " + line;
      }
    }
    if (!equation.empty() && equation.back() == ';') equation.pop_back();
    if (!statement.empty() && statement.back() == ';') statement.pop_back();
    joined.categorical.insert(one.categorical.begin(), one.categorical.end());
    joined.knots.insert(joined.knots.end(), one.knots.begin(), one.knots.end());
  }
  joined.text = block + "\r\n" + equation + ";\r\n\r\n" + statement + ";\r\n";
  return joined;
}

std::string MarsAbout(const MarsModel& model) {
  return "inputs:" + std::to_string(model.InputCount()) +
         "\r\nbasis functions:" + std::to_string(model.model_term_count) +
         "\r\ntraining data source:\r\ntraining data view:\r\nMARS Rules file:" +
         Shown(kStamp.model_path) + "\r\nrules file created:" + kStamp.model_created +
         "\r\nthis project created:" + kStamp.created;
}

void WriteMars(Writer& w, const std::string& name, const GeneratedMars& generated,
               std::uint32_t seed) {
  MarsModel model;
  if (!ParseMarsText(generated.text, model, w.messages)) {
    std::cerr << name << " not read:\n" << generated.text;
    std::exit(1);
  }
  std::string form;
  MarsEvaluator evaluator;
  std::string error;
  if (!VbMarsFormFile(model, kStamp, form, w.messages) || !evaluator.Compile(model, error)) {
    std::cerr << name << " not written: " << error << "\n";
    std::exit(1);
  }
  // Every way the form reads a missing value, in turn.
  const char* nulls[] = {"\"\"", "\".\"", "\"NULL\"", "\"<null>\"", "\"  \""};
  std::vector<std::string> cases;
  int missing = 0;
  for (const InputRow& row : GenerateRows(generated, model, seed, 8)) {
    std::vector<std::string> texts;
    for (const auto& value : row) texts.push_back(value ? Typed(*value) : nulls[missing++ % 5]);
    cases.push_back("{\"texts\": " + JsonList(texts, false) +
                    ", \"prediction\": " + ExactText(evaluator.Evaluate(row)) + "}");
    if (cases.size() == 1) {
      texts[0] = "\"1,5x\"";
      cases.push_back("{\"texts\": " + JsonList(texts, false) + ", \"invalid\": true}");
    }
  }
  w.Form(name, form,
         "\"kind\": \"mars\", \"classifier\": false, \"inputs\": " +
             std::to_string(model.InputCount()) + ", \"tolerance\": 1e-9, \"about\": " +
             Json(MarsAbout(model)) + ", \"cases\": " + JsonList(cases, false));
}

}  // namespace
}  // namespace kdk::conformance

int main(int argc, char** argv) {
  using namespace kdk::conformance;
  if (argc != 4) {
    std::cerr << "usage: vb_form_conformance_gen FOLDER NETWORKS MARS_MODELS\n";
    return 2;
  }
  Writer w;
  w.folder = argv[1];
  std::filesystem::create_directories(w.folder);
  const std::uint64_t seed = ConformanceSeed();
  std::vector<ConformanceCase> networks = ConformanceCases(seed, std::stoi(argv[2]), 3);
  int written = 0;
  for (std::size_t i = 0; i < networks.size(); ++i) {
    kdk::NetworkModel& model = networks[i].model;
    // LibreOffice Basic stops on the subnormal numbers of the near-overflow networks, and
    // compiles no module holding more than about 64 KB of distinct numbers.
    if (networks[i].near_overflow || (model.InputCount() + 1) * model.HiddenCount() > 2500) {
      continue;
    }
    // Classifiers: ordinary limits, a limit of 0 (strength 0) and limits of the other
    // sign, which the strength takes as magnitudes.
    if (written++ % 2 == 1) {
      model.is_classifier = true;
      const double limits[][2] = {{0.9, -0.8}, {0, -0.8}, {-0.7, 0.6}, {0.9, 0}};
      model.max_seen_out_cl = limits[(written / 2) % 4][0];
      model.min_seen_out_cl = limits[(written / 2) % 4][1];
    }
    WriteNetwork(w, networks[i]);
  }
  // One network of 450 inputs, its inputs repeated from a generated one: SetMaxMinVals is
  // cut into parts.
  ConformanceCase wide = networks.back();
  const int n = wide.model.InputCount();
  kdk::NetworkModel& model = wide.model;
  for (int i = n; i < 450; ++i) {
    model.input_names.push_back(model.input_names[i % n]);
    model.min_norm.push_back(model.min_norm[i % n]);
    model.max_norm.push_back(model.max_norm[i % n]);
    model.min_seen.push_back(model.min_seen[i % n]);
    model.max_seen.push_back(model.max_seen[i % n]);
    const std::vector<double> weights = model.wih[static_cast<std::size_t>(i % n)];
    model.wih.insert(model.wih.end() - 1, weights);
    for (auto& values : wide.inputs) values.push_back(values[static_cast<std::size_t>(i % n)]);
  }
  wide.name = "wide";
  WriteNetwork(w, wide);

  const int mars_models = std::stoi(argv[3]);
  bool beyond_ascii = false;
  for (std::uint32_t k = 0; k < static_cast<std::uint32_t>(mars_models) || !beyond_ascii; ++k) {
    const std::uint32_t s = static_cast<std::uint32_t>(seed) + k;
    const GeneratedMars generated = GenerateMarsModel(s);
    const bool high = generated.text.find_first_of("\x80\x8A\xC3\xE9\xF6") != std::string::npos;
    if (k >= static_cast<std::uint32_t>(mars_models) && !high) continue;
    beyond_ascii = beyond_ascii || high;
    WriteMars(w, "mars_" + std::to_string(k), generated, s);
  }
  // The spellings the exporter does not write but the reader takes: MAX, no blanks, a
  // lower-case or, a set test without brackets, a bare input in a hinge.
  GeneratedMars spelled;
  spelled.text =
      "BF1 = MAX(0,X1-2.5);\r\nBF2 = (K=1 or K = 3) * BF1;\r\nBF3 = (X1>.);\r\n"
      "BF4 = K = 0 OR K = 2;\r\nBF5 = max(0, X1) * BF3;\r\nBF6 = ( K = .);\r\n\r\n"
      "Y = 1 + 2 * BF1 - 3 * BF2 + 4 * BF3 + 5 * BF4 - 6 * BF5 + 7 * BF6;\r\n\r\n"
      "MODEL Y = BF1 BF2 BF3 BF4 BF5 BF6;\r\n";
  spelled.categorical = {"K"};
  spelled.knots = {2.5};
  WriteMars(w, "mars_spelled", spelled, static_cast<std::uint32_t>(seed));
  WriteMars(w, "mars_large", JoinedMarsModels(static_cast<std::uint32_t>(seed), 170),
            static_cast<std::uint32_t>(seed));
  w.manifest.Write(w.folder);
  return 0;
}
