#pragma once

#include <string>
#include <vector>

namespace kdk::workbook {

// One stream or storage of a compound file. A storage holds children; a stream bytes.
struct CompoundEntry {
  std::string name;  // ASCII, at most 31 characters
  bool is_storage = false;
  std::string bytes;
  std::vector<CompoundEntry> children;
};

// The bytes of a version 3 compound file (512-byte sectors, 64-byte mini sectors for
// streams below 4096 bytes) whose root storage holds `root_children`.
std::string CompoundFileBytes(const std::vector<CompoundEntry>& root_children);

}  // namespace kdk::workbook
