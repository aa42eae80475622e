#pragma once

#include <QWidget>

#include "gui/shell/gui_context.h"

namespace kdk::gui {

// "Score a Data File...": the loaded model scores a delimited text or SPSS data file
// into a new delimited text file, as `kdk score` does, on a worker thread behind a
// progress dialog that can cancel. The result is written whole or not at all.
void ScoreDataFile(GuiContext& context, QWidget* parent);

}  // namespace kdk::gui
