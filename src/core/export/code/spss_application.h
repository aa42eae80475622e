#pragma once

#include <string>
#include <vector>

namespace kdk {

// The statistics application that opens SPSS data files and runs syntax on them,
// driven by the same few calls in the same order whatever stands behind it: get
// or start the application, open a data document and read its variable names, set
// its display state, open a syntax document, show it, run it, close it.
class SpssApplication {
 public:
  virtual ~SpssApplication() = default;

  // The running application, or a newly started one. False when none is available.
  virtual bool GetOrStart() = 0;

  // Opens the data file as the data document. False, with `error` in plain words,
  // when the file cannot be read as SPSS data.
  virtual bool OpenDataDocument(const std::string& path, std::string& error) = 0;

  // 0 keeps the data document out of sight; 1 shows it (after a run: its result).
  virtual void SetDataDocumentDisplayState(int state) = 0;

  // The names of the data document's variables, in file order.
  virtual std::vector<std::string> DataDocumentVariableNames() = 0;

  // Opens a syntax file; its text is read at once, so the file may go afterwards.
  virtual bool OpenSyntaxDocument(const std::string& path, std::string& error) = 0;
  virtual void ShowSyntaxDocument(bool visible) = 0;

  // Runs the open syntax on the data document. False, with `error` in plain words,
  // when the application refuses the syntax or the run fails.
  virtual bool RunSyntaxDocument(std::string& error) = 0;
  virtual void CloseSyntaxDocument() = 0;

  // Where the last successful run left its result; "" when nothing was written.
  virtual std::string ResultPath() const = 0;

  // Lets the application go (documents and any process it holds).
  virtual void Release() = 0;
};

}  // namespace kdk
