#include "gui/export/code/code_export_window.h"
#include "gui/export/code/network_sql_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>
#include <filesystem>

#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/smart_names.h"
#include "core/export/generation_stamp.h"
#include "core/shell/load_network.h"
#include "fakes/fake_ports.h"
#include "gui/support/converter_window_fixture.h"

namespace kdk::gui {
namespace {

class CodeExportWindowTest : public ConverterWindowTest {
 protected:
  void SetUp() override {
    ConverterWindowTest::SetUp();
    ASSERT_TRUE(LoadNetworkFromPath(workspace_, model_path_, fakes_.messages));
    // As the open dialog leaves them.
    workspace_.state.model_type = kNetworkModelType;
    workspace_.state.model_name = "house_price";
    window_ = std::make_unique<CodeExportWindow>(context_);
  }
  template <typename T>
  T* Find(const char* name) {
    return ConverterWindowTest::Find<T>(*window_, name);
  }
  std::string Shown() {
    return ReplaceAll(Find<QPlainTextEdit>("txtCodeWindow")->toPlainText().toStdString(), "\n",
                      "\r\n");
  }
  // What the engine makes for the window's current settings.
  std::string Expected(CodeExportSettings settings) {
    testing::RecordingMessagePort silent;
    return GenerateCode(settings, workspace_.network,
                        MakeGenerationStamp(workspace_.state, fakes_.clock), silent);
  }
  // What `kdk convert MODEL OPTIONS` writes.
  std::string KdkConvert(const std::string& options) {
    const std::string out = (folder_ / "kdk.out").string();
    const std::string command = std::string("'") + KDK_CLI_BINARY + "' convert '" + model_path_ +
                                "' " + options + " -o '" + out + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return Read(out);
  }
  static std::string Read(const std::string& path) {
    std::string bytes, error;
    EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
    return bytes;
  }
  void Choose(CodeType type) { Find<QComboBox>("cmbCodeType")->setCurrentIndex(int(type)); }
  bool Shows(const char* name) { return !Find<QWidget>(name)->isHidden(); }

  const std::string model_path_ = std::string(KDK_EXAMPLES_DIR) + "/house_price.kwf";
  std::unique_ptr<CodeExportWindow> window_;
};

TEST_F(CodeExportWindowTest, ActivationPlacesResetsAndShowsTheEngineText) {
  window_->Activate();
  EXPECT_EQ(host_.placed, QStringList{window_->objectName() + "|Kestruim >> SAS/Equation|12000"});
  EXPECT_EQ(Find<QLineEdit>("txtFieldName")->text(), "Kestrium_price");
  EXPECT_EQ(Find<QLineEdit>("txtRootName")->text(), "Var");
  EXPECT_EQ(Find<QLineEdit>("txtSASSourceData")->text(), "source_data");
  EXPECT_EQ(Find<QLineEdit>("txtSASNewData")->text(), "new_data");
  EXPECT_TRUE(Find<QRadioButton>("optFormat_1")->isChecked());
  EXPECT_TRUE(Shows("frameEquationOptions"));
  EXPECT_FALSE(Shows("frameSASOptions"));
  EXPECT_FALSE(Shows("frameVBOptions"));
  EXPECT_EQ(Shown(), Expected(window_->Settings()));
  EXPECT_NE(Shown().find("Kestrium_price = (((("), std::string::npos);
}

TEST_F(CodeExportWindowTest, FramesPerCodeTypeAndTheSpssLayoutSwitch) {
  window_->Activate();
  Choose(CodeType::Sas);
  EXPECT_TRUE(Shows("frameSASOptions"));
  EXPECT_TRUE(Shows("cmdSASHomePage"));
  EXPECT_FALSE(Shows("frameEquationOptions"));
  EXPECT_NE(Shown().find("Data new_data;\r\nSet source_data;"), std::string::npos);
  Choose(CodeType::Spss);
  EXPECT_TRUE(Shows("frameSPSSOptions"));
  EXPECT_TRUE(Shows("cmdLoadSPSSfile"));
  EXPECT_TRUE(Shows("cmdSPSSHomePage"));
  EXPECT_FALSE(Shows("cmdSASHomePage"));
  EXPECT_TRUE(Find<QRadioButton>("optFormat_2")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>("optFormat_1")->isEnabled());
  EXPECT_FALSE(Find<QRadioButton>("optFormat_0")->isEnabled());
  EXPECT_NE(Shown().find("COMPUTE Var1 = "), std::string::npos);
  Choose(CodeType::Java);
  EXPECT_TRUE(Shows("frameJavaOptions"));
  EXPECT_TRUE(Find<QRadioButton>("optFormat_1")->isEnabled());
  EXPECT_TRUE(Find<QRadioButton>("optFormat_2")->isChecked());
  Choose(CodeType::F90);
  EXPECT_TRUE(Shows("frameFortranOptions"));
  EXPECT_FALSE(Shows("frameJavaOptions"));
}

TEST_F(CodeExportWindowTest, OptionChangesRegenerate) {
  window_->Activate();
  Choose(CodeType::C);
  Find<QLineEdit>("txtFieldName")->setText("house value");
  EXPECT_NE(Shown().find("double house_value;"), std::string::npos);
  Find<QRadioButton>("optFormat_3")->setChecked(true);
  EXPECT_NE(Shown().find("Var = Var1 + Var2"), std::string::npos);
  Find<QLineEdit>("txtRootName")->setText("T");
  EXPECT_NE(Shown().find("T = T1 + T2"), std::string::npos);
  Find<QCheckBox>("chkIncludeHeader")->setChecked(false);
  EXPECT_EQ(Shown().find("The neural network model is:"), std::string::npos);
  EXPECT_EQ(Shown(), Expected(window_->Settings()));
  Choose(CodeType::Java);
  Find<QLineEdit>("txtJavaClass")->setText("Price Model");
  EXPECT_NE(Shown().find("public class Price_Model"), std::string::npos);
  Choose(CodeType::Equation);
  Find<QLineEdit>("txtLineTermination")->setText(";;");
  EXPECT_NE(Shown().find(";;"), std::string::npos);
  Find<QRadioButton>("optTanH_0")->setChecked(true);
  EXPECT_NE(Shown().find("(Exp("), std::string::npos);
}

TEST_F(CodeExportWindowTest, ActivationAgainKeepsTheCodeTypeButResetsTheRest) {
  window_->Activate();
  Choose(CodeType::Vb);
  Find<QLineEdit>("txtFieldName")->setText("other");
  Find<QRadioButton>("optFormat_3")->setChecked(true);
  window_->Activate();
  EXPECT_EQ(Find<QComboBox>("cmbCodeType")->currentIndex(), int(CodeType::Vb));
  EXPECT_EQ(Find<QLineEdit>("txtFieldName")->text(), "Kestrium_price");
  EXPECT_TRUE(Find<QRadioButton>("optFormat_1")->isChecked());
  EXPECT_NE(Shown().find("Private Function Calcnet() as Double"), std::string::npos);
}

TEST_F(CodeExportWindowTest, ReturningToTheWindowInTheAreaActivatesItAgain) {
  QMdiArea area;
  QMdiSubWindow* frame = area.addSubWindow(window_.release());
  auto* window = qobject_cast<CodeExportWindow*>(frame->widget());
  QMdiSubWindow* other = area.addSubWindow(new QWidget);
  area.show();
  frame->show();
  other->show();
  area.setActiveSubWindow(frame);
  window->Activate();  // as the main window does after showing it
  QCoreApplication::processEvents();
  auto* field = window->findChild<QLineEdit*>("txtFieldName");
  field->setText("other");
  area.setActiveSubWindow(other);
  QCoreApplication::processEvents();
  EXPECT_EQ(field->text(), "other");
  area.setActiveSubWindow(frame);
  QCoreApplication::processEvents();
  EXPECT_EQ(field->text(), "Kestrium_price");
}

TEST_F(CodeExportWindowTest, AppendToSourceCopiesTheSourceName) {
  window_->Activate();
  Choose(CodeType::Sas);
  Find<QCheckBox>("chkAppendToSource")->click();  // untick
  Find<QCheckBox>("chkAppendToSource")->click();  // tick again
  EXPECT_TRUE(window_->Settings().append_to_source);
  EXPECT_FALSE(Find<QLineEdit>("txtSASNewData")->isEnabled());
  Find<QLineEdit>("txtSASSourceData")->setText("houses");
  EXPECT_EQ(Find<QLineEdit>("txtSASNewData")->text(), "houses");
  EXPECT_NE(Shown().find("Data houses;\r\nSet houses;"), std::string::npos);
}

TEST_F(CodeExportWindowTest, SaveProposesTheCodeNameAndWritesTheText) {
  window_->Activate();
  Choose(CodeType::Sas);
  const std::string path = (folder_ / "save.sas").string();
  fakes_.file_dialogs.answers.push_back(path);
  Find<QPushButton>("cmdSaveAs")->click();
  ASSERT_EQ(fakes_.file_dialogs.save_requests.size(), 1u);
  const FileDialogRequest& request = fakes_.file_dialogs.save_requests[0];
  EXPECT_EQ(request.preset_name, "house_price_SAS");
  EXPECT_EQ(request.filter, "text file (*.txt)|*.txt|SAS file (*.sas)|*.sas");
  EXPECT_EQ(request.selected_filter, 1);
  EXPECT_EQ(workspace_.state.model_name, "house_price");
  EXPECT_EQ(workspace_.output_path, path);
  EXPECT_EQ(Find<QLabel>("lblSaveAs")->text().toStdString(), "Saving as " + path);
  EXPECT_EQ(Find<QLabel>("lblProgress")->text().toStdString(), "Files Generated...\n" + path);
  ASSERT_FALSE(fakes_.messages.messages.empty());
  EXPECT_EQ(fakes_.messages.messages.back().text, "Done it!");
  std::string bytes, error;
  ASSERT_TRUE(ReadWholeFile(path, bytes, error));
  EXPECT_NE(bytes.find("\r\nData new_data;\r\nSet source_data;\r\n"), std::string::npos);
  EXPECT_TRUE(bytes.ends_with("Run;\r\n\r\n"));
}

// kdk convert and Save write the same bytes for the same options; the output
// name is used as typed by both ("my out" is cleaned by smart names alone). The
// dates of the model info are the clock's, so that block is left out.
TEST_F(CodeExportWindowTest, SaveWritesWhatKdkConvertWrites) {
  window_->Activate();
  Choose(CodeType::F90);
  Find<QCheckBox>("chkIncludeHeader")->setChecked(false);
  Find<QLineEdit>("txtFieldName")->setText("my out");
  Find<QLineEdit>("txtRootName")->setText("T");
  Find<QRadioButton>("optFormat_3")->setChecked(true);
  const std::string saved = (folder_ / "window.f90").string();
  fakes_.file_dialogs.answers.push_back(saved);
  Find<QPushButton>("cmdSaveAs")->click();
  const std::string kdk_bytes =
      KdkConvert("--to f90 --no-model-info --output-name 'my out' --root-name T --format D");
  EXPECT_EQ(Read(saved), kdk_bytes);
  EXPECT_NE(kdk_bytes.find("!! my out = my_out"), std::string::npos);
}

// The network's SQL window: what it shows, saves and copies is kdk convert's file.
TEST_F(CodeExportWindowTest, NetworkSqlWindowSavesWhatKdkConvertWrites) {
  NetworkSqlWindow window(context_);
  window.Activate();
  EXPECT_EQ(host_.placed.back(), window.objectName() + "|Kestrium >> SQL|0");
  auto* field = window.findChild<QLineEdit*>("txtOutputFieldName");
  EXPECT_EQ(field->text(), "Kestrium_price");
  window.findChild<QRadioButton*>("optANSI")->click();
  window.findChild<QRadioButton*>("optSelect")->click();
  EXPECT_FALSE(window.findChild<QLineEdit*>("txtDatabaseName")->isEnabled());
  window.findChild<QLineEdit*>("txtTableName")->setText("Houses");
  field->setText("rooms");  // an input's name: the prediction goes beside it
  const std::string saved = (folder_ / "window.sql").string();
  fakes_.file_dialogs.answers.push_back(saved);
  window.findChild<QPushButton*>("cmdSaveAs")->click();
  const std::string kdk_bytes =
      KdkConvert("--to sql --dialect ansi --select --table Houses --field rooms");
  EXPECT_EQ(Read(saved), kdk_bytes);
  EXPECT_NE(kdk_bytes.find(" AS \"rooms_1\"\r\nFROM (WITH"), std::string::npos);
  window.findChild<QPushButton*>("cmdCopy")->click();
  EXPECT_EQ(fakes_.clipboard.text, window.Text());
  EXPECT_EQ(ReplaceAll(window.findChild<QPlainTextEdit*>("txtSQL")->toPlainText().toStdString(),
                       "\n", "\r\n"),
            window.Text());
}

TEST_F(CodeExportWindowTest, JavaProposesTheClassNameAndCancelWritesNothing) {
  window_->Activate();
  Choose(CodeType::Java);
  Find<QPushButton>("cmdSaveAs")->click();
  ASSERT_EQ(fakes_.file_dialogs.save_requests.size(), 1u);
  EXPECT_EQ(fakes_.file_dialogs.save_requests[0].preset_name, "Kestrium");
  EXPECT_EQ(Find<QLabel>("lblSaveAs")->text(), "No Destination Selected");
  EXPECT_TRUE(fakes_.messages.messages.empty());
  // javac wants the file named as the class is written: smart-named, and renamed
  // where Java refuses the name.
  for (const auto& [typed, written] :
       {std::pair{"Price Model", "Price_Model"}, std::pair{"class", "class_1"}}) {
    Find<QLineEdit>("txtJavaClass")->setText(typed);
    Find<QPushButton>("cmdSaveAs")->click();
    EXPECT_EQ(fakes_.file_dialogs.save_requests.back().preset_name, written);
    EXPECT_NE(Shown().find(std::string("public class ") + written + "\r\n"), std::string::npos);
  }
}

TEST_F(CodeExportWindowTest, CopyPutsTheTextOnTheClipboardUnlessTheNameIsEmpty) {
  window_->Activate();
  Choose(CodeType::C);
  Find<QPushButton>("cmdCopy")->click();
  EXPECT_EQ(fakes_.clipboard.text, Shown());
  fakes_.clipboard.text = "before";
  Find<QLineEdit>("txtFieldName")->setText("   ");
  Find<QPushButton>("cmdCopy")->click();
  EXPECT_EQ(fakes_.clipboard.text, "before");
  ASSERT_FALSE(fakes_.messages.messages.empty());
  EXPECT_EQ(fakes_.messages.messages.back().text, "Invalid Output Name!");
}

TEST_F(CodeExportWindowTest, HomePagesAndSpssFileButton) {
  window_->Activate();
  Find<QPushButton>("cmdSASHomePage")->click();
  Find<QPushButton>("cmdSPSSHomePage")->click();
  EXPECT_EQ(fakes_.shell.opened,
            (std::vector<std::string>{std::string(kSasHomePage), std::string(kSpssHomePage)}));
  // The chooser comes first; cancelled, nothing else happens.
  Find<QPushButton>("cmdLoadSPSSfile")->click();
  ASSERT_EQ(fakes_.file_dialogs.open_requests.size(), 1u);
  EXPECT_EQ(fakes_.file_dialogs.open_requests[0].title, "Please locate your SPSS file");
  EXPECT_TRUE(fakes_.messages.messages.empty());
}

TEST_F(CodeExportWindowTest, NoNetworkShowsNothingAndSaveAsksForAModel) {
  workspace_.state.network_loaded = false;
  window_->Activate();
  EXPECT_EQ(Shown(), "");
  fakes_.file_dialogs.answers.push_back("/tmp/kdk_never_written.c");
  Find<QPushButton>("cmdSaveAs")->click();
  ASSERT_FALSE(fakes_.messages.messages.empty());
  EXPECT_EQ(fakes_.messages.messages.back().text, "Please select a model");
  EXPECT_FALSE(std::filesystem::exists("/tmp/kdk_never_written.c"));
}

}  // namespace
}  // namespace kdk::gui
