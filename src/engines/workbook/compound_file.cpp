#include "engines/workbook/compound_file.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace kdk::workbook {
namespace {

constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::size_t kMiniStreamCutoff = 4096;
constexpr std::size_t kEntriesPerSector = kSectorSize / 128;
constexpr std::size_t kFatEntriesPerSector = kSectorSize / 4;
constexpr std::size_t kHeaderFatSlots = 109;

void Put16(std::string& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>(v >> 8);
}
void Put32(std::string& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// One directory entry, flattened.
struct Node {
  const CompoundEntry* entry = nullptr;  // null for the root
  std::uint8_t type = 5;                 // 1 storage, 2 stream, 5 root
  std::uint32_t left = kNoStream, right = kNoStream, child = kNoStream;
  std::uint32_t start = kEndOfChain;
  std::uint64_t size = 0;
};

std::string UpperName(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// Siblings are ordered by name length first, then by upper-case name.
bool NameLess(const CompoundEntry* a, const CompoundEntry* b) {
  if (a->name.size() != b->name.size()) return a->name.size() < b->name.size();
  return UpperName(a->name) < UpperName(b->name);
}

class DirectoryBuilder {
 public:
  std::vector<Node> nodes;

  void Build(const std::vector<CompoundEntry>& root_children) {
    nodes.push_back(Node{});
    nodes[0].child = AddSiblings(root_children);
  }

 private:
  // Adds the entries as a balanced binary tree of siblings; returns the tree's root.
  std::uint32_t AddSiblings(const std::vector<CompoundEntry>& entries) {
    std::vector<const CompoundEntry*> sorted;
    for (const CompoundEntry& e : entries) sorted.push_back(&e);
    std::sort(sorted.begin(), sorted.end(), NameLess);
    return AddRange(sorted, 0, sorted.size());
  }

  std::uint32_t AddRange(const std::vector<const CompoundEntry*>& sorted, std::size_t first,
                         std::size_t last) {
    if (first >= last) return kNoStream;
    const std::size_t middle = first + (last - first) / 2;
    const auto index = static_cast<std::uint32_t>(nodes.size());
    Node node;
    node.entry = sorted[middle];
    node.type = sorted[middle]->is_storage ? 1 : 2;
    node.size = sorted[middle]->is_storage ? 0 : sorted[middle]->bytes.size();
    if (sorted[middle]->is_storage) node.start = 0;
    nodes.push_back(node);
    const std::uint32_t left = AddRange(sorted, first, middle);
    const std::uint32_t right = AddRange(sorted, middle + 1, last);
    const std::uint32_t child =
        sorted[middle]->is_storage ? AddSiblings(sorted[middle]->children) : kNoStream;
    nodes[index].left = left;
    nodes[index].right = right;
    nodes[index].child = child;
    return index;
  }
};

std::size_t Sectors(std::size_t bytes, std::size_t unit) {
  return (bytes + unit - 1) / unit;
}

void AppendPadded(std::string& out, const std::string& bytes, std::size_t unit) {
  out.append(bytes);
  out.append(Sectors(bytes.size(), unit) * unit - bytes.size(), '\0');
}

void WriteDirectoryEntry(std::string& out, std::size_t at, const Node& node) {
  const std::string name = node.entry ? node.entry->name : std::string("Root Entry");
  if (name.size() > 31) throw std::length_error("compound file name too long: " + name);
  for (std::size_t i = 0; i < name.size(); ++i) {
    Put16(out, at + 2 * i, static_cast<unsigned char>(name[i]));
  }
  Put16(out, at + 64, static_cast<std::uint16_t>((name.size() + 1) * 2));
  out[at + 66] = static_cast<char>(node.type);
  out[at + 67] = 1;  // black
  Put32(out, at + 68, node.left);
  Put32(out, at + 72, node.right);
  Put32(out, at + 76, node.child);
  Put32(out, at + 116, node.start);
  Put32(out, at + 120, static_cast<std::uint32_t>(node.size));
}

}  // namespace

std::string CompoundFileBytes(const std::vector<CompoundEntry>& root_children) {
  DirectoryBuilder dir;
  dir.Build(root_children);
  std::vector<Node>& nodes = dir.nodes;

  // Small streams go to the mini stream, the others to whole sectors.
  std::string mini_stream;
  std::vector<std::uint32_t> mini_fat;
  std::string regular;
  std::vector<std::uint32_t> fat;
  for (Node& node : nodes) {
    if (node.type != 2 || node.size == 0) continue;
    const std::string& bytes = node.entry->bytes;
    if (bytes.size() < kMiniStreamCutoff) {
      const auto first = static_cast<std::uint32_t>(mini_fat.size());
      const std::size_t count = Sectors(bytes.size(), kMiniSectorSize);
      for (std::size_t i = 0; i < count; ++i) {
        mini_fat.push_back(i + 1 < count ? first + static_cast<std::uint32_t>(i) + 1 : kEndOfChain);
      }
      node.start = first;
      AppendPadded(mini_stream, bytes, kMiniSectorSize);
    } else {
      const auto first = static_cast<std::uint32_t>(fat.size());
      const std::size_t count = Sectors(bytes.size(), kSectorSize);
      for (std::size_t i = 0; i < count; ++i) {
        fat.push_back(i + 1 < count ? first + static_cast<std::uint32_t>(i) + 1 : kEndOfChain);
      }
      node.start = first;
      AppendPadded(regular, bytes, kSectorSize);
    }
  }

  auto add_chain = [&fat](std::size_t count) -> std::uint32_t {
    if (count == 0) return kEndOfChain;
    const auto first = static_cast<std::uint32_t>(fat.size());
    for (std::size_t i = 0; i < count; ++i) {
      fat.push_back(i + 1 < count ? first + static_cast<std::uint32_t>(i) + 1 : kEndOfChain);
    }
    return first;
  };

  // The mini stream lives in the root entry's own chain.
  const std::size_t mini_stream_sectors = Sectors(mini_stream.size(), kSectorSize);
  nodes[0].start = add_chain(mini_stream_sectors);
  nodes[0].size = mini_stream.size();
  if (mini_stream.empty()) nodes[0].start = kEndOfChain;

  std::string mini_fat_bytes(Sectors(mini_fat.size() * 4, kSectorSize) * kSectorSize, '\xFF');
  for (std::size_t i = 0; i < mini_fat.size(); ++i) Put32(mini_fat_bytes, 4 * i, mini_fat[i]);
  const std::size_t mini_fat_sectors = mini_fat_bytes.size() / kSectorSize;
  const std::uint32_t mini_fat_start = add_chain(mini_fat_sectors);

  const std::size_t dir_sectors = Sectors(nodes.size(), kEntriesPerSector);
  const std::uint32_t dir_start = add_chain(dir_sectors);

  // The FAT describes itself too.
  std::size_t fat_sectors = 0;
  while (Sectors(fat.size() + fat_sectors, kFatEntriesPerSector) > fat_sectors) ++fat_sectors;
  if (fat_sectors > kHeaderFatSlots) throw std::length_error("compound file too large");
  const auto fat_start = static_cast<std::uint32_t>(fat.size());
  for (std::size_t i = 0; i < fat_sectors; ++i) fat.push_back(kFatSector);

  std::string header(kSectorSize, '\0');
  const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  header.replace(0, 8, signature, 8);
  Put16(header, 24, 0x003E);
  Put16(header, 26, 0x0003);
  Put16(header, 28, 0xFFFE);
  Put16(header, 30, 9);
  Put16(header, 32, 6);
  Put32(header, 44, static_cast<std::uint32_t>(fat_sectors));
  Put32(header, 48, dir_start);
  Put32(header, 56, kMiniStreamCutoff);
  Put32(header, 60, mini_fat_sectors ? mini_fat_start : kEndOfChain);
  Put32(header, 64, static_cast<std::uint32_t>(mini_fat_sectors));
  Put32(header, 68, kEndOfChain);
  Put32(header, 72, 0);
  for (std::size_t i = 0; i < kHeaderFatSlots; ++i) {
    Put32(header, 76 + 4 * i,
          i < fat_sectors ? fat_start + static_cast<std::uint32_t>(i) : kFreeSector);
  }

  std::string directory(dir_sectors * kSectorSize, '\0');
  for (std::size_t i = 0; i < dir_sectors * kEntriesPerSector; ++i) {
    if (i < nodes.size()) {
      WriteDirectoryEntry(directory, i * 128, nodes[i]);
    } else {
      Put32(directory, i * 128 + 68, kNoStream);
      Put32(directory, i * 128 + 72, kNoStream);
      Put32(directory, i * 128 + 76, kNoStream);
    }
  }

  std::string fat_bytes(fat_sectors * kSectorSize, '\xFF');
  for (std::size_t i = 0; i < fat.size(); ++i) Put32(fat_bytes, 4 * i, fat[i]);

  std::string out;
  out.reserve(kSectorSize + fat.size() * kSectorSize);
  out.append(header);
  out.append(regular);
  AppendPadded(out, mini_stream, kSectorSize);
  out.append(mini_fat_bytes);
  out.append(directory);
  out.append(fat_bytes);
  return out;
}

}  // namespace kdk::workbook
