// Builds seeded random networks and MARS models into workbooks through the real save
// path and the embedded spreadsheet, and writes a manifest of what each workbook must
// show and compute; check_workbooks.py opens them all in LibreOffice and checks.
//
// usage: workbook_conformance_gen OUTPUT_FOLDER SEED NETWORKS MARS_MODELS
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "conformance/workbook/manifest_json.h"
#include "core/common/model_text.h"
#include "core/common/number_text.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/sheet/build_workbook.h"
#include "core/export/sheet/save_workbook.h"
#include "core/export/sheet/sheet_fillers.h"
#include "core/export/sheet/workbook_form_pieces.h"
#include "core/export/sheet/workbook_names.h"
#include "core/mars/mars_evaluator.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/parse_mars_model.h"
#include "core/network/evaluate_network.h"
#include "engines/workbook/embedded_spreadsheet.h"
#include "engines/workbook/r1c1_formula.h"

namespace kdk::conformance {
namespace {

class QuietMessages : public MessagePort {
 public:
  MessageAnswer Show(std::string_view text, std::string_view, MessageIcon,
                     MessageButtons buttons) override {
    if (buttons == MessageButtons::Ok) {
      std::cerr << "message: " << text << "\n";
      ++problems;
    }
    return MessageAnswer::No;
  }
  int problems = 0;
};

class NoShell : public ShellPort {
 public:
  bool OpenDocument(std::string_view, std::string_view) override { return false; }
  bool StartProgram(std::string_view, std::string_view) override { return false; }
  std::string ProgramFolder() override { return "."; }
  std::string CommandLine() override { return ""; }
};

std::string JsonNumber(double value) {
  char digits[40];
  std::snprintf(digits, sizeof digits, "%.17g", value);
  return digits;
}

std::string JsonNames(const std::vector<std::string>& names) {
  std::vector<std::string> items;
  for (const std::string& name : names) items.push_back(Json(name));
  return JsonList(items);
}

std::string A1(const std::string& r1c1, int row, int column) {
  std::string a1;
  workbook::R1C1ToA1(r1c1, row, column, a1);
  return a1;
}

// Input names: plain, with blanks, dots, a double quote and Windows-1252 letters, in
// mixed case.
std::string InputName(int i, std::mt19937_64& random) {
  switch (random() % 5) {
    case 0:
      return "in put." + std::to_string(i);
    case 1:
      return "Size_" + std::to_string(i);
    case 2:
      return i == 1 ? "say \"hi\"" : "q" + std::to_string(i);
    case 3:
      return "Gr\xF6\xDF"
             "e caf\xE9 " +
             std::to_string(i);
    default:
      return "x" + std::to_string(i);
  }
}

NetworkModel RandomNetwork(int inputs, int hidden, bool classifier, std::mt19937_64& random) {
  std::uniform_real_distribution<double> weight(-1.5, 1.5), low(-50, 50), width(0.5, 200);
  NetworkModel model;
  for (int i = 1; i <= inputs; ++i) {
    model.input_names.push_back(InputName(i, random));
    const double minimum = low(random), maximum = minimum + width(random);
    model.min_norm.push_back(minimum);
    model.max_norm.push_back(maximum);
    model.min_seen.push_back(minimum + 0.1 * (maximum - minimum));
    model.max_seen.push_back(maximum - 0.1 * (maximum - minimum));
  }
  model.output_name = classifier ? "Default Flag" : "value";
  model.is_classifier = classifier;
  model.min_norm_out = low(random);
  model.max_norm_out = model.min_norm_out + width(random);
  model.min_seen_out = model.min_norm_out;
  model.max_seen_out = model.max_norm_out;
  model.max_seen_out_cl = 0.9;
  model.min_seen_out_cl = -0.8;
  const int linear = static_cast<int>(random() % (hidden + 1));
  for (int k = 0; k < hidden; ++k) {
    model.hidden_type.push_back(k < linear ? NeuronType::Linear : NeuronType::NonLinear);
  }
  model.hidden_type.push_back(NeuronType::Bias);
  model.linear_count = linear;
  model.wih.assign(inputs + 1, std::vector<double>(hidden + 1, 0.0));
  for (int i = 0; i <= inputs; ++i) {
    for (int k = 0; k < hidden; ++k) model.wih[i][k] = weight(random) * 3 / std::sqrt(inputs);
  }
  for (int k = 0; k <= hidden; ++k) model.who.push_back(weight(random));
  return model;
}

// A MARS text: hinges, products with earlier functions, set tests and missing-value
// indicators on `inputs` inputs named X1, Größe2, X3, ..., some of them categorical.
std::string RandomMarsText(int inputs, std::mt19937_64& random) {
  std::uniform_real_distribution<double> knot(-20, 80), coefficient(-5, 5);
  std::vector<std::string> defs;
  const int functions = 1 + static_cast<int>(random() % 12);
  const int categorical = static_cast<int>(random() % (inputs + 1)) / 2;  // X1..Xc
  for (int f = 1; f <= functions; ++f) {
    const int input = 1 + static_cast<int>(random() % inputs);
    const std::string x = (input % 2 ? "X"
                                     : "Gr\xF6\xDF"
                                       "e") +
                          std::to_string(input);
    std::string body;
    if (input <= categorical) {
      body = random() % 3 == 0 ? "( " + x + " > .)" : "( " + x + " = 1 OR " + x + " = 3)";
    } else {
      switch (random() % 4) {
        case 0:
          body = "max(0, " + x + " - " + NumberText(std::round(knot(random) * 4) / 4) + ")";
          break;
        case 1:
          body = "max(0, " + NumberText(std::round(knot(random) * 4) / 4) + " - " + x + ")";
          break;
        case 2:
          body = "( " + x + " > .)";
          break;
        default:
          body = "( " + x + " = .)";
          break;
      }
    }
    if (f > 1 && random() % 3 == 0) body += " * BF" + std::to_string(1 + random() % (f - 1));
    defs.push_back("BF" + std::to_string(f) + " = " + body + ";");
  }
  std::string text;
  for (const std::string& d : defs) text += d + "\r\n";
  text += "\r\nY = " + NumberText(coefficient(random));
  std::string model_line = "MODEL Y =";
  for (int f = 1; f <= functions; ++f) {
    const double c = std::round(coefficient(random) * 1000) / 1000;
    text += (c < 0 ? " - " : " + ") + NumberText(std::fabs(c)) + " * BF" + std::to_string(f);
    model_line += " BF" + std::to_string(f);
  }
  text += ";\r\n\r\n" + model_line + ";\r\n";
  return text;
}

struct Writer {
  std::string folder;
  std::ostringstream manifest;
  int count = 0;
  QuietMessages messages;
  NoShell shell;
  std::string label;
  WorkbookWindow window{[this] { return label; }, [this](const std::string& t) { label = t; },
                        [](bool) {}};

  void Begin() { manifest << "[\n"; }
  void End() { manifest << "\n]\n"; }
  void Separator() { manifest << (count++ ? ",\n" : ""); }
};

// The test copy of a module for the macro check: the macro's questions answered Yes,
// and its clipboard moves (Cut, Select, Paste), which a hidden document in headless
// LibreOffice cannot do, written as the one move to the destination they amount to.
std::string MacroTestCopy(std::string code) {
  code = ReplaceAll(code,
                    "                thisSheet.Columns(j).Cut\r\n"
                    "                thisSheet.Columns(1).Select\r\n"
                    "                thisSheet.Paste\r\n",
                    "                thisSheet.Columns(j).Cut thisSheet.Columns(1)\r\n");
  return code +
         "Private Function MsgBox(Prompt, Optional Buttons, Optional Title) As Integer\r\n"
         "  MsgBox = vbYes\r\nEnd Function\r\n";
}

bool BuildMacroCopy(Writer& w, const std::string& path, const std::string& base,
                    const std::string& code,
                    const std::function<void(SpreadsheetApplication&)>& row,
                    const std::function<void(SpreadsheetApplication&)>& column) {
  workbook::EmbeddedSpreadsheet app;
  const std::string code_path = CodeFilePath(w.folder, base + "_macro");
  std::string error;
  if (!WriteFileAtomically(code_path, MacroTestCopy(code), error)) return false;
  WorkbookPlan plan{path, base, code_path, row, column, false};
  const bool ok = BuildWorkbook(app, plan, w.window, w.messages, w.shell);
  std::filesystem::remove(code_path);
  return ok;
}

void WriteNetwork(Writer& w, int index, const NetworkModel& model, std::mt19937_64& random,
                  bool macro_copy) {
  Workspace workspace;
  workspace.network = model;
  workspace.state.network_loaded = true;
  workspace.state.model_type = 1;
  const std::string path = w.folder + "/net " + std::to_string(index) + ".xlsm";
  const std::string base = WorkbookBaseName(path);
  workbook::EmbeddedSpreadsheet app;
  WorkbookSaveContext context{app, w.messages, w.shell, w.window, w.folder};
  const GenerationStamp stamp{"/models/net.kwf", "Unknown", "Sun, Dec 6 2026, 2:00 AM"};
  if (!SaveNetworkWorkbook(workspace, stamp, path, context)) {
    std::cerr << "network " << index << " not saved\n";
    std::exit(1);
  }
  std::string macro_path;
  if (macro_copy) {
    macro_path = w.folder + "/net macro " + std::to_string(index) + ".xlsm";
    const WorkbookResults results = NetworkResultsForZeros(model);
    const std::string code =
        NetworkCodeModuleText(NetworkWorkbookPieces(model, stamp), base, model);
    if (!BuildMacroCopy(
            w, macro_path, base, code,
            [&](SpreadsheetApplication& a) { FillRowSheet(a, base, model, results); },
            [&](SpreadsheetApplication& a) { FillColumnSheet(a, base, model, results); })) {
      std::exit(1);
    }
  }

  const int n = model.InputCount();
  w.Separator();
  w.manifest << "{\"path\": " << Json(path) << ", \"macro_path\": " << Json(macro_path)
             << ", \"kind\": \"network\", \"base\": " << Json(base)
             << ", \"inputs\": " << JsonNames(model.input_names)
             << ", \"output\": " << Json(model.output_name)
             << ", \"classifier\": " << (model.is_classifier ? "true" : "false");
  w.manifest << ", \"seen_min\": [";
  for (int i = 0; i < n; ++i) w.manifest << (i ? ", " : "") << JsonNumber(model.min_seen[i]);
  w.manifest << "], \"seen_max\": [";
  for (int i = 0; i < n; ++i) w.manifest << (i ? ", " : "") << JsonNumber(model.max_seen[i]);
  w.manifest << "], \"out_min\": " << JsonNumber(model.min_seen_out)
             << ", \"out_max\": " << JsonNumber(model.max_seen_out);
  const std::string tail = model.is_classifier ? ",1)" : ")";
  w.manifest << ", \"row_formula\": "
             << Json(A1("=" + base + "_CalculateIt(RC[-1]:RC[-" + std::to_string(n) + "]" + tail, 2,
                        n + 1))
             << ", \"column_formula\": "
             << Json(
                    A1("=" + base + "_CalculateIt(R[-3]C:R[-" + std::to_string(n + 2) + "]C" + tail,
                       n + 4, 2));
  if (model.is_classifier) {
    w.manifest << ", \"row_strength_formula\": "
               << Json(A1("=" + base + "_CalculateIt(RC[-2]:RC[-" + std::to_string(n + 1) + "],2)",
                          2, n + 2))
               << ", \"column_strength_formula\": "
               << Json(A1("=" + base + "_CalculateIt(R[-3]C[-2]:R[-" + std::to_string(n + 2) +
                              "]C[-2],2)",
                          n + 4, 4));
  }
  w.manifest << ", \"cases\": [";
  std::uniform_real_distribution<double> unit(-0.2, 1.2);
  for (int v = 0; v < 3; ++v) {
    std::vector<double> values;
    for (int i = 0; i < n; ++i) {
      values.push_back(model.min_norm[i] + unit(random) * (model.max_norm[i] - model.min_norm[i]));
    }
    NetworkPrediction prediction;
    std::string error;
    EvaluateNetwork(model, values, prediction, error);
    w.manifest << (v ? ", " : "") << "{\"values\": [";
    for (int i = 0; i < n; ++i) w.manifest << (i ? ", " : "") << JsonNumber(values[i]);
    w.manifest << "], ";
    if (model.is_classifier) {
      w.manifest << "\"prediction\": " << Json(prediction.class_text)
                 << ", \"strength\": " << JsonNumber(prediction.strength) << "}";
    } else {
      w.manifest << "\"prediction\": "
                 << JsonNumber(WorkbookRoundedPrediction(prediction.prediction)) << "}";
    }
  }
  w.manifest << "]}";
}

void WriteMars(Writer& w, int index, const std::string& text, std::mt19937_64& random,
               bool macro_copy) {
  Workspace workspace;
  if (!ParseMarsText(text, workspace.mars, w.messages)) {
    std::cerr << "MARS text not read:\n" << text;
    std::exit(1);
  }
  const MarsModel& model = workspace.mars;
  workspace.state.mars_loaded = true;
  workspace.state.model_type = 2;
  workspace.state.model_path = "Pasted_Model";
  const std::string path = w.folder + "/mars_" + std::to_string(index) + ".xlsm";
  const std::string base = WorkbookBaseName(path);
  workbook::EmbeddedSpreadsheet app;
  WorkbookSaveContext context{app, w.messages, w.shell, w.window, w.folder};
  const GenerationStamp stamp{"Pasted_Model", "Unknown", "Sun, Dec 6 2026, 2:00 AM"};
  if (!SaveMarsWorkbook(workspace, stamp, path, context)) {
    std::cerr << "MARS model " << index << " not saved:\n" << text;
    std::exit(1);
  }
  std::string macro_path;
  if (macro_copy) {
    macro_path = w.folder + "/mars macro " + std::to_string(index) + ".xlsm";
    MarsCodePieces pieces;
    MarsWorkbookPieces(model, pieces, w.messages);
    const WorkbookResults results = MarsResultsForZeros(model);
    const std::string code =
        MarsCodeModuleText(pieces, base, model, stamp.model_path, stamp.created);
    if (!BuildMacroCopy(
            w, macro_path, base, code,
            [&](SpreadsheetApplication& a) { FillMarsRowSheet(a, base, model, results); },
            [&](SpreadsheetApplication& a) { FillMarsColumnSheet(a, base, model, results); })) {
      std::exit(1);
    }
  }
  MarsEvaluator evaluator;
  std::string error;
  evaluator.Compile(model, error);
  const int n = model.InputCount();
  w.Separator();
  w.manifest
      << "{\"path\": " << Json(path) << ", \"macro_path\": " << Json(macro_path)
      << ", \"kind\": \"mars\", \"base\": " << Json(base)
      << ", \"inputs\": " << JsonNames(model.input_names)
      << ", \"output\": " << Json(model.output_name) << ", \"classifier\": false"
      << ", \"row_formula\": "
      << Json(A1("=" + base + "_CalculateIt(RC[-1]:RC[-" + std::to_string(n) + "])", 2, n + 1))
      << ", \"column_formula\": "
      << Json(A1("=" + base + "_CalculateIt(R[-3]C:R[-" + std::to_string(n + 2) + "]C)", n + 4, 2));
  w.manifest << ", \"cases\": [";
  std::uniform_real_distribution<double> real(-30, 90);
  const char* nulls[] = {"", ".", "NULL", "<null>", "  "};
  for (int v = 0; v < 4; ++v) {
    std::vector<std::optional<double>> values;
    w.manifest << (v ? ", " : "") << "{\"values\": [";
    for (int i = 0; i < n; ++i) {
      const bool missing = random() % 4 == 0;
      const bool categorical = model.is_categorical[i];
      const double value =
          categorical ? static_cast<double>(1 + random() % 4) : std::round(real(random) * 8) / 8;
      values.push_back(missing ? std::nullopt : std::optional<double>(value));
      w.manifest << (i ? ", " : "") << (missing ? Json(nulls[random() % 5]) : JsonNumber(value));
    }
    w.manifest << "], \"prediction\": " << JsonNumber(evaluator.Evaluate(values)) << "}";
  }
  w.manifest << "]}";
}

}  // namespace
}  // namespace kdk::conformance

int main(int argc, char** argv) {
  using namespace kdk::conformance;
  if (argc != 5) {
    std::cerr << "usage: workbook_conformance_gen FOLDER SEED NETWORKS MARS_MODELS\n";
    return 2;
  }
  Writer w;
  w.folder = argv[1];
  std::filesystem::create_directories(w.folder);
  std::mt19937_64 random(std::stoull(argv[2]));
  const int networks = std::stoi(argv[3]);
  const int mars_models = std::stoi(argv[4]);
  w.Begin();
  for (int i = 0; i < networks; ++i) {
    // Sizes from 1 to 60 inputs, and one of 300; one hidden neuron now and then.
    const int inputs = i == 0   ? 1
                       : i == 1 ? 60
                       : i == 2 ? 300
                                : 1 + static_cast<int>(random() % 60);
    const int hidden = i % 4 == 0 ? 1 : 1 + static_cast<int>(random() % 8);
    // The macro searches the first 200 columns: it is run where the inputs, two extra
    // columns and the output fit there.
    kdk::NetworkModel model = RandomNetwork(inputs, hidden, i % 3 == 1, random);
    // A classifier that never saw an output of either sign: its strength is 0.
    if (i == 4) model.max_seen_out_cl = model.min_seen_out_cl = 0;
    // Limits of the unusual sign: the strength divides by their size.
    if (i == 7) model.max_seen_out_cl = -0.7, model.min_seen_out_cl = 0.6;
    // A name longer than a VB line: the macro continues it over several lines.
    if (i == 3) model.input_names[0].insert(0, std::string(1500, 'L'));
    WriteNetwork(w, i, model, random, i < 5 && inputs + 3 <= 200);
  }
  for (int i = 0; i < mars_models; ++i) {
    // Every other text in UTF-8, as an editor saves it: the same workbook must come out.
    const std::string text = RandomMarsText(1 + static_cast<int>(random() % 12), random);
    WriteMars(w, i, i % 2 ? kdk::Cp1252ToUtf8(text) : text, random, i < 2);
  }
  w.End();
  std::string error;
  if (!kdk::WriteFileAtomically(w.folder + "/manifest.json", w.manifest.str(), error)) {
    std::cerr << error << "\n";
    return 1;
  }
  if (w.messages.problems) return 1;
  return 0;
}
