#include "gui/shell/converter_windows.h"

#include "gui/export/code/code_export_window.h"
#include "gui/export/code/mars_spss_window.h"
#include "gui/export/code/mars_sql_window.h"
#include "gui/export/code/network_sql_window.h"
#include "gui/export/sheet/workbook_windows.h"
#include "gui/export/vbproject/equation_window.h"
#include "gui/export/vbproject/vb_project_windows.h"
#include "gui/export/web/web_page_windows.h"
#include "gui/network/quick_predict_window.h"

namespace kdk::gui {

ConverterWindowEntry* ConverterWindows::Find(const QString& name) {
  for (ConverterWindowEntry& entry : entries_) {
    if (entry.widget && entry.widget->objectName() == name) return &entry;
  }
  return nullptr;
}

const ConverterWindowEntry* ConverterWindows::Find(const QString& name) const {
  for (const ConverterWindowEntry& entry : entries_) {
    if (entry.widget && entry.widget->objectName() == name) return &entry;
  }
  return nullptr;
}

ConverterWindows CreateConverterWindows(GuiContext& context, QWidget* parent) {
  ConverterWindows windows;
  // Both web page windows share one page style.
  auto page_style = std::make_shared<PageStyle>();
  windows.Add(MakeConverterWindowEntry(new NetworkPageWindow(context, page_style, parent)));
  windows.Add(MakeConverterWindowEntry(new NetworkWorkbookWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new NetworkVbWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new EquationWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new CodeExportWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new NetworkSqlWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new QuickPredictWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new MarsVbWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new MarsWorkbookWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new MarsSqlWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new MarsPageWindow(context, page_style, parent)));
  windows.Add(MakeConverterWindowEntry(new MarsSpssWindow(context, parent)));
  for (ConverterWindowEntry& entry : windows.All()) entry.widget->hide();
  return windows;
}

}  // namespace kdk::gui
