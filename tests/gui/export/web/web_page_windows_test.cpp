#include "gui/export/web/web_page_windows.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "gui/export/web/page_style_panel.h"
#include "gui/support/converter_window_fixture.h"

namespace kdk::gui {
namespace {

class WebPageWindowsTest : public ConverterWindowTest {
 protected:
  // Saves through the window to a new file, answering "See It?" as given.
  std::string SaveAndRead(QWidget& window, const char* file, MessageAnswer see_it) {
    fakes_.messages.answers.push_back(see_it);
    return Read(Save(window, file));
  }
  std::shared_ptr<PageStyle> style_ = std::make_shared<PageStyle>();
  NetworkPageWindow network_{context_, style_};
  MarsPageWindow mars_{context_, style_};
};

TEST_F(WebPageWindowsTest, NetworkSaveWritesThePageAndOffersToShowIt) {
  network_.Activate();
  EXPECT_FALSE(Find(network_, "cmdSaveAs")->isEnabled());
  LoadNetwork();
  network_.Activate();
  EXPECT_EQ(host_.placed.back(), "frmHTML|Kestrium >> Web Page|0");
  Find<QComboBox>(network_, "lstNormalFontSize")->setCurrentIndex(4);
  const std::string page = SaveAndRead(network_, "house.html", MessageAnswer::Yes);
  EXPECT_NE(page.find("table.normal {font-size:12pt;"), std::string::npos);
  EXPECT_NE(page.find("<FONT class=\"normal\">Type an Introduction Here<BR></FONT>"),
            std::string::npos);
  const std::string path = (folder_ / "house.html").string();
  EXPECT_EQ(network_.SavePath(), path);
  EXPECT_EQ(Find<QLabel>(network_, "lblSaveAs")->text().toStdString(), "Saving as " + path);
  EXPECT_EQ(Find<QLabel>(network_, "lblProgress")->text().toStdString(),
            "Files Generated ...\n" + path);
  EXPECT_EQ(LastMessage(), "Do you want to see the new web page?");
  EXPECT_EQ(fakes_.messages.messages.back().title, "See It?");
  EXPECT_EQ(fakes_.shell.opened, std::vector<std::string>{path});
  EXPECT_EQ(fakes_.file_dialogs.save_requests.back().filter, "Web Page (*.html)|*.html");

  Find<QPushButton>(network_, "cmdClearIntro")->click();
  const std::string plain = SaveAndRead(network_, "plain.html", MessageAnswer::No);
  EXPECT_NE(plain.find("<BODY>\r\n\r\n\r\n<FORM"), std::string::npos);
  EXPECT_EQ(fakes_.shell.opened.size(), 1u);
}

TEST_F(WebPageWindowsTest, ColoursPickedByMouseStartFromTheSampleAndCancelKeepsThem) {
  QList<QLabel*> inputs = network_.findChildren<QLabel*>("lblInputs");
  ASSERT_EQ(inputs.size(), 4);
  fakes_.colours.answer = 0x0000FF;  // blue, as the dialog speaks
  QTest::mouseClick(inputs[2], Qt::RightButton);
  EXPECT_EQ(fakes_.colours.asked_with.back(), 0xFFFFFFu);  // from the grid text colour
  EXPECT_EQ(style_->data_grid_text_colour, "RGB(0,0,255)");
  for (QLabel* label : inputs)
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(Find(network_, "lblWarnings")->palette().color(QPalette::WindowText),
            QColor(0, 0, 255));

  fakes_.colours.answer = 0x102030;
  QTest::mouseClick(Find(network_, "lblPageBackgroundText"), Qt::LeftButton);
  EXPECT_EQ(fakes_.colours.asked_with.back(), 0xC0C0C0u);
  EXPECT_EQ(style_->page_background_colour, "RGB(16,32,48)");
  EXPECT_EQ(Find(network_, "txtIntro")->palette().color(QPalette::Base), QColor(16, 32, 48));

  fakes_.colours.answer.reset();  // cancelled
  QTest::mouseClick(Find(network_, "lblWarnings"), Qt::RightButton);
  EXPECT_EQ(fakes_.colours.asked_with.back(), 0xFF0000u);
  EXPECT_EQ(style_->warning_colour, "RGB(255,0,0)");
  QTest::mouseClick(Find(network_, "lblDataGrid"), Qt::LeftButton);
  EXPECT_EQ(fakes_.colours.asked_with.back(), 0x004080u);
  EXPECT_EQ(style_->data_grid_background_colour, "RGB(0,64,128)");

  Find<QPushButton>(network_, "cmdDefaultColours")->click();
  Find<QPushButton>(network_, "cmdDefaultColours")->click();
  EXPECT_EQ(style_->data_grid_text_colour, "RGB(255,255,255)");
  EXPECT_EQ(style_->page_background_colour, "RGB(192,192,192)");
  for (const char* name : {"lstNormalFontSize", "lstDataGridFontSize"}) {
    auto* list = Find<QComboBox>(network_, name);
    EXPECT_EQ(list->count(), 5);
    EXPECT_EQ(list->currentText(), "9pt");
  }
}

TEST_F(WebPageWindowsTest, MarsWindowShowsTheSummaryAndWritesTheMissingValueChoice) {
  mars_.Activate();
  EXPECT_FALSE(Find(mars_, "cmdSaveAs")->isEnabled());
  LoadMars();
  mars_.Activate();
  EXPECT_EQ(host_.placed.back(), "frmMARS2HTML|MARS >> Web Page|0");
  EXPECT_FALSE(Find<QPlainTextEdit>(mars_, "txtMARStextwindow")->toPlainText().isEmpty());
  auto* allow = Find<QCheckBox>(mars_, "chkAllowMissing");
  EXPECT_FALSE(allow->isChecked());
  const std::string strict = SaveAndRead(mars_, "strict.html", MessageAnswer::No);
  EXPECT_NE(strict.find("\t        alert (\"Invalid number\");"), std::string::npos);
  allow->setChecked(true);
  const std::string lenient = SaveAndRead(mars_, "lenient.html", MessageAnswer::No);
  EXPECT_NE(lenient.find("\t        //alert (\"Invalid number\");"), std::string::npos);
  EXPECT_NE(lenient.find("\t        document.datainput.elements [i].value = 'missing';"),
            std::string::npos);
}

TEST_F(WebPageWindowsTest, SaveNeedsALoadedModelOfItsKind) {
  LoadMars();
  network_.Activate();
  // The button is off; a save forced through it still checks readiness.
  Find(network_, "cmdSaveAs")->setEnabled(true);
  EXPECT_FALSE(std::filesystem::exists(Save(network_, "none.html")));
  EXPECT_EQ(LastMessage(), "Please select a model");
}

}  // namespace
}  // namespace kdk::gui
