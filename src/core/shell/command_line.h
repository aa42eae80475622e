#pragma once

#include <string>
#include <string_view>

namespace kdk {

// What the program's command line says about a weights file.
struct CommandLineModel {
  bool consulted = false;  // the command line held something
  bool hide_launch_button = false;
  std::string model_path;  // "" when no weights file is named
  std::string model_name;
  std::string file_title;
};

// Quotes removed and blanks trimmed; a text without ".kwf" names no file; text
// after the last ".kwf" (a switch, say) is cut away and hides the launch button.
CommandLineModel ParseCommandLineModel(std::string_view command_line);

}  // namespace kdk
