#pragma once

#include <string>

#include "core/mars/mars_model.h"
#include "core/network/network_model.h"

namespace kdk {

// The form descriptions at the top of the generated .frm files: the form block, one
// block per control with TabIndex 0, 1, 2, ... in the order written, and the closing
// attribute lines. Input rows stand in two columns: inputs 1 to 15 in the first,
// the rest in the second, continuing downwards. Lines joined by CR LF.

// Buttons, the prediction (and, for a classifier, strength) box, the output range
// labels of a regression, three or six column headings, and four control arrays
// (name, input box, minimum, maximum seen in training).
std::string VbNetworkFormDescription(const NetworkModel& model);

// As the network's, captioned "MARS Says...", without strength box or output range;
// two or four headings ("Name", "Categorical") and three control arrays (name, input
// box carrying the input's name as its Tag, categorical flag).
std::string VbMarsFormDescription(const MarsModel& model);

// The longest caption or tag text written, so that its property line stays within
// VB's 1023 characters; longer model names are shortened.
inline constexpr std::size_t kVbLongestCaption = 990;

}  // namespace kdk
