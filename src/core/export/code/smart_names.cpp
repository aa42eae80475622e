#include "core/export/code/smart_names.h"

#include "core/common/text_utils.h"

namespace kdk {

namespace {

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::string SmartName(std::string_view name, bool smart) {
  if (!smart) return std::string(name);
  std::string cleaned = TrimBlanks(name);
  // Every occurrence of a foreign character becomes "_", which one pass over the
  // characters does as well as replacing each one's occurrences in turn.
  for (char& c : cleaned) {
    if (!IsNameCharacter(c)) c = '_';
  }
  if (!cleaned.empty() && cleaned.front() >= '0' && cleaned.front() <= '9') {
    cleaned.insert(cleaned.begin(), '_');
  }
  return cleaned;
}

std::string TrimToUnderscores(std::string_view name) {
  return BlanksToUnderscores(TrimBlanks(name));
}

bool CheckOutputName(CodeExportSettings& settings, MessagePort& messages) {
  settings.output_field_name = TrimToUnderscores(settings.output_field_name);
  if (!settings.output_field_name.empty()) return true;
  messages.Inform("Invalid Output Name!");
  return false;
}

void ResetNames(CodeExportSettings& settings, const NetworkModel& model) {
  settings.output_field_name = "Kestrium_" + model.output_name;
  settings.root_name = "Var";
}

}  // namespace kdk
