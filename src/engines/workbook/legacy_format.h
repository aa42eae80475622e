#pragma once

#include <string>

namespace kdk::workbook {

// Whether the path asks for the legacy binary format (".xls", any case).
bool IsLegacyWorkbookPath(const std::string& path);

// The LibreOffice program on the PATH, or "" when it is not installed.
std::string FindOffice();

// Converts a saved macro-enabled workbook to the legacy format at `target` with
// LibreOffice headless, writing aside and renaming. False with `error` filled.
bool ConvertToLegacy(const std::string& office, const std::string& xlsm_path,
                     const std::string& target, std::string& error);

}  // namespace kdk::workbook
