#pragma once

#include <string>
#include <string_view>

namespace kdk {

class ClipboardPort {
 public:
  virtual ~ClipboardPort() = default;
  virtual std::string GetText() = 0;
  virtual void Clear() = 0;
  virtual void SetText(std::string_view text) = 0;
};

}  // namespace kdk
