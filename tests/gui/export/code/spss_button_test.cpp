// The load-SPSS-file buttons of both SPSS windows: the chooser, the confirmation,
// then the check of a real .sav file against the model's inputs.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/common/text_file.h"
#include "core/export/code/code_types.h"
#include "core/mars/parse_mars_model.h"
#include "core/shell/load_network.h"
#include "engines/spss/child_process.h"
#include "fakes/fake_ports.h"
#include "gui/export/code/code_export_window.h"
#include "gui/export/code/mars_spss_window.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {
namespace {

class NoPlacing : public ConverterHost {
 public:
  void PlaceConverterWindow(QWidget*, const QString&, int) override {}
};

constexpr const char* kConfirm = "Loading SPSS - please be patient...\r\n(but press OK first!)";

class SpssButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("kdk_gui_spss_" + std::to_string(::getpid()) +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    fakes_.shell.program_folder = folder_.string();
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // A .sav file written by PSPP with these numeric variables and one row.
  std::string Sav(const std::string& name, const std::string& variables) {
    const std::string path = (folder_ / name).string();
    const std::string script = (folder_ / "make.sps").string();
    std::string error;
    EXPECT_TRUE(WriteFileAtomically(script,
                                    "DATA LIST LIST /" + variables +
                                        " (F8.2).\nBEGIN DATA\n1 2 3\nEND DATA.\nSAVE OUTFILE='" +
                                        path + "'.\n",
                                    error));
    const spss::ProcessResult result =
        spss::RunProcess({spss::FindProgram("pspp"), "-b", script}, (folder_ / "out").string(),
                         (folder_ / "err").string(), std::chrono::seconds(60));
    EXPECT_EQ(result.exit_status, 0);
    return path;
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& message : fakes_.messages.messages) texts.push_back(message.text);
    return texts;
  }

  std::filesystem::path folder_;
  testing::FakePorts fakes_;
  Ports ports_ = fakes_.ports();
  Workspace workspace_;
  NoPlacing host_;
  GuiContext context_{workspace_, ports_, host_};
};

TEST_F(SpssButtons, MarsWindowWithoutAModelKeepsTheButtonDisabled) {
  MarsSpssWindow window(context_);
  window.Activate();
  auto* button = window.findChild<QPushButton*>("cmdLoadSPSSFile");
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(button->isEnabled());
  EXPECT_EQ(button->toolTip().toStdString(), " run the syntax on an SPSS file ");
}

TEST_F(SpssButtons, MarsWindowReportsTheStoredNamesTheFileLacks) {
  workspace_.state.model_path = std::string(KDK_EXAMPLES_DIR) + "/house_value_mars.txt";
  workspace_.mars.source_kind = std::string(kSourceTextFile);
  ASSERT_TRUE(ParseMarsModel(workspace_.mars, workspace_.state.model_path, fakes_.messages));
  workspace_.state.mars_loaded = true;
  MarsSpssWindow window(context_);
  window.Activate();
  auto* button = window.findChild<QPushButton*>("cmdLoadSPSSFile");
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->isEnabled());

  QTest::mouseClick(button, Qt::LeftButton);  // the chooser is cancelled
  EXPECT_TRUE(Shown().empty());
  ASSERT_EQ(fakes_.file_dialogs.open_requests.size(), 1u);
  EXPECT_EQ(fakes_.file_dialogs.open_requests[0].title, "Please locate your SPSS file");

  fakes_.file_dialogs.answers.push_back(Sav("houses.sav", "area District age"));
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         kConfirm,
                         "The file you are loading doesn't match the model file.\r\nCan't find "
                         "the variables;\r\n\r\n ROOMS"}));
}

TEST_F(SpssButtons, CodeWindowLooksForSmartNamesAndNamesTheStoredOnes) {
  ASSERT_TRUE(LoadNetworkFromPath(workspace_, std::string(KDK_EXAMPLES_DIR) + "/house_price.kwf",
                                  fakes_.messages));
  workspace_.state.model_type = kNetworkModelType;
  CodeExportWindow window(context_);
  window.Activate();
  window.findChild<QComboBox*>("cmbCodeType")->setCurrentIndex(int(CodeType::Spss));
  auto* button = window.findChild<QPushButton*>("cmdLoadSPSSfile");
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(button->isHidden());

  // "floor area" is looked for as floor_area; "age" is missing.
  fakes_.file_dialogs.answers.push_back(Sav("rooms_only.sav", "FLOOR_AREA Rooms other"));
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         kConfirm,
                         "The file you are loading doesn't match the model file.\r\nCan't find "
                         "the variables;\r\n\r\n age"}));
  EXPECT_EQ(window.Settings().spss_data_file, (folder_ / "rooms_only.sav").string());

  fakes_.messages.messages.clear();
  fakes_.file_dialogs.answers.push_back((folder_ / "gone.sav").string());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         kConfirm, "Can't find the file: " + (folder_ / "gone.sav").string()}));
}

}  // namespace
}  // namespace kdk::gui
