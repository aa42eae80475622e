#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <vector>

#include "gui/shell/gui_context.h"

namespace kdk::gui {

// What the control panel asks of the main window.
class ControlPanelHost {
 public:
  virtual ~ControlPanelHost() = default;
  virtual void ResetMainWindow() = 0;
  virtual void HideConverterWindows() = 0;
  // Shows the named converter or view window and runs its activation.
  virtual void ShowConverterWindow(const QString& name) = 0;
  virtual bool IsConverterWindowVisible(const QString& name) const = 0;
  // Runs the named window's activation again (a new model for a shown window).
  virtual void RebuildConverterWindow(const QString& name) = 0;
};

// frmControl: the strip across the top of the main window. Chooses the model type,
// loads a model, opens the converters and starts the Kestrium application.
class ControlPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kFrameLeft = 1800;  // twips

  ControlPanel(GuiContext& context, ControlPanelHost& host, QWidget* parent = nullptr);

  // The panel's own start-up: model type list, then a network load at once.
  void StartUp();

  void FillModelTypeList();
  void SwitchModelType(const QString& choice);
  void ShowNetworkButtons();
  void ShowMarsButtons();
  void HideAllConverterButtons();
  void RefreshVisibleMarsWindow();
  void LaunchKestrium();
  // "Model = " and the loaded model's path.
  void ShowModelFileName();

 private:
  struct LaunchRow {
    QPushButton* button;
    QString what;
    QString window;
  };

  QPushButton* AddButton(QWidget* parent, const char* name, const char* caption,
                         const char* tooltip, const char* icon);
  void AddLaunch(QPushButton* button, const char* what, const char* window);
  void Launch(const LaunchRow& row);
  bool LoadNetworkPressed();
  void LoadMarsPressed();
  void ApplyLaunchButtonVisibility();

  GuiContext& context_;
  ControlPanelHost& host_;
  QString last_model_type_;
  bool filling_list_ = false;

  QPushButton* launch_kestrium_;
  QPushButton* quick_predict_;
  QComboBox* which_software_;
  QGroupBox* frame_kestrium_;
  QGroupBox* frame_mars_;
  QLabel* what_label_;
  QLabel* file_name_label_;
  std::vector<QPushButton*> network_buttons_;
  std::vector<QPushButton*> mars_buttons_;
  std::vector<LaunchRow> launch_table_;
};

}  // namespace kdk::gui
