#pragma once

#include <string>
#include <vector>

namespace kdk::testing {

struct TestInput {
  std::string name;
  double max_norm, min_norm, seen_max, seen_min;
};

// Describes a network to be written as weights-file text, so tests can make files
// with exactly the fields they need (and break them on purpose).
struct WeightsFileRecipe {
  std::string opening = "\"KESTRIUM\",\"2.1\",\"test\"";
  std::string header = "\"source.csv\",\"all rows\",#FALSE#";
  int c_x = -1;
  std::vector<TestInput> inputs;
  std::string output_name = "out";
  double max_norm_out = 10, min_norm_out = 0, seen_max_out = 0.8, seen_min_out = -0.6;
  std::vector<std::string> hidden_types;    // H - 1 entries
  std::vector<std::vector<double>> wih;     // (N + 1) x H
  std::vector<double> who;                  // H
  std::vector<std::string> trailing_lines;  // e.g. the description block
  std::string line_end = "\r\n";
  bool one_field_per_line = false;  // fields split over lines
};

std::string BuildWeightsFile(const WeightsFileRecipe& recipe);

// A small valid network: 2 inputs, 2 hidden neurons (H = 3).
WeightsFileRecipe SmallNetworkRecipe();

// Number of fields BuildWeightsFile writes (the header line not counted).
long long CountFields(const WeightsFileRecipe& recipe);

}  // namespace kdk::testing
