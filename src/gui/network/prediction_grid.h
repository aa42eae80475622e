#pragma once

#include <QAbstractButton>
#include <QCursor>
#include <QString>
#include <QTableWidget>
#include <optional>

namespace kdk::gui {

// The spreadsheet-like grid of the quick prediction window: one row per input,
// columns "Varible", "Min", "Max", "Toggle Down", "Value", "Toggle Up", with button
// cells in columns 4 and 6. Columns and rows are counted from 1, as the window's
// rules count them.
class PredictionGrid : public QTableWidget {
  Q_OBJECT

 public:
  static constexpr int kNameColumn = 1;
  static constexpr int kMinColumn = 2;
  static constexpr int kMaxColumn = 3;
  static constexpr int kToggleDownColumn = 4;
  static constexpr int kValueColumn = 5;
  static constexpr int kToggleUpColumn = 6;

  explicit PredictionGrid(QWidget* parent = nullptr);

  void SetMaxRows(int rows);
  int MaxRows() const { return rowCount(); }
  void SetRedraw(bool on) { setUpdatesEnabled(on); }

  void SetCellText(int column, int row, const QString& text);
  // Writes the number as the program writes numbers (at most 15 significant digits).
  void SetCellNumber(int column, int row, double value);
  // The cell's number; nullopt when it holds no number.
  std::optional<double> CellNumber(int column, int row) const;
  // The cell's text; `has_data` tells whether the cell holds anything but blanks.
  QString CellText(int column, int row, bool* has_data = nullptr) const;

  void SetEmphasised(int column, int row, bool emphasised);
  bool IsEmphasised(int column, int row) const;

  // The toggle button of a row (column 4 or 6); nullptr elsewhere.
  QAbstractButton* ToggleButton(int column, int row) const;
  void SetPointer(const QCursor& pointer);
  // Widens the Min and Max columns to their longest text.
  void FitRangeColumns();

 signals:
  void ButtonClicked(int column, int row);
  // The user changed a cell's content (not the program).
  void CellEdited(int column, int row);

 private:
  QTableWidgetItem* EnsureItem(int column, int row);
  void AddToggleButtons(int row);

  bool writing_ = false;
};

}  // namespace kdk::gui
