#include "gui/ports/qt_message_port.h"

#include "core/common/model_text.h"
#include "gui/common/latin1_text.h"

namespace kdk::gui {

QMessageBox::Icon QtMessageIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtMessageButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

MessageAnswer AnswerOfButton(int button) {
  switch (button) {
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Ok;
  }
}

MessageAnswer QtMessagePort::Show(std::string_view text, std::string_view title, MessageIcon icon,
                                  MessageButtons buttons) {
  // The engine ends lines with CR LF; a label wants plain line feeds.
  QString shown = QString::fromStdString(MessageTextAsUtf8(text));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QtMessageIcon(icon), ToQString(title), shown, QtMessageButtons(buttons),
                  parent_.data());
  box.setTextFormat(Qt::PlainText);
  // Closing the box with Escape or its frame counts as its gentlest answer.
  if (buttons == MessageButtons::OkCancel || buttons == MessageButtons::YesNoCancel) {
    box.setEscapeButton(QMessageBox::Cancel);
  } else if (buttons == MessageButtons::YesNo) {
    box.setEscapeButton(QMessageBox::No);
  }
  return AnswerOfButton(box.exec());
}

}  // namespace kdk::gui
