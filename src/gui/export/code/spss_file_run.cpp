#include "gui/export/code/spss_file_run.h"

#include <QApplication>
#include <QLabel>

#include "core/mars/generated_file.h"
#include "engines/spss/pspp_application.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {

namespace {

// The busy pointer while the engine works; pending window events run once so the
// pointer shows before the wait.
class QtBusyPointer : public BusyPointerPort {
 public:
  ~QtBusyPointer() override { ShowNormal(); }
  void ShowBusy() override {
    if (busy_) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busy_ = true;
    QApplication::processEvents();
  }
  void ShowNormal() override {
    if (!busy_) return;
    QApplication::restoreOverrideCursor();
    busy_ = false;
  }

 private:
  bool busy_ = false;
};

}  // namespace

std::string RunSyntaxOnSpssFile(GuiContext& context, const std::vector<SpssInput>& inputs,
                                const std::string& syntax, QLabel* progress) {
  SpssMatchRequest request;
  request.inputs = inputs;
  request.syntax_text = syntax;
  spss::PsppOptions options;
  options.model_path = KeepModel(context.workspace.state.model_path).model_path;
  spss::PsppSpssApplication application(options);
  QtBusyPointer busy;
  const bool ran = LoadSpssDataFile(request, application, context.ports, busy);
  if (ran && progress != nullptr) {
    progress->setText("Files Generated...\n" + QString::fromLocal8Bit(application.ResultPath()));
  }
  return request.data_path;
}

}  // namespace kdk::gui
