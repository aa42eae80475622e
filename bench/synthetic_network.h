#pragma once

#include <string>

#include "core/network/network_model.h"

namespace kdk::bench {

// Weights-file text of a network with the given size and pseudo-random weights.
std::string SyntheticWeightsFile(int inputs, int hidden_neurons);

// The same network, parsed.
NetworkModel SyntheticNetwork(int inputs, int hidden_neurons);

}  // namespace kdk::bench
