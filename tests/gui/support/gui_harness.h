#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "core/network/evaluate_network.h"
#include "core/workspace.h"
#include "fakes/fake_ports.h"
#include "fakes/weights_file_builder.h"
#include "gui/common/twips.h"
#include "gui/network/quick_predict_window.h"
#include "gui/shell/main_window.h"

namespace kdk::testing {

// The desktop program on fake ports: a main window started the way the program
// starts, weights files written into a folder of the test's own, widgets found by
// their names.
class GuiHarness {
 public:
  GuiHarness() {
    // The grid's pointer file is beside the test program, as beside KestriumDK.
    fakes.shell.program_folder = QCoreApplication::applicationDirPath().toStdString();
  }

  std::string WriteWeights(const std::string& file_name, const WeightsFileRecipe& recipe) {
    const std::string path = folder.filePath(QString::fromStdString(file_name)).toStdString();
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray::fromStdString(BuildWeightsFile(recipe)));
    return path;
  }
  std::string CopyExample(const std::string& example, const std::string& file_name) {
    const std::string path = folder.filePath(QString::fromStdString(file_name)).toStdString();
    QFile::copy(QStringLiteral(KDK_EXAMPLES_DIR "/") + QString::fromStdString(example),
                QString::fromStdString(path));
    return path;
  }

  // Creates the main window and runs start-up; `show` as the program does after it.
  void Start(bool show = true) {
    window = std::make_unique<gui::MainWindow>(workspace, ports);
    window->StartUp();
    if (show) window->show();
  }
  // Starts with this network's weights file on the command line; its path.
  std::string StartWith(const WeightsFileRecipe& recipe = SmallNetworkRecipe()) {
    fakes.shell.command_line = WriteWeights("net.kwf", recipe);
    Start();
    return fakes.shell.command_line;
  }

  // The control panel's own controls come first: other windows reuse some names
  // (the equation view has a lblFileName too).
  template <class Widget = QWidget>
  Widget* Find(const char* name) const {
    if (auto* panel = window->findChild<QWidget*>(QStringLiteral("frmControl"))) {
      if (auto* found = panel->findChild<Widget*>(QString::fromLatin1(name))) return found;
    }
    return window->findChild<Widget*>(QString::fromLatin1(name));
  }
  QAbstractButton* Button(const char* name) const { return Find<QAbstractButton>(name); }
  QString Text(const char* name) const {
    if (auto* label = Find<QLabel>(name)) return label->text();
    if (auto* box = Find<QLineEdit>(name)) return box->text();
    return QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
  }
  // Shown as far as its own window goes (the main window itself may be hidden).
  bool Shown(const char* name) const {
    QWidget* widget = Find(name);
    return widget != nullptr && widget->isVisibleTo(window.get());
  }
  std::vector<std::string> ShownConverterWindows() const {
    std::vector<std::string> shown;
    for (const char* name : gui::kConverterWindowNames) {
      QWidget* widget = window->ConverterWindow(QString::fromLatin1(name));
      if (widget != nullptr && !window->FrameOf(widget)->isHidden()) shown.emplace_back(name);
    }
    return shown;
  }
  gui::QuickPredictWindow* QuickPredict() const {
    return Find<gui::QuickPredictWindow>("frmQuickPredict");
  }
  // The main window's size is the twips given, at 15 twips a pixel.
  bool WidthIs(int twips) const { return window->width() == gui::TwipsToPixels(twips); }
  bool HeightIs(int twips) const { return window->height() == gui::TwipsToPixels(twips); }

  FakePorts fakes;
  Ports ports = fakes.ports();
  Workspace workspace;
  QTemporaryDir folder;
  std::unique_ptr<gui::MainWindow> window;
};

// The prediction EvaluateNetwork gives for these inputs, as the grid shows numbers.
inline NetworkPrediction Expected(const NetworkModel& model, const std::vector<double>& inputs) {
  NetworkPrediction result;
  std::string error;
  EXPECT_TRUE(EvaluateNetwork(model, inputs, result, error)) << error;
  return result;
}

}  // namespace kdk::testing
