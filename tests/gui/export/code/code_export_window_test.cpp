// The program code window and the network's SQL window show what the engine makes
// for the options set in them, and save the bytes kdk convert writes for the same
// options.
#include "gui/export/code/code_export_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/generation_stamp.h"
#include "gui/export/code/network_sql_window.h"
#include "gui/support/converter_window_fixture.h"

namespace kdk::gui {
namespace {

class CodeExportWindowTest : public ConverterWindowTest {
 protected:
  void SetUp() override {
    ConverterWindowTest::SetUp();
    LoadNetwork();
    window_ = std::make_unique<CodeExportWindow>(context_);
    window_->Activate();
  }
  using ConverterWindowTest::Find;
  template <typename T = QWidget>
  T* Find(const char* name) {
    return Find<T>(*window_, name);
  }
  std::string Text() {
    return ReplaceAll(Find<QPlainTextEdit>("txtCodeWindow")->toPlainText().toStdString(), "\n",
                      "\r\n");
  }
  void Choose(CodeType type) { Find<QComboBox>("cmbCodeType")->setCurrentIndex(int(type)); }
  void Type(const char* box, const char* text) { Find<QLineEdit>(box)->setText(text); }
  void Click(const char* name) { Find<QAbstractButton>(name)->click(); }
  bool Shows(const char* name) { return !Find(name)->isHidden(); }

  std::unique_ptr<CodeExportWindow> window_;
};

// With the model information, which holds the clock's dates.
TEST_F(CodeExportWindowTest, ActivationShowsTheEngineText) {
  testing::RecordingMessagePort silent;
  CodeExportSettings settings = window_->Settings();
  EXPECT_EQ(Text(), GenerateCode(settings, workspace_.network,
                                 MakeGenerationStamp(workspace_.state, fakes_.clock), silent));
}

TEST_F(CodeExportWindowTest, EachCodeTypeShowsItsOwnOptions) {
  const std::pair<CodeType, const char*> frames[] = {
      {CodeType::Sas, "frameSASOptions"},           {CodeType::Spss, "frameSPSSOptions"},
      {CodeType::Java, "frameJavaOptions"},         {CodeType::F90, "frameFortranOptions"},
      {CodeType::Equation, "frameEquationOptions"}, {CodeType::C, nullptr}};
  for (const auto& [type, frame] : frames) {
    Choose(type);
    for (const auto& [other, other_frame] : frames) {
      if (other_frame != nullptr) {
        EXPECT_EQ(Shows(other_frame), other == type) << other_frame;
      }
    }
    EXPECT_EQ(Shows("cmdSASHomePage"), type == CodeType::Sas);
    EXPECT_EQ(Shows("cmdLoadSPSSfile"), type == CodeType::Spss);
    EXPECT_EQ(Shows("cmdSPSSHomePage"), type == CodeType::Spss);
    // SPSS takes layouts C and D only.
    EXPECT_EQ(Find("optFormat_0")->isEnabled(), type != CodeType::Spss);
    EXPECT_EQ(Find("optFormat_1")->isEnabled(), type != CodeType::Spss);
    if (type == CodeType::Spss) {
      EXPECT_TRUE(Find<QRadioButton>("optFormat_2")->isChecked());
    }
  }
}

// Each case starts from a new activation, which resets every option but the code
// type; the model information holds the clock's dates, so it is left out.
TEST_F(CodeExportWindowTest, SaveWritesWhatKdkConvertWritesForTheSameOptions) {
  struct Case {
    CodeType type;
    std::function<void()> set;
    std::string options;
  };
  const Case cases[] = {
      {CodeType::F90,
       [&] {
         Type("txtFieldName", "my out");
         Type("txtRootName", "T");
         Click("optFormat_3");
       },
       "--to f90 --output-name 'my out' --root-name T --format D"},
      {CodeType::Sas, [] {}, "--to sas"},
      {CodeType::Sas,
       [&] {
         Click("chkAppendToSource");  // untick, then tick again
         Click("chkAppendToSource");
         EXPECT_EQ(Find<QLineEdit>("txtSASNewData")->text(), "source_data");
         Type("txtSASSourceData", "houses");
         EXPECT_FALSE(Find("txtSASNewData")->isEnabled());
         EXPECT_EQ(Find<QLineEdit>("txtSASNewData")->text(), "houses");
       },
       "--to sas --sas-source houses --sas-append"},
      {CodeType::Java, [&] { Type("txtJavaClass", "Price Model"); },
       "--to java --java-class 'Price Model'"},
      {CodeType::Equation,
       [&] {
         Type("txtLineTermination", ";;");
         Click("optTanH_0");
       },
       "--to equation --line-termination ';;' --tanh exp"},
  };
  int saved = 0;
  for (const Case& c : cases) {
    window_->Activate();
    Choose(c.type);
    Find<QCheckBox>("chkIncludeHeader")->setChecked(false);
    c.set();
    const std::string path = Save(*window_, "saved" + std::to_string(++saved));
    EXPECT_EQ(Read(path), KdkConvert(kHousePrice, "--no-model-info " + c.options));
  }
  window_->Activate();
  EXPECT_EQ(Find<QComboBox>("cmbCodeType")->currentIndex(), int(CodeType::Equation));
}

TEST_F(CodeExportWindowTest, ReturningToTheWindowInTheAreaActivatesItAgain) {
  QMdiArea area;
  QMdiSubWindow* frame = area.addSubWindow(window_.release());
  QMdiSubWindow* other = area.addSubWindow(new QWidget);
  area.show();
  frame->show();
  other->show();
  area.setActiveSubWindow(frame);
  QCoreApplication::processEvents();
  auto* field = frame->widget()->findChild<QLineEdit*>("txtFieldName");
  field->setText("other");
  area.setActiveSubWindow(other);
  QCoreApplication::processEvents();
  EXPECT_EQ(field->text(), "other");
  area.setActiveSubWindow(frame);
  QCoreApplication::processEvents();
  EXPECT_EQ(field->text(), "Kestrium_price");
}

TEST_F(CodeExportWindowTest, NetworkSqlWindowSavesWhatKdkConvertWritesForItsOptions) {
  NetworkSqlWindow window(context_);
  window.Activate();
  auto* field = Find<QLineEdit>(window, "txtOutputFieldName");
  EXPECT_EQ(field->text(), "Kestrium_price");
  Find<QRadioButton>(window, "optANSI")->click();
  Find<QRadioButton>(window, "optSelect")->click();
  EXPECT_FALSE(Find(window, "txtDatabaseName")->isEnabled());
  Find<QLineEdit>(window, "txtTableName")->setText("Houses");
  field->setText("rooms");  // an input's name: the prediction goes beside it
  EXPECT_EQ(
      Read(Save(window, "window.sql")),
      KdkConvert(kHousePrice, "--to sql --dialect ansi --select --table Houses --field rooms"));
}

TEST_F(CodeExportWindowTest, JavaProposesTheClassNameAndCancelWritesNothing) {
  Choose(CodeType::Java);
  Click("cmdSaveAs");
  EXPECT_EQ(fakes_.file_dialogs.save_requests.at(0).preset_name, "Kestrium");
  EXPECT_EQ(Find<QLabel>("lblSaveAs")->text(), "No Destination Selected");
  EXPECT_TRUE(fakes_.messages.messages.empty());
  // javac wants the file named as the class is written: smart-named, and renamed
  // where Java refuses the name.
  for (const auto& [typed, written] :
       {std::pair{"Price Model", "Price_Model"}, std::pair{"class", "class_1"}}) {
    Type("txtJavaClass", typed);
    Click("cmdSaveAs");
    EXPECT_EQ(fakes_.file_dialogs.save_requests.back().preset_name, written);
  }
}

TEST_F(CodeExportWindowTest, CopyRefusesAnEmptyName) {
  fakes_.clipboard.text = "before";
  Type("txtFieldName", "   ");
  Click("cmdCopy");
  EXPECT_EQ(fakes_.clipboard.text, "before");
  EXPECT_EQ(LastMessage(), "Invalid Output Name!");
}

TEST_F(CodeExportWindowTest, HomePageButtons) {
  Click("cmdSASHomePage");
  Click("cmdSPSSHomePage");
  EXPECT_EQ(fakes_.shell.opened,
            (std::vector<std::string>{std::string(kSasHomePage), std::string(kSpssHomePage)}));
}

}  // namespace
}  // namespace kdk::gui
