#pragma once

#include <string>
#include <string_view>

namespace kdk {

class ShellPort {
 public:
  virtual ~ShellPort() = default;
  // Opens a file or web address with its default application. False when no
  // application could be started for it.
  virtual bool OpenDocument(std::string_view target, std::string_view working_folder) = 0;
  // Starts a program with a command line and a normal window, not waiting for it.
  // False when it could not be started.
  virtual bool StartProgram(std::string_view program, std::string_view arguments) = 0;
  // The folder of the running program.
  virtual std::string ProgramFolder() = 0;
  // The program's command line after the program name, as one text.
  virtual std::string CommandLine() = 0;
};

// Opens a file or web address with its default application, in the program's folder.
inline void OpenDocument(ShellPort& shell, std::string_view target) {
  shell.OpenDocument(target, shell.ProgramFolder());
}

}  // namespace kdk
