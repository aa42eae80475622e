#include "gui/mars/mars_source_dialogs.h"
#include "gui/common/latin1_text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kdk::gui {
namespace {

QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

MarsSourceDialog::MarsSourceDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("frmGetMarsSourceDataType");
  setWindowTitle("Mars Model Source");
  auto* grid = new QGridLayout(this);
  struct Row {
    const char* button;
    const char* caption;
    const char* kind;
    const char* label;
    const char* text;
  };
  const Row rows[] = {
      {"cmdRulesFile", "Rules File", "TEXTFILE", "lblRules",
       "When a MARS model has been built, select the 'basis functions' tab, right mouse click "
       "in the window and choose 'Export...'. This option will read this exported model."},
      {"cmdPaste", "Paste", "PASTE", "lblPaste",
       "The same as above, but instead of saving the file, select everything, right click and "
       "copy. Paste the model directly into this application."},
      {"cmdMDL", "MDL file", "MDLFILE", "lblMDL", "Get the model from the saved MDL file."},
      {"cmdCancel", "Cancel", "CANCEL", "lblCancel", "Forget it!"},
  };
  int row_index = 0;
  for (const Row& row : rows) {
    QPushButton* button = AddButton(this, row.button, row.caption);
    const QString kind = row.kind;
    connect(button, &QPushButton::clicked, this, [this, kind] { Choose(kind); });
    auto* label = new QLabel(row.text, this);
    label->setObjectName(row.label);
    label->setWordWrap(true);
    grid->addWidget(button, row_index, 0, Qt::AlignTop);
    grid->addWidget(label, row_index, 1);
    ++row_index;
  }
  resize(480, 260);
}

void MarsSourceDialog::Choose(const QString& kind) {
  source_kind_ = kind;
  accept();
}

MarsPasteDialog::MarsPasteDialog(ClipboardPort& clipboard, QWidget* parent) : QDialog(parent) {
  setObjectName("frmMARSPasteModel");
  setWindowTitle("Paste MARS model into this window");
  text_ = new QPlainTextEdit(this);
  text_->setObjectName("txtPastedModel");
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* paste = AddButton(this, "cmdPaste", "Paste");
  auto* clear = AddButton(this, "cmdClear", "Clear");
  auto* ok = AddButton(this, "cmdOK", "OK");
  auto* cancel = AddButton(this, "cmdCancel", "Cancel");
  connect(paste, &QPushButton::clicked, this,
          [this, &clipboard] { text_->setPlainText(ToQString(clipboard.GetText())); });
  connect(clear, &QPushButton::clicked, this, [this] { text_->clear(); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, [this] {
    text_->clear();
    reject();
  });
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {paste, clear, ok, cancel}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addLayout(buttons);
  resize(640, 420);
}

QString MarsPasteDialog::PastedText() const {
  return text_->toPlainText();
}

std::string GuiMarsSourceDialogs::ChooseSource() {
  MarsSourceDialog dialog(parent_);
  dialog.exec();
  return dialog.SourceKind().toStdString();
}

std::string GuiMarsSourceDialogs::PasteModel() {
  MarsPasteDialog dialog(clipboard_, parent_);
  dialog.exec();
  // Text boxes give LF line ends; the model text keeps CR LF like an exported file.
  // The text goes as UTF-8, so the model's reading refuses a character the code page
  // of model text has not, instead of taking it as "?".
  return dialog.PastedText().replace("\n", "\r\n").toStdString();
}

}  // namespace kdk::gui
