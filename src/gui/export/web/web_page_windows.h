#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "core/export/generation_stamp.h"
#include "core/export/web/page_style.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kdk::gui {

struct GuiContext;
class PageStylePanel;

// What both web page windows have: the style panel, Save, "Saving as" and progress.
class WebPageWindow : public QWidget {
  Q_OBJECT
 public:
  const std::string& SavePath() const { return save_path_; }
  PageStylePanel* StylePanel() const { return panel_; }

 protected:
  WebPageWindow(GuiContext& context, std::shared_ptr<PageStyle> style, const char* name,
                int model_type, QWidget* parent);
  // Writes the page with the filled style to the chosen path; the label shows progress.
  virtual void Generate(const PageStyle& style, const std::string& path) = 0;
  void ShowProgress(const std::string& caption);
  void EnableSave(bool enabled);
  GenerationStamp Stamp() const;

  GuiContext& context_;
  QWidget* extra_;  // the MARS window's own controls go here

 private:
  void Save();

  int model_type_;
  std::string save_path_;
  PageStylePanel* panel_;
  QPushButton* save_;
  QLabel* save_as_;
  QLabel* progress_;
};

// "Kestrium >> Web Page": the loaded network as a page that computes its prediction.
class NetworkPageWindow : public WebPageWindow {
  Q_OBJECT
 public:
  NetworkPageWindow(GuiContext& context, std::shared_ptr<PageStyle> style,
                    QWidget* parent = nullptr);
  void Activate();

 protected:
  void Generate(const PageStyle& style, const std::string& path) override;
};

// "MARS >> Web Page": the loaded MARS model as a page, with the model summary and the
// choice to let fields be left empty as missing values.
class MarsPageWindow : public WebPageWindow {
  Q_OBJECT
 public:
  MarsPageWindow(GuiContext& context, std::shared_ptr<PageStyle> style, QWidget* parent = nullptr);
  void Activate();

 protected:
  void Generate(const PageStyle& style, const std::string& path) override;

 private:
  QCheckBox* allow_missing_;
  QPlainTextEdit* summary_;
};

}  // namespace kdk::gui
