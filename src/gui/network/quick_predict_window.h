#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "gui/network/prediction_grid.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {

// frmQuickPredict: the loaded network tried at once. One grid row per input with its
// training range and an editable value; every change gives a new prediction.
class QuickPredictWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 8500;  // twips
  static constexpr int kHeight = 7740;
  static constexpr int kGridTop = 1020;

  explicit QuickPredictWindow(GuiContext& context, QWidget* parent = nullptr);

  // Runs on every activation: rebuilds the whole window for the current network.
  void Activate() { SetUpQuickPredict(); }
  void SetUpQuickPredict();
  void SetUpGrid();
  void PredictNow();
  void MarkOutOfRange();
  double GetTogglePercent();
  // Fits the grid's height to what the main window leaves (twips).
  void FitToMainWindow(int available_width, int available_height);

  PredictionGrid* Grid() const { return grid_; }

 private:
  void OnButtonClicked(int column, int row);
  void ShowNoPrediction(const QString& prediction_text);
  void LoadGridPointer();

  GuiContext& context_;
  QGroupBox* frame_class_;
  QLineEdit* class_box_;
  QLineEdit* strength_box_;
  QLineEdit* toggle_percent_box_;
  QLineEdit* prediction_box_;
  PredictionGrid* grid_;
  QLabel* warning_label_;
};

}  // namespace kdk::gui
