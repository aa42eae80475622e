#include "engines/spss/pspp_application.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/common/output_file.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "engines/spss/child_process.h"
#include "engines/spss/sav_dictionary.h"

namespace kdk::spss {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSyntaxName = "syntax.sps";

std::string InFolder(const std::string& folder, const char* name) {
  return (fs::path(folder) / name).string();
}

std::string Seconds(std::chrono::milliseconds limit) {
  const long long seconds = (limit.count() + 999) / 1000;
  return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
}

}  // namespace

std::string NewResultPathBeside(const std::string& data_path) {
  const fs::path data = fs::absolute(data_path);
  const std::string stem = data.stem().string();
  std::string extension = data.extension().string();
  if (extension.empty()) extension = ".sav";
  for (int number = 1;; ++number) {
    const std::string suffix = number == 1 ? "_scored" : "_scored_" + std::to_string(number);
    const fs::path candidate = data.parent_path() / (stem + suffix + extension);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(candidate, error))) return candidate.string();
  }
}

PsppSpssApplication::PsppSpssApplication(PsppOptions options) : options_(std::move(options)) {}

PsppSpssApplication::~PsppSpssApplication() {
  Release();
}

bool PsppSpssApplication::GetOrStart() {
  pspp_ = FindProgram(options_.pspp_program);
  return !pspp_.empty();
}

bool PsppSpssApplication::OpenDataDocument(const std::string& path, std::string& error) {
  variables_.clear();
  result_path_.clear();
  std::vector<std::string> names;
  if (!ReadSavVariableNames(path, names, error)) return false;
  data_path_ = fs::absolute(path).string();
  variables_ = std::move(names);
  return true;
}

void PsppSpssApplication::SetDataDocumentDisplayState(int state) {
  if (state != 1 || result_path_.empty() || options_.viewer_program.empty()) return;
  const std::string viewer = FindProgram(options_.viewer_program);
  if (!viewer.empty()) StartDetached({viewer, result_path_});
}

bool PsppSpssApplication::OpenSyntaxDocument(const std::string& path, std::string& error) {
  if (ReadWholeFile(path, syntax_, error)) return true;
  error = "The syntax file " + path + " could not be read: " + error;
  return false;
}

bool PsppSpssApplication::MakeWorkFolder(std::string& error) {
  if (!work_folder_.empty()) return true;
  std::error_code status;
  std::string pattern = (fs::temp_directory_path(status) / "kdk-spss-XXXXXX").string();
  if (status || mkdtemp(pattern.data()) == nullptr) {
    error = "No temporary folder could be made for the SPSS run.";
    return false;
  }
  work_folder_ = pattern;
  return true;
}

bool PsppSpssApplication::RunSyntaxDocument(std::string& error) {
  result_path_.clear();
  if (pspp_.empty() || data_path_.empty()) {
    error = "Problem";
    return false;
  }
  if (!MakeWorkFolder(error)) return false;
  joined_ = JoinContinuationLines(syntax_);
  return RunPspp(error) && DeliverResult(error);
}

bool PsppSpssApplication::RunPspp(std::string& error) {
  const std::string syntax = InFolder(work_folder_, kSyntaxName);
  const std::string data = InFolder(work_folder_, "data.sav");
  const std::string result = InFolder(work_folder_, "result.sav");
  const std::string run = InFolder(work_folder_, "run.sps");
  const std::string errors = InFolder(work_folder_, "errors.txt");
  std::error_code status;
  fs::remove(data, status);
  fs::remove(result, status);
  fs::remove(errors, status);
  // The data file is reached through a link of fixed name, so no user path is ever
  // written into syntax.
  fs::create_symlink(data_path_, data, status);
  if (status) {
    error = "The data file " + data_path_ + " could not be prepared for PSPP: " + status.message();
    return false;
  }
  std::string wrapper;
  wrapper.append("GET FILE=").append(PsppQuoted(data)).append(".\n");
  // The syntax is in the code page of model text, whatever this machine's locale is.
  wrapper.append("INSERT FILE=").append(PsppQuoted(syntax));
  wrapper.append(" ENCODING='windows-1252' SYNTAX=INTERACTIVE ERROR=STOP.\n");
  wrapper.append("SAVE OUTFILE=").append(PsppQuoted(result)).append(".\n");
  if (!WriteFileAtomically(syntax, joined_.text, error) ||
      !WriteFileAtomically(run, wrapper, error)) {
    return false;
  }
  const ProcessResult process =
      RunProcess({pspp_, "-b", "-e", errors, run}, InFolder(work_folder_, "listing.txt"),
                 InFolder(work_folder_, "stderr.txt"), options_.time_limit);
  if (!process.started) {
    error = "PSPP could not be started: " + process.error;
    return false;
  }
  if (process.timed_out) {
    error = "PSPP did not finish the syntax within " + Seconds(options_.time_limit) +
            " and was stopped.";
    return false;
  }
  std::string reported, ignored;
  ReadWholeFile(errors, reported, ignored);
  if (process.exit_status == 0 && fs::exists(result, status) && !ContainsText(reported, "error:"))
    return true;
  reported = ReplaceAll(reported, data, data_path_);
  std::string plain = PlainPsppErrors(reported, kSyntaxName, joined_);
  if (plain.empty()) {
    ReadWholeFile(InFolder(work_folder_, "stderr.txt"), reported, ignored);
    plain = PlainPsppErrors(reported, kSyntaxName, joined_);
  }
  error = "PSPP could not run the syntax on " + data_path_ + ":";
  error += plain.empty() ? " it stopped with status " + std::to_string(process.exit_status) + "."
                         : "\r\n" + plain;
  return false;
}

bool PsppSpssApplication::DeliverResult(std::string& error) {
  const std::string target = options_.result_path.empty() ? NewResultPathBeside(data_path_)
                             : options_.result_path == "-"
                                 ? options_.result_path
                                 : fs::absolute(options_.result_path).string();
  const KeptInputs kept{options_.model_path, data_path_};
  error = KeptInputRefusal(kept, target);
  if (!error.empty()) return false;
  std::error_code status;
  if (!options_.replace_existing && target != "-" &&
      fs::is_regular_file(fs::status(target, status))) {
    error = "The result was not saved: the file " + target + " already exists.";
    return false;
  }
  // Through the output writer: the target is either the old file or the whole result.
  if (!CopyToOutputFile(target, InFolder(work_folder_, "result.sav"), error, kept)) return false;
  result_path_ = target;
  return true;
}

void PsppSpssApplication::Release() {
  if (!work_folder_.empty()) {
    std::error_code ignored;
    fs::remove_all(work_folder_, ignored);
    work_folder_.clear();
  }
  syntax_.clear();
}

}  // namespace kdk::spss
