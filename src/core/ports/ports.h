#pragma once

#include "core/ports/clipboard_port.h"
#include "core/ports/clock.h"
#include "core/ports/colour_dialog_port.h"
#include "core/ports/file_dialog_port.h"
#include "core/ports/message_port.h"
#include "core/ports/settings_port.h"
#include "core/ports/shell_port.h"

namespace kdk {

// Everything through which the engine reaches the user and the system.
struct Ports {
  MessagePort& messages;
  FileDialogPort& file_dialogs;
  ColourDialogPort& colours;
  ClipboardPort& clipboard;
  SettingsPort& settings;
  ShellPort& shell;
  Clock& clock;
};

}  // namespace kdk
