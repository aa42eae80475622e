#pragma once

#include <QString>

#include "core/ports/settings_port.h"

namespace kdk::gui {

// The per-user settings of application "KestriumDK" (no organisation), one group per
// section.
class QtSettings : public SettingsPort {
 public:
  static QString SettingsFilePath();
  std::string Get(std::string_view section, std::string_view key,
                  std::string_view default_value) override;
  void Set(std::string_view section, std::string_view key, std::string_view value) override;
};

}  // namespace kdk::gui
