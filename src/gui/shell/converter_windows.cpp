#include "gui/shell/converter_windows.h"

#include "gui/export/code/code_export_window.h"
#include "gui/export/code/mars_spss_window.h"
#include "gui/export/code/mars_sql_window.h"
#include "gui/export/vbproject/equation_window.h"
#include "gui/export/vbproject/vb_project_windows.h"
#include "gui/network/quick_predict_window.h"
#include "gui/shell/placeholder_window.h"

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
  // A window whose converter is built is one line here; the rest hold their place.
  auto placeholder = [&](const char* name, const char* caption, int width_twips) {
    windows.Add(MakeConverterWindowEntry(new PlaceholderWindow(
        context, QString::fromLatin1(name), QString::fromLatin1(caption), width_twips, parent)));
  };
  placeholder("frmHTML", "Kestrium >> Web Page", 0);
  placeholder("frmEXCEL", "Kestrium >> Excel", 0);
  windows.Add(MakeConverterWindowEntry(new NetworkVbWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new EquationWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new CodeExportWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new QuickPredictWindow(context, parent)));
  windows.Add(MakeConverterWindowEntry(new MarsVbWindow(context, parent)));
  placeholder("frmMARS2XL", "MARS >> Excel", 0);
  windows.Add(MakeConverterWindowEntry(new MarsSqlWindow(context, parent)));
  placeholder("frmMARS2HTML", "MARS >> Web Page", 0);
  windows.Add(MakeConverterWindowEntry(new MarsSpssWindow(context, parent)));
  for (ConverterWindowEntry& entry : windows.All()) entry.widget->hide();
  return windows;
}

}  // namespace kdk::gui
