// kdk score: a data file scored row by row with the engine's own evaluation.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/arguments.h"
#include "cli/code_settings.h"
#include "cli/commands.h"
#include "cli/model_loader.h"
#include "cli/score_output.h"
#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/mars_spss.h"
#include "core/export/code/spss_data_match.h"
#include "core/score/score_csv.h"
#include "engines/spss/sav_rows.h"
#include "platform/console_message_port.h"

namespace kdk::cli {
namespace {

constexpr const char* kScoreHelp =
    "usage: kdk score MODEL DATA -o OUT [--sep ,|;|tab] [--strict] [--quiet]\n"
    "                 [--output-name NAME] [--no-smart-names]\n"
    "Scores every row of a delimited text file (a header line of column names; comma,\n"
    "semicolon or tab found from the header, or given with --sep; fields quoted as in\n"
    "RFC 4180) or of an SPSS data file (.sav, .zsav) with the model, and writes every\n"
    "row as delimited text with all its columns and the prediction added (for a\n"
    "classifier network also its class and strength). DATA or OUT may be - for\n"
    "standard input or output. A .sav result is not written: use kdk spss-run.\n"
    "Columns are matched to the model's inputs by name, trimmed and in any case, as\n"
    "'kdk spss-check' matches them (else by the stored name); the prediction column is\n"
    "named as the SPSS syntax names it, with _1, _2, ... if the data has that name.\n"
    "A MARS value that is empty or '.' is missing. A row with a value that is not a\n"
    "number is reported on stderr and its prediction left empty; --strict stops there.\n"
    "Numbers are written as 'kdk predict' writes them. Lines end in CR LF.\n"
    "exit status: 0 done (bad rows reported), 1 the model, data or output failed,\n"
    "2 usage error\n";

char SeparatorOption(const std::string& text) {
  if (text.empty()) return 0;
  if (text == "," || text == ";") return text[0];
  if (text == "tab" || text == "\\t" || text == "\t") return '\t';
  throw UsageError{"--sep takes , ; or tab"};
}

// "12,345 rows, 1,234,567 rows/s" on one line of a terminal.
class ProgressLine {
 public:
  explicit ProgressLine(bool shown) : shown_(shown), start_(Clock::now()) {}
  bool operator()(std::size_t rows) {
    if (!shown_) return true;
    const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    std::fprintf(stderr, "\r%zu rows, %.0f rows/s", rows, seconds > 0 ? rows / seconds : 0.0);
    std::fflush(stderr);
    drawn_ = true;
    return true;
  }
  ~ProgressLine() {
    if (drawn_) std::fputc('\n', stderr);
  }

 private:
  using Clock = std::chrono::steady_clock;
  bool shown_;
  bool drawn_ = false;
  Clock::time_point start_;
};

bool IsSavPath(const std::string& path) {
  const std::string lower = ToLowerAscii(path);
  return lower.ends_with(".sav") || lower.ends_with(".zsav");
}

bool ScoreDelimitedFile(const std::string& path, char separator, RowScorer& scorer,
                        const std::vector<SpssInput>& inputs, const std::string& prediction_name,
                        const ScoreOptions& options,
                        const std::function<bool(std::string_view)>& sink,
                        const ScoreEvents& events, ScoreSummary& summary, std::string& error) {
  const int data = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY);
  if (data < 0) {
    error = "Can't read the data " + path + ": " + std::strerror(errno);
    return false;
  }
  CsvReader reader([data](char* buffer, std::size_t capacity) -> long {
    ssize_t got;
    do {
      got = ::read(data, buffer, capacity);
    } while (got < 0 && errno == EINTR);
    return static_cast<long>(got);
  });
  reader.SetSeparator(separator);
  const bool scored =
      ScoreCsv(reader, scorer, inputs, prediction_name, options, sink, events, summary, error);
  if (data != STDIN_FILENO) ::close(data);
  return scored;
}

}  // namespace

int RunScore(const std::vector<std::string>& words) {
  const Arguments args(words, {"-o", "--sep", "--output-name"},
                       {"--strict", "--quiet", "--no-smart-names"});
  if (args.WantsHelp()) {
    std::cout << kScoreHelp;
    return kExitOk;
  }
  if (args.Positional().size() != 2) throw UsageError{"expected MODEL and DATA"};
  const std::string output = args.Value("-o", "");
  if (output.empty()) throw UsageError{"-o OUT is required (- for standard output)"};
  const char separator = SeparatorOption(args.Value("--sep", ""));
  const std::string& model_path = args.Positional()[0];
  const std::string& data_path = args.Positional()[1];
  const ModelKind kind = KindOfModelPath(model_path);
  if (kind == ModelKind::Mars && args.Has("--no-smart-names")) {
    throw UsageError{"--no-smart-names does not apply to this kind of model"};
  }
  if (IsSavPath(output)) {
    throw UsageError{
        "the result is written as delimited text (CSV); a .sav result is not "
        "available yet: kdk spss-run writes one through PSPP"};
  }
  if (model_path == "-" && data_path == "-") {
    throw UsageError{"the model and the data cannot both come from standard input"};
  }

  ConsoleMessagePort messages(std::cerr);
  Workspace workspace;
  if (!LoadModelForCli(model_path, workspace, messages)) return kExitFailure;

  std::vector<SpssInput> inputs;
  std::string prediction_name;
  std::unique_ptr<RowScorer> scorer;
  std::string error;
  if (kind == ModelKind::Network) {
    const CodeExportSettings settings =
        SettingsFromArguments(CodeType::Spss, args, workspace.network);
    inputs = NetworkSpssInputs(settings, workspace.network);
    prediction_name = NetworkSpssOutputName(settings, workspace.network);
    scorer = MakeNetworkScorer(workspace.network, error);
  } else {
    inputs = MarsSpssInputs(workspace.mars);
    prediction_name = MarsSpssOutputVariable(
        workspace.mars, StoredSpssOutputName(args.Value("--output-name", "mars_out")));
    if (prediction_name.empty()) throw UsageError{"--output-name is empty"};
    scorer = MakeMarsScorer(workspace.mars, error);
  }
  if (!scorer) {
    messages.Inform(error);
    return kExitFailure;
  }

  ScoreOutput out;
  if (!out.Open(output, {model_path, data_path}, error)) {
    messages.Inform(error);
    return kExitFailure;
  }
  ScoreOptions options;
  options.strict = args.Has("--strict");
  const bool sav = IsSavPath(data_path);
  ScoreEvents events;
  events.bad_row = [sav](std::size_t line, const std::string& problem) {
    std::cerr << (sav ? "case " : "line ") << line << ": " << problem
              << "; its prediction is left empty\n";
  };
  ProgressLine progress(!args.Has("--quiet") && output != "-" && ::isatty(STDERR_FILENO) == 1);
  events.progress = [&progress](std::size_t rows) { return progress(rows); };
  const auto sink = [&out](std::string_view bytes) { return out.Write(bytes); };
  ScoreSummary summary;
  bool scored = false;
  if (sav) {
    TableScorer table(*scorer, inputs, prediction_name, options, events, ',', sink);
    scored = spss::ScoreSavRows(data_path, table, error);
    summary = table.Summary();
  } else {
    scored = ScoreDelimitedFile(data_path, separator, *scorer, inputs, prediction_name, options,
                                sink, events, summary, error);
  }
  if (!scored || !out.Commit(error)) {
    out.Abandon();
    messages.Inform(error);
    return kExitFailure;
  }
  if (!args.Has("--quiet")) {
    std::cerr << summary.rows << " rows scored";
    if (summary.bad_rows > 0) std::cerr << ", " << summary.bad_rows << " without a prediction";
    std::cerr << "\n";
  }
  return kExitOk;
}

}  // namespace kdk::cli
