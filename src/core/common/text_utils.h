#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kdk {

inline constexpr std::string_view kCrLf = "\r\n";

// Trimming removes blanks (spaces) only, never tabs or line ends.
std::string TrimBlanks(std::string_view text);
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
bool ContainsText(std::string_view text, std::string_view part);
bool EndsWithText(std::string_view text, std::string_view suffix);
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// Every blank becomes "_".
std::string BlanksToUnderscores(std::string_view text);
// Drops the last `count` characters (all of them when the text is shorter).
std::string DropLast(std::string_view text, size_t count);
std::vector<std::string> SplitAt(std::string_view text, char separator);

// Removes every occurrence of `also_remove` when given, then every double quote.
std::string StripChars(std::string_view text, std::optional<char> also_remove = std::nullopt);

// The part of a path after its last "/" and then after its last "\".
std::string FileNameOfPath(std::string_view path);

// Drops the last four characters (the extension with its dot), keeps the part after
// the last folder separator, trims blanks and writes every blank as "_".
std::string OutputBaseName(std::string_view path);

// The absolute form of the path (the path itself when it cannot be made absolute).
std::string AbsolutePath(std::string_view path);

// The absolute form of the path without its last component.
std::string ParentFolder(std::string_view path);

// A model name from a file name: without its last four characters, blanks as "_".
std::string ModelNameFromFileTitle(std::string_view file_title);

// Appends text and CR LF: one generated line.
inline void AppendLine(std::string& out, std::string_view line) {
  out.append(line);
  out.append(kCrLf);
}

}  // namespace kdk
