#include "platform/console_message_port.h"

#include "core/common/model_text.h"
#include "core/common/text_utils.h"

namespace kdk {

MessageAnswer ConsoleMessagePort::Show(std::string_view text, std::string_view /*title*/,
                                       MessageIcon /*icon*/, MessageButtons buttons) {
  ++count_;
  // Messages are written with CR LF for message boxes; a terminal wants plain LF.
  out_ << MessageTextAsUtf8(ReplaceAll(ReplaceAll(text, "\r\n", "\n"), "\r", "\n")) << '\n';
  out_.flush();
  switch (buttons) {
    case MessageButtons::Ok:
      return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
      return question_answer_ == MessageAnswer::Yes ? MessageAnswer::Ok : MessageAnswer::Cancel;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
      return question_answer_;
  }
  return MessageAnswer::Ok;
}

}  // namespace kdk
