#pragma once

#include "core/ports/clipboard_port.h"

namespace kdk::gui {

// The system clipboard; text crosses as Latin-1 so model bytes are kept.
class QtClipboard : public ClipboardPort {
 public:
  std::string GetText() override;
  void Clear() override;
  void SetText(std::string_view text) override;
};

}  // namespace kdk::gui
