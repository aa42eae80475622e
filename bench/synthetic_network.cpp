#include "synthetic_network.h"

#include <initializer_list>
#include <random>
#include <stdexcept>

#include "core/common/number_text.h"
#include "core/network/weights_reader.h"

namespace kdk::bench {
namespace {

void AppendAll(std::string& text, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) text.append(part);
}

}  // namespace

std::string SyntheticWeightsFile(int inputs, int hidden_neurons) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> weight(-2, 2);
  const int h = hidden_neurons + 1;
  std::string text;
  text.reserve(static_cast<size_t>(inputs + 1) * h * 32);
  text += "\"K\",\"2\",\"bench\"\r\n\"bench.csv\",\"all\",#FALSE#\r\n1,1\r\n";
  AppendAll(text, {std::to_string(inputs - 1), ",-1\r\n1,2,3,4,5\r\nINPUTS\r\n"});
  for (int i = 0; i < inputs; ++i) {
    AppendAll(text, {std::to_string(i + 1), ",\"input ", std::to_string(i + 1), "\",N,",
                     std::to_string(100 + i), ",", std::to_string(-i), ",0.9,-0.9\r\n"});
  }
  text += "OUTPUT,1\r\n\"target\",N,1000,0,0.8,-0.8\r\nHIDDEN,1\r\n";
  AppendAll(text, {std::to_string(h), ",a,b,c,d\r\n"});
  for (int k = 0; k < hidden_neurons; ++k) text += k % 5 == 4 ? "LINEAR\r\n" : "NONLINEAR\r\n";
  text += "WEIGHTS,1\r\n";
  for (int i = 0; i <= inputs; ++i) {
    for (int k = 0; k < h; ++k) {
      AppendNumberText(text, weight(random));
      AppendAll(text, {",", std::to_string(i + 1), ",", std::to_string(k + 1), "\r\n"});
    }
  }
  for (int k = 0; k < h; ++k) {
    AppendNumberText(text, weight(random) / 10);
    AppendAll(text, {",", std::to_string(k + 1), "\r\n"});
  }
  text += "END\r\n";
  return text;
}

NetworkModel SyntheticNetwork(int inputs, int hidden_neurons) {
  NetworkModel model;
  std::string detail;
  if (!ParseWeightsFields(SyntheticWeightsFile(inputs, hidden_neurons), model, detail)) {
    throw std::runtime_error("synthetic network does not parse: " + detail);
  }
  return model;
}

}  // namespace kdk::bench
