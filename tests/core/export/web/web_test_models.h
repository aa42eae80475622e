#pragma once

#include "core/network/network_model.h"

namespace kdk::testing {

// Three inputs, two hidden neurons (one tanh, one linear) and the hidden bias slot.
inline NetworkModel WebTestNetwork(bool classifier) {
  NetworkModel model;
  model.input_names = {"Age", "Rooms & <b>size</b>", "Rate"};
  model.output_name = "Price";
  model.data_source = "houses.csv";
  model.data_view = "all rows";
  model.is_classifier = classifier;
  model.max_norm = {100, 10, 0.5};
  model.min_norm = {0, 1, -0.5};
  model.max_seen = {90, 9, 0.25};
  model.min_seen = {10, 2, -0.000012};
  model.max_norm_out = 500000;
  model.min_norm_out = 1000;
  model.max_seen_out = 450000;
  model.min_seen_out = 2000;
  model.max_seen_out_cl = 0.75;
  model.min_seen_out_cl = -0.5;
  model.hidden_type = {NeuronType::NonLinear, NeuronType::Linear, NeuronType::Bias};
  model.wih = {{0.5, -1.25, 0}, {2, 0.125, 0}, {-3, 1E-05, 0}, {0.1, -0.2, 0}};
  model.who = {1.5, -0.75, 0.3};
  model.linear_count = 1;
  return model;
}

}  // namespace kdk::testing
