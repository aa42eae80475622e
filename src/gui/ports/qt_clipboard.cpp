#include "gui/ports/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "gui/common/latin1_text.h"

namespace kdk::gui {

std::string QtClipboard::GetText() {
  return ToBytes(QGuiApplication::clipboard()->text());
}

void QtClipboard::Clear() {
  QGuiApplication::clipboard()->clear();
}

void QtClipboard::SetText(std::string_view text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

}  // namespace kdk::gui
