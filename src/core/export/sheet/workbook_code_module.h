#pragma once

#include <string>
#include <string_view>

#include "core/mars/mars_model.h"
#include "core/network/network_model.h"

namespace kdk {

// The network form code pieces a workbook's module reuses, exactly as the VB project
// writes them.
struct NetworkCodePieces {
  std::string header;            // header comment block
  std::string data_definitions;  // begins "Option Explicit"
  std::string model_values;      // begins "Private Sub SetModelValues"
  std::string forward_pass;      // begins "Private Sub calcNet()"
  std::string normalise;         // the normalise function
  std::string tanh;              // the tanh function named "myTanh"
};

// The MARS project pieces a workbook's module reuses.
struct MarsCodePieces {
  std::string declarations;     // begins "Option Explicit"
  std::string calculation;      // calcBasisFunctions, MAX and calcEquation
  std::string represents_null;  // the "RepresentsNull" function
};

// The network workbook's code module: the form code pieces around the workbook's own
// blocks, then the data-preparation macro; each block written with one write-line.
std::string NetworkCodeModuleText(const NetworkCodePieces& pieces, std::string_view base,
                                  const NetworkModel& model);

// The MARS workbook's code module. `model_path` is "Pasted_Model" for pasted text.
std::string MarsCodeModuleText(const MarsCodePieces& pieces, std::string_view base,
                               const MarsModel& model, std::string_view model_path,
                               std::string_view now_text);

}  // namespace kdk
