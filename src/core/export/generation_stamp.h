#pragma once

#include <string>

#include "core/model_state.h"
#include "core/ports/clock.h"
#include "core/export/generation_stamp.h"

namespace kdk {

// What every generated artifact says about where its model came from and when it was
// made: built once per save and passed to the generators, so they stay pure.
struct GenerationStamp {
  std::string model_path;     // as model text; "Pasted_Model" for pasted MARS text
  std::string model_created;  // date text, or "Unknown"
  std::string created;        // the present date and time as date text
};

GenerationStamp MakeGenerationStamp(const ModelState& state, Clock& clock);

// The model file's creation time as date text, or "Unknown" when the file is gone.
std::string ModelCreatedText(const ModelState& state, Clock& clock);

}  // namespace kdk
