#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <string>

#include "core/mars/parse_mars_model.h"
#include "fakes/fake_ports.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {

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
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ =
        std::filesystem::temp_directory_path() /
        ("kdk_gui_" + std::string(test->test_suite_name()) + "_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // The bundled MARS example, loaded as its rules-file dialog loads it.
  void LoadMars() {
    workspace_.state.model_type = kMarsModelType;
    workspace_.state.model_path = std::string(KDK_EXAMPLES_DIR) + "/house_value_mars.txt";
    workspace_.state.model_name = "house_value_mars";
    workspace_.mars.source_kind = std::string(kSourceTextFile);
    ASSERT_TRUE(ParseMarsModel(workspace_.mars, workspace_.state.model_path, fakes_.messages));
    workspace_.state.mars_loaded = true;
  }

  template <typename T>
  T* Find(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  testing::FakePorts fakes_;
  Ports ports_ = fakes_.ports();
  Workspace workspace_;
  RecordingHost host_;
  GuiContext context_{workspace_, ports_, host_};
  std::filesystem::path folder_;
};

}  // namespace kdk::gui
