#include "gui/ports/qt_settings.h"

#include <QSettings>

#include "gui/common/latin1_text.h"

namespace kdk::gui {
namespace {

constexpr char kApplicationName[] = "KestriumDK";

// Values are folders, so they are kept in the file system's encoding.
QString KeyPath(std::string_view section, std::string_view key) {
  return ToQString(section) + QLatin1Char('/') + ToQString(key);
}

}  // namespace

QString QtSettings::SettingsFilePath() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, kApplicationName).fileName();
}

std::string QtSettings::Get(std::string_view section, std::string_view key,
                            std::string_view default_value) {
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kApplicationName);
  const QVariant value = settings.value(KeyPath(section, key));
  if (!value.isValid()) return std::string(default_value);
  return PathFromQString(value.toString());
}

void QtSettings::Set(std::string_view section, std::string_view key, std::string_view value) {
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kApplicationName);
  settings.setValue(KeyPath(section, key), PathToQString(value));
  settings.sync();
}

}  // namespace kdk::gui
