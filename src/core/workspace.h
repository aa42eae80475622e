#pragma once

#include <string>

#include "core/mars/mars_model.h"
#include "core/model_state.h"
#include "core/network/network_model.h"

namespace kdk {

// The program's one set of model records, owned by the application and passed by
// reference to every operation (a single instance by ownership, not a global).
struct Workspace {
  ModelState state;
  NetworkModel network;
  MarsModel mars;
  // The file chosen by the last converter's save dialog.
  std::string output_path;

  // The command line is consulted for a weights file only until it has been tried once.
  bool command_line_tried = false;
  // Set by the command-line rule: the control panel hides its launch button.
  bool launch_button_hidden = false;
};

}  // namespace kdk
