#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace kdk {

// One file through the output writer (WriteOutputFile in output_file.h), with no kept
// inputs: aside and renamed, through links, permissions kept, devices written directly.
// On failure returns false, leaves nothing behind and fills `error`.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// The largest file or standard input a model is read from (64 MiB): far above any
// model, and refused before it is read so a huge input cannot exhaust memory.
inline constexpr std::size_t kLargestInputBytes = std::size_t{64} << 20;

// Whether `path` names an existing regular file (links followed).
bool IsExistingFile(std::string_view path);

// Reads a whole file as bytes. False with `error` filled when it cannot be read or is
// larger than kLargestInputBytes.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Reads a stream (standard input) to its end, with the same bound.
bool ReadWholeStream(std::istream& in, std::string& bytes, std::string& error);

// Splits text into lines at CR LF, a lone LF or a lone CR. A final line end does
// not start another (empty) line.
std::vector<std::string> SplitIntoLines(std::string_view text);

}  // namespace kdk
