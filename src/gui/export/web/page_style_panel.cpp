#include "gui/export/web/page_style_panel.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ports/colour_dialog_port.h"
#include "gui/common/latin1_text.h"
#include "gui/common/named_widget.h"

namespace kdk::gui {
namespace {

QColor ToQColor(std::uint32_t rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFFu));
}

std::string ColourText(const QColor& colour) {
  return ColourToRgbText(RgbToBgr(static_cast<std::uint32_t>(colour.rgb() & 0xFFFFFFu)));
}

QLabel* Sample(const char* text, const char* name, QWidget* parent) {
  auto* label = Named(new QLabel(text, parent), name);
  label->setAutoFillBackground(true);
  label->setAlignment(Qt::AlignCenter);
  label->setMinimumHeight(22);
  return label;
}

}  // namespace

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  palette.setColor(QPalette::Base, colour);
  widget->setPalette(palette);
}

void SetForeground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Text, colour);
  widget->setPalette(palette);
}

PageStylePanel::PageStylePanel(std::shared_ptr<PageStyle> style, ColourDialogPort& colours,
                               QWidget* parent)
    : QWidget(parent), style_(std::move(style)), colours_(colours) {
  intro_ = Named(new QPlainTextEdit(ToQString(kDefaultIntroduction).replace("\r\n", "\n"), this),
                 "txtIntro");
  intro_->setFont(QFont("Arial"));
  intro_->setMaximumHeight(120);
  auto* clear_intro = Named(new QPushButton("Clear Introduction", this), "cmdClearIntro");
  normal_font_size_ = Named(new QComboBox(this), "lstNormalFontSize");
  data_grid_font_size_ = Named(new QComboBox(this), "lstDataGridFontSize");
  page_background_ = Sample("Click to Pick", "lblPageBackground", this);
  page_background_text_ = Sample("Some Blurb down the bottom", "lblPageBackgroundText", this);
  data_grid_ = Sample("Click to Pick", "lblDataGrid", this);
  const char* input_texts[] = {"Input 1", "Input 2", "etc...", "Prediction"};
  for (size_t i = 0; i < inputs_.size(); ++i) {
    inputs_[i] = Sample(input_texts[i], "lblInputs", this);
    inputs_[i]->setProperty("index", static_cast<int>(i));
  }
  warnings_ = Sample("Alerts", "lblWarnings", this);
  auto* defaults = Named(new QPushButton("Reset Defaults", this), "cmdDefaultColours");

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel("Choose the colours for your web page!", this), 0, 0, 1, 4);
  grid->addWidget(new QLabel("'Left Click' to change the background colour", this), 1, 0, 1, 4);
  grid->addWidget(new QLabel("'Right Click' to change the font colour", this), 2, 0, 1, 4);
  grid->addWidget(page_background_, 3, 0, 1, 2);
  grid->addWidget(page_background_text_, 3, 2, 1, 2);
  grid->addWidget(data_grid_, 4, 0, 1, 2);
  grid->addWidget(warnings_, 4, 2, 1, 2);
  for (size_t i = 0; i < inputs_.size(); ++i) grid->addWidget(inputs_[i], 5, static_cast<int>(i));
  grid->addWidget(new QLabel("Page font size", this), 6, 0, 1, 2);
  grid->addWidget(normal_font_size_, 6, 2, 1, 2);
  grid->addWidget(new QLabel("Table font size", this), 7, 0, 1, 2);
  grid->addWidget(data_grid_font_size_, 7, 2, 1, 2);
  grid->addWidget(defaults, 8, 0, 1, 2);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(intro_);
  layout->addWidget(clear_intro);
  layout->addLayout(grid);

  for (QLabel* sample : {page_background_, page_background_text_, data_grid_, warnings_}) {
    sample->installEventFilter(this);
  }
  for (QLabel* sample : inputs_) sample->installEventFilter(this);
  connect(clear_intro, &QPushButton::clicked, intro_, &QPlainTextEdit::clear);
  connect(defaults, &QPushButton::clicked, this, &PageStylePanel::ApplyStyleDefaults);
  ApplyStyleDefaults();
}

void PageStylePanel::ApplyStyleDefaults() {
  ApplyDefaultColours(*style_);
  const QColor grey(192, 192, 192), brown(128, 64, 0), blue(0, 64, 128);
  for (QWidget* widget :
       {static_cast<QWidget*>(page_background_), static_cast<QWidget*>(page_background_text_),
        static_cast<QWidget*>(intro_)}) {
    SetBackground(widget, grey);
  }
  SetForeground(page_background_text_, brown);
  SetForeground(intro_, brown);
  SetBackground(data_grid_, blue);
  for (QLabel* sample : inputs_) SetBackground(sample, blue);
  SetForeground(data_grid_, Qt::white);
  for (QLabel* sample : inputs_) SetForeground(sample, Qt::white);
  SetForeground(warnings_, Qt::white);
  SetBackground(warnings_, QColor(255, 0, 0));
  for (QComboBox* list : {normal_font_size_, data_grid_font_size_}) {
    list->clear();
    for (std::string_view size : kFontSizes) list->addItem(ToQString(size));
    list->setCurrentIndex(1);
  }
}

const PageStyle& PageStylePanel::FillStyle() {
  const std::string typed = ToBytes(intro_->toPlainText().replace("\n", "\r\n"));
  style_->introduction_html = ReplaceLineBreaksWithBr(typed);
  style_->data_grid_font_size = ToBytes(data_grid_font_size_->currentText());
  style_->normal_font_size = ToBytes(normal_font_size_->currentText());
  return *style_;
}

QColor PageStylePanel::PickColour(const QColor& current) {
  const std::optional<std::uint32_t> chosen =
      colours_.ChooseColour(static_cast<std::uint32_t>(current.rgb() & 0xFFFFFFu));
  return chosen ? ToQColor(*chosen) : current;
}

void PageStylePanel::SetPageBackground(const QColor& colour) {
  style_->page_background_colour = ColourText(colour);
  for (QWidget* widget :
       {static_cast<QWidget*>(page_background_), static_cast<QWidget*>(page_background_text_),
        static_cast<QWidget*>(intro_)}) {
    SetBackground(widget, colour);
  }
}

void PageStylePanel::SetPageText(const QColor& colour) {
  style_->page_text_colour = ColourText(colour);
  SetForeground(intro_, colour);
  SetForeground(page_background_text_, colour);
}

void PageStylePanel::SetDataGridBackground(const QColor& colour) {
  style_->data_grid_background_colour = ColourText(colour);
  SetBackground(data_grid_, colour);
  for (QLabel* sample : inputs_) SetBackground(sample, colour);
}

void PageStylePanel::SetDataGridText(const QColor& colour) {
  style_->data_grid_text_colour = ColourText(colour);
  SetForeground(data_grid_, colour);
  for (QLabel* sample : inputs_) SetForeground(sample, colour);
  SetForeground(warnings_, colour);
}

void PageStylePanel::SetWarning(const QColor& colour) {
  style_->warning_colour = ColourText(colour);
  SetBackground(warnings_, colour);
}

bool PageStylePanel::eventFilter(QObject* watched, QEvent* event) {
  auto* sample = qobject_cast<QLabel*>(watched);
  if (sample == nullptr || event->type() != QEvent::MouseButtonPress) {
    return QWidget::eventFilter(watched, event);
  }
  const bool left = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
  const QPalette palette = sample->palette();
  if (sample == page_background_ || sample == page_background_text_) {
    if (left) {
      SetPageBackground(PickColour(palette.color(QPalette::Window)));
    } else {
      SetPageText(PickColour(palette.color(QPalette::WindowText)));
    }
  } else if (sample == warnings_) {
    SetWarning(PickColour(palette.color(QPalette::Window)));
  } else {
    const QPalette grid = data_grid_->palette();
    if (left) {
      SetDataGridBackground(PickColour(grid.color(QPalette::Window)));
    } else {
      SetDataGridText(PickColour(grid.color(QPalette::WindowText)));
    }
  }
  return true;
}

}  // namespace kdk::gui
