// Builds the shared seeded networks and MARS models (tests/support; KDK_CONFORMANCE_SEED
// picks another seed) into workbooks through the real save path and the embedded
// spreadsheet, and writes a manifest of what each workbook must show and compute;
// check_workbooks.py opens them all in LibreOffice and checks.
//
// usage: workbook_conformance_gen OUTPUT_FOLDER NETWORKS MARS_MODELS
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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
#include "fakes/fake_ports.h"
#include "support/manifest_json.h"
#include "support/mars_models.h"
#include "support/networks.h"

namespace kdk::conformance {
namespace {

std::string A1(const std::string& r1c1, int row, int column) {
  std::string a1;
  workbook::R1C1ToA1(r1c1, row, column, a1);
  return a1;
}

struct Writer {
  std::string folder;
  Manifest manifest;
  testing::RecordingMessagePort messages;  // every question answered No
  testing::FakeShell shell;
  std::string label;
  WorkbookWindow window{[this] { return label; }, [this](const std::string& t) { label = t; },
                        [](bool) {}};
};

// The manifest's fields every workbook has, its formulas as A1 text included: `tail` ends
// the formulas' argument list ("" or ",1" for a classifier's class).
void Head(std::ostream& m, const std::string& path, const std::string& macro_path, const char* kind,
          const std::string& base, const std::vector<std::string>& inputs,
          const std::string& output, const std::string& tail) {
  const int n = static_cast<int>(inputs.size());
  m << "{\"path\": " << Json(path) << ", \"macro_path\": " << Json(macro_path) << ", \"kind\": \""
    << kind << "\", \"base\": " << Json(base) << ", \"inputs\": " << JsonList(inputs, true)
    << ", \"output\": " << Json(output) << ", \"classifier\": " << (tail.empty() ? "false" : "true")
    << ", \"row_formula\": "
    << Json(A1("=" + base + "_CalculateIt(RC[-1]:RC[-" + std::to_string(n) + "]" + tail + ")", 2,
               n + 1))
    << ", \"column_formula\": "
    << Json(A1("=" + base + "_CalculateIt(R[-3]C:R[-" + std::to_string(n + 2) + "]C" + tail + ")",
               n + 4, 2));
}

std::string Numbers(const std::vector<double>& values) {
  std::vector<std::string> texts;
  for (double value : values) texts.push_back(ExactText(value));
  return JsonList(texts, false);
}

// The test copy of a module for the macro check: the macro's question answered No on a
// sheet named "Declined" and Yes elsewhere, and its clipboard moves (Cut, Select, Paste), which a
// hidden document in headless LibreOffice cannot do, written as the one move to the destination
// they amount to.
std::string MacroTestCopy(std::string code) {
  code = ReplaceAll(code,
                    "                thisSheet.Columns(j).Cut\r\n"
                    "                thisSheet.Columns(1).Select\r\n"
                    "                thisSheet.Paste\r\n",
                    "                thisSheet.Columns(j).Cut thisSheet.Columns(1)\r\n");
  return code +
         "Private Function MsgBox(Prompt, Optional Buttons, Optional Title) As Integer\r\n"
         "  MsgBox = IIf(Application.ActiveSheet.Name = \"Declined\", vbNo, vbYes)\r\n"
         "End Function\r\n";
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

void WriteNetwork(Writer& w, int index, const ConformanceCase& item, bool macro_copy) {
  const NetworkModel& model = item.model;
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
  std::ostream& m = w.manifest.Next();
  Head(m, path, macro_path, "network", base, model.input_names, model.output_name,
       model.is_classifier ? ",1" : "");
  m << ", \"seen_min\": " << Numbers(model.min_seen)
    << ", \"seen_max\": " << Numbers(model.max_seen)
    << ", \"out_min\": " << ExactText(model.min_seen_out)
    << ", \"out_max\": " << ExactText(model.max_seen_out);
  if (model.is_classifier) {
    m << ", \"row_strength_formula\": "
      << Json(
             A1("=" + base + "_CalculateIt(RC[-2]:RC[-" + std::to_string(n + 1) + "],2)", 2, n + 2))
      << ", \"column_strength_formula\": "
      << Json(A1("=" + base + "_CalculateIt(R[-3]C[-2]:R[-" + std::to_string(n + 2) + "]C[-2],2)",
                 n + 4, 4));
  }
  m << ", \"cases\": [";
  for (std::size_t v = 0; v < item.inputs.size(); ++v) {
    const std::vector<double>& values = item.inputs[v];
    NetworkPrediction prediction;
    std::string error;
    EvaluateNetwork(model, values, prediction, error);
    m << (v ? ", " : "") << "{\"values\": " << Numbers(values) << ", \"prediction\": ";
    if (model.is_classifier) {
      m << Json(prediction.class_text) << ", \"strength\": " << ExactText(prediction.strength)
        << "}";
    } else {
      m << ExactText(WorkbookRoundedPrediction(prediction.prediction)) << "}";
    }
  }
  m << "]}";
}

void WriteMars(Writer& w, int index, std::uint32_t seed, bool macro_copy) {
  const GeneratedMars generated = GenerateMarsModel(seed);
  const std::string& text = generated.text;
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
  std::ostream& m = w.manifest.Next();
  Head(m, path, macro_path, "mars", base, model.input_names, model.output_name, "");
  m << ", \"cases\": [";
  const char* nulls[] = {"", ".", "NULL", "<null>", "  "};
  const std::vector<InputRow> rows = GenerateRows(generated, model, seed, 4);
  for (std::size_t v = 0; v < rows.size(); ++v) {
    const InputRow& values = rows[v];
    m << (v ? ", " : "") << "{\"values\": [";
    for (int i = 0; i < n; ++i) {
      const auto& value = values[static_cast<std::size_t>(i)];
      m << (i ? ", " : "") << (value ? ExactText(*value) : Json(nulls[(v + i) % 5]));
    }
    m << "], \"prediction\": " << ExactText(evaluator.Evaluate(values)) << "}";
  }
  m << "]}";
}

}  // namespace
}  // namespace kdk::conformance

int main(int argc, char** argv) {
  using namespace kdk::conformance;
  if (argc != 4) {
    std::cerr << "usage: workbook_conformance_gen FOLDER NETWORKS MARS_MODELS\n";
    return 2;
  }
  Writer w;
  w.folder = argv[1];
  std::filesystem::create_directories(w.folder);
  const std::uint64_t seed = ConformanceSeed();
  // No hidden neurons in cases 1 and 2; names the macro can tell apart. The largest
  // shape is 20 x 70: 120 x 70 computes nothing in LibreOffice (left open).
  std::vector<ConformanceCase> cases =
      ConformanceCases(seed, std::stoi(argv[2]), 3, {.largest_inputs = 20, .distinct_names = true});
  for (std::size_t i = 0; i < cases.size(); ++i) {
    ConformanceCase& item = cases[i];
    // Numbers near the largest double are past what a worksheet computes.
    if (item.near_overflow) continue;
    // A classifier that never saw an output of either sign: its strength is 0.
    if (i == 5) {
      item.model.is_classifier = true;
      item.model.max_seen_out_cl = item.model.min_seen_out_cl = 0;
    }
    // Limits of the unusual sign: the strength divides by their size.
    if (i == 7) {
      item.model.is_classifier = true;
      item.model.max_seen_out_cl = -0.7;
      item.model.min_seen_out_cl = 0.6;
    }
    // A name longer than a VB line: the macro continues it over several lines.
    if (i == 6) item.model.input_names[0].insert(0, std::string(1500, 'L'));
    // The macro searches the first 200 columns: it is run where the inputs, two extra
    // columns and the output fit there.
    WriteNetwork(w, static_cast<int>(i), item, i < 7 && item.model.InputCount() + 3 <= 200);
  }
  for (int i = 0; i < std::stoi(argv[3]); ++i) {
    WriteMars(w, i, static_cast<std::uint32_t>(seed) + static_cast<std::uint32_t>(i), i < 2);
  }
  w.manifest.Write(w.folder);
  int problems = 0;
  for (const auto& message : w.messages.messages) {
    if (message.buttons == kdk::MessageButtons::Ok)
      std::cerr << "message: " << message.text << "\n";
    problems += message.buttons == kdk::MessageButtons::Ok;
  }
  return problems ? 1 : 0;
}
