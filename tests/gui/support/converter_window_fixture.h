#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractButton>
#include <QStringList>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/text_file.h"
#include "core/mars/parse_mars_model.h"
#include "core/shell/common_operations.h"
#include "core/shell/load_network.h"
#include "fakes/fake_ports.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {

inline const std::string kHousePrice = KDK_EXAMPLES_DIR "/house_price.kwf";
inline const std::string kHouseValueMars = KDK_EXAMPLES_DIR "/house_value_mars.txt";

// Records where converter windows ask to be placed: "name|caption|width", or
// "name|top left|caption".
class RecordingHost : public ConverterHost {
 public:
  void PlaceConverterWindow(QWidget* window, const QString& caption, int width) override {
    placed.push_back(window->objectName() + "|" + caption + "|" + QString::number(width));
  }
  void ShowAtTopLeft(QWidget* window, const QString& caption) override {
    placed.push_back(window->objectName() + "|top left|" + caption);
  }
  QStringList placed;
};

// One converter window under test: fake ports, its own workspace, a recording host
// and a scratch folder removed afterwards.
class ConverterWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string folder = (std::filesystem::temp_directory_path() / "kdk_gui_XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    folder_ = folder;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // The example models, loaded as their open dialogs load them.
  void LoadMars() {
    workspace_.state.model_type = kMarsModelType;
    SetModelFile(workspace_.state, kHouseValueMars);
    workspace_.mars.source_kind = std::string(kSourceTextFile);
    ASSERT_TRUE(ParseMarsModel(workspace_.mars, kHouseValueMars, fakes_.messages));
    workspace_.state.mars_loaded = true;
  }
  void LoadNetwork() {
    workspace_.state.model_type = kNetworkModelType;
    SetModelFile(workspace_.state, kHousePrice);
    ASSERT_TRUE(LoadNetworkFromPath(workspace_, kHousePrice, fakes_.messages));
  }

  template <typename T = QWidget>
  T* Find(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  // Save clicked and `file` in the scratch folder chosen; its path.
  std::string Save(QWidget& window, const std::string& file) {
    const std::string path = (folder_ / file).string();
    fakes_.file_dialogs.answers.push_back(path);
    Find<QAbstractButton>(window, "cmdSaveAs")->click();
    return path;
  }
  static std::string Read(const std::string& path) {
    std::string bytes, error;
    EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
    return bytes;
  }
  // What `kdk convert MODEL OPTIONS` writes.
  std::string KdkConvert(const std::string& model, const std::string& options) {
    const std::string out = (folder_ / "kdk.out").string();
    const std::string command = std::string("'") + KDK_CLI_BINARY + "' convert '" + model + "' " +
                                options + " -o '" + out + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << options;
    return Read(out);
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& message : fakes_.messages.messages) texts.push_back(message.text);
    return texts;
  }
  std::string LastMessage() const {
    return fakes_.messages.messages.empty() ? "<none>" : fakes_.messages.messages.back().text;
  }

  testing::FakePorts fakes_;
  Ports ports_ = fakes_.ports();
  Workspace workspace_;
  RecordingHost host_;
  GuiContext context_{workspace_, ports_, host_};
  std::filesystem::path folder_;
};

}  // namespace kdk::gui
