#include "engines/workbook/vba_compression.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kdk::workbook {
namespace {

constexpr std::size_t kChunkSize = 4096;
constexpr std::size_t kMaxCandidates = 64;

// Bits of a copy token that hold the offset, for a position `difference` bytes into
// the chunk: at least 4, at most 12.
unsigned OffsetBits(std::size_t difference) {
  unsigned bits = 4;
  while ((std::size_t{1} << bits) < difference) ++bits;
  return bits;
}

void PutLittle16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

std::string CompressChunk(std::string_view chunk) {
  std::string out;
  out.reserve(chunk.size() + chunk.size() / 8 + 2);
  // Positions of earlier occurrences of each three-byte prefix, newest last.
  std::vector<std::vector<std::uint16_t>> seen(4096);
  auto key = [&chunk](std::size_t at) {
    return ((static_cast<unsigned char>(chunk[at]) << 4) ^
            (static_cast<unsigned char>(chunk[at + 1]) << 2) ^
            static_cast<unsigned char>(chunk[at + 2])) &
           0xFFF;
  };
  auto remember = [&](std::size_t at) {
    if (at + 2 < chunk.size()) {
      auto& list = seen[key(at)];
      list.push_back(static_cast<std::uint16_t>(at));
      if (list.size() > kMaxCandidates) list.erase(list.begin());
    }
  };

  std::size_t pos = 0;
  while (pos < chunk.size()) {
    const std::size_t flag_at = out.size();
    out.push_back('\0');
    unsigned char flags = 0;
    for (int bit = 0; bit < 8 && pos < chunk.size(); ++bit) {
      const unsigned offset_bits = OffsetBits(pos);
      const std::size_t max_length = (0xFFFFu >> offset_bits) + 3;
      std::size_t best_length = 0, best_offset = 0;
      if (pos + 2 < chunk.size()) {
        const auto& list = seen[key(pos)];
        for (auto it = list.rbegin(); it != list.rend(); ++it) {
          const std::size_t candidate = *it;
          std::size_t length = 0;
          const std::size_t limit = std::min(max_length, chunk.size() - pos);
          while (length < limit && chunk[candidate + length] == chunk[pos + length]) ++length;
          if (length > best_length) {
            best_length = length;
            best_offset = pos - candidate;
            if (length == limit) break;
          }
        }
      }
      if (best_length >= 3) {
        const auto token = static_cast<std::uint16_t>(((best_offset - 1) << (16 - offset_bits)) |
                                                      (best_length - 3));
        PutLittle16(out, token);
        flags = static_cast<unsigned char>(flags | (1u << bit));
        for (std::size_t i = 0; i < best_length; ++i) remember(pos + i);
        pos += best_length;
      } else {
        out.push_back(chunk[pos]);
        remember(pos);
        ++pos;
      }
    }
    out[flag_at] = static_cast<char>(flags);
  }
  return out;
}

}  // namespace

std::string CompressVba(std::string_view data) {
  std::string out;
  out.reserve(data.size() / 2 + 16);
  out.push_back('\x01');
  for (std::size_t start = 0; start < data.size(); start += kChunkSize) {
    const std::string_view chunk = data.substr(start, kChunkSize);
    const std::string compressed = CompressChunk(chunk);
    if (compressed.size() <= kChunkSize) {
      // Size less three in 12 bits, signature 0b011, compressed flag.
      PutLittle16(out, static_cast<std::uint16_t>(0xB000 | (compressed.size() + 2 - 3)));
      out.append(compressed);
    } else {
      // A raw chunk always holds 4096 bytes.
      PutLittle16(out, static_cast<std::uint16_t>(0x3000 | (kChunkSize + 2 - 3)));
      out.append(chunk);
      out.append(kChunkSize - chunk.size(), '\0');
    }
  }
  return out;
}

bool DecompressVba(std::string_view container, std::string& data) {
  data.clear();
  if (container.empty() || container[0] != '\x01') return false;
  std::size_t pos = 1;
  while (pos < container.size()) {
    if (pos + 2 > container.size()) return false;
    const unsigned header = static_cast<unsigned char>(container[pos]) |
                            (static_cast<unsigned char>(container[pos + 1]) << 8);
    if (((header >> 12) & 0x7) != 0x3) return false;
    const std::size_t size = (header & 0xFFF) + 3;
    const bool compressed = (header & 0x8000) != 0;
    if (pos + size > container.size()) return false;
    const std::size_t end = pos + size;
    pos += 2;
    const std::size_t chunk_start = data.size();
    if (!compressed) {
      data.append(container.substr(pos, kChunkSize));
      pos = end;
      continue;
    }
    while (pos < end) {
      const unsigned char flags = static_cast<unsigned char>(container[pos++]);
      for (int bit = 0; bit < 8 && pos < end; ++bit) {
        if ((flags & (1u << bit)) == 0) {
          data.push_back(container[pos++]);
          continue;
        }
        if (pos + 2 > end) return false;
        const unsigned token = static_cast<unsigned char>(container[pos]) |
                               (static_cast<unsigned char>(container[pos + 1]) << 8);
        pos += 2;
        const unsigned offset_bits = OffsetBits(data.size() - chunk_start);
        const std::size_t length = (token & (0xFFFFu >> offset_bits)) + 3;
        const std::size_t offset = (token >> (16 - offset_bits)) + 1;
        if (offset > data.size() - chunk_start) return false;
        const std::size_t from = data.size() - offset;
        for (std::size_t i = 0; i < length; ++i) data.push_back(data[from + i]);
      }
    }
  }
  return true;
}

}  // namespace kdk::workbook
