#include "core/common/model_text.h"

#include <array>

namespace kdk {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    // Every Windows-1252 character lies in the Basic Multilingual Plane.
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// The code point at `i` and its length in bytes; length 0 when the bytes there are not
// UTF-8 (overlong forms and surrogates included).
size_t NextUtf8(std::string_view text, size_t i, char32_t& c) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  size_t length = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    c = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

std::string HexCodePoint(char32_t c) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string digits;
  for (; c != 0 || digits.size() < 4; c >>= 4) digits.insert(digits.begin(), kHex[c & 0xF]);
  return "U+" + digits;
}

bool HasHighBytes(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

}  // namespace

char32_t CodePointOfCp1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

bool Cp1252OfCodePoint(char32_t code_point, unsigned char& byte) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    byte = static_cast<unsigned char>(code_point);
    return true;
  }
  for (size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == code_point) {
      byte = static_cast<unsigned char>(0x80 + k);
      return true;
    }
  }
  return false;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (char c : text) AppendUtf8(out, CodePointOfCp1252(static_cast<unsigned char>(c)));
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  char32_t c = 0;
  for (size_t i = 0, length = 0; i < bytes.size(); i += length) {
    length = NextUtf8(bytes, i, c);
    if (length == 0) return false;
  }
  return true;
}

bool Utf8ToCp1252(std::string_view utf8, std::string& text, std::string& error) {
  std::string out;
  out.reserve(utf8.size());
  size_t line = 1;
  char32_t c = 0;
  for (size_t i = 0, length = 0; i < utf8.size(); i += length) {
    length = NextUtf8(utf8, i, c);
    if (length == 0) {
      error = "Line " + std::to_string(line) + " is not UTF-8 text.";
      return false;
    }
    unsigned char byte = 0;
    if (!Cp1252OfCodePoint(c, byte)) {
      std::string before = out.substr(out.find_last_of("\r\n") + 1);
      if (before.size() > 40) before.erase(0, before.size() - 40);
      error = "Line " + std::to_string(line) + " holds the character " + HexCodePoint(c) +
              " after \"" + before + "\": model text is Windows-1252, which cannot represent it.";
      return false;
    }
    if (c == '\n' || (c == '\r' && (i + 1 == utf8.size() || utf8[i + 1] != '\n'))) ++line;
    out.push_back(static_cast<char>(byte));
  }
  text = std::move(out);
  return true;
}

std::string PathAsModelText(std::string_view path) {
  if (!IsValidUtf8(path)) return std::string(path);
  std::string text;
  text.reserve(path.size());
  char32_t c = 0;
  for (size_t i = 0, length = 0; i < path.size(); i += length) {
    length = NextUtf8(path, i, c);  // never 0: the path is UTF-8
    unsigned char byte = '?';
    Cp1252OfCodePoint(c, byte);
    text.push_back(static_cast<char>(byte));
  }
  return text;
}

std::string MessageTextAsUtf8(std::string_view text) {
  return IsValidUtf8(text) ? std::string(text) : Cp1252ToUtf8(text);
}

bool DecodeModelText(std::string_view bytes, std::string& text, std::string& error) {
  if (!HasHighBytes(bytes) || !IsValidUtf8(bytes)) {
    text.assign(bytes);
    return true;
  }
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    bytes.remove_prefix(kByteOrderMark.size());
  }
  return Utf8ToCp1252(bytes, text, error);
}

bool IsModelNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsModelNameChar(char c) {
  return IsModelNameStart(c) || (c >= '0' && c <= '9') || c == '$' || c == '#' || c == '@';
}

}  // namespace kdk
