#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kdk {

inline constexpr std::string_view kModelKindNetwork = "KESTRIUM";
inline constexpr std::string_view kModelKindMars = "MARS";

// What the data-preparation macro needs to know about the model.
struct PrepareDataMacroInput {
  int count = 0;  // inputs plus the output
  std::string function_name;
  std::vector<std::string> input_names;  // model order
  std::string output_name;
  std::string model_kind;  // kModelKindNetwork or kModelKindMars
  // Shapes the formula part for a network; a MARS workbook never has a strength.
  bool is_classifier = false;
};

// The macro "PrepareDataForPredictions" that closes every workbook's code module: it
// reorders a pasted data sheet for the model and inserts the model's formula. Lines
// are separated by CR LF; the text begins with CR LF and does not end with one.
std::string PrepareDataMacroText(const PrepareDataMacroInput& input);

}  // namespace kdk
