#pragma once

#include <QWidget>

#include "core/ports/ports.h"
#include "gui/ports/qt_clipboard.h"
#include "gui/ports/qt_colour_dialog.h"
#include "gui/ports/qt_file_dialogs.h"
#include "gui/ports/qt_message_port.h"
#include "gui/ports/qt_settings.h"
#include "gui/ports/qt_shell.h"
#include "platform/system_clock.h"

namespace kdk::gui {

// Every port the desktop program uses, in one place that outlives the windows.
struct QtPorts {
  QtMessagePort messages;
  QtFileDialogs file_dialogs{messages};
  QtColourDialog colours;
  QtClipboard clipboard;
  QtSettings settings;
  QtShell shell;
  SystemClock clock;

  // Dialogs and message boxes open over this window.
  void SetParentWindow(QWidget* window) {
    messages.SetParentWindow(window);
    file_dialogs.SetParentWindow(window);
    colours.SetParentWindow(window);
  }

  Ports ports() {
    return Ports{messages, file_dialogs, colours, clipboard, settings, shell, clock};
  }
};

}  // namespace kdk::gui
