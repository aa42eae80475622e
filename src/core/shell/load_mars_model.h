#pragma once

#include <string>

#include "core/ports/ports.h"
#include "core/workspace.h"

namespace kdk {

inline constexpr std::string_view kMarsRulesFileFilter = "MARS Rules File (*.TXT)|*.TXT";

// The two small dialogs on the road to a MARS model; the desktop program shows them
// as windows, tests script them.
class MarsSourceDialogs {
 public:
  virtual ~MarsSourceDialogs() = default;
  // "TEXTFILE", "PASTE", "MDLFILE" or "CANCEL".
  virtual std::string ChooseSource() = 0;
  // What the paste dialog held when it closed ("" after Cancel).
  virtual std::string PasteModel() = 0;
};

// The open dialog for a rules file, starting in the folder remembered under "2Model".
// Sets file_title and remembers the chosen folder; "" when the user cancels.
std::string ChooseMarsFile(Workspace& workspace, Ports& ports);

// Asks where the model comes from, obtains and parses the text. True when a model
// was loaded (then marsLoaded is set and networkLoaded cleared). A failed load keeps
// the model and model path loaded before it.
bool LoadMarsModel(Workspace& workspace, Ports& ports, MarsSourceDialogs& dialogs);

// The control panel's model label for a loaded MARS model: "Model = " path "   ".
std::string MarsModelLabelCaption(const Workspace& workspace);

}  // namespace kdk
