// The seeded models as workbooks (the real save path) and VB6 forms (hostile texts, and
// large enough to be cut into parts), with manifests of what check_office.py must find.
#include <cmath>
#include <filesystem>
#include <iostream>

#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/sheet/build_workbook.h"
#include "core/export/sheet/save_workbook.h"
#include "core/export/sheet/sheet_fillers.h"
#include "core/export/sheet/workbook_form_pieces.h"
#include "core/export/sheet/workbook_names.h"
#include "core/export/vbproject/vb_project.h"
#include "core/lang/language_rules.h"
#include "core/mars/mars_words.h"
#include "engines/workbook/embedded_spreadsheet.h"
#include "fakes/fake_ports.h"
#include "support/manifest_json.h"
#include "support/mars_models.h"
#include "support/networks.h"
#include "support/scratch.h"

namespace kdk::conformance {
namespace {

struct Writer {
  std::string folder;
  std::vector<std::string> books, forms;
  testing::RecordingMessagePort messages;  // every question answered No
  testing::FakeShell shell;
  std::string label;
  WorkbookWindow window{[this] { return label; }, [this](const std::string& t) { label = t; },
                        [](bool) {}};
};

[[noreturn]] void Stop(const std::string& why) {
  std::cerr << why << "\n";
  std::exit(1);
}

// Every way a user writes a missing value, in turn.
const char* const kMissing[] = {"", ".", "NULL", "<null>", "  "};

std::string Numbers(const std::vector<double>& values) {
  std::vector<std::string> texts;
  for (double value : values) texts.push_back(ExactText(value));
  return JsonList(texts, false);
}

void Book(Writer& w, const std::string& path, const std::string& macro_path, const char* kind,
          const std::vector<std::string>& inputs, const std::string& output, bool classifier,
          const std::string& extra, const std::vector<std::string>& cases) {
  w.books.push_back("{\"path\": " + Json(path) + ", \"macro_path\": " + Json(macro_path) +
                    ", \"kind\": \"" + kind + "\", \"base\": " + Json(WorkbookBaseName(path)) +
                    ", \"inputs\": " + JsonList(inputs, true) + ", \"output\": " + Json(output) +
                    ", \"classifier\": " + (classifier ? "true" : "false") + extra +
                    ", \"cases\": " + JsonList(cases, false) + "}");
}

// The module for the macro check: its question answered No on a sheet "Declined", and its
// clipboard moves, which a hidden document cannot make, as the one move they amount to.
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

// The macro copy of a workbook whose module is `code`, or "" without one.
std::string BuildMacroCopy(Writer& w, bool wanted, const std::string& path, const std::string& base,
                           const std::function<std::string()>& code,
                           const std::function<void(SpreadsheetApplication&)>& row,
                           const std::function<void(SpreadsheetApplication&)>& column) {
  if (!wanted) return "";
  workbook::EmbeddedSpreadsheet app;
  const std::string code_path = CodeFilePath(w.folder, base + "_macro");
  WriteText(code_path, MacroTestCopy(code()));
  WorkbookPlan plan{path, base, code_path, row, column, false};
  if (!BuildWorkbook(app, plan, w.window, w.messages, w.shell)) Stop(path + " not built");
  std::filesystem::remove(code_path);
  return path;
}

const GenerationStamp kBookStamp{"/models/net.kwf", "Unknown", "Sun, Dec 6 2026, 2:00 AM"};

void BookNetwork(Writer& w, int index, const ConformanceCase& item, bool macro_copy) {
  const NetworkModel& model = item.model;
  Workspace workspace;
  workspace.network = model;
  workspace.state.network_loaded = true;
  workspace.state.model_type = 1;
  const std::string path = w.folder + "/net " + std::to_string(index) + ".xlsm";
  const std::string base = WorkbookBaseName(path);
  workbook::EmbeddedSpreadsheet app;
  WorkbookSaveContext context{app, w.messages, w.shell, w.window, w.folder};
  if (!SaveNetworkWorkbook(workspace, kBookStamp, path, context)) Stop(path + " not saved");
  const WorkbookResults results = NetworkResultsForZeros(model);
  const std::string macro_path = BuildMacroCopy(
      w, macro_copy, w.folder + "/net macro " + std::to_string(index) + ".xlsm", base,
      [&] { return NetworkCodeModuleText(NetworkWorkbookPieces(model, kBookStamp), base, model); },
      [&](SpreadsheetApplication& a) { FillRowSheet(a, base, model, results); },
      [&](SpreadsheetApplication& a) { FillColumnSheet(a, base, model, results); });
  std::vector<std::string> cases;
  for (const std::vector<double>& values : item.inputs) {
    const NetworkPrediction p = Predicted(model, values);
    cases.push_back("{\"values\": " + Numbers(values) + ", \"prediction\": " +
                    (model.is_classifier
                         ? Json(p.class_text) + ", \"strength\": " + ExactText(p.strength)
                         : ExactText(WorkbookRoundedPrediction(p.prediction))) +
                    "}");
  }
  Book(w, path, macro_path, "network", model.input_names, model.output_name, model.is_classifier,
       ", \"seen_min\": " + Numbers(model.min_seen) + ", \"seen_max\": " + Numbers(model.max_seen) +
           ", \"out_min\": " + ExactText(model.min_seen_out) +
           ", \"out_max\": " + ExactText(model.max_seen_out),
       cases);
}

void BookMars(Writer& w, int index, std::uint32_t seed, bool macro_copy) {
  const MarsCase mars = ReadMarsCase(seed, 4);
  Workspace workspace;
  workspace.mars = mars.model;
  const MarsModel& model = workspace.mars;
  workspace.state.mars_loaded = true;
  workspace.state.model_type = 2;
  workspace.state.model_path = "Pasted_Model";
  const std::string path = w.folder + "/mars_" + std::to_string(index) + ".xlsm";
  const std::string base = WorkbookBaseName(path);
  workbook::EmbeddedSpreadsheet app;
  WorkbookSaveContext context{app, w.messages, w.shell, w.window, w.folder};
  const GenerationStamp stamp{"Pasted_Model", "Unknown", kBookStamp.created};
  if (!SaveMarsWorkbook(workspace, stamp, path, context)) Stop(path + " not saved");
  const WorkbookResults results = MarsResultsForZeros(model);
  const std::string macro_path = BuildMacroCopy(
      w, macro_copy, w.folder + "/mars macro " + std::to_string(index) + ".xlsm", base,
      [&] {
        MarsCodePieces pieces;
        MarsWorkbookPieces(model, pieces, w.messages);
        return MarsCodeModuleText(pieces, base, model, stamp.model_path, stamp.created);
      },
      [&](SpreadsheetApplication& a) { FillMarsRowSheet(a, base, model, results); },
      [&](SpreadsheetApplication& a) { FillMarsColumnSheet(a, base, model, results); });
  std::vector<std::string> cases;
  for (std::size_t v = 0; v < mars.rows.size(); ++v) {
    std::vector<std::string> values;
    for (std::size_t i = 0; i < mars.rows[v].size(); ++i) {
      const auto& value = mars.rows[v][i];
      values.push_back(value ? ExactText(*value) : Json(kMissing[(v + i) % 5]));
    }
    cases.push_back("{\"values\": " + JsonList(values, false) +
                    ", \"prediction\": " + ExactText(mars.evaluator.Evaluate(mars.rows[v])) + "}");
  }
  Book(w, path, macro_path, "mars", model.input_names, model.output_name, false, "", cases);
}

void WriteBooks(Writer& w, std::uint64_t seed) {
  // No hidden neurons in cases 1 and 2; names the macro can tell apart. The largest
  // shape is 20 x 70: 120 x 70 computes nothing in LibreOffice (left open).
  std::vector<ConformanceCase> cases =
      ConformanceCases(seed, 24, 3, {.largest_inputs = 20, .distinct_names = true});
  for (std::size_t i = 0; i < cases.size(); ++i) {
    NetworkModel& model = cases[i].model;
    // Numbers near the largest double are past what a worksheet computes.
    if (cases[i].near_overflow) continue;
    // A classifier that never saw an output of either sign (its strength is 0), and one
    // with limits of the unusual sign (the strength divides by their size).
    if (i == 5 || i == 7) {
      model.is_classifier = true;
      model.max_seen_out_cl = i == 5 ? 0 : -0.7;
      model.min_seen_out_cl = i == 5 ? 0 : 0.6;
    }
    // A name longer than a VB line: the macro continues it over several lines.
    if (i == 6) model.input_names[0].insert(0, std::string(1500, 'L'));
    // The macro searches the first 200 columns: it is run where the inputs, two extra
    // columns and the output fit there.
    BookNetwork(w, static_cast<int>(i), cases[i], i < 7 && model.InputCount() + 3 <= 200);
  }
  for (int i = 0; i < 12; ++i) {
    BookMars(w, i, static_cast<std::uint32_t>(seed) + static_cast<std::uint32_t>(i), i < 2);
  }
}

// The number the form holds for a model constant: the literal it writes, read back.
double AsWritten(double value) {
  std::string text;
  lang::AppendRealLiteral(lang::RulesOf(lang::Language::VisualBasic), text, value);
  if (!text.empty() && text.back() == '#') text.pop_back();
  return std::strtod(text.c_str(), nullptr);
}

const GenerationStamp kFormStamp{"C:\\models\\\"caf\xE9\"\r\n PWN-ED.kwf",
                                 "Sat, Dec 5 2026, 9:15 AM", "Sun, Dec 6 2026, 2:00 AM"};

// What the About box shows: its lines, a text's control characters other than TAB as
// blanks (a string may not span lines).
std::string About(std::vector<std::string> lines) {
  std::string out;
  for (std::string& line : lines) {
    for (char& c : line) {
      if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) c = ' ';
    }
    out += (out.empty() ? "" : "\r\n") + line;
  }
  return out;
}

void Form(Writer& w, const std::string& name, const std::string& text, bool network,
          bool classifier, int inputs, double tolerance, const std::string& about,
          const std::vector<std::string>& cases) {
  const std::string path = w.folder + "/" + name + ".frm";
  WriteText(path, text);
  w.forms.push_back("{\"path\": " + Json(path) + ", \"kind\": \"" + (network ? "network" : "mars") +
                    "\", \"classifier\": " + (classifier ? "true" : "false") + ", \"inputs\": " +
                    std::to_string(inputs) + ", \"tolerance\": " + ExactText(tolerance) +
                    ", \"about\": " + Json(about) + ", \"cases\": " + JsonList(cases, false) + "}");
}

void FormNetwork(Writer& w, const ConformanceCase& item) {
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
  std::vector<std::string> cases;
  for (const std::vector<double>& values : vectors) {
    const NetworkPrediction prediction = Predicted(model, values);
    // The warning labels: "11" bold and underlined, "00" not.
    std::vector<std::string> texts;
    std::string low, high;
    for (int i = 0; i < n; ++i) {
      texts.push_back(Json(ExactText(values[i])));
      low += values[i] < AsWritten(model.min_seen[i]) ? "11" : "00";
      high += values[i] > AsWritten(model.max_seen[i]) ? "11" : "00";
    }
    std::string c = "{\"texts\": " + JsonList(texts, false) + ", \"low\": " + Json(low) +
                    ", \"high\": " + Json(high);
    if (model.is_classifier) {
      c += ", \"prediction\": " + Json(prediction.class_text) +
           ", \"strength\": " + ExactText(prediction.strength);
    } else {
      // The form rounds to 4 decimals above 0.01, then warns on the rounded value.
      const double p = prediction.prediction;
      const double shown = std::fabs(p) > 0.01 ? std::round(p * 1e4) / 1e4 : p;
      c += ", \"prediction\": " + ExactText(p) + ", \"out\": \"" +
           (shown < AsWritten(model.min_seen_out) ? "11" : "00") +
           (shown > AsWritten(model.max_seen_out) ? "11\"" : "00\"");
    }
    cases.push_back(c + "}");
    if (cases.size() == 1) {
      // Then a box left empty: "Invalid number", and the prediction stays.
      texts.back() = "\"\"";
      cases.push_back("{\"texts\": " + JsonList(texts, false) + ", \"invalid\": true}");
    }
  }
  const double scale =
      std::max({1.0, std::fabs(model.max_norm_out), std::fabs(model.min_norm_out)});
  Form(
      w, item.name, VbNetworkFormFile(model, kFormStamp), true, model.is_classifier, n,
      1e-9 * scale,
      About({"inputs:" + std::to_string(n), "hidden neurons:" + std::to_string(model.HiddenCount()),
             "training data source:" + model.data_source, "training data view:" + model.data_view,
             "Kestrium weights file:" + kFormStamp.model_path,
             "model created:" + kFormStamp.model_created,
             "this project created:" + kFormStamp.created}),
      cases);
}

void FormMars(Writer& w, const std::string& name, GeneratedMars generated, std::uint32_t seed) {
  const MarsCase mars = ReadMarsCase(std::move(generated), seed, 8);
  const MarsModel& model = mars.model;
  std::string form;
  SilentMessages messages;
  if (!VbMarsFormFile(model, kFormStamp, form, messages)) Stop(name + " not written");
  std::vector<std::string> cases;
  int missing = 0;
  for (const InputRow& row : mars.rows) {
    std::vector<std::string> texts;
    for (const auto& value : row) {
      texts.push_back(Json(value ? ExactText(*value) : kMissing[missing++ % 5]));
    }
    cases.push_back("{\"texts\": " + JsonList(texts, false) +
                    ", \"prediction\": " + ExactText(mars.evaluator.Evaluate(row)) + "}");
    if (cases.size() == 1) {
      texts[0] = "\"1,5x\"";
      cases.push_back("{\"texts\": " + JsonList(texts, false) + ", \"invalid\": true}");
    }
  }
  Form(w, name, form, false, false, model.InputCount(), 1e-9,
       About({"inputs:" + std::to_string(model.InputCount()),
              "basis functions:" + std::to_string(model.model_term_count), "training data source:",
              "training data view:", "MARS Rules file:" + kFormStamp.model_path,
              "rules file created:" + kFormStamp.model_created,
              "this project created:" + kFormStamp.created}),
       cases);
}

void WriteForms(Writer& w, std::uint64_t seed) {
  std::vector<ConformanceCase> networks = ConformanceCases(seed, 12, 3);
  int written = 0;
  for (ConformanceCase& item : networks) {
    NetworkModel& model = item.model;
    // LibreOffice Basic stops on the subnormal numbers of the near-overflow networks, and
    // compiles no module holding more than about 64 KB of distinct numbers.
    if (item.near_overflow || (model.InputCount() + 1) * model.HiddenCount() > 2500) continue;
    // Classifiers: ordinary limits, a limit of 0 (strength 0) and limits of the other
    // sign, which the strength takes as magnitudes.
    if (written++ % 2 == 1) {
      const double limits[][2] = {{0.9, -0.8}, {0, -0.8}, {-0.7, 0.6}, {0.9, 0}};
      model.is_classifier = true;
      model.max_seen_out_cl = limits[(written / 2) % 4][0];
      model.min_seen_out_cl = limits[(written / 2) % 4][1];
    }
    FormNetwork(w, item);
  }
  // One network of 450 inputs, its inputs repeated from a generated one: SetMaxMinVals is
  // cut into parts.
  ConformanceCase wide = networks.back();
  NetworkModel& model = wide.model;
  const int n = model.InputCount();
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
  FormNetwork(w, wide);

  bool beyond_ascii = false;
  for (std::uint32_t k = 0; k < 10 || !beyond_ascii; ++k) {
    const std::uint32_t s = static_cast<std::uint32_t>(seed) + k;
    GeneratedMars generated = GenerateMarsModel(s);
    const bool high = generated.text.find_first_of("\x80\x8A\xC3\xE9\xF6") != std::string::npos;
    if (k >= 10 && !high) continue;
    beyond_ascii = beyond_ascii || high;
    FormMars(w, "mars_" + std::to_string(k), std::move(generated), s);
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
  FormMars(w, "mars_spelled", spelled, static_cast<std::uint32_t>(seed));
  // Large enough that calcBasisFunctions is cut into parts.
  GeneratedMars large{GenerateLargeMarsText(static_cast<std::uint32_t>(seed), 300), {}, {}};
  for (int x = 31; x <= 40; ++x) large.categorical.insert("X" + std::to_string(x));
  FormMars(w, "mars_large", large, static_cast<std::uint32_t>(seed));
}

}  // namespace
}  // namespace kdk::conformance

int main(int argc, char** argv) {
  using namespace kdk::conformance;
  if (argc != 2) return std::cerr << "usage: office_conformance_gen FOLDER\n", 2;
  Writer w;
  w.folder = argv[1];
  WriteBooks(w, ConformanceSeed());
  WriteForms(w, ConformanceSeed());
  WriteText(w.folder + "/workbooks.json", JsonList(w.books, false));
  WriteText(w.folder + "/forms.json", JsonList(w.forms, false));
  for (const auto& message : w.messages.messages) {
    if (message.buttons == kdk::MessageButtons::Ok) Stop("message: " + message.text);
  }
  return 0;
}
