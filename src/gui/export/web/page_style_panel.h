#pragma once

#include <QColor>
#include <QWidget>
#include <array>
#include <memory>

#include "core/export/web/page_style.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kdk {
class ColourDialogPort;
}

namespace kdk::gui {

// The style controls both web page windows share: the introduction box, the font
// lists and the colour samples, picked by mouse (left: background, other buttons:
// text). The colours live in one PageStyle that both windows hold.
class PageStylePanel : public QWidget {
  Q_OBJECT
 public:
  PageStylePanel(std::shared_ptr<PageStyle> style, ColourDialogPort& colours,
                 QWidget* parent = nullptr);

  // The colours to their defaults, the samples repainted and both font lists refilled.
  void ApplyStyleDefaults();
  // Fills the introduction and font sizes of the shared style from the controls.
  const PageStyle& FillStyle();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QColor PickColour(const QColor& current);
  void SetPageBackground(const QColor& colour);
  void SetPageText(const QColor& colour);
  void SetDataGridBackground(const QColor& colour);
  void SetDataGridText(const QColor& colour);
  void SetWarning(const QColor& colour);

  std::shared_ptr<PageStyle> style_;
  ColourDialogPort& colours_;
  QPlainTextEdit* intro_;
  QComboBox* normal_font_size_;
  QComboBox* data_grid_font_size_;
  QLabel* page_background_;
  QLabel* page_background_text_;
  QLabel* data_grid_;
  std::array<QLabel*, 4> inputs_{};
  QLabel* warnings_;
};

// Paints a label's background or text.
void SetBackground(QWidget* widget, const QColor& colour);
void SetForeground(QWidget* widget, const QColor& colour);

}  // namespace kdk::gui
