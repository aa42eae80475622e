// Renders the desktop program's windows into PNG files so their look can be
// reviewed without a display: kdk_screenshots OUTPUT_FOLDER EXAMPLES_FOLDER
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

#include "core/common/text_file.h"
#include "core/export/web/mars_page.h"
#include "core/export/web/network_page.h"
#include "core/mars/parse_mars_model.h"
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

// A generated page as a browser shows it: headless Chromium's own screenshot.
bool SavePage(const std::string& page, const QDir& folder, const QString& name) {
  QTemporaryDir scratch;
  const QString html = scratch.filePath(QStringLiteral("page.html"));
  std::string error;
  if (!scratch.isValid() ||
      !kdk::WriteFileAtomically(kdk::gui::PathFromQString(html), page, error)) {
    std::fprintf(stderr, "could not write the page for %s\n", qPrintable(name));
    return false;
  }
  const QString path = folder.filePath(name);
  QProcess chromium;
  chromium.start(QStringLiteral("/usr/bin/chromium"),
                 {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                  QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
                  QStringLiteral("--disable-background-networking"),
                  QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                  QStringLiteral("--user-data-dir=") + scratch.filePath(QStringLiteral("profile")),
                  QStringLiteral("--window-size=900,1000"), QStringLiteral("--screenshot=") + path,
                  QStringLiteral("file://") + html});
  if (!chromium.waitForFinished(120000) || !QFileInfo::exists(path)) {
    std::fprintf(stderr, "chromium did not render %s\n", qPrintable(name));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

// Shows one converter window below the control panel, as its button does.
bool SaveConverter(Session& session, const char* window, const QDir& folder, const QString& name) {
  session.window.HideConverterWindows();
  session.window.ShowConverterWindow(QString::fromLatin1(window));
  return Save(&session.window, folder, name);
}

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
    ok &= SaveConverter(session, "frmHTML", output, QStringLiteral("web_page_window.png"));
    const kdk::GenerationStamp facts{session.workspace.state.model_path, "Mon, May 3 2004, 9:05 AM",
                                     "Sat, Dec 5 2026, 5:30 PM"};
    kdk::PageStyle style;
    style.introduction_html = "Type an Introduction Here<BR>";
    ok &= SavePage(kdk::NetworkPageText(session.workspace.network, style, facts), output,
                   QStringLiteral("web_page_network.png"));

    // The MARS example, loaded as the control panel would load it.
    kdk::Workspace& workspace = session.workspace;
    workspace.state.model_type = kdk::kMarsModelType;
    workspace.state.model_path =
        kdk::gui::PathFromQString(examples.filePath(QStringLiteral("house_value_mars.txt")));
    workspace.mars.source_kind = std::string(kdk::kSourceTextFile);
    if (kdk::ParseMarsModel(workspace.mars, workspace.state.model_path, session.ports.messages)) {
      workspace.state.mars_loaded = true;
      workspace.state.network_loaded = false;
      ok &= SaveConverter(session, "frmMARS2HTML", output,
                          QStringLiteral("mars_web_page_window.png"));
      const kdk::GenerationStamp mars_facts{workspace.state.model_path, facts.model_created,
                                            facts.created};
      ok &= SavePage(
          kdk::MarsPageText(workspace.mars, style, mars_facts, true, session.ports.messages),
          output, QStringLiteral("web_page_mars.png"));
    } else {
      ok = false;
    }
    kdk::gui::AboutBox about(&session.window);
    about.show();
    ok &= Save(&about, output, QStringLiteral("about_box.png"));
    about.close();
  }
  return ok ? 0 : 1;
}
