#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include "gui/ports/file_dialog_filter.h"
#include "gui/ports/qt_clipboard.h"
#include "gui/ports/qt_file_dialogs.h"
#include "gui/ports/qt_message_port.h"
#include "gui/ports/qt_settings.h"
#include "gui/ports/qt_shell.h"

namespace kdk::gui {
namespace {

TEST(FileDialogFilter, DescriptionsKeepTheirTextAndGainTheirPatterns) {
  EXPECT_EQ(NameFiltersOf("query file (*.sql)|*.sql|text file (*.txt)|*.txt"),
            (std::vector<std::string>{"query file (*.sql)", "text file (*.txt)"}));
  EXPECT_EQ(NameFiltersOf("Pages|*.htm;*.html|All|"),
            (std::vector<std::string>{"Pages (*.htm *.html)", "All (*)"}));
  EXPECT_EQ(NameFiltersOf("Syntax (*.sps;*.txt)|*.sps;*.txt"),
            std::vector<std::string>{"Syntax (*.sps *.txt)"});
  EXPECT_TRUE(NameFiltersOf("").empty());
}

TEST(QtFileDialogs, RequestSetsTitleFolderModesAndTheChosenFilter) {
  QTemporaryDir folder;
  FileDialogRequest request;
  request.title = "Select the Kestrium weights file...";
  request.initial_folder = folder.path().toStdString();
  request.filter = "query file (*.sql)|*.sql|text file (*.txt)|*.txt";
  request.selected_filter = 1;
  for (const bool save : {false, true}) {
    request.must_exist = !save;
    request.confirm_overwrite = save;
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    ConfigureFileDialog(dialog, request, save);
    EXPECT_EQ(dialog.windowTitle(), "Select the Kestrium weights file...");
    EXPECT_EQ(dialog.directory().absolutePath(), QDir(folder.path()).absolutePath());
    EXPECT_EQ(dialog.selectedNameFilter(), "text file (*.txt)");
    EXPECT_EQ(dialog.fileMode(), save ? QFileDialog::AnyFile : QFileDialog::ExistingFile) << save;
    EXPECT_EQ(dialog.acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.testOption(QFileDialog::DontConfirmOverwrite), !save);
  }
}

TEST(QtMessagePort, IconsButtonsAndAnswersMap) {
  EXPECT_EQ(QtMessageIcon(MessageIcon::Critical), QMessageBox::Critical);
  EXPECT_EQ(QtMessageIcon(MessageIcon::Exclamation), QMessageBox::Warning);
  EXPECT_EQ(QtMessageIcon(MessageIcon::Information), QMessageBox::Information);
  EXPECT_EQ(QtMessageIcon(MessageIcon::None), QMessageBox::NoIcon);
  EXPECT_EQ(QtMessageButtons(MessageButtons::YesNoCancel),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(AnswerOfButton(QMessageBox::Yes), MessageAnswer::Yes);
  EXPECT_EQ(AnswerOfButton(QMessageBox::Cancel), MessageAnswer::Cancel);
  EXPECT_EQ(AnswerOfButton(QMessageBox::Ok), MessageAnswer::Ok);
}

TEST(QtMessagePort, ShowsTheTextWithTheTitleAndReturnsTheAnswer) {
  QtMessagePort port;
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    text = box->text();
    title = box->windowTitle();
    icon = box->icon();
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(port.Show("first line\r\nsecond \xE9 line", kApplicationTitle, MessageIcon::Question,
                      MessageButtons::YesNo),
            MessageAnswer::No);
  EXPECT_EQ(text, QString::fromLatin1("first line\nsecond \xE9 line"));
  EXPECT_EQ(title, "Kestrium Development Kit");
  EXPECT_EQ(icon, QMessageBox::Question);
}

TEST(QtSettings, FoldersAreRememberedPerUserUnderDirectories) {
  QtSettings settings;
  EXPECT_TRUE(QtSettings::SettingsFilePath().endsWith("KestriumDK.conf"));
  EXPECT_EQ(settings.Get("Directories", "2Save", "/opt/kestriumdk"), "/opt/kestriumdk");
  settings.Set("Directories", "1Model", "/data/models with blanks");
  EXPECT_EQ(settings.Get("Directories", "1Model", "x"), "/data/models with blanks");
  QSettings raw(QtSettings::SettingsFilePath(), QSettings::IniFormat);
  EXPECT_EQ(raw.value("Directories/1Model").toString(), "/data/models with blanks");
}

TEST(QtClipboard, TextCrossesInTheCodePageOfModelText) {
  QtClipboard clipboard;
  clipboard.SetText("caf\xE9 \xB5g \x80");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("caf\u00E9 \u00B5g \u20AC"));
  EXPECT_EQ(clipboard.GetText(), "caf\xE9 \xB5g \x80");
  QGuiApplication::clipboard()->setText(QString::fromUtf8("\u0160koda \u4E2D"));
  EXPECT_EQ(clipboard.GetText(), "\x8Akoda ?");  // what the code page has not becomes "?"
  clipboard.Clear();
  EXPECT_EQ(clipboard.GetText(), "");
}

TEST(QtShell, TheCommandLineIsTheArgumentsAfterTheProgram) {
  EXPECT_EQ(JoinCommandLine({"KestriumDK"}), "");
  EXPECT_EQ(JoinCommandLine({"KestriumDK", "/data/my", "model.kwf", "/x"}),
            "/data/my model.kwf /x");
}

}  // namespace
}  // namespace kdk::gui
