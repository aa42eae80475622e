#include "gui/network/prediction_grid.h"

#include <QHeaderView>
#include <QToolButton>

#include "core/common/number_text.h"
#include "gui/common/latin1_text.h"
#include "gui/network/grid_numbers.h"

namespace kdk::gui {
namespace {

constexpr int kColumns = 6;
const QColor kEmphasisText(0xB0, 0x00, 0x00);
const QColor kEmphasisBackground(0xFF, 0xE4, 0xC8);

bool IsButtonColumn(int column) {
  return column == PredictionGrid::kToggleDownColumn || column == PredictionGrid::kToggleUpColumn;
}

}  // namespace

PredictionGrid::PredictionGrid(QWidget* parent) : QTableWidget(0, kColumns, parent) {
  setHorizontalHeaderLabels({QStringLiteral("Varible"), QStringLiteral("Min"),
                             QStringLiteral("Max"), QStringLiteral("Toggle Down"),
                             QStringLiteral("Value"), QStringLiteral("Toggle Up")});
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  verticalHeader()->setDefaultSectionSize(22);
  horizontalHeader()->setHighlightSections(false);
  const int widths[kColumns] = {110, 80, 80, 86, 82, 72};
  for (int column = 0; column < kColumns; ++column) setColumnWidth(column, widths[column]);
  // The names take what the fixed columns leave.
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (!writing_) emit CellEdited(item->column() + 1, item->row() + 1);
  });
}

void PredictionGrid::SetMaxRows(int rows) {
  const int before = rowCount();
  writing_ = true;
  setRowCount(rows);
  for (int row = before + 1; row <= rows; ++row) {
    for (int column = 1; column <= kColumns; ++column) {
      QTableWidgetItem* item = EnsureItem(column, row);
      // Only the value is typed by the user; names and ranges are the model's.
      if (column != kValueColumn) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    }
    AddToggleButtons(row);
  }
  writing_ = false;
}

void PredictionGrid::FitRangeColumns() {
  // Wide ranges ("250000.000") keep all their digits in view.
  for (int column : {kMinColumn, kMaxColumn}) {
    const int before = columnWidth(column - 1);
    resizeColumnToContents(column - 1);
    if (columnWidth(column - 1) < before) setColumnWidth(column - 1, before);
  }
}

void PredictionGrid::AddToggleButtons(int row) {
  for (int column : {kToggleDownColumn, kToggleUpColumn}) {
    auto* button = new QToolButton(this);
    const bool up = column == kToggleUpColumn;
    button->setObjectName(QStringLiteral("%1_%2").arg(up ? "toggleUp" : "toggleDown").arg(row));
    button->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    // Rows move when the row count changes, so the button finds its cell at press time.
    connect(button, &QToolButton::clicked, this, [this, button, column] {
      for (int r = 1; r <= rowCount(); ++r) {
        if (cellWidget(r - 1, column - 1) == button) {
          emit ButtonClicked(column, r);
          return;
        }
      }
    });
    setCellWidget(row - 1, column - 1, button);
  }
}

QTableWidgetItem* PredictionGrid::EnsureItem(int column, int row) {
  QTableWidgetItem* cell = item(row - 1, column - 1);
  if (cell == nullptr) {
    cell = new QTableWidgetItem();
    if (column != kNameColumn) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setItem(row - 1, column - 1, cell);
  }
  return cell;
}

void PredictionGrid::SetCellText(int column, int row, const QString& text) {
  if (row < 1 || row > rowCount() || column < 1 || column > kColumns) return;
  writing_ = true;
  EnsureItem(column, row)->setText(text);
  writing_ = false;
}

void PredictionGrid::SetCellNumber(int column, int row, double value) {
  SetCellText(column, row, ToQString(NumberText(value)));
}

std::optional<double> PredictionGrid::CellNumber(int column, int row) const {
  bool has_data = false;
  const QString text = CellText(column, row, &has_data);
  if (!has_data) return std::nullopt;
  return ParseCellNumber(ToBytes(text));
}

QString PredictionGrid::CellText(int column, int row, bool* has_data) const {
  const QTableWidgetItem* cell = item(row - 1, column - 1);
  const QString text = cell == nullptr ? QString() : cell->text();
  if (has_data != nullptr) *has_data = !text.trimmed().isEmpty() && !IsButtonColumn(column);
  return text;
}

void PredictionGrid::SetEmphasised(int column, int row, bool emphasised) {
  if (row < 1 || row > rowCount()) return;
  writing_ = true;
  QTableWidgetItem* cell = EnsureItem(column, row);
  QFont font = cell->font();
  font.setBold(emphasised);
  cell->setFont(font);
  cell->setForeground(emphasised ? QBrush(kEmphasisText) : QBrush());
  cell->setBackground(emphasised ? QBrush(kEmphasisBackground) : QBrush());
  writing_ = false;
}

bool PredictionGrid::IsEmphasised(int column, int row) const {
  const QTableWidgetItem* cell = item(row - 1, column - 1);
  return cell != nullptr && cell->font().bold();
}

QAbstractButton* PredictionGrid::ToggleButton(int column, int row) const {
  if (!IsButtonColumn(column) || row < 1 || row > rowCount()) return nullptr;
  return qobject_cast<QAbstractButton*>(cellWidget(row - 1, column - 1));
}

void PredictionGrid::SetPointer(const QCursor& pointer) {
  setCursor(pointer);
  viewport()->setCursor(pointer);
}

}  // namespace kdk::gui
