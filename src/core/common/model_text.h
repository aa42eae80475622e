#pragma once

#include <string>
#include <string_view>

namespace kdk {

// Every model string in the engine (names, definitions, descriptions) is held as
// Windows-1252 bytes, the code page weights files are written in. Text is decided
// once, where it is read, and each artifact converts it to the encoding it declares.

// The Unicode code point of a Windows-1252 byte. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control of the same value,
// as Windows and browsers read them, so all 256 bytes convert both ways.
char32_t CodePointOfCp1252(unsigned char byte);

// The Windows-1252 byte of a code point; false when the code page has none.
bool Cp1252OfCodePoint(char32_t code_point, unsigned char& byte);

// Windows-1252 text as UTF-8.
std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 text as Windows-1252. False when the text is not valid UTF-8 or holds a
// character the code page cannot represent; `error` then says which and where.
bool Utf8ToCp1252(std::string_view utf8, std::string& text, std::string& error);

bool IsValidUtf8(std::string_view bytes);

// A file-system path (UTF-8 on this system) as text for an artifact: converted to
// Windows-1252, a character the code page has not written as "?". A path that is not
// UTF-8 is taken as it is.
std::string PathAsModelText(std::string_view path);

// Text of the engine for a UTF-8 display (a terminal, a message box). Messages join
// model text with paths and outside programs' words, which are UTF-8: text that is
// valid UTF-8 stays as it is, any other is model text and is converted.
std::string MessageTextAsUtf8(std::string_view text);

// Model text as it was read, decided once: text with bytes from 0x80 up that is valid
// UTF-8 is UTF-8 (a leading byte-order mark dropped) and is converted; any other text
// is taken as Windows-1252 unchanged. False, with `error` naming the line, when UTF-8
// text holds a character Windows-1252 cannot represent.
bool DecodeModelText(std::string_view bytes, std::string& text, std::string& error);

// The characters of a name in model text, for every reader and writer that finds
// names in MARS text: a name starts with a letter, "_" or a byte from 0x80 up (the
// code page's accented letters and signs), and goes on with those, digits, "$", "#"
// and "@". Which of these a target language accepts in its own identifiers is that
// language's rule, not this one.
bool IsModelNameStart(char c);
bool IsModelNameChar(char c);

}  // namespace kdk
