#pragma once

#include <ostream>

#include "core/ports/message_port.h"

namespace kdk {

// Prints every message to a stream (stderr for the command line). Questions get the
// answer chosen when the port was made, so batch runs decide them with flags.
class ConsoleMessagePort : public MessagePort {
 public:
  explicit ConsoleMessagePort(std::ostream& out, MessageAnswer question_answer = MessageAnswer::No)
      : out_(out), question_answer_(question_answer) {}

  MessageAnswer Show(std::string_view text, std::string_view title, MessageIcon icon,
                     MessageButtons buttons) override;

  int MessageCount() const { return count_; }

 private:
  std::ostream& out_;
  MessageAnswer question_answer_;
  int count_ = 0;
};

}  // namespace kdk
