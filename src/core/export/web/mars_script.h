#pragma once

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/mars/mars_model.h"
#include "core/mars/mars_reading.h"
#include "core/ports/message_port.h"

namespace kdk {

// Turns a MARS model's basis functions and equation into the MARS page's script.
//
// The form of each basis function (hinge, set test, indicator) and the input it tests
// come from the model's one reading (ReadMarsModel), as in the evaluator, SQL and SPSS.
// Inputs are matched as whole words (X1 never rewrites X10, "max" inside a name stays),
// so they become (inpval[i] * 1.0); basis-function names become script variables, made
// valid and distinct; "max(" and "min(", in any case, become Math.max( and Math.min(. A statement
// that would still hold anything but those names, numbers and arithmetic is written
// as NaN: no text of a model reaches the script as code.
class MarsScript {
 public:
  MarsScript(const MarsModel& model, MessagePort& messages);

  // One statement per basis function, in definition order; a categorical statement
  // is two lines, the second beginning with a tab.
  const std::vector<std::string>& Statements() const { return statements_; }
  // The right-hand side of the model's equation, as script.
  const std::string& Prediction() const { return prediction_; }
  // The script variable of each basis function, in definition order.
  const std::vector<std::string>& VariableNames() const { return variables_; }

 private:
  struct Piece {
    std::string text;
    bool from_model;
  };
  std::vector<Piece> ConvertDefinition(const std::string& definition, const BasisReading& basis,
                                       bool& valid) const;
  std::vector<Piece> CategoricalPieces(const std::string& definition, int input_index,
                                       bool& valid) const;
  std::vector<Piece> IndicatorPieces(const std::string& definition, const BasisReading& basis,
                                     std::string_view outcome) const;
  std::string ScriptStatement(std::vector<Piece> pieces) const;
  void AddReplacement(const std::string& name, const std::string& script);
  void AppendSubstituted(std::string& out, std::string_view text) const;
  bool IsSafeStatement(std::string_view statement) const;
  bool IsSafeExpression(std::string_view expression) const;

  const MarsModel& model_;
  MessagePort& messages_;
  std::vector<std::string> variables_;
  // Every name a model's text may use, with its script form: names of word characters
  // only looked up whole, the others (rare) tried in turn, longest first.
  std::unordered_map<std::string, std::string> word_replacements_;
  std::vector<std::pair<std::string, std::string>> other_replacements_;
  std::map<std::string, bool, std::less<>> script_names_;
  std::vector<std::string> statements_;
  std::string prediction_;
};

// The statements of MarsScript, one per basis function.
std::vector<std::string> BasisFunctionScript(const MarsModel& model, MessagePort& messages);

}  // namespace kdk
