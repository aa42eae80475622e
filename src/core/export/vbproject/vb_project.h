#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/export/generation_stamp.h"
#include "core/ports/ports.h"
#include "core/workspace.h"

namespace kdk {

// The project file (.vbp) naming the form `base_name`.frm. Lines joined by CR LF.
std::string VbProjectText(std::string_view base_name);
// The workspace file (.vbw).
std::string VbWorkspaceText();

// The three files of a project saved as `project_path` (a ".vbp" path). The form
// file is named by the project's base name, blanks written as "_", exactly as the
// project file's Form line names it, so that the project always finds its form.
struct VbProjectPaths {
  std::string project;
  std::string form;
  std::string workspace;
  std::string base_name;
};
VbProjectPaths VbProjectPathsFor(std::string_view project_path);

// The whole form files: the form description, then every code piece, each followed
// by one line end. The MARS one is false (reported) for a model VB cannot compute.
std::string VbNetworkFormFile(const NetworkModel& model, const GenerationStamp& stamp);
bool VbMarsFormFile(const MarsModel& model, const GenerationStamp& stamp, std::string& text,
                    MessagePort& messages);

// Writes the project, form and workspace files for the loaded model of the given
// kind to `workspace.output_path`. `show_progress` receives the progress label:
// "Files Generated..." and then each path written; success ends with "Done it!".
// Every file is written whole or not at all; a failure is reported and ends the run.
bool GenerateVbProject(const Workspace& workspace, int model_type, const GenerationStamp& stamp,
                       MessagePort& messages,
                       const std::function<void(const std::string&)>& show_progress);

}  // namespace kdk
