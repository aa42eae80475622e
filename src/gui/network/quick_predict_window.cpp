#include "gui/network/quick_predict_window.h"

#include <QApplication>
#include <vector>

#include "core/common/number_text.h"
#include "core/common/text_utils.h"
#include "core/network/evaluate_network.h"
#include "gui/common/busy_pointer.h"
#include "gui/common/latin1_text.h"
#include "gui/common/twips.h"
#include "gui/network/grid_numbers.h"
#include "gui/network/pointer_file.h"
#include "gui/shell/window_geometry.h"

namespace kdk::gui {
namespace {

constexpr char kCaption[] = "Kestrium >> QuickPredict";
constexpr char kPointerFileName[] = "h_point.cur";

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

QLineEdit* MakeBox(QWidget* parent, const char* name, const char* text, bool read_only) {
  auto* box = new QLineEdit(QString::fromLatin1(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setReadOnly(read_only);
  return box;
}

}  // namespace

QuickPredictWindow::QuickPredictWindow(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("frmQuickPredict"));
  setWindowTitle(QString::fromLatin1(kCaption));
  setAutoFillBackground(true);
  resize(TwipsToPixels(kWidth), TwipsToPixels(kHeight));

  auto* prediction_label = MakeLabel(this, "lblPrediction", "Prediction");
  SetTwipsGeometry(prediction_label, 180, 150, 1100, 300);
  QFont strong = prediction_label->font();
  strong.setBold(true);
  prediction_label->setFont(strong);
  prediction_box_ = MakeBox(this, "txtPredicition", "??", true);
  SetTwipsGeometry(prediction_box_, 1320, 105, 2280, 390);
  prediction_box_->setFont(strong);

  frame_class_ = new QGroupBox(this);
  frame_class_->setObjectName(QStringLiteral("frameClass"));
  SetTwipsGeometry(frame_class_, 3840, 0, 4500, 660);
  auto* class_label = MakeLabel(frame_class_, "lblTrueFalse", "Class");
  SetTwipsGeometry(class_label, 120, 195, 600, 300);
  class_box_ = MakeBox(frame_class_, "txtClassifierTrueFalse", "??", true);
  SetTwipsGeometry(class_box_, 720, 150, 1320, 390);
  auto* strength_label = MakeLabel(frame_class_, "lblClassStength", "Strength");
  SetTwipsGeometry(strength_label, 2220, 195, 900, 300);
  strength_box_ = MakeBox(frame_class_, "txtClassifierPrediction", "??", true);
  SetTwipsGeometry(strength_box_, 3120, 150, 1260, 390);

  auto* toggle_label = MakeLabel(this, "lblToggle", "Toggle Percent");
  toggle_label->setToolTip(QStringLiteral("  The percentage of the range (max-min) to toggle  "));
  SetTwipsGeometry(toggle_label, 180, 600, 1300, 300);
  toggle_percent_box_ = MakeBox(this, "txtTogglePercent", "10", false);
  SetTwipsGeometry(toggle_percent_box_, 1500, 555, 720, 390);
  toggle_percent_box_->setAlignment(Qt::AlignRight);

  warning_label_ = MakeLabel(this, "lblWarning", "WARNING - Extrapolation !");
  SetTwipsGeometry(warning_label_, 2520, 600, 3600, 300);
  QFont warning_font = warning_label_->font();
  warning_font.setBold(true);
  warning_label_->setFont(warning_font);
  warning_label_->setStyleSheet(QStringLiteral("color: #b00000;"));
  warning_label_->hide();

  grid_ = new PredictionGrid(this);
  grid_->setObjectName(QStringLiteral("vaSpread1"));
  SetTwipsGeometry(grid_, 180, kGridTop, 8140, kHeight - kGridTop - 900);
  connect(grid_, &PredictionGrid::ButtonClicked, this, &QuickPredictWindow::OnButtonClicked);
  connect(grid_, &PredictionGrid::CellEdited, this, [this](int column, int /*row*/) {
    if (column == PredictionGrid::kValueColumn) PredictNow();
  });
  frame_class_->hide();
}

void QuickPredictWindow::SetUpQuickPredict() {
  context_.host.PlaceConverterWindow(this, QString::fromLatin1(kCaption), kWidth);
  QCoreApplication::processEvents();
  SetUpGrid();
  frame_class_->setVisible(context_.workspace.state.network_loaded &&
                           context_.workspace.network.is_classifier);
  // Ready for typing: the first input's value.
  if (grid_->rowCount() > 0) {
    grid_->setCurrentCell(0, PredictionGrid::kValueColumn - 1);
    grid_->setFocus();
  }
}

void QuickPredictWindow::SetUpGrid() {
  const NetworkModel& model = context_.workspace.network;
  const int rows = context_.workspace.state.network_loaded ? model.InputCount() : 0;
  grid_->SetRedraw(false);
  grid_->SetMaxRows(rows);
  for (int i = 0; i < rows; ++i) {
    const int row = i + 1;
    grid_->SetCellText(PredictionGrid::kNameColumn, row, ToQString(model.input_names[i]));
    grid_->SetCellText(PredictionGrid::kMinColumn, row,
                       ToQString(FixedDecimals(model.min_seen[i], 3)));
    grid_->SetCellText(PredictionGrid::kMaxColumn, row,
                       ToQString(FixedDecimals(model.max_seen[i], 3)));
    grid_->SetCellNumber(PredictionGrid::kValueColumn, row,
                         RoundedTo((model.max_seen[i] + model.min_seen[i]) / 2, 2));
  }
  grid_->FitRangeColumns();
  grid_->SetRedraw(true);
  MarkOutOfRange();
  LoadGridPointer();
  const QWidget* main_window = window();
  if (main_window != this) {
    FitToMainWindow(PixelsToTwips(main_window->width()),
                    PixelsToTwips(main_window->height()) - kControlPanelHeight);
  }
  if (rows > 0) {
    const std::string unscalable = UnscalableInputMessage(model);
    if (!unscalable.empty()) context_.ports.messages.Inform(unscalable, MessageIcon::Exclamation);
  }
  PredictNow();
}

void QuickPredictWindow::LoadGridPointer() {
  std::string path = context_.ports.shell.ProgramFolder();
  path.append("/");
  path.append(kPointerFileName);
  if (std::optional<QCursor> pointer = LoadPointerFile(PathToQString(path))) {
    grid_->SetPointer(*pointer);
    return;
  }
  std::string message = "Missing icon:";
  message.append(kCrLf);
  message.append(path);
  context_.ports.messages.Inform(message);
}

void QuickPredictWindow::ShowNoPrediction(const QString& prediction_text) {
  prediction_box_->setText(prediction_text);
  if (context_.workspace.network.is_classifier) {
    class_box_->setText(QStringLiteral("?"));
    strength_box_->setText(QStringLiteral("?"));
  }
}

void QuickPredictWindow::PredictNow() {
  BusyPointer busy;
  const NetworkModel& model = context_.workspace.network;
  if (!context_.workspace.state.network_loaded || grid_->MaxRows() != model.InputCount()) {
    prediction_box_->setText(QStringLiteral("??"));
    MarkOutOfRange();
    return;
  }
  std::vector<double> inputs(static_cast<size_t>(model.InputCount()), 0.0);
  bool all_read = true;
  for (int row = 1; row <= grid_->MaxRows(); ++row) {
    bool has_data = false;
    const QString text = grid_->CellText(PredictionGrid::kValueColumn, row, &has_data);
    if (!has_data) continue;  // an empty cell counts as 0
    const std::optional<double> value = ParseCellNumber(ToBytes(text));
    if (!value) {
      all_read = false;
      break;
    }
    inputs[static_cast<size_t>(row - 1)] = *value;
  }
  if (!all_read) {
    ShowNoPrediction(QStringLiteral("Enter Values"));
  } else {
    NetworkPrediction result;
    std::string error;
    if (EvaluateNetwork(model, inputs, result, error)) {
      prediction_box_->setText(ToQString(NumberText(result.prediction)));
      prediction_box_->setToolTip(QString());
      if (model.is_classifier) {
        class_box_->setText(ToQString(result.class_text));
        strength_box_->setText(ToQString(FixedDecimals(result.strength, 3)));
      }
    } else {
      ShowNoPrediction(QStringLiteral("??"));
      prediction_box_->setToolTip(ToQString(error));
    }
  }
  MarkOutOfRange();
}

void QuickPredictWindow::MarkOutOfRange() {
  warning_label_->hide();
  const NetworkModel& model = context_.workspace.network;
  grid_->SetRedraw(false);
  for (int row = 1; row <= grid_->MaxRows() && row <= model.InputCount(); ++row) {
    grid_->SetEmphasised(PredictionGrid::kMinColumn, row, false);
    grid_->SetEmphasised(PredictionGrid::kMaxColumn, row, false);
    const std::optional<double> value = grid_->CellNumber(PredictionGrid::kValueColumn, row);
    if (!value) continue;
    const size_t i = static_cast<size_t>(row - 1);
    if (*value > model.max_seen[i]) {
      grid_->SetEmphasised(PredictionGrid::kMaxColumn, row, true);
      warning_label_->show();
    }
    if (*value < model.min_seen[i]) {
      grid_->SetEmphasised(PredictionGrid::kMinColumn, row, true);
      warning_label_->show();
    }
  }
  grid_->SetRedraw(true);
}

double QuickPredictWindow::GetTogglePercent() {
  std::optional<double> percent = ParseCellNumber(ToBytes(toggle_percent_box_->text()));
  if (!percent || *percent < 0) percent = 10;
  toggle_percent_box_->setText(ToQString(NumberText(*percent)));
  return *percent;
}

void QuickPredictWindow::OnButtonClicked(int column, int row) {
  const std::optional<double> value = grid_->CellNumber(PredictionGrid::kValueColumn, row);
  const std::optional<double> maximum = grid_->CellNumber(PredictionGrid::kMaxColumn, row);
  const std::optional<double> minimum = grid_->CellNumber(PredictionGrid::kMinColumn, row);
  if (!value || !maximum || !minimum) return;
  const double step = (*maximum - *minimum) * GetTogglePercent() / 100;
  double changed = *value;
  if (column == PredictionGrid::kToggleUpColumn) changed = *value + step;
  if (column == PredictionGrid::kToggleDownColumn) changed = *value - step;
  grid_->SetCellNumber(PredictionGrid::kValueColumn, row, changed);
  PredictNow();
}

void QuickPredictWindow::FitToMainWindow(int /*available_width*/, int available_height) {
  const int height = GridHeight(available_height, PixelsToTwips(this->height()), kGridTop);
  grid_->resize(grid_->width(), TwipsToPixels(height));
}

}  // namespace kdk::gui
