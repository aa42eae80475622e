#include "gui/shell/main_window.h"

#include <QApplication>
#include <QMenuBar>
#include <QResizeEvent>

#include "core/shell/common_operations.h"
#include "gui/common/drawn_icons.h"
#include "gui/common/twips.h"
#include "gui/mars/mars_about_dialog.h"
#include "gui/shell/about_box.h"
#include "gui/shell/score_data_file.h"
#include "gui/shell/window_geometry.h"

namespace kdk::gui {
namespace {

constexpr char kMainCaption[] = "Kestrium Model Converter";

// The multiple-document area. Qt lets the children's minimum sizes set the area's when
// its scroll bars are off; here the main window's size limits the children instead.
class ChildWindowArea : public QMdiArea {
 public:
  using QMdiArea::QMdiArea;
  QSize minimumSizeHint() const override { return QSize(0, 0); }
};

// The windows drawn on the system's button face (all but the MARS web page window).
bool UsesButtonFace(const QString& name) {
  return name != QLatin1String("frmMARS2HTML");
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

void AddSeparator(QMenu* menu, const char* name) {
  menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

}  // namespace

MainWindow::MainWindow(Workspace& workspace, Ports& ports, QWidget* parent)
    : QMainWindow(parent), workspace_(workspace), ports_(ports), context_{workspace, ports, *this} {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QString::fromLatin1(kMainCaption));
  setWindowIcon(DrawnIcon(QStringLiteral("kestriumdk"), 48));

  area_ = new ChildWindowArea(this);
  area_->setObjectName(QStringLiteral("mdiArea"));
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area_->setBackground(QApplication::palette().color(QPalette::Dark));
  setCentralWidget(area_);
  BuildMenus();

  windows_ = CreateConverterWindows(context_, nullptr);
  for (ConverterWindowEntry& entry : windows_.All()) {
    QWidget* window = entry.widget;
    if (UsesButtonFace(window->objectName())) {
      QPalette palette = window->palette();
      palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
      window->setPalette(palette);
      window->setAutoFillBackground(true);
    }
    AddChild(window)->hide();
  }
  panel_ = new ControlPanel(context_, *this);
  AddChild(panel_)->hide();
  SetChildSize(panel_, kControlPanelWidth, kControlPanelHeight);
}

QMdiSubWindow* MainWindow::AddChild(QWidget* window) {
  // Child windows are frameless panes: the main window's caption names the one shown.
  QMdiSubWindow* frame = area_->addSubWindow(window, Qt::FramelessWindowHint);
  frame->setObjectName(window->objectName() + QStringLiteral("Frame"));
  frame->setContentsMargins(0, 0, 0, 0);
  frame->resize(window->size());
  window->show();
  return frame;
}

QMdiSubWindow* MainWindow::FrameOf(QWidget* window) const {
  return window == nullptr ? nullptr : qobject_cast<QMdiSubWindow*>(window->parentWidget());
}

QWidget* MainWindow::ConverterWindow(const QString& name) {
  ConverterWindowEntry* entry = windows_.Find(name);
  return entry == nullptr ? nullptr : entry->widget.data();
}

void MainWindow::SetChildSize(QWidget* window, int width_twips, int height_twips) {
  window->resize(TwipsToPixels(width_twips), TwipsToPixels(height_twips));
  if (QMdiSubWindow* frame = FrameOf(window)) frame->resize(window->size());
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Exit"));
  file->setObjectName(QStringLiteral("mnuFile"));
  connect(AddItem(file, "mnuFileScore", "&Score a Data File..."), &QAction::triggered, this,
          [this] { ScoreDataFile(context_, this); });
  AddSeparator(file, "mnuFileBar0");
  connect(AddItem(file, "mnuFileExit", "&Exit"), &QAction::triggered, this, &QWidget::close);

  QMenu* create = menuBar()->addMenu(QStringLiteral("&Create"));
  create->setObjectName(QStringLiteral("mnuNewFile"));
  const std::pair<const char*, const char*> network_items[] = {{"mnuNewFilehtmlJS", "Web Page"},
                                                               {"mnuNewFileexcel", "Excel"},
                                                               {"mnuNewFilevbProject", "VB"},
                                                               {"mnuEquation", "Equation"},
                                                               {"mnuNewFileSQL", "SQL"}};
  const char* network_windows[] = {"frmHTML", "frmEXCEL", "frmVB", "frmEquation", "frmNet2SQL"};
  for (size_t i = 0; i < std::size(network_items); ++i) {
    const QString window = QString::fromLatin1(network_windows[i]);
    connect(AddItem(create, network_items[i].first, network_items[i].second), &QAction::triggered,
            this, [this, window] {
              HideConverterWindows();
              ShowConverterWindow(window);
            });
  }
  AddSeparator(create, "mnuHelpBar1");
  QMenu* mars = create->addMenu(QStringLiteral("MARS >>"));
  mars->setObjectName(QStringLiteral("mnuMars"));
  mars->menuAction()->setObjectName(QStringLiteral("mnuMars"));
  const std::pair<const char*, const char*> mars_items[] = {
      {"mnuNewFileMARSxlProject", "frmMARS2XL"},
      {"mnuNewFileMARSvbProject", "frmMARS2VB"},
      {"mnuNewFileMarsTSQL", "frmMARS2tsql"},
      {"mnuNewFileMARSSPSS", "frmMARS2SPSS"},
      {"mnuNewFileMARSHTML", "frmMARS2HTML"}};
  const char* mars_captions[] = {"Excel", "VB", "SQL", "SPSS", "HTML"};
  for (size_t i = 0; i < std::size(mars_items); ++i) {
    const QString window = QString::fromLatin1(mars_items[i].second);
    connect(AddItem(mars, mars_items[i].first, mars_captions[i]), &QAction::triggered, this,
            [this, window] { ShowMarsWindow(window); });
  }

  QMenu* help = menuBar()->addMenu(QStringLiteral("&About"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  AddItem(help, "mnuHelpContents", "&Contents");
  AddItem(help, "mnuHelpSearchForHelpOn", "&Search For Help On...");
  AddSeparator(help, "mnuHelpBar0");
  connect(AddItem(help, "mnuHelpAbout", "About KestriumDK "), &QAction::triggered, this,
          &MainWindow::ShowAboutBox);
  connect(AddItem(help, "mnuKestriumWebPage", "Visit Our Web Page"), &QAction::triggered, this,
          &MainWindow::VisitWebPage);
  AddSeparator(help, "mnuMarsSeperator");
  connect(AddItem(help, "mnuAboutMARS", "About MARS"), &QAction::triggered, this,
          &MainWindow::ShowMarsAboutBox);
}

void MainWindow::StartUp() {
  panel_->StartUp();
  for (const char* name : kOutputBoxWindowNames) {
    if (QWidget* window = ConverterWindow(QString::fromLatin1(name))) {
      SetChildSize(window, kLargeWindowSize, kLargeWindowSize);
    }
  }
  ResetMainWindow();
  FrameOf(panel_)->move(0, 0);
  FrameOf(panel_)->show();
}

void MainWindow::ResetMainWindow() {
  setWindowState(Qt::WindowNoState);
  const int height =
      workspace_.state.model_path.empty() ? kMainWindowShortHeight : kMainWindowTallHeight;
  resize(TwipsToPixels(kMainWindowWidth), TwipsToPixels(height));
  setWindowTitle(QString::fromLatin1(kMainCaption));
  move(0, 0);
}

void MainWindow::HideConverterWindows() {
  for (ConverterWindowEntry& entry : windows_.All()) {
    if (QMdiSubWindow* frame = FrameOf(entry.widget)) frame->hide();
  }
  if (workspace_.state.model_type.has_value() && windowState() == Qt::WindowNoState) {
    resize(width(), TwipsToPixels(kMainWindowTallHeight));
  }
}

void MainWindow::ShowConverterWindow(const QString& name) {
  ConverterWindowEntry* entry = windows_.Find(name);
  if (entry == nullptr || !entry->widget) return;
  QMdiSubWindow* frame = FrameOf(entry->widget);
  frame->show();
  frame->raise();
  area_->setActiveSubWindow(frame);
  entry->activate();
}

bool MainWindow::IsConverterWindowVisible(const QString& name) const {
  const ConverterWindowEntry* entry = windows_.Find(name);
  const QMdiSubWindow* frame = entry == nullptr ? nullptr : FrameOf(entry->widget);
  return frame != nullptr && !frame->isHidden();
}

void MainWindow::RebuildConverterWindow(const QString& name) {
  if (ConverterWindowEntry* entry = windows_.Find(name)) entry->activate();
}

void MainWindow::ShowMarsWindow(const QString& name) {
  HideConverterWindows();
  if (QWidget* window = ConverterWindow(name)) {
    resize(window->width() + TwipsToPixels(200), height());
  }
  ShowConverterWindow(name);
}

void MainWindow::PlaceConverterWindow(QWidget* window, const QString& caption, int width_twips) {
  if (QMdiSubWindow* frame = FrameOf(window)) {
    frame->resize(window->size());
    frame->move(0, TwipsToPixels(kControlPanelHeight));
  }
  setWindowTitle(caption);
  int width = width_twips;
  if (width < 1) {
    width = workspace_.state.model_type == kMarsModelType ? kMarsWindowWidth : kNetworkWindowWidth;
  }
  if (windowState() == Qt::WindowNoState) resize(TwipsToPixels(width), height());
  SetChildSize(panel_, width, kControlPanelHeight);
}

void MainWindow::ShowAtTopLeft(QWidget* window, const QString& caption) {
  if (QMdiSubWindow* frame = FrameOf(window)) {
    frame->resize(window->size());
    frame->move(0, 0);
    frame->raise();
  }
  setWindowTitle(caption);
}

void MainWindow::NetworkLoaded() {
  panel_->ShowModelFileName();
  const QString code = QStringLiteral("CodeExportWindow");
  const QString quick_predict = QStringLiteral("frmQuickPredict");
  if (IsConverterWindowVisible(code)) {
    RebuildConverterWindow(code);
  } else if (IsConverterWindowVisible(quick_predict)) {
    RebuildConverterWindow(quick_predict);
  }
}

void MainWindow::ShowAboutBox() {
  AboutBox box(this);
  box.exec();
}

void MainWindow::ShowMarsAboutBox() {
  MarsAboutDialog box(ports_.shell, this);
  box.exec();
}

void MainWindow::VisitWebPage() {
  OpenDocument(ports_.shell, kWebPageAddress);
}

void MainWindow::FitChildWindows() {
  if (isMinimized()) return;
  const int available_width = PixelsToTwips(width());
  const int available_height = PixelsToTwips(height()) - PixelsToTwips(panel_->height());
  for (const char* name : kOutputBoxWindowNames) {
    ConverterWindowEntry* entry = windows_.Find(QString::fromLatin1(name));
    if (entry == nullptr || !entry->widget || !entry->output_box) continue;
    FitOutputBox(entry->widget, available_width, available_height, entry->output_box());
  }
  if (ConverterWindowEntry* entry = windows_.Find(QStringLiteral("frmQuickPredict"))) {
    if (entry->fit_to_main_window) entry->fit_to_main_window(available_width, available_height);
  }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FitChildWindows();
}

}  // namespace kdk::gui
