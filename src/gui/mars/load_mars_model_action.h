#pragma once

class QLabel;
class QWidget;

namespace kdk::gui {

struct GuiContext;

// The control panel's "select the MARS model" button: asks for the source, loads the
// model and, on success, sets the model label (`lblFileName`). True when loaded; the
// panel then shows the MARS buttons and refreshes a visible MARS window.
bool LoadMarsModelFromPanel(GuiContext& context, QWidget* parent, QLabel* file_name_label);

}  // namespace kdk::gui
