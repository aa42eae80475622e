#include "gui/shell/score_data_file.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <thread>

#include "core/export/code/code_types.h"
#include "core/export/code/smart_names.h"
#include "core/score/score_file.h"
#include "engines/spss/sav_writer.h"

namespace kdk::gui {
namespace {

constexpr std::size_t kBadRowsShown = 20;

// What the worker hands back to the window's thread.
struct Run {
  std::atomic<bool> cancel{false};
  std::atomic<bool> finished{false};
  std::atomic<std::size_t> rows{0};
  std::mutex mutex;
  std::vector<std::string> bad_rows;  // the first few, as "line N: why"
  ScoreSummary summary;
  bool ok = false;
  std::string error;
};

bool PrepareLoadedModel(const Workspace& workspace, ScoringModel& scoring, std::string& error) {
  const bool mars = workspace.state.mars_loaded &&
                    (workspace.state.model_type == 2 || !workspace.state.network_loaded);
  if (mars) return PrepareMarsScoring(workspace.mars, "mars_out", scoring, error);
  CodeExportSettings settings;
  ResetNames(settings, workspace.network);
  settings.code_type = CodeType::Spss;
  return PrepareNetworkScoring(workspace.network, settings, scoring, error);
}

std::string ResultMessage(Run& run, const std::string& output) {
  std::string text = std::to_string(run.summary.rows) + " rows scored into " + output + ".";
  if (run.summary.bad_rows == 0) return text;
  text += "\r\n\r\n" + std::to_string(run.summary.bad_rows) +
          " rows have no prediction (a value that is not a number):";
  for (const std::string& line : run.bad_rows) text += "\r\n" + line;
  if (run.summary.bad_rows > run.bad_rows.size()) text += "\r\n...";
  return text;
}

}  // namespace

void ScoreDataFile(GuiContext& context, QWidget* parent) {
  Ports& ports = context.ports;
  const Workspace& workspace = context.workspace;
  if (!workspace.state.network_loaded && !workspace.state.mars_loaded) {
    ports.messages.Inform("Load a model first: the loaded network or MARS model scores the data.");
    return;
  }
  auto scoring = std::make_shared<ScoringModel>();
  std::string error;
  if (!PrepareLoadedModel(workspace, *scoring, error)) {
    ports.messages.Inform(error, MessageIcon::Critical);
    return;
  }
  FileDialogRequest open;
  open.title = "Choose the data file to score";
  open.filter =
      "Data files (*.csv, *.txt, *.sav, *.zsav)|*.csv;*.txt;*.sav;*.zsav|All files (*.*)|*.*";
  open.must_exist = true;
  ScoreFileRequest request;
  request.data_path = ports.file_dialogs.OpenFile(open);
  if (request.data_path.empty()) return;
  FileDialogRequest save;
  save.title = "Save the scored data as";
  save.initial_folder = std::filesystem::path(request.data_path).parent_path().string();
  save.preset_name = std::filesystem::path(request.data_path).stem().string() + "_scored.csv";
  save.filter = "CSV file (*.csv)|*.csv|SPSS data file (*.sav)|*.sav|text file (*.txt)|*.txt";
  save.confirm_overwrite = true;
  request.output_path = ports.file_dialogs.SaveFile(save);
  if (request.output_path.empty()) return;
  if (workspace.state.model_path != kPastedModelPath) {
    request.model_path = workspace.state.model_path;
  }

  auto run = std::make_shared<Run>();
  ScoreEvents events;
  events.bad_row = [run](std::size_t line, const std::string& problem) {
    std::lock_guard lock(run->mutex);
    if (run->bad_rows.size() < kBadRowsShown) {
      run->bad_rows.push_back("line " + std::to_string(line) + ": " + problem);
    }
  };
  events.progress = [run](std::size_t rows) {
    run->rows = rows;
    return !run->cancel;
  };
  std::thread worker([run, scoring, request, events] {
    ScoreSummary summary;
    std::string failure;
    const bool ok =
        kdk::ScoreDataFile(*scoring, request, spss::ReadStatDataFiles(), events, summary, failure);
    std::lock_guard lock(run->mutex);
    run->ok = ok;
    run->error = failure;
    run->summary = summary;
    run->finished = true;
  });

  QProgressDialog progress(QStringLiteral("Scoring the data..."), QStringLiteral("Cancel"), 0, 0,
                           parent);
  progress.setObjectName(QStringLiteral("dlgScoreProgress"));
  progress.setWindowTitle(QStringLiteral("Score a Data File"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &progress, [&progress, run] {
    if (run->finished) {
      progress.reset();
      return;
    }
    progress.setLabelText(QStringLiteral("Scored %1 rows...").arg(run->rows.load()));
  });
  QObject::connect(&progress, &QProgressDialog::canceled, &progress, [run] { run->cancel = true; });
  poll.start(100);
  if (!run->finished) progress.exec();
  poll.stop();
  worker.join();

  std::lock_guard lock(run->mutex);
  if (!run->ok) {
    ports.messages.Inform(run->cancel ? "Scoring was cancelled: nothing was written." : run->error,
                          run->cancel ? MessageIcon::None : MessageIcon::Critical);
    return;
  }
  ports.messages.Inform(ResultMessage(*run, request.output_path));
}

}  // namespace kdk::gui
