#pragma once

#include <string>
#include <string_view>

namespace kdk::workbook {

// The compressed container of the VBA file format: a signature byte, then chunks of
// at most 4096 decompressed bytes, each compressed with copy tokens whose offset and
// length fields share 16 bits according to the position in the chunk.
std::string CompressVba(std::string_view data);

// The inverse, for tests and for reading back what we wrote. False on malformed data.
bool DecompressVba(std::string_view container, std::string& data);

}  // namespace kdk::workbook
