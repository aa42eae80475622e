#pragma once

#include <string>
#include <string_view>

#include "core/export/generation_stamp.h"
#include "core/network/network_model.h"

namespace kdk {

// The equation view's greeting, shown until a network has been loaded.
inline constexpr std::string_view kEquationGreeting = "Hello!\r\nPlease select a weights file\r\n";

// The dash line between the sections of the equation view (39 hyphens).
inline constexpr std::string_view kEquationDashLine = "---------------------------------------";

// The network as one plain text: the VB header comment, the inputs and output, their
// ranges, every weight, the neuron types, and the VB pieces that compute it.
std::string BuildEquationText(const NetworkModel& model, const GenerationStamp& stamp);

}  // namespace kdk
