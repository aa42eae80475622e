#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "core/export/code/spss_application.h"
#include "engines/spss/pspp_syntax.h"

namespace kdk::spss {

struct PsppOptions {
  std::string pspp_program = "pspp";       // a name looked up on PATH, or a path
  std::string viewer_program = "psppire";  // shows a result; "" never shows one
  std::chrono::milliseconds time_limit = std::chrono::seconds(120);
  // Where a run saves its result: "" for a new file beside the data file. An
  // existing file is replaced only with `replace_existing`; the data file and the
  // model file never are.
  std::string result_path;
  bool replace_existing = false;
  std::string model_path;  // the model the syntax came from ("" when pasted)
};

// The SPSS application on this machine: ReadStat reads a data file's dictionary in
// process, GNU PSPP runs the syntax on it as a separate process with a time limit,
// and psppire shows the result. Each run works in a private temporary folder; the
// data file is read, never written.
class PsppSpssApplication : public SpssApplication {
 public:
  explicit PsppSpssApplication(PsppOptions options = {});
  ~PsppSpssApplication() override;
  PsppSpssApplication(const PsppSpssApplication&) = delete;
  PsppSpssApplication& operator=(const PsppSpssApplication&) = delete;

  bool GetOrStart() override;
  bool OpenDataDocument(const std::string& path, std::string& error) override;
  void SetDataDocumentDisplayState(int state) override;
  std::vector<std::string> DataDocumentVariableNames() override { return variables_; }
  bool OpenSyntaxDocument(const std::string& path, std::string& error) override;
  void ShowSyntaxDocument(bool) override {}
  bool RunSyntaxDocument(std::string& error) override;
  void CloseSyntaxDocument() override { syntax_.clear(); }
  std::string ResultPath() const override { return result_path_; }
  void Release() override;

  // The syntax exactly as PSPP was given it by the last run (for tests and errors).
  const JoinedSyntax& LastJoinedSyntax() const { return joined_; }

 private:
  bool MakeWorkFolder(std::string& error);
  bool RunPspp(std::string& error);
  bool DeliverResult(std::string& error);

  PsppOptions options_;
  std::string pspp_;
  std::string work_folder_;
  std::string data_path_;
  std::vector<std::string> variables_;
  std::string syntax_;
  JoinedSyntax joined_;
  std::string result_path_;
};

// The first of "<name>_scored.sav", "<name>_scored_2.sav", ... beside the data
// file that does not exist yet.
std::string NewResultPathBeside(const std::string& data_path);

}  // namespace kdk::spss
