#pragma once

#include <QStringList>

#include "core/ports/shell_port.h"

namespace kdk::gui {

// The command line as one text: the arguments after the program name, joined by
// blanks (quotes are not added back; the command-line rule removes them anyway).
std::string JoinCommandLine(const QStringList& arguments);

// Documents and addresses through QDesktopServices, programs through
// QProcess::startDetached, the command line from QCoreApplication.
class QtShell : public ShellPort {
 public:
  bool OpenDocument(std::string_view target, std::string_view working_folder) override;
  bool StartProgram(std::string_view program, std::string_view arguments) override;
  std::string ProgramFolder() override;
  std::string CommandLine() override;
};

}  // namespace kdk::gui
