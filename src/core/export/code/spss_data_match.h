#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/common/temporary_file.h"
#include "core/export/code/code_export_settings.h"
#include "core/export/code/spss_application.h"
#include "core/mars/mars_model.h"
#include "core/network/network_model.h"
#include "core/ports/busy_pointer_port.h"
#include "core/ports/ports.h"

namespace kdk {

// The temporary syntax file is `spssTemp-XXXXXX.sps`, made private and unique per run.
inline constexpr std::string_view kSpssTempSyntaxPrefix = "spssTemp-";
inline constexpr std::string_view kSpssTempSyntaxSuffix = ".sps";

// A model input as the data file must have it: `compared` is looked for, `stored`
// is the name a missing input is reported under.
struct SpssInput {
  std::string stored;
  std::string compared;
};

// The network window looks for each input under the name its SPSS syntax reads: the
// smart name (with the window's smart-name setting), or the name it was renamed to
// where SPSS would refuse it (a leading "_", a keyword) or it would clash.
std::vector<SpssInput> NetworkSpssInputs(const CodeExportSettings& settings,
                                         const NetworkModel& model);
// The variable the network's SPSS syntax computes, as that syntax names it.
std::string NetworkSpssOutputName(const CodeExportSettings& settings, const NetworkModel& model);
// The MARS window looks for the stored names.
std::vector<SpssInput> MarsSpssInputs(const MarsModel& model);

// The stored names of the inputs that no variable matches; names are compared
// trimmed and lower-cased.
std::vector<std::string> MissingSpssInputs(const std::vector<SpssInput>& inputs,
                                           const std::vector<std::string>& variables);

// "The file you are loading doesn't match the model file." and the missing names.
std::string SpssMismatchMessage(const std::vector<std::string>& missing);

// False, with "Can't find the file: " and the path, when the path names no file.
bool CheckFileExists(std::string_view path, MessagePort& messages);

// The open dialog for an SPSS data file; false when the user cancels.
bool ChooseSpssDataFile(FileDialogPort& dialogs, std::string& path);

// The generated text as a private temporary syntax file in `folder` ($TMPDIR when
// empty): every line trimmed, each followed by a line break. False (and no file) for
// an empty text or a file that cannot be written; `error` says which.
bool WriteSpssTempSyntax(TemporaryFile& file, const std::string& folder, std::string_view text,
                         std::string& error);

struct SpssMatchRequest {
  std::string data_path;
  std::vector<SpssInput> inputs;
  std::string syntax_text;  // the whole generated text, as shown
  std::string temp_folder;  // where the private syntax file is made ("": $TMPDIR)
};

// Opens the data file in the application, checks that every input is one of its
// variables and, if so, runs the syntax on it through the temporary syntax file
// (deleted afterwards). True when the syntax ran.
bool MatchSpssDataFile(const SpssMatchRequest& request, SpssApplication& application,
                       MessagePort& messages, BusyPointerPort& busy);

// The load-SPSS-file button: the file chooser, the confirmation, then the match and
// run. `request.data_path` is filled from the chooser; false when cancelled or when
// nothing ran.
bool LoadSpssDataFile(SpssMatchRequest& request, SpssApplication& application, Ports& ports,
                      BusyPointerPort& busy);

}  // namespace kdk
