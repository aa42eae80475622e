#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kdk {

// The look of a generated web page, shared by the network and the MARS page. Colours
// are colour text "RGB(r,g,b)", used as CSS values and as script strings.
struct PageStyle {
  std::string page_background_colour = "RGB(192,192,192)";
  std::string page_text_colour = "RGB(128,64,0)";
  std::string data_grid_background_colour = "RGB(0,64,128)";
  std::string data_grid_text_colour = "RGB(255,255,255)";
  std::string warning_colour = "RGB(255,0,0)";
  std::string data_grid_font_size = "9pt";
  std::string normal_font_size = "9pt";
  std::string introduction_html;
};

// The five entries of both font lists, "8pt" to "12pt"; the second is the default.
inline constexpr std::string_view kFontSizes[] = {"8pt", "9pt", "10pt", "11pt", "12pt"};
inline constexpr std::string_view kDefaultIntroduction = "Type an Introduction Here\r\n";

// Sets the five colours to their defaults (font sizes and introduction stay).
void ApplyDefaultColours(PageStyle& style);

// Colour text of a colour laid out as 0x00BBGGRR.
std::string ColourToRgbText(std::uint32_t bgr);
// 0x00RRGGBB (as the colour dialog port speaks) to 0x00BBGGRR and back.
std::uint32_t RgbToBgr(std::uint32_t rgb);
// The colour a colour text names as 0x00RRGGBB; nullopt for any other text.
std::optional<std::uint32_t> RgbOfColourText(std::string_view text);
// A colour given by a user as "RGB(r,g,b)" (blanks allowed, any case) or "#rrggbb",
// as colour text; nullopt when it is neither.
std::optional<std::string> ColourTextFromUser(std::string_view text);

// Every CR LF pair becomes "<BR>".
std::string ReplaceLineBreaksWithBr(std::string_view text);

bool IsFontSizeEntry(std::string_view text);

}  // namespace kdk
