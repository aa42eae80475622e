#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/network/evaluate_network.h"
#include "core/network/weights_reader.h"

// Any bytes: the reader either rejects them or yields a record whose shape holds,
// and which evaluates without touching memory it does not own.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kdk::NetworkModel model;
  std::string detail;
  if (kdk::ParseWeightsFields(bytes, model, detail)) {
    const int n = model.InputCount();
    const int h = model.HiddenSlots();
    if (n < 1 || h < 1 || static_cast<int>(model.wih.size()) != n + 1 ||
        model.hidden_type.back() != kdk::NeuronType::Bias) {
      std::abort();
    }
    for (const auto& row : model.wih) {
      if (static_cast<int>(row.size()) != h || row.back() != 0) std::abort();
    }
    std::vector<double> inputs(static_cast<size_t>(n), 0.5);
    kdk::NetworkPrediction result;
    std::string error;
    kdk::EvaluateNetwork(model, inputs, result, error);
  }
  (void)kdk::ParseNetDescription(bytes);
  return 0;
}
