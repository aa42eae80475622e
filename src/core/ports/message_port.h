#pragma once

#include <string_view>

namespace kdk {

// The title every message box of the program carries.
inline constexpr std::string_view kApplicationTitle = "Kestrium Development Kit";

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Message boxes: the GUI shows them, the command line prints them, tests record them.
class MessagePort {
 public:
  virtual ~MessagePort() = default;
  virtual MessageAnswer Show(std::string_view text, std::string_view title, MessageIcon icon,
                             MessageButtons buttons) = 0;

  // The common case: the application's title and only an OK button.
  void Inform(std::string_view text, MessageIcon icon = MessageIcon::None) {
    Show(text, kApplicationTitle, icon, MessageButtons::Ok);
  }
};

}  // namespace kdk
