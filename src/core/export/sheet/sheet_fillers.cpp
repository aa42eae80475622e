#include "core/export/sheet/sheet_fillers.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/mars/mars_evaluator.h"
#include "core/network/evaluate_network.h"

namespace kdk {
namespace {

void HeaderColours(SpreadsheetApplication& app, int row, int column) {
  app.SetFontColorIndex(row, column, kPaletteYellow);
  app.SetInteriorColorIndex(row, column, kPaletteIndigo);
}

void ResultColours(SpreadsheetApplication& app, int row, int column) {
  app.SetFontColorIndex(row, column, kPaletteIndigo);
  app.SetInteriorColorIndex(row, column, kPaletteYellow);
}

std::string Call(std::string_view base, std::string_view arguments) {
  std::string formula = "=";
  formula.append(base).append("_CalculateIt(").append(arguments).append(")");
  return formula;
}

std::string Digits(int value) {
  return std::to_string(value);
}

// Row 1 names over zeros in row 2, the output's formula in column nI+1.
void FillInputRow(SpreadsheetApplication& app, std::string_view base,
                  const std::vector<std::string>& names, std::string_view output_name,
                  std::string_view formula_tail, const CellResult& cached) {
  const int count = static_cast<int>(names.size());
  for (int i = 1; i <= count; ++i) {
    app.SetCellText(1, i, names[i - 1]);
    HeaderColours(app, 1, i);
    app.SetCellNumber(2, i, 0);
  }
  app.SetCellText(1, count + 1, "Modelled_" + std::string(output_name));
  ResultColours(app, 1, count + 1);
  app.SetCellFormulaR1C1(
      2, count + 1, Call(base, "RC[-1]:RC[-" + Digits(count) + "]" + std::string(formula_tail)),
      cached);
}

// Rows 2..nI+1: a name and an editable "0" in header colours.
void FillInputColumn(SpreadsheetApplication& app, const std::vector<std::string>& names) {
  const int count = static_cast<int>(names.size());
  for (int i = 1; i <= count; ++i) {
    app.SetCellText(i + 1, 1, names[i - 1]);
    app.SetCellText(i + 1, 2, "0");
    app.SetCellLocked(i + 1, 2, false);
    HeaderColours(app, i + 1, 2);
  }
}

}  // namespace

double WorkbookRoundedPrediction(double prediction) {
  if (!(std::fabs(prediction) > 0.01)) return prediction;
  char digits[400];
  const auto written =
      std::to_chars(digits, digits + sizeof digits, prediction, std::chars_format::fixed, 4);
  double rounded = prediction;
  std::from_chars(digits, written.ptr, rounded);
  return rounded;
}

WorkbookResults NetworkResultsForZeros(const NetworkModel& model) {
  const std::vector<double> zeros(model.input_names.size(), 0.0);
  NetworkPrediction prediction;
  std::string error;
  if (!EvaluateNetwork(model, zeros, prediction, error)) return {};
  // A sum past the largest number is no value a cell can hold: no cached result.
  if (!std::isfinite(prediction.prediction) || !std::isfinite(prediction.strength)) return {};
  if (model.is_classifier) return {prediction.class_text, prediction.strength};
  return {WorkbookRoundedPrediction(prediction.prediction), std::monostate{}};
}

WorkbookResults MarsResultsForZeros(const MarsModel& model) {
  MarsEvaluator evaluator;
  std::string error;
  if (!evaluator.Compile(model, error)) return {};
  const std::vector<std::optional<double>> zeros(model.input_names.size(), 0.0);
  const double value = evaluator.Evaluate(zeros);
  if (!std::isfinite(value)) return {};
  return {value, std::monostate{}};
}

void FillRowSheet(SpreadsheetApplication& app, std::string_view base, const NetworkModel& model,
                  const WorkbookResults& results) {
  const int count = model.InputCount();
  FillInputRow(app, base, model.input_names, model.output_name, model.is_classifier ? ",1" : "",
               results.prediction);
  if (model.is_classifier) {
    app.SetCellText(1, count + 2, "Strength");
    ResultColours(app, 1, count + 2);
    app.SetCellFormulaR1C1(2, count + 2, Call(base, "RC[-2]:RC[-" + Digits(count + 1) + "],2"),
                           results.strength);
  }
  app.AutoFitColumns(1, count + 2);
}

void FillColumnSheet(SpreadsheetApplication& app, std::string_view base, const NetworkModel& model,
                     const WorkbookResults& results) {
  const int count = model.InputCount();
  app.SetCellText(1, 1, "Inputs");
  app.SetCellText(1, 2, "Value");
  app.SetCellText(1, 3, "Min");
  app.SetCellText(1, 4, "Max");
  FillInputColumn(app, model.input_names);
  for (int i = 1; i <= count; ++i) {
    app.SetCellNumber(i + 1, 3, model.min_seen[i - 1]);
    app.SetCellNumber(i + 1, 4, model.max_seen[i - 1]);
  }
  app.SetCellText(count + 3, 1, "Output");
  app.SetCellText(count + 3, 2, "Model");
  app.SetCellText(count + 4, 1, model.output_name);
  const std::string range = "R[-3]C:R[-" + Digits(count + 2) + "]C";
  app.SetCellFormulaR1C1(count + 4, 2, Call(base, range + (model.is_classifier ? ",1" : "")),
                         results.prediction);
  ResultColours(app, count + 4, 2);
  if (model.is_classifier) {
    app.SetCellText(count + 4, 3, "Strength");
    app.SetCellFormulaR1C1(count + 4, 4,
                           Call(base, "R[-3]C[-2]:R[-" + Digits(count + 2) + "]C[-2],2"),
                           results.strength);
    ResultColours(app, count + 4, 4);
  } else {
    app.SetCellNumber(count + 4, 3, model.min_seen_out);
    app.SetCellNumber(count + 4, 4, model.max_seen_out);
  }
  app.AutoFitColumns(1, 4);
}

void FillInstructionSheet(SpreadsheetApplication& app) {
  app.SetCellText(
      1, 1,
      "You can use the two sheets created to enter data and the model will automatically be "
      "calculated\n"
      "Do not re-arrange the column order - the field names must stay in the postion they are "
      "originally produced\n"
      "\n"
      "If you have original data that includes extra fields and the data is not in the specified "
      "column order, then there is a macro you can run to organise your data for you!\n"
      "1 - paste your data into a new sheet\n"
      "2 - while this sheet is active, run the macro 'PrepareDataForPredictions'\n"
      "    (tools>>macro>>macros)\n"
      "   This will order the columns in the correct order, delete unrequired columns and insert "
      "the model equation formula on the first line.\n"
      "   Copy this formula cell and drag down to automatically produce modelled values for the "
      "whole spreadsheet.");
  app.AutoFitColumns(1, 1);
}

void FillMarsRowSheet(SpreadsheetApplication& app, std::string_view base, const MarsModel& model,
                      const WorkbookResults& results) {
  FillInputRow(app, base, model.input_names, model.output_name, "", results.prediction);
  app.AutoFitColumns(1, model.InputCount() + 1);
}

void FillMarsColumnSheet(SpreadsheetApplication& app, std::string_view base, const MarsModel& model,
                         const WorkbookResults& results) {
  const int count = model.InputCount();
  app.SetCellText(1, 1, "Inputs");
  app.SetCellText(1, 2, "Value");
  FillInputColumn(app, model.input_names);
  app.SetCellText(count + 3, 1, "Output");
  app.SetCellText(count + 3, 2, "Modelled_" + model.output_name);
  app.SetCellText(count + 4, 1, model.output_name);
  app.SetCellFormulaR1C1(count + 4, 2, Call(base, "R[-3]C:R[-" + Digits(count + 2) + "]C"),
                         results.prediction);
  ResultColours(app, count + 4, 2);
  app.AutoFitColumns(1, 4);
}

}  // namespace kdk
