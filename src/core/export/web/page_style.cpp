#include "core/export/web/page_style.h"

#include <algorithm>
#include <charconv>

#include "core/common/text_utils.h"

namespace kdk {
namespace {

std::optional<int> ColourComponent(std::string_view text) {
  const std::string trimmed = TrimBlanks(text);
  int value = -1;
  const char* end = trimmed.data() + trimmed.size();
  auto [stop, error] = std::from_chars(trimmed.data(), end, value);
  if (trimmed.empty() || error != std::errc() || stop != end || value < 0 || value > 255) {
    return std::nullopt;
  }
  return value;
}

std::string RgbText(std::uint32_t rgb) {
  return ColourToRgbText(RgbToBgr(rgb));
}

}  // namespace

void ApplyDefaultColours(PageStyle& style) {
  const PageStyle defaults;
  style.page_background_colour = defaults.page_background_colour;
  style.page_text_colour = defaults.page_text_colour;
  style.data_grid_background_colour = defaults.data_grid_background_colour;
  style.data_grid_text_colour = defaults.data_grid_text_colour;
  style.warning_colour = defaults.warning_colour;
}

std::string ColourToRgbText(std::uint32_t bgr) {
  const std::uint32_t r = bgr % 256;
  const std::uint32_t g = (bgr % 65536) / 256;
  const std::uint32_t b = (bgr / 65536) % 256;
  std::string text = "RGB(";
  text.append(std::to_string(r)).append(",");
  text.append(std::to_string(g)).append(",");
  text.append(std::to_string(b)).append(")");
  return text;
}

std::uint32_t RgbToBgr(std::uint32_t rgb) {
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

std::optional<std::uint32_t> RgbOfColourText(std::string_view text) {
  const std::string upper = ToUpperAscii(TrimBlanks(text));
  if (upper.size() < 5 || upper.compare(0, 4, "RGB(") != 0 || upper.back() != ')') {
    return std::nullopt;
  }
  const std::vector<std::string> parts = SplitAt(upper.substr(4, upper.size() - 5), ',');
  if (parts.size() != 3) return std::nullopt;
  std::uint32_t rgb = 0;
  for (const std::string& part : parts) {
    const std::optional<int> component = ColourComponent(part);
    if (!component) return std::nullopt;
    rgb = (rgb << 8) | static_cast<std::uint32_t>(*component);
  }
  return rgb;
}

std::optional<std::string> ColourTextFromUser(std::string_view text) {
  if (text.size() == 7 && text[0] == '#') {
    std::uint32_t rgb = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data() + 1, end, rgb, 16);
    if (error != std::errc() || stop != end) return std::nullopt;
    return RgbText(rgb);
  }
  const std::optional<std::uint32_t> rgb = RgbOfColourText(text);
  if (!rgb) return std::nullopt;
  return RgbText(*rgb);
}

std::string ReplaceLineBreaksWithBr(std::string_view text) {
  return ReplaceAll(text, kCrLf, "<BR>");
}

bool IsFontSizeEntry(std::string_view text) {
  return std::find(std::begin(kFontSizes), std::end(kFontSizes), text) != std::end(kFontSizes);
}

}  // namespace kdk
