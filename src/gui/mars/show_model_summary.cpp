#include "gui/mars/show_model_summary.h"

#include <QPlainTextEdit>

#include "core/mars/model_summary.h"
#include "gui/common/latin1_text.h"

namespace kdk::gui {

void ShowModelSummary(QPlainTextEdit* box, const MarsModel& model) {
  box->setPlainText(ToQString(ModelSummaryForDisplay(model)).replace("\r\n", "\n"));
}

}  // namespace kdk::gui
