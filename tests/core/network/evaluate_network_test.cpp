#include "core/network/evaluate_network.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kdk {
namespace {

// 2 inputs, one tanh neuron, one linear neuron, hidden bias.
NetworkModel TwoByTwo() {
  NetworkModel net;
  net.input_names = {"a", "b"};
  net.output_name = "y";
  net.max_norm = {10, 4};
  net.min_norm = {0, -4};
  net.max_seen = net.max_norm;
  net.min_seen = net.min_norm;
  net.max_norm_out = 100;
  net.min_norm_out = 20;
  net.hidden_type = {NeuronType::NonLinear, NeuronType::Linear, NeuronType::Bias};
  net.wih = {{0.5, -1.0, 0}, {0.25, 2.0, 0}, {-0.1, 0.3, 0}};
  net.who = {0.7, -0.2, 0.05};
  return net;
}

TEST(ClippedTanh, ClipsBeyondTwentyOnly) {
  EXPECT_EQ(ClippedTanh(20.000001), 1);
  EXPECT_EQ(ClippedTanh(-20.000001), -1);
  const double e20 = std::exp(20.0), em20 = std::exp(-20.0);
  EXPECT_EQ(ClippedTanh(20), (e20 - em20) / (e20 + em20));
  EXPECT_EQ(ClippedTanh(-20), (em20 - e20) / (em20 + e20));
  EXPECT_LT(ClippedTanh(10), 1.0);
  EXPECT_EQ(ClippedTanh(0), 0);
  EXPECT_NEAR(ClippedTanh(0.5), std::tanh(0.5), 1e-15);
}

TEST(EvaluateNetwork, SumsInInputOrderBitForBitOnALargerNetwork) {
  std::mt19937 random(99);
  std::uniform_real_distribution<double> any(-3, 3);
  const int n = 37, h = 12;
  NetworkModel net;
  for (int i = 0; i < n; ++i) {
    net.input_names.push_back("x" + std::to_string(i));
    net.min_norm.push_back(any(random) - 5);
    net.max_norm.push_back(any(random) + 5);
  }
  net.max_norm_out = 7.5;
  net.min_norm_out = -2.25;
  for (int k = 0; k < h - 1; ++k) {
    net.hidden_type.push_back(k % 3 == 0 ? NeuronType::Linear : NeuronType::NonLinear);
  }
  net.hidden_type.push_back(NeuronType::Bias);
  net.wih.assign(n + 1, std::vector<double>(h, 0.0));
  for (auto& row : net.wih) {
    for (int k = 0; k < h - 1; ++k) row[k] = any(random);
  }
  for (int k = 0; k < h; ++k) net.who.push_back(any(random) / 4);

  for (int trial = 0; trial < 50; ++trial) {
    std::vector<double> x(n);
    for (double& value : x) value = any(random) * 4;
    // The arithmetic written out neuron by neuron, as a reader of it would.
    double out = 0;
    for (int k = 0; k < h; ++k) {
      double activation = 1;
      if (k < h - 1) {
        double s = 0;
        for (int i = 0; i < n; ++i) {
          s += net.wih[i][k] *
               (((x[i] - net.min_norm[i]) / (net.max_norm[i] - net.min_norm[i]) - 0.5) * 2);
        }
        s += net.wih[n][k] * 1;
        activation = net.hidden_type[k] == NeuronType::NonLinear ? ClippedTanh(s) : s;
      }
      out += activation * net.who[k];
    }
    NetworkPrediction result;
    std::string error;
    ASSERT_TRUE(EvaluateNetwork(net, x, result, error)) << error;
    EXPECT_EQ(result.normalised_output, out) << "trial " << trial;
    EXPECT_EQ(result.prediction, (out + 1) / 2 * (7.5 - -2.25) + -2.25) << "trial " << trial;
    EXPECT_FALSE(result.is_classifier);
  }
}

TEST(EvaluateNetwork, RangeEndsNormaliseToPlusMinusOneWithoutClipping) {
  NetworkModel net = TwoByTwo();
  net.hidden_type = {NeuronType::Linear, NeuronType::Linear, NeuronType::Bias};
  net.wih = {{1, 0, 0}, {0, 0, 0}, {0, 0, 0}};
  net.who = {1, 0, 0};
  NetworkPrediction result;
  std::string error;
  ASSERT_TRUE(EvaluateNetwork(net, std::vector<double>{0, 0}, result, error));
  EXPECT_EQ(result.normalised_output, -1);
  ASSERT_TRUE(EvaluateNetwork(net, std::vector<double>{10, 0}, result, error));
  EXPECT_EQ(result.normalised_output, 1);
  ASSERT_TRUE(EvaluateNetwork(net, std::vector<double>{25, 0}, result, error));
  EXPECT_EQ(result.normalised_output, 4);  // a linear neuron passes it through unchanged
}

TEST(EvaluateNetwork, ANetworkWithoutHiddenNeuronsPredictsTheOutputBias) {
  NetworkModel net;
  net.input_names = {"only"};
  net.max_norm = {1};
  net.min_norm = {0};
  net.max_norm_out = 50;
  net.min_norm_out = 10;
  net.hidden_type = {NeuronType::Bias};
  net.wih = {{0}, {0}};
  net.who = {0.3};
  NetworkPrediction result;
  std::string error;
  for (double x : {-100.0, 0.5, 1e9}) {
    ASSERT_TRUE(EvaluateNetwork(net, std::vector<double>{x}, result, error));
    EXPECT_EQ(result.prediction, (0.3 + 1) / 2 * (50 - 10) + 10);
  }
}

TEST(EvaluateNetwork, ClassifierStrengthScalesBySeenExtremes) {
  NetworkModel net = TwoByTwo();
  net.is_classifier = true;
  net.max_seen_out_cl = 0.8;
  net.min_seen_out_cl = -0.5;
  net.hidden_type = {NeuronType::Linear, NeuronType::Linear, NeuronType::Bias};
  net.wih = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
  NetworkPrediction result;
  std::string error;

  net.who = {0, 0, 0.4};
  ASSERT_TRUE(EvaluateNetwork(net, std::vector<double>{1, 1}, result, error));
  EXPECT_EQ(result.class_text, "TRUE");
  EXPECT_EQ(result.strength, 0.4 / 0.8);

  net.who = {0, 0, -0.25};
  ASSERT_TRUE(EvaluateNetwork(net, std::vector<double>{1, 1}, result, error));
  EXPECT_EQ(result.class_text, "FALSE");
  EXPECT_EQ(result.strength, -0.25 / 0.5);

  net.who = {0, 0, 0};
  ASSERT_TRUE(EvaluateNetwork(net, std::vector<double>{1, 1}, result, error));
  EXPECT_EQ(result.class_text, "FALSE");
  EXPECT_EQ(result.strength, 0);

  net.who = {0, 0, 0.4};
  net.max_seen_out_cl = 0;
  ASSERT_TRUE(EvaluateNetwork(net, std::vector<double>{1, 1}, result, error));
  EXPECT_EQ(result.class_text, "TRUE");
  EXPECT_EQ(result.strength, 0);

  net.who = {0, 0, -0.4};
  net.min_seen_out_cl = -0.8;
  ASSERT_TRUE(EvaluateNetwork(net, std::vector<double>{1, 1}, result, error));
  EXPECT_EQ(result.strength, -0.5);  // divided by the magnitude: the sign stays
}

TEST(EvaluateNetwork, AnEmptyRangeIsReportedByName) {
  NetworkModel net = TwoByTwo();
  net.max_norm[1] = 3;
  net.min_norm[1] = 3;
  NetworkPrediction result;
  std::string error;
  EXPECT_FALSE(EvaluateNetwork(net, std::vector<double>{1, 3}, result, error));
  EXPECT_EQ(error, "The input b cannot be scaled: its minimum and maximum are both 3.");
  EXPECT_EQ(FirstUnscalableInput(net), "b");
}

TEST(EvaluateNetwork, RejectsTheWrongNumberOfInputs) {
  NetworkPrediction result;
  std::string error;
  EXPECT_FALSE(EvaluateNetwork(TwoByTwo(), std::vector<double>{1}, result, error));
  EXPECT_EQ(error, "The network has 2 inputs but 1 values were given.");
}

}  // namespace
}  // namespace kdk
