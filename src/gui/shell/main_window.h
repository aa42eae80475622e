#pragma once

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/ports/ports.h"
#include "core/workspace.h"
#include "gui/shell/control_panel.h"
#include "gui/shell/converter_host.h"
#include "gui/shell/converter_windows.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {

// frmMain: the multiple-document frame. The control panel is a strip across its top;
// the converter and view windows are created hidden and shown one at a time below.
class MainWindow : public QMainWindow, public ConverterHost, public ControlPanelHost {
  Q_OBJECT

 public:
  static constexpr char kWebPageAddress[] = "https://www.kestrium.com/";

  MainWindow(Workspace& workspace, Ports& ports, QWidget* parent = nullptr);

  // The rest of start-up, run before the window is first shown: the control panel's
  // own start-up (which loads a network), then the window's size and the panel.
  void StartUp();

  // ConverterHost
  void PlaceConverterWindow(QWidget* window, const QString& caption, int width_twips) override;
  void ShowAtTopLeft(QWidget* window, const QString& caption) override;
  void NetworkLoaded() override;

  // ControlPanelHost
  void ResetMainWindow() override;
  void HideConverterWindows() override;
  void ShowConverterWindow(const QString& name) override;
  bool IsConverterWindowVisible(const QString& name) const override;
  void RebuildConverterWindow(const QString& name) override;

  void ShowAboutBox();
  void ShowMarsAboutBox();
  void VisitWebPage();
  // Fits the output boxes and the grid to the window's present size.
  void FitChildWindows();

  ControlPanel* Panel() const { return panel_; }
  QWidget* ConverterWindow(const QString& name);
  // The frame that holds a child window inside the multiple-document area.
  QMdiSubWindow* FrameOf(QWidget* window) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenus();
  QMdiSubWindow* AddChild(QWidget* window);
  void SetChildSize(QWidget* window, int width_twips, int height_twips);
  void ShowMarsWindow(const QString& name);

  Workspace& workspace_;
  Ports& ports_;
  GuiContext context_;
  QMdiArea* area_;
  ConverterWindows windows_;
  ControlPanel* panel_;
};

}  // namespace kdk::gui
