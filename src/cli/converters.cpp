#include "cli/converters.h"

namespace kdk::cli {

const std::vector<ConverterEntry>& Converters() {
  static const std::vector<ConverterEntry> entries = [] {
    std::vector<ConverterEntry> all;
    for (auto family : {CodeConverters, MarsConverters}) {
      std::vector<ConverterEntry> more = family();
      all.insert(all.end(), std::make_move_iterator(more.begin()),
                 std::make_move_iterator(more.end()));
    }
    return all;
  }();
  return entries;
}

const ConverterEntry* FindConverter(ModelKind kind, const std::string& type) {
  for (const ConverterEntry& entry : Converters()) {
    if (entry.kind == kind && entry.type == type) return &entry;
  }
  return nullptr;
}

}  // namespace kdk::cli
