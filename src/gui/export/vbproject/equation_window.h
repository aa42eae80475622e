#pragma once

#include <QWidget>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace kdk::gui {

struct GuiContext;

// The equation and weights view: the loaded network as one plain text, rebuilt only
// when a model is chosen from here ("Select Model"), copied whole to the clipboard.
class EquationWindow : public QWidget {
  Q_OBJECT
 public:
  explicit EquationWindow(GuiContext& context, QWidget* parent = nullptr);
  void Activate();
  const std::string& Text() const { return text_; }

 private:
  void SelectModel();

  GuiContext& context_;
  std::string text_;
  QPlainTextEdit* equation_;
};

}  // namespace kdk::gui
