#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/generation_stamp.h"
#include "core/network/weights_reader.h"
#include "core/ports/clock.h"
#include "core/ports/message_port.h"
#include "core/workspace.h"

namespace {

class QuietMessages : public kdk::MessagePort {
 public:
  kdk::MessageAnswer Show(std::string_view, std::string_view, kdk::MessageIcon,
                          kdk::MessageButtons) override {
    return kdk::MessageAnswer::Ok;
  }
};

class FixedClock : public kdk::Clock {
 public:
  kdk::LocalDateTime Now() override { return {}; }
  std::optional<kdk::LocalDateTime> FileCreationTime(std::string_view) override {
    return std::nullopt;
  }
};

}  // namespace

// A weights file from anyone: what loads is written in every code type and layout,
// names, descriptions and numbers as the file gives them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kdk::Workspace workspace;
  std::string detail;
  if (!kdk::ParseWeightsFields(bytes, workspace.network, detail)) return 0;
  // Keep each run short: the generators are linear, large shapes add nothing.
  if (workspace.network.InputCount() * workspace.network.HiddenSlots() > 4000) return 0;
  workspace.state.network_loaded = true;
  workspace.state.model_path = "/fuzz/model.kwf";
  QuietMessages messages;
  FixedClock clock;
  for (const kdk::CodeTypeProfile& row : kdk::CodeTypeTable()) {
    for (int format : {kdk::kFormatA, kdk::kFormatB, kdk::kFormatC, kdk::kFormatD}) {
      kdk::CodeExportSettings settings;
      settings.output_field_name = "Kestrium_" + workspace.network.output_name;
      settings.root_name = "Var";
      settings.equation_format = format;
      settings.code_type = row.type;
      settings.controls.smart_field_names = (size & 1) == 0;
      (void)kdk::GenerateCode(settings, workspace.network,
                              kdk::MakeGenerationStamp(workspace.state, clock), messages);
    }
  }
  return 0;
}
