#include "core/export/generation_stamp.h"

#include "core/common/model_text.h"
#include "core/common/text_file.h"

namespace kdk {

std::string ModelCreatedText(const ModelState& state, Clock& clock) {
  if (!IsExistingFile(state.model_path)) return "Unknown";
  std::optional<LocalDateTime> created = clock.FileCreationTime(state.model_path);
  return created ? DateText(*created) : "Unknown";
}

GenerationStamp MakeGenerationStamp(const ModelState& state, Clock& clock) {
  return {PathAsModelText(state.model_path), ModelCreatedText(state, clock),
          DateText(clock.Now())};
}

}  // namespace kdk
