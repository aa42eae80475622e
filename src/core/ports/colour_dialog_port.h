#pragma once

#include <cstdint>
#include <optional>

namespace kdk {

// Colours as 0xRRGGBB.
class ColourDialogPort {
 public:
  virtual ~ColourDialogPort() = default;
  // nullopt when the user cancels.
  virtual std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) = 0;
};

}  // namespace kdk
