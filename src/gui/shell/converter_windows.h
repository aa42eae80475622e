#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <vector>

#include "gui/shell/converter_window_entry.h"
#include "gui/shell/gui_context.h"

namespace kdk::gui {

// The twelve converter and view windows, by name.
inline constexpr std::array<const char*, 12> kConverterWindowNames = {
    "frmHTML",          "frmEXCEL",     "frmVB",           "frmEquation",
    "CodeExportWindow", "frmNet2SQL",   "frmQuickPredict", "frmMARS2VB",
    "frmMARS2XL",       "frmMARS2tsql", "frmMARS2HTML",    "frmMARS2SPSS"};

// The windows whose large output box follows the main window's size.
inline constexpr std::array<const char*, 6> kOutputBoxWindowNames = {
    "frmMARS2SPSS", "frmMARS2tsql", "frmMARS2VB", "frmMARS2XL", "frmMARS2HTML", "CodeExportWindow"};

// The MARS windows, in the order a new MARS model looks for a visible one.
inline constexpr std::array<const char*, 5> kMarsWindowNames = {
    "frmMARS2tsql", "frmMARS2SPSS", "frmMARS2VB", "frmMARS2XL", "frmMARS2HTML"};

class ConverterWindows {
 public:
  void Add(ConverterWindowEntry entry) { entries_.push_back(std::move(entry)); }
  // nullptr when no window has that name.
  ConverterWindowEntry* Find(const QString& name);
  const ConverterWindowEntry* Find(const QString& name) const;
  std::vector<ConverterWindowEntry>& All() { return entries_; }

 private:
  std::vector<ConverterWindowEntry> entries_;
};

// Creates all twelve windows, hidden, as children of `parent` (nullptr in tests).
ConverterWindows CreateConverterWindows(GuiContext& context, QWidget* parent);

}  // namespace kdk::gui
