#include "gui/ports/qt_shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "gui/common/latin1_text.h"

namespace kdk::gui {

std::string JoinCommandLine(const QStringList& arguments) {
  return PathFromQString(arguments.mid(1).join(QLatin1Char(' ')));
}

bool QtShell::OpenDocument(std::string_view target, std::string_view /*working_folder*/) {
  // The desktop's opener starts documents from their own folder; the working folder
  // has no say there.
  const QString text = PathToQString(target);
  const bool is_address = text.contains(QStringLiteral("://")) ||
                          text.startsWith(QStringLiteral("www."), Qt::CaseInsensitive) ||
                          text.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive);
  QUrl url = is_address ? QUrl::fromUserInput(text) : QUrl::fromLocalFile(text);
  return QDesktopServices::openUrl(url);
}

bool QtShell::StartProgram(std::string_view program, std::string_view arguments) {
  // The arguments are one unquoted text; like a command line it splits at blanks.
  return QProcess::startDetached(PathToQString(program),
                                 QProcess::splitCommand(PathToQString(arguments)));
}

std::string QtShell::ProgramFolder() {
  return PathFromQString(QCoreApplication::applicationDirPath());
}

std::string QtShell::CommandLine() {
  return JoinCommandLine(QCoreApplication::arguments());
}

}  // namespace kdk::gui
