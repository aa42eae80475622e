// kdk score: a data file scored row by row with the engine's own evaluation.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>

#include "cli/arguments.h"
#include "cli/code_settings.h"
#include "cli/commands.h"
#include "cli/model_loader.h"
#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/score/score_file.h"
#include "engines/spss/sav_writer.h"
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
    "standard input or output. OUT ending in .sav is written as an SPSS data file\n"
    "(numeric columns as numbers; DATA then cannot be standard input).\n"
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
  if (model_path == "-" && data_path == "-") {
    throw UsageError{"the model and the data cannot both come from standard input"};
  }

  ConsoleMessagePort messages(std::cerr);
  Workspace workspace;
  if (!LoadModelForCli(model_path, workspace, messages)) return kExitFailure;

  ScoringModel scoring;
  std::string error;
  const bool prepared =
      kind == ModelKind::Network
          ? PrepareNetworkScoring(workspace.network,
                                  SettingsFromArguments(CodeType::Spss, args, workspace.network),
                                  scoring, error)
          : PrepareMarsScoring(workspace.mars, args.Value("--output-name", "mars_out"), scoring,
                               error);
  if (!prepared) {
    messages.Inform(error);
    return kExitFailure;
  }

  ScoreFileRequest request;
  request.model_path = model_path == "-" ? "" : model_path;
  request.data_path = data_path;
  request.output_path = output;
  request.separator = separator;
  request.options.strict = args.Has("--strict");
  const bool sav = IsSpssDataPath(data_path);
  ScoreEvents events;
  events.bad_row = [sav](std::size_t line, const std::string& problem) {
    std::cerr << (sav ? "case " : "line ") << line << ": " << problem
              << "; its prediction is left empty\n";
  };
  ProgressLine progress(!args.Has("--quiet") && output != "-" && ::isatty(STDERR_FILENO) == 1);
  events.progress = [&progress](std::size_t rows) { return progress(rows); };
  ScoreSummary summary;
  if (!ScoreDataFile(scoring, request, spss::ReadStatDataFiles(), events, summary, error)) {
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
