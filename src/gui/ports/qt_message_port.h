#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "core/ports/message_port.h"

namespace kdk::gui {

QMessageBox::Icon QtMessageIcon(MessageIcon icon);
QMessageBox::StandardButtons QtMessageButtons(MessageButtons buttons);
MessageAnswer AnswerOfButton(int button);

// Message boxes as QMessageBox, modal over the main window once it exists.
class QtMessagePort : public MessagePort {
 public:
  void SetParentWindow(QWidget* parent) { parent_ = parent; }
  MessageAnswer Show(std::string_view text, std::string_view title, MessageIcon icon,
                     MessageButtons buttons) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace kdk::gui
