#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kdk {

// Writes the bytes to a temporary file beside `path`, then renames it over `path`,
// so a failed write never leaves a half-written file under the user's name.
// A `path` that is a symbolic link is written through to the file it names (the link
// stays a link), and a file that is replaced keeps its permissions.
// On failure returns false, removes the temporary file and fills `error`.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Whether two paths name the same existing file, however each is written (relative,
// through links, another hard link).
bool IsSameFile(const std::string& a, const std::string& b);

// Reads a whole file as bytes. False with `error` filled when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Splits text into lines at CR LF, a lone LF or a lone CR. A final line end does
// not start another (empty) line.
std::vector<std::string> SplitIntoLines(std::string_view text);

}  // namespace kdk
