#include "core/network/evaluate_network.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/test_models.h"
#include "support/networks.h"

namespace kdk {
namespace {

// The classifier's strength is checked against the VB forms in LibreOffice by the office suite.
NetworkPrediction Predict(const NetworkModel& net, std::vector<double> x) {
  NetworkPrediction result;
  std::string error;
  EXPECT_TRUE(EvaluateNetwork(net, x, result, error)) << error;
  return result;
}

TEST(ClippedTanh, ClipsBeyondTwentyOnly) {
  EXPECT_EQ(ClippedTanh(20.000001), 1);
  EXPECT_EQ(ClippedTanh(-20.000001), -1);
  const double e20 = std::exp(20.0), em20 = std::exp(-20.0);
  EXPECT_EQ(ClippedTanh(20), (e20 - em20) / (e20 + em20));
  EXPECT_EQ(ClippedTanh(-20), (em20 - e20) / (em20 + e20));
  EXPECT_LT(ClippedTanh(18), 1.0);  // from about 18.7 on, tanh is 1 in a double
  EXPECT_EQ(ClippedTanh(0), 0);
  EXPECT_NEAR(ClippedTanh(0.5), std::tanh(0.5), 1e-15);
}

TEST(EvaluateNetwork, SumsInInputOrderBitForBitOnSeededNetworks) {
  for (const conformance::ConformanceCase& item :
       conformance::ConformanceCases(conformance::ConformanceSeed() + 5, 20, 4)) {
    if (item.near_overflow) continue;
    const NetworkModel& net = item.model;
    const std::size_t n = net.input_names.size(), h = net.who.size();
    for (const std::vector<double>& x : item.inputs) {
      // The arithmetic written out neuron by neuron, as a reader of it would.
      double out = 0;
      for (std::size_t k = 0; k < h; ++k) {
        double activation = 1;
        if (k + 1 < h) {
          double s = 0;
          for (std::size_t i = 0; i < n; ++i) {
            s += net.wih[i][k] *
                 (((x[i] - net.min_norm[i]) / (net.max_norm[i] - net.min_norm[i]) - 0.5) * 2);
          }
          s += net.wih[n][k] * 1;
          activation = net.hidden_type[k] == NeuronType::NonLinear ? ClippedTanh(s) : s;
        }
        out += activation * net.who[k];
      }
      const NetworkPrediction result = Predict(net, x);
      EXPECT_EQ(result.normalised_output, out) << item.name;
      EXPECT_EQ(result.prediction,
                (out + 1) / 2 * (net.max_norm_out - net.min_norm_out) + net.min_norm_out)
          << item.name;
    }
  }
}

TEST(EvaluateNetwork, AnEmptyRangeAndTheWrongNumberOfInputsAreReported) {
  NetworkModel net = testing::CodeTestNetwork();
  NetworkPrediction result;
  std::string error;
  EXPECT_FALSE(EvaluateNetwork(net, std::vector<double>{1}, result, error));
  EXPECT_EQ(error, "The network has 2 inputs but 1 values were given.");
  net.max_norm[1] = net.min_norm[1] = 3;
  EXPECT_FALSE(EvaluateNetwork(net, std::vector<double>{1, 3}, result, error));
  EXPECT_EQ(error, "The input size cannot be scaled: its minimum and maximum are both 3.");
  EXPECT_EQ(FirstUnscalableInput(net), "size");
}

}  // namespace
}  // namespace kdk
