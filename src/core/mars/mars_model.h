#pragma once

#include <string>
#include <vector>

namespace kdk {

inline constexpr std::string_view kPastedModelPath = "Pasted_Model";

// Where the MARS text comes from, as the choose-source dialog answers.
inline constexpr std::string_view kSourceTextFile = "TEXTFILE";
inline constexpr std::string_view kSourcePaste = "PASTE";
inline constexpr std::string_view kSourceMdlFile = "MDLFILE";
inline constexpr std::string_view kSourceCancel = "CANCEL";

// A MARS model as the modelling software exports it: basis-function definitions
// (each ending in ";"), the equation and the model statement, plus what the parser
// learns from them. Indexes are 0-based; the numbers in messages are 1-based.
struct MarsModel {
  std::string source_kind{kSourceCancel};
  std::string pasted_text;

  std::vector<std::string> basis_function_defs;
  std::vector<std::string> basis_function_names;
  std::string equation;         // begins "Y =", no final ";"
  std::string model_statement;  // begins "MODEL", no final ";"
  int model_term_count = 0;

  std::vector<std::string> input_names;  // in order of first appearance
  std::vector<bool> is_categorical;      // parallel to input_names
  std::string output_name;

  int InputCount() const { return static_cast<int>(input_names.size()); }
  int BasisFunctionCount() const { return static_cast<int>(basis_function_defs.size()); }
};

}  // namespace kdk
