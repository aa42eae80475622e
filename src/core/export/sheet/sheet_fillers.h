#pragma once

#include <string_view>

#include "core/export/sheet/spreadsheet_application.h"
#include "core/mars/mars_model.h"
#include "core/network/network_model.h"

namespace kdk {

// What the model computes for inputs of 0, kept in the formula cells for viewers that
// do not run the code module. `prediction` is a number, or "TRUE"/"FALSE" for a
// classifier.
struct WorkbookResults {
  CellResult prediction;
  CellResult strength;
};

// The network's worksheet function result for all-zero inputs: the prediction as the
// code module returns it (rounded to four decimals above 0.01, as its formatting does)
// or, for a classifier, the class text and the strength. Empty results when the model
// cannot be evaluated or its value there is not finite.
WorkbookResults NetworkResultsForZeros(const NetworkModel& model);
// The code module's arithmetic on one prediction: above 0.01 in magnitude it is
// formatted with four decimals and read back.
double WorkbookRoundedPrediction(double prediction);

// The MARS worksheet function's result for all-zero inputs; empty when it is not finite.
WorkbookResults MarsResultsForZeros(const MarsModel& model);

// The first sheet: input names over zeros, the output formula beside them.
void FillRowSheet(SpreadsheetApplication& app, std::string_view base, const NetworkModel& model,
                  const WorkbookResults& results);
// The second sheet: one input a row with its seen range, the output below.
void FillColumnSheet(SpreadsheetApplication& app, std::string_view base, const NetworkModel& model,
                     const WorkbookResults& results);
// The third sheet: how to use the workbook.
void FillInstructionSheet(SpreadsheetApplication& app);

void FillMarsRowSheet(SpreadsheetApplication& app, std::string_view base, const MarsModel& model,
                      const WorkbookResults& results);
void FillMarsColumnSheet(SpreadsheetApplication& app, std::string_view base, const MarsModel& model,
                         const WorkbookResults& results);

}  // namespace kdk
