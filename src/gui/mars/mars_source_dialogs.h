#pragma once

#include <QDialog>
#include <QString>

#include "core/ports/clipboard_port.h"
#include "core/shell/load_mars_model.h"

class QPlainTextEdit;

namespace kdk::gui {

// "Mars Model Source": four buttons, each naming where the model comes from.
class MarsSourceDialog : public QDialog {
  Q_OBJECT
 public:
  explicit MarsSourceDialog(QWidget* parent = nullptr);
  // "TEXTFILE", "PASTE", "MDLFILE" or "CANCEL" (also when closed any other way).
  QString SourceKind() const { return source_kind_; }

 private:
  void Choose(const QString& kind);
  QString source_kind_ = "CANCEL";
};

// "Paste MARS model into this window": the text box holds what the user pastes.
class MarsPasteDialog : public QDialog {
  Q_OBJECT
 public:
  MarsPasteDialog(ClipboardPort& clipboard, QWidget* parent = nullptr);
  // The text box's content when the dialog closed ("" after Cancel).
  QString PastedText() const;
  QPlainTextEdit* TextBox() const { return text_; }

 private:
  QPlainTextEdit* text_;
};

// The two dialogs shown modally over `parent`, as the MARS load asks for them.
class GuiMarsSourceDialogs : public MarsSourceDialogs {
 public:
  GuiMarsSourceDialogs(ClipboardPort& clipboard, QWidget* parent)
      : clipboard_(clipboard), parent_(parent) {}
  std::string ChooseSource() override;
  std::string PasteModel() override;

 private:
  ClipboardPort& clipboard_;
  QWidget* parent_;
};

}  // namespace kdk::gui
