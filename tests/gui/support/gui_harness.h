#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/common/text_file.h"
#include "core/mars/parse_mars_model.h"
#include "core/shell/common_operations.h"
#include "core/shell/load_network.h"
#include "fakes/fake_ports.h"
#include "fakes/weights_file_builder.h"
#include "gui/common/twips.h"
#include "gui/network/quick_predict_window.h"
#include "gui/shell/main_window.h"
#include "support/networks.h"
#include "support/scratch.h"

namespace kdk::testing {

inline const std::string kHousePrice = KDK_EXAMPLES_DIR "/house_price.kwf";
inline const std::string kHouseValueMars = KDK_EXAMPLES_DIR "/house_value_mars.txt";

// Records where converter windows ask to be placed: "name|caption|width", or
// "name|top left|caption".
class RecordingHost : public gui::ConverterHost {
 public:
  void PlaceConverterWindow(QWidget* window, const QString& caption, int width) override {
    placed.push_back(window->objectName() + "|" + caption + "|" + QString::number(width));
  }
  void ShowAtTopLeft(QWidget* window, const QString& caption) override {
    placed.push_back(window->objectName() + "|top left|" + caption);
  }
  QStringList placed;
};

// The desktop program on fake ports in a scratch folder of the test's own: a converter
// window on its own with a recording host, or the main window started as the program
// starts (its pointer file is beside the test program, as beside KestriumDK).
class GuiTest : public ::testing::Test {
 protected:
  GuiTest() { fakes.shell.program_folder = QCoreApplication::applicationDirPath().toStdString(); }

  std::string File(const std::string& name) const { return (folder / name).string(); }
  std::string WriteWeights(const std::string& name, const WeightsFileRecipe& recipe) {
    conformance::WriteText(folder / name, BuildWeightsFile(recipe));
    return File(name);
  }
  std::string CopyExample(const std::string& example, const std::string& name) {
    std::filesystem::copy_file(KDK_EXAMPLES_DIR "/" + example, folder / name);
    return File(name);
  }
  static std::string Read(const std::string& path) {
    std::string bytes, error;
    EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
    return bytes;
  }
  std::string LastMessage() const {
    return fakes.messages.messages.empty() ? "<none>" : fakes.messages.messages.back().text;
  }

  void LoadMars() {
    workspace.state.model_type = kMarsModelType;
    SetModelFile(workspace.state, kHouseValueMars);
    workspace.mars.source_kind = std::string(kSourceTextFile);
    ASSERT_TRUE(ParseMarsModel(workspace.mars, kHouseValueMars, fakes.messages));
    workspace.state.mars_loaded = true;
  }
  void LoadNetwork() {
    workspace.state.model_type = kNetworkModelType;
    SetModelFile(workspace.state, kHousePrice);
    ASSERT_TRUE(LoadNetworkFromPath(workspace, kHousePrice, fakes.messages));
  }
  template <typename T = QWidget>
  T* Find(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  // What a user does, step by step ("|" between steps): "box=text" types, "tick=0/1"
  // ticks, "list=N" chooses entry N, "button" clicks.
  void Apply(QWidget& window, const std::string& steps) {
    for (size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
      end = steps.find('|', start);
      const std::string step = steps.substr(start, end - start);
      const size_t equals = step.find('=');
      const std::string name = step.substr(0, equals), value = step.substr(equals + 1);
      QWidget* control = Find(window, name.c_str());
      if (equals == std::string::npos) {
        qobject_cast<QAbstractButton*>(control)->click();
      } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
        box->setText(QString::fromStdString(value));
      } else if (auto* tick = qobject_cast<QCheckBox*>(control)) {
        tick->setChecked(value == "1");
      } else {
        qobject_cast<QComboBox*>(control)->setCurrentIndex(std::stoi(value));
      }
    }
  }
  std::string Save(QWidget& window, const std::string& file) {
    fakes.file_dialogs.answers.push_back(File(file));
    Find<QAbstractButton>(window, "cmdSaveAs")->click();
    return File(file);
  }
  // What `kdk convert MODEL OPTIONS` writes.
  std::string KdkConvert(const std::string& model, const std::string& options) {
    using conformance::Quoted;
    std::string output;
    EXPECT_EQ(conformance::RunCommand(Quoted(KDK_CLI_BINARY) + " convert " + Quoted(model) + " " +
                                          options + " -o " + Quoted(File("kdk.out")),
                                      "", output),
              0)
        << options << output;
    return Read(File("kdk.out"));
  }

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
  // The control panel's own controls come first: the equation view has a lblFileName too.
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
  bool WidthIs(int twips) const { return window->width() == gui::TwipsToPixels(twips); }
  bool HeightIs(int twips) const { return window->height() == gui::TwipsToPixels(twips); }

  FakePorts fakes;
  Ports ports = fakes.ports();
  Workspace workspace;
  RecordingHost host;
  gui::GuiContext context{workspace, ports, host};
  conformance::ScratchFolder scratch;
  const std::filesystem::path folder = scratch.path();
  std::unique_ptr<gui::MainWindow> window;
};

}  // namespace kdk::testing
