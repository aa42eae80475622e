#include <QApplication>

#include "core/workspace.h"
#include "gui/ports/qt_ports.h"
#include "gui/shell/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KestriumDK"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kestrium Development Kit"));

  kdk::Workspace workspace;
  kdk::gui::QtPorts qt_ports;
  kdk::Ports ports = qt_ports.ports();
  kdk::gui::MainWindow main_window(workspace, ports);
  qt_ports.SetParentWindow(&main_window);
  // The control panel's start-up may ask for a weights file before the window shows.
  main_window.StartUp();
  main_window.show();
  return QApplication::exec();
}
