// Renders the desktop program's windows into PNG files so their look can be
// reviewed without a display: kdk_screenshots OUTPUT_FOLDER EXAMPLES_FOLDER
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <cstdio>

#include "core/workspace.h"
#include "gui/common/latin1_text.h"
#include "gui/network/quick_predict_window.h"
#include "gui/ports/qt_ports.h"
#include "gui/shell/about_box.h"
#include "gui/shell/main_window.h"

namespace {

// The real ports, except that the command line names the example network.
class ExampleShell : public kdk::gui::QtShell {
 public:
  explicit ExampleShell(std::string command_line) : command_line_(std::move(command_line)) {}
  std::string CommandLine() override { return command_line_; }

 private:
  std::string command_line_;
};

bool Save(QWidget* widget, const QDir& folder, const QString& name) {
  QApplication::processEvents();
  const QString path = folder.filePath(name);
  if (!widget->grab().save(path)) {
    std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

struct Session {
  kdk::Workspace workspace;
  kdk::gui::QtPorts qt_ports;
  ExampleShell shell;
  kdk::Ports ports;
  kdk::gui::MainWindow window;

  explicit Session(const QString& model)
      : shell(kdk::gui::PathFromQString(model)),
        ports{qt_ports.messages,  qt_ports.file_dialogs, qt_ports.colours,
              qt_ports.clipboard, qt_ports.settings,     shell,
              qt_ports.clock},
        window(workspace, ports) {
    qt_ports.SetParentWindow(&window);
    window.StartUp();
    window.show();
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: kdk_screenshots OUTPUT_FOLDER EXAMPLES_FOLDER\n");
    return 2;
  }
  QDir output(QString::fromLocal8Bit(argv[1]));
  if (!output.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  const QDir examples(QString::fromLocal8Bit(argv[2]));
  bool ok = true;

  for (const char* name : {"house_price", "loan_default"}) {
    Session session(examples.filePath(QString::fromLatin1(name) + QStringLiteral(".kwf")));
    if (!session.workspace.state.network_loaded) {
      std::fprintf(stderr, "example %s did not load\n", name);
      ok = false;
      continue;
    }
    ok &= Save(&session.window, output, QStringLiteral("main_window_%1.png").arg(name));
  }

  {
    Session session(examples.filePath(QStringLiteral("house_price.kwf")));
    auto* quick_predict =
        session.window.findChild<kdk::gui::QuickPredictWindow*>(QStringLiteral("frmQuickPredict"));
    if (quick_predict != nullptr && session.workspace.state.network_loaded) {
      // One value above its training range, so the warning shows.
      const double above = session.workspace.network.max_seen[0] + 1;
      quick_predict->Grid()->SetCellNumber(kdk::gui::PredictionGrid::kValueColumn, 1, above);
      quick_predict->PredictNow();
      ok &= Save(&session.window, output, QStringLiteral("quick_prediction_grid.png"));
    } else {
      ok = false;
    }
    // The code window, to see a converter placed below the panel.
    if (auto* code = session.window.findChild<QAbstractButton*>(QStringLiteral("cmdNet2Code"))) {
      code->click();
      ok &= Save(&session.window, output, QStringLiteral("code_window.png"));
    }
    kdk::gui::AboutBox about(&session.window);
    about.show();
    ok &= Save(&about, output, QStringLiteral("about_box.png"));
    about.close();
  }
  return ok ? 0 : 1;
}
