#include "core/export/code/spss_data_match.h"

#include "core/export/code/code_types.h"

#include "core/export/code/program_names.h"

#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/export/code/smart_names.h"
#include "core/mars/mars_text_lines.h"

namespace kdk {

namespace {

std::string ComparableName(std::string_view name) {
  return ToLowerAscii(TrimBlanks(name));
}

// Ends the operation the same way on every path: pointer back, application let go.
class RunScope {
 public:
  RunScope(SpssApplication& application, BusyPointerPort& busy)
      : application_(application), busy_(busy) {
    busy_.ShowBusy();
  }
  ~RunScope() {
    busy_.ShowNormal();
    application_.Release();
  }
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;

  // Message boxes are answered with the normal pointer.
  void Tell(MessagePort& messages, std::string_view text) {
    busy_.ShowNormal();
    messages.Inform(text);
    busy_.ShowBusy();
  }

 private:
  SpssApplication& application_;
  BusyPointerPort& busy_;
};

}  // namespace

namespace {

ProgramNames SpssProgramNames(const CodeExportSettings& settings, const NetworkModel& model) {
  CodeExportSettings spss = settings;
  spss.code_type = CodeType::Spss;
  return NameProgram(spss, model);
}

}  // namespace

std::string NetworkSpssOutputName(const CodeExportSettings& settings, const NetworkModel& model) {
  return SpssProgramNames(settings, model).output;
}

std::vector<SpssInput> NetworkSpssInputs(const CodeExportSettings& settings,
                                         const NetworkModel& model) {
  const ProgramNames names = SpssProgramNames(settings, model);
  std::vector<SpssInput> inputs;
  inputs.reserve(model.input_names.size());
  for (size_t i = 0; i < model.input_names.size(); ++i) {
    inputs.push_back({model.input_names[i], names.inputs[i]});
  }
  return inputs;
}

std::vector<SpssInput> MarsSpssInputs(const MarsModel& model) {
  std::vector<SpssInput> inputs;
  inputs.reserve(model.input_names.size());
  for (const std::string& name : model.input_names) inputs.push_back({name, name});
  return inputs;
}

std::vector<std::string> MissingSpssInputs(const std::vector<SpssInput>& inputs,
                                           const std::vector<std::string>& variables) {
  std::vector<std::string> comparable;
  comparable.reserve(variables.size());
  for (const std::string& variable : variables) comparable.push_back(ComparableName(variable));
  std::vector<std::string> missing;
  for (const SpssInput& input : inputs) {
    const std::string wanted = ComparableName(input.compared);
    bool found = false;
    for (const std::string& variable : comparable) found = found || variable == wanted;
    if (!found) missing.push_back(input.stored);
  }
  return missing;
}

std::string SpssMismatchMessage(const std::vector<std::string>& missing) {
  std::string text =
      "The file you are loading doesn't match the model file.\r\nCan't find the "
      "variables;\r\n\r\n";
  for (const std::string& name : missing) {
    text.push_back(' ');
    text.append(name);
  }
  return text;
}

bool CheckFileExists(std::string_view path, MessagePort& messages) {
  if (IsExistingFile(path)) return true;
  messages.Inform("Can't find the file: " + std::string(path));
  return false;
}

bool ChooseSpssDataFile(FileDialogPort& dialogs, std::string& path) {
  FileDialogRequest request;
  request.title = "Please locate your SPSS file";
  request.filter = "SPSS files *.SAV|*.SAV";
  request.must_exist = true;
  path = dialogs.OpenFile(request);
  return !path.empty();
}

bool WriteSpssTempSyntax(TemporaryFile& file, const std::string& folder, std::string_view text,
                         std::string& error) {
  std::vector<std::string> lines;
  if (!SplitTextLines(text, lines)) {
    error = "There is no syntax to run.";
    return false;
  }
  std::string bytes;
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + kCrLf.size();
  bytes.reserve(size);
  for (const std::string& line : lines) AppendLine(bytes, line);
  return file.Create(folder, kSpssTempSyntaxPrefix, kSpssTempSyntaxSuffix, bytes, error);
}

bool MatchSpssDataFile(const SpssMatchRequest& request, SpssApplication& application,
                       MessagePort& messages, BusyPointerPort& busy) {
  if (!CheckFileExists(request.data_path, messages)) return false;
  RunScope scope(application, busy);
  if (!application.GetOrStart()) {
    scope.Tell(messages, "Problem");
    return false;
  }
  std::string error;
  if (!application.OpenDataDocument(request.data_path, error)) {
    scope.Tell(messages, error);
    return false;
  }
  application.SetDataDocumentDisplayState(0);
  const std::vector<std::string> missing =
      MissingSpssInputs(request.inputs, application.DataDocumentVariableNames());
  if (!missing.empty()) {
    scope.Tell(messages, SpssMismatchMessage(missing));
    return false;
  }
  scope.Tell(messages, "This file matches OK - the syntax script can be run.");

  // An empty text gives no file and no run; there is nothing to tell.
  bool ran = false;
  {
    TemporaryFile syntax;  // removed at the end of this block, whatever happens
    if (!WriteSpssTempSyntax(syntax, request.temp_folder, request.syntax_text, error)) {
      if (!request.syntax_text.empty()) scope.Tell(messages, error);
      return false;
    }
    ran = application.OpenSyntaxDocument(syntax.path(), error);
    if (ran) {
      application.ShowSyntaxDocument(true);
      ran = application.RunSyntaxDocument(error);
      application.CloseSyntaxDocument();
    }
  }
  if (!ran) {
    scope.Tell(messages, error);
    return false;
  }
  scope.Tell(messages, "Done!");
  application.SetDataDocumentDisplayState(1);
  return true;
}

bool LoadSpssDataFile(SpssMatchRequest& request, SpssApplication& application, Ports& ports,
                      BusyPointerPort& busy) {
  if (!ChooseSpssDataFile(ports.file_dialogs, request.data_path)) return false;
  ports.messages.Inform("Loading SPSS - please be patient...\r\n(but press OK first!)");
  return MatchSpssDataFile(request, application, ports.messages, busy);
}

}  // namespace kdk
