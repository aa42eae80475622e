#pragma once

#include <string>
#include <string_view>

namespace kdk {

// The pieces of a workbook's code module that only workbooks have. Each returns its
// lines joined by CR LF; the caller writes it with one write-line (text, then CR LF).

// The cell location constants and the read-once flag.
std::string WorkbookConstantsBlock();

// The worksheet function base + "_CalculateIt" over a range of input cells, and the
// routine that reads and normalises them. A classifier's function takes a second
// argument: 1 for the class, anything else for the strength.
std::string CalculateItBlock(std::string_view base, bool is_classifier);

// Input and output range warnings, present but not called; a classifier has no output
// warning.
std::string WorkbookWarningsBlock(bool is_classifier);

// The MARS code module's opening comments: the program, the rules file and when the
// module was made (`now_text` in "ddd, mmm d yyyy, h:mm AMPM").
std::string MarsModuleHeaderBlock(std::string_view model_path, std::string_view now_text);

// The MARS worksheet function, reading missing cells as nulls. The "RepresentsNull"
// function block follows it directly in the module.
std::string MarsCalculateItBlock(std::string_view base);

}  // namespace kdk
