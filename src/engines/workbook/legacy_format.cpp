#include "engines/workbook/legacy_format.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "core/common/output_file.h"
#include "core/common/temporary_file.h"

namespace kdk::workbook {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Runs the program with its arguments (no shell) and waits for it.
bool Run(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool IsLegacyWorkbookPath(const std::string& path) {
  const std::string lower = Lower(path);
  return lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".xls") == 0;
}

std::string FindOffice() {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path ? path : "");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const std::string candidate = folder + "/soffice";
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

bool ConvertToLegacy(const std::string& office, const std::string& xlsm_path,
                     const std::string& target, std::string& error) {
  namespace fs = std::filesystem;
  PrivateFolder work;
  if (!work.Create("kdk-xls-", error)) return false;
  const fs::path folder = work.path();
  std::error_code ec;
  fs::create_directory(folder / "profile", ec);
  const fs::path source = folder / "workbook.xlsm";
  if (!ec && source != fs::path(xlsm_path)) fs::copy_file(xlsm_path, source, ec);
  if (ec) {
    error = ec.message();
    return false;
  }
  // A profile of its own, so that a running LibreOffice does not take the job.
  const bool ran =
      Run({office, "-env:UserInstallation=file://" + (folder / "profile").string(), "--headless",
           "--norestore", "--convert-to", "xls", "--outdir", folder.string(), source.string()});
  const fs::path converted = folder / "workbook.xls";
  std::error_code missing;
  if (!ran || !fs::exists(converted, missing)) {
    error = "LibreOffice could not convert the workbook to the .xls format.";
    return false;
  }
  return CopyToOutputFile(target, converted.string(), error);
}

}  // namespace kdk::workbook
