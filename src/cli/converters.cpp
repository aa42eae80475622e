#include "cli/converters.h"

#include <iostream>

#include "core/common/text_utils.h"
#include "core/mars/generated_file.h"

namespace kdk::cli {

void PrintProgress(const ConvertRequest& request, std::string_view label) {
  // "-o -": the artifact went to standard output, the messages stay on stderr.
  if (request.output_path == "-") return;
  std::cout << ReplaceAll(label, kCrLf, "\n") << '\n';
}

bool WriteConvertedText(ConvertRequest& request, std::string_view text) {
  std::string label;
  const bool written = WriteGeneratedFile(
      request.output_path, text, [&](const std::string& caption) { label = caption; },
      request.messages, request.workspace.state.model_path);
  if (written) PrintProgress(request, label);
  return written;
}

const std::vector<ConverterEntry>& Converters() {
  static const std::vector<ConverterEntry> entries = [] {
    std::vector<ConverterEntry> all;
    for (auto family : {CodeConverters, NetworkSqlConverters, MarsConverters, WebConverters,
                        VbProjectConverters, WorkbookConverters}) {
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
