#pragma once

#include <optional>
#include <string>
#include <vector>

#include "support/scratch.h"

namespace kdk::conformance {

using Row = std::vector<std::optional<double>>;

// Runs PSPP on a syntax text; false with PSPP's messages in `error`.
bool RunPsppText(const ScratchFolder& scratch, const std::string& syntax, std::string& error);

// Writes a .sav file with numeric variables of the given names (nullopt: missing).
bool WriteSavFile(const ScratchFolder& scratch, const std::string& path,
                  const std::vector<std::string>& names, const std::vector<Row>& rows,
                  std::string& error);

// One numeric column of a .sav file, read back through SAVE TRANSLATE to CSV at
// full precision (nullopt: system-missing).
bool ReadSavColumn(const ScratchFolder& scratch, const std::string& path, const std::string& column,
                   std::vector<std::optional<double>>& values, std::string& error);

// The variable names of a .sav file, read back through CSV (first line).
bool ReadSavHeader(const ScratchFolder& scratch, const std::string& path,
                   std::vector<std::string>& names, std::string& error);

}  // namespace kdk::conformance
