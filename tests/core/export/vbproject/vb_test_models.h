#pragma once

#include <string>

#include "core/export/generation_stamp.h"
#include "core/network/network_model.h"

namespace kdk::testing {

inline GenerationStamp TestStamp() {
  return {"C:\\models\\house.kwf", "Fri, Dec 4 2026, 9:15 AM", "Sat, Dec 5 2026, 5:07 PM"};
}

// 3 inputs, hidden neurons: one tanh, one linear (H = 2), and the biases.
inline NetworkModel ThreeInputNetwork(bool classifier = false) {
  NetworkModel net;
  net.input_names = {"AREA", "ROOMS", "AGE"};
  net.output_name = "PRICE";
  net.data_source = "houses.csv";
  net.data_view = "all rows";
  net.is_classifier = classifier;
  net.max_norm = {250, 8, 100};
  net.min_norm = {20, 1, 0};
  net.max_seen = {240, 7, 95.5};
  net.min_seen = {25, 1, 0.5};
  net.max_norm_out = 900000;
  net.min_norm_out = 50000;
  net.max_seen_out = 850000;
  net.min_seen_out = 60000;
  net.max_seen_out_cl = 0.75;
  net.min_seen_out_cl = -0.5;
  net.hidden_type = {NeuronType::NonLinear, NeuronType::Linear, NeuronType::Bias};
  net.wih = {{0.5, -1.25, 0}, {0.000012, 2, 0}, {-0.1, 0.3, 0}, {0.05, -0.02, 0}};
  net.who = {0.7, -0.2, 0.125};
  return net;
}

}  // namespace kdk::testing
