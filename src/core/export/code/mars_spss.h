#pragma once

#include <string>
#include <string_view>

#include "core/mars/mars_model.h"
#include "core/mars/mars_reading.h"
#include "core/ports/message_port.h"

namespace kdk {

// The options of the MARS >> SPSS window, with its start values.
struct MarsSpssOptions {
  std::string output_field_name = "mars_out";  // kept trimmed and lower-cased
  bool include_header = true;
};

// The output name as the window stores it: trimmed and lower-cased.
std::string StoredSpssOutputName(std::string_view typed);

// The output variable as written: trimmed, blanks as "_". Empty means no valid name.
std::string SpssOutputVariable(std::string_view output_field_name);

// The output variable the syntax computes: SpssOutputVariable of the stored name, made
// a name SPSS takes and kept clear of every input and basis function (the syntax drops
// those at its end), with "_1", "_2", ... where it would be one of them. Empty for an
// empty name.
std::string MarsSpssOutputVariable(const MarsModel& model, std::string_view output_field_name);

// One definition as the text after "COMPUTE ": missing-value indicators in SPSS's own
// MISSING() form (bracketed when a product follows, since NOT binds more loosely than
// "*"), everything else as exported, without the final ";".
std::string MarsSpssCompute(std::string_view definition, const BasisReading& basis,
                            const MarsModel& model);

// The whole syntax: model information, a COMPUTE/EXECUTE pair per basis function,
// the output variable's COMPUTE and the MATCH FILES that drops the basis functions.
// False with `error` for a model the reading refuses or names SPSS cannot take.
bool BuildMarsSpss(const MarsModel& model, const MarsSpssOptions& options, std::string& text,
                   std::string& error);

// BuildMarsSpss for a window: a refusal is reported (critical icon) and gives "".
std::string MarsSpssText(const MarsModel& model, const MarsSpssOptions& options,
                         MessagePort& messages);

}  // namespace kdk
