#pragma once

#include "core/mars/mars_model.h"

class QPlainTextEdit;

namespace kdk::gui {

// Puts the model summary (two-blank prefix) into a MARS window's summary box.
void ShowModelSummary(QPlainTextEdit* box, const MarsModel& model);

}  // namespace kdk::gui
