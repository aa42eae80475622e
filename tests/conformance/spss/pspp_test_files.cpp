#include "conformance/spss/pspp_test_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "engines/spss/child_process.h"

namespace kdk::conformance {

bool RunPsppText(const ScratchFolder& scratch, const std::string& syntax, std::string& error) {
  const std::string script = scratch.File("helper.sps");
  if (!WriteFileAtomically(script, syntax, error)) return false;
  const std::string pspp = spss::FindProgram("pspp");
  if (pspp.empty()) {
    error = "pspp is not installed";
    return false;
  }
  const spss::ProcessResult result =
      spss::RunProcess({pspp, "-b", script}, scratch.File("helper.out"), scratch.File("helper.err"),
                       std::chrono::seconds(60));
  if (result.exit_status == 0) return true;
  std::string out, ignored;
  ReadWholeFile(scratch.File("helper.out"), out, ignored);
  error = "pspp failed (" + std::to_string(result.exit_status) + "):\n" + out + "\n" + syntax;
  return false;
}

bool WriteSavFile(const ScratchFolder& scratch, const std::string& path,
                  const std::vector<std::string>& names, const std::vector<Row>& rows,
                  std::string& error) {
  std::string syntax = "DATA LIST LIST /";
  for (const std::string& name : names) syntax += " " + name + " (F8.2)";
  syntax += ".\nBEGIN DATA\n";
  char number[40];
  for (const Row& row : rows) {
    for (const auto& value : row) {
      if (value) {
        std::snprintf(number, sizeof number, "%.17g ", *value);
        syntax += number;
      } else {
        syntax += ". ";
      }
    }
    syntax += "\n";
  }
  syntax += "END DATA.\nSAVE OUTFILE='" + path + "'.\n";
  return RunPsppText(scratch, syntax, error);
}

namespace {

bool ReadCsv(const ScratchFolder& scratch, const std::string& path,
             std::vector<std::vector<std::string>>& cells, std::string& error) {
  const std::string csv = scratch.File("helper.csv");
  if (!RunPsppText(scratch,
                   "GET FILE='" + path + "'.\nSAVE TRANSLATE /OUTFILE='" + csv +
                       "' /TYPE=CSV /FIELDNAMES /REPLACE /TEXTOPTIONS FORMAT=PLAIN.\n",
                   error)) {
    return false;
  }
  std::string text;
  if (!ReadWholeFile(csv, text, error)) return false;
  cells.clear();
  for (const std::string& line : SplitIntoLines(text)) cells.push_back(SplitAt(line, ','));
  if (cells.empty()) error = "empty CSV";
  return !cells.empty();
}

}  // namespace

bool ReadSavHeader(const ScratchFolder& scratch, const std::string& path,
                   std::vector<std::string>& names, std::string& error) {
  std::vector<std::vector<std::string>> cells;
  if (!ReadCsv(scratch, path, cells, error)) return false;
  names = cells.front();
  return true;
}

bool ReadSavColumn(const ScratchFolder& scratch, const std::string& path, const std::string& column,
                   std::vector<std::optional<double>>& values, std::string& error) {
  std::vector<std::vector<std::string>> cells;
  if (!ReadCsv(scratch, path, cells, error)) return false;
  size_t index = 0;
  while (index < cells.front().size() &&
         ToLowerAscii(cells.front()[index]) != ToLowerAscii(column)) {
    ++index;
  }
  if (index == cells.front().size()) {
    error = "no column " + column;
    return false;
  }
  values.clear();
  for (size_t r = 1; r < cells.size(); ++r) {
    const std::string cell = index < cells[r].size() ? TrimBlanks(cells[r][index]) : "";
    if (cell.empty()) {
      values.push_back(std::nullopt);
    } else {
      values.push_back(std::strtod(cell.c_str(), nullptr));
    }
  }
  return true;
}

}  // namespace kdk::conformance
