#pragma once

#include <QString>
#include <QWidget>

#include "gui/shell/gui_context.h"

namespace kdk::gui {

// A converter window whose converter is not part of this build yet: it has its name
// and caption and places itself like every converter, with an empty body.
class PlaceholderWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignWidth = 8500;  // twips, as the network windows
  static constexpr int kDesignHeight = 7740;

  // width_twips 0: chosen by model type. A negative width makes it a top-left view
  // that only sets the main window's caption.
  PlaceholderWindow(GuiContext& context, const QString& name, const QString& caption,
                    int width_twips, QWidget* parent = nullptr);
  void Activate();
  const QString& Caption() const { return caption_; }

 private:
  GuiContext& context_;
  QString caption_;
  int width_twips_;
};

}  // namespace kdk::gui
