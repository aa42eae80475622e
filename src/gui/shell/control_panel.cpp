#include "gui/shell/control_panel.h"

#include "core/common/text_utils.h"
#include "gui/common/drawn_icons.h"
#include "gui/common/latin1_text.h"
#include "gui/common/twips.h"
#include "gui/mars/load_mars_model_action.h"
#include "gui/network/load_network_gui.h"
#include "gui/shell/converter_windows.h"
#include "gui/shell/window_geometry.h"

namespace kdk::gui {
namespace {

constexpr char kNetworkEntry[] = "KESTRIUM";
constexpr char kMarsEntry[] = "MARS(tm)";
constexpr char kKestriumProgram[] = "kestrium.exe";

// Button places inside a frame, twips: picture buttons are square, captions wider.
constexpr int kButtonTop = 300;
constexpr int kPictureSize = 600;
constexpr int kCaptionWidth = 870;

QGroupBox* MakeFrame(QWidget* parent, const char* name, const char* caption) {
  auto* frame = new QGroupBox(QString::fromLatin1(caption), parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setAutoFillBackground(true);
  SetTwipsGeometry(frame, ControlPanel::kFrameLeft, 0, 5130, 990);
  return frame;
}

QLabel* MakeArrow(QWidget* parent, const char* name) {
  auto* arrow = new QLabel(QStringLiteral(">>"), parent);
  arrow->setObjectName(QString::fromLatin1(name));
  QFont font = arrow->font();
  font.setBold(true);
  arrow->setFont(font);
  arrow->setAlignment(Qt::AlignCenter);
  SetTwipsGeometry(arrow, 720, 420, 420, 300);
  return arrow;
}

}  // namespace

ControlPanel::ControlPanel(GuiContext& context, ControlPanelHost& host, QWidget* parent)
    : QWidget(parent), context_(context), host_(host) {
  setObjectName(QStringLiteral("frmControl"));
  setWindowTitle(QStringLiteral("Control"));
  setAutoFillBackground(true);
  resize(TwipsToPixels(kControlPanelWidth), TwipsToPixels(kControlPanelHeight));

  launch_kestrium_ = AddButton(this, "cmdLaunchKestrium", "Launch Kestrium",
                               "  Load this model in Kestrium  ", nullptr);
  SetTwipsGeometry(launch_kestrium_, 90, 555, 1590, 420);
  connect(launch_kestrium_, &QPushButton::clicked, this, &ControlPanel::LaunchKestrium);

  which_software_ = new QComboBox(this);
  which_software_->setObjectName(QStringLiteral("cmbWhichSoftware"));
  SetTwipsGeometry(which_software_, 90, 105, 1590, 375);
  connect(which_software_, &QComboBox::currentTextChanged, this, &ControlPanel::SwitchModelType);

  // The network frame.
  frame_kestrium_ = MakeFrame(this, "frameKestrium", "Kestrium");
  QPushButton* quick_predict =
      AddButton(frame_kestrium_, "cmdQuickPredict", "Predict", "  Qucik Prediction ", nullptr);
  quick_predict_ = quick_predict;
  QPushButton* net_to_code = AddButton(frame_kestrium_, "cmdNet2Code", "Code",
                                       "  convert to code (VB, Java, SAS, SPSS etc...)  ", nullptr);
  QPushButton* net_to_excel =
      AddButton(frame_kestrium_, "cmdNet2Excel", nullptr, " convert to Excel ", "workbook");
  QPushButton* net_to_vb = AddButton(frame_kestrium_, "cmdNet2VB", nullptr,
                                     " convert to a Visual Basic project   ", "vb_project");
  QPushButton* net_to_html =
      AddButton(frame_kestrium_, "cmdNet2HTML", nullptr, " convert to a web page  ", "web_page");
  QPushButton* net_to_sql =
      AddButton(frame_kestrium_, "cmdNet2SQL", "SQL", " convert to SQL ", nullptr);
  QPushButton* load_network = AddButton(frame_kestrium_, "cmdLoadKestrium", nullptr,
                                        " select the Kestrium model - the KWF file ", "open_model");
  MakeArrow(frame_kestrium_, "lblNetarrow");
  SetTwipsGeometry(load_network, 120, kButtonTop, kPictureSize, kPictureSize);
  SetTwipsGeometry(quick_predict, 1170, kButtonTop, kCaptionWidth, kPictureSize);
  SetTwipsGeometry(net_to_code, 2100, kButtonTop, kCaptionWidth, kPictureSize);
  SetTwipsGeometry(net_to_excel, 3030, kButtonTop, kPictureSize, kPictureSize);
  SetTwipsGeometry(net_to_vb, 3690, kButtonTop, kPictureSize, kPictureSize);
  SetTwipsGeometry(net_to_html, 4350, kButtonTop, kPictureSize, kPictureSize);
  SetTwipsGeometry(net_to_sql, 5010, kButtonTop, kCaptionWidth, kPictureSize);
  network_buttons_ = {net_to_excel, net_to_vb, net_to_html, net_to_code, quick_predict, net_to_sql};
  connect(load_network, &QPushButton::clicked, this, &ControlPanel::LoadNetworkPressed);

  // The MARS frame, lying on the same place.
  frame_mars_ = MakeFrame(this, "frameMARS", "MARS");
  QPushButton* mars_to_spss =
      AddButton(frame_mars_, "cmdMARS2SPSS", nullptr, " convert to SPSS syntax ", "spss_syntax");
  QPushButton* mars_to_vb = AddButton(frame_mars_, "cmdMARS2VB", nullptr,
                                      " convert to a Visual Basic Project  ", "vb_project");
  QPushButton* mars_to_xl =
      AddButton(frame_mars_, "cmdMARS2XL", nullptr, " convert to Excel   ", "workbook");
  QPushButton* mars_to_sql =
      AddButton(frame_mars_, "cmdMARS2SQL", "SQL", " convert to SQL ", nullptr);
  QPushButton* mars_to_html =
      AddButton(frame_mars_, "cmdMARS2HTML", nullptr, " convert to a web page  ", "web_page");
  QPushButton* load_mars =
      AddButton(frame_mars_, "cmdLoadMars", nullptr, " select the MARS model ", "open_mars_model");
  MakeArrow(frame_mars_, "lblMARSarrow");
  SetTwipsGeometry(load_mars, 120, kButtonTop, kPictureSize, kPictureSize);
  SetTwipsGeometry(mars_to_spss, 1170, kButtonTop, kPictureSize, kPictureSize);
  SetTwipsGeometry(mars_to_vb, 1830, kButtonTop, kPictureSize, kPictureSize);
  SetTwipsGeometry(mars_to_xl, 2490, kButtonTop, kPictureSize, kPictureSize);
  SetTwipsGeometry(mars_to_sql, 3150, kButtonTop, kCaptionWidth, kPictureSize);
  SetTwipsGeometry(mars_to_html, 4080, kButtonTop, kPictureSize, kPictureSize);
  mars_buttons_ = {mars_to_html, mars_to_spss, mars_to_sql, mars_to_vb, mars_to_xl};
  connect(load_mars, &QPushButton::clicked, this, &ControlPanel::LoadMarsPressed);

  what_label_ = new QLabel(this);
  what_label_->setObjectName(QStringLiteral("lblWhat"));
  QFont what_font = what_label_->font();
  what_font.setBold(true);
  what_font.setPointSizeF(what_font.pointSizeF() * 1.4);
  what_label_->setFont(what_font);
  what_label_->setStyleSheet(QStringLiteral("color: #27408b;"));
  SetTwipsGeometry(what_label_, 7050, 300, 1400, 420);

  file_name_label_ = new QLabel(QStringLiteral("??"), this);
  file_name_label_->setObjectName(QStringLiteral("lblFileName"));
  SetTwipsGeometry(file_name_label_, 90, 1005, 9800, 240);

  AddLaunch(quick_predict, "Predict", "frmQuickPredict");
  AddLaunch(net_to_code, "Code", "CodeExportWindow");
  AddLaunch(net_to_excel, "EXCEL", "frmEXCEL");
  AddLaunch(net_to_html, "WEB", "frmHTML");
  AddLaunch(net_to_vb, "VB", "frmVB");
  AddLaunch(net_to_sql, "SQL", "frmNet2SQL");
  AddLaunch(mars_to_html, "WEB", "frmMARS2HTML");
  AddLaunch(mars_to_spss, "SPSS", "frmMARS2SPSS");
  AddLaunch(mars_to_sql, "SQL", "frmMARS2tsql");
  AddLaunch(mars_to_vb, "VB", "frmMARS2VB");
  AddLaunch(mars_to_xl, "EXCEL", "frmMARS2XL");
  HideAllConverterButtons();
}

QPushButton* ControlPanel::AddButton(QWidget* parent, const char* name, const char* caption,
                                     const char* tooltip, const char* icon) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  if (caption != nullptr) button->setText(QString::fromLatin1(caption));
  if (tooltip != nullptr) button->setToolTip(QString::fromLatin1(tooltip));
  if (icon != nullptr) {
    button->setIcon(DrawnIcon(QString::fromLatin1(icon)));
    button->setIconSize(QSize(28, 28));
  }
  return button;
}

void ControlPanel::AddLaunch(QPushButton* button, const char* what, const char* window) {
  launch_table_.push_back({button, QString::fromLatin1(what), QString::fromLatin1(window)});
  const LaunchRow row = launch_table_.back();
  connect(button, &QPushButton::clicked, this, [this, row] { Launch(row); });
}

void ControlPanel::Launch(const LaunchRow& row) {
  host_.HideConverterWindows();
  what_label_->setText(row.what);
  host_.ShowConverterWindow(row.window);
}

void ControlPanel::StartUp() {
  FillModelTypeList();
  SwitchModelType(which_software_->currentText());
  // A network loaded at start-up is shown in the quick prediction grid at once.
  if (LoadNetworkPressed()) quick_predict_->click();
}

void ControlPanel::FillModelTypeList() {
  filling_list_ = true;
  which_software_->clear();
  which_software_->addItem(QString::fromLatin1(kNetworkEntry));
  which_software_->addItem(QString::fromLatin1(kMarsEntry));
  which_software_->setCurrentIndex(0);
  which_software_->setEnabled(true);
  filling_list_ = false;
}

void ControlPanel::SwitchModelType(const QString& choice) {
  if (filling_list_ || choice == last_model_type_) return;
  context_.workspace.state.model_type.reset();
  host_.ResetMainWindow();
  host_.HideConverterWindows();
  for (QGroupBox* frame : {frame_kestrium_, frame_mars_}) {
    frame->move(TwipsToPixels(kFrameLeft), 0);
  }
  HideAllConverterButtons();
  file_name_label_->setText(QStringLiteral("No model file loaded"));
  what_label_->setText(QString());
  // The frames share one place; the chosen one is brought to the front.
  if (choice == QLatin1String(kNetworkEntry)) {
    context_.workspace.state.model_type = kNetworkModelType;
    frame_kestrium_->show();
    frame_kestrium_->raise();
    frame_mars_->hide();
  } else if (choice == QLatin1String(kMarsEntry)) {
    context_.workspace.state.model_type = kMarsModelType;
    frame_mars_->show();
    frame_mars_->raise();
    frame_kestrium_->hide();
  }
  last_model_type_ = choice;
}

void ControlPanel::ShowNetworkButtons() {
  for (QPushButton* button : network_buttons_) button->show();
}

void ControlPanel::ShowMarsButtons() {
  for (QPushButton* button : mars_buttons_) button->show();
}

void ControlPanel::HideAllConverterButtons() {
  for (QPushButton* button : network_buttons_) button->hide();
  for (QPushButton* button : mars_buttons_) button->hide();
}

void ControlPanel::RefreshVisibleMarsWindow() {
  for (const char* name : kMarsWindowNames) {
    const QString window = QString::fromLatin1(name);
    if (host_.IsConverterWindowVisible(window)) {
      host_.RebuildConverterWindow(window);
      return;
    }
  }
}

void ControlPanel::LaunchKestrium() {
  std::string program = context_.ports.shell.ProgramFolder();
  program.append("/");
  program.append(kKestriumProgram);
  const std::string model_path = TrimBlanks(context_.workspace.state.model_path);
  // The path goes unquoted; the Kestrium application cuts its command line back to
  // the last ".kwf" itself.
  const std::string arguments =
      model_path.empty() ? std::string() : context_.workspace.state.model_path;
  if (context_.ports.shell.StartProgram(program, arguments)) return;
  std::string message = "Can't find the Kestrium executable: ";
  message.append(kCrLf);
  message.append(program);
  context_.ports.messages.Inform(message, MessageIcon::Critical);
}

void ControlPanel::ShowModelFileName() {
  file_name_label_->setText(QStringLiteral("Model = ") +
                            PathToQString(context_.workspace.state.model_path) +
                            QStringLiteral("   "));
}

void ControlPanel::ApplyLaunchButtonVisibility() {
  launch_kestrium_->setVisible(!context_.workspace.launch_button_hidden);
}

bool ControlPanel::LoadNetworkPressed() {
  const bool loaded = LoadNetworkModel(context_);
  ApplyLaunchButtonVisibility();
  if (loaded) ShowNetworkButtons();
  return loaded;
}

void ControlPanel::LoadMarsPressed() {
  // The loader names the model in the file label itself.
  if (!LoadMarsModelFromPanel(context_, this, file_name_label_)) return;
  ShowMarsButtons();
  RefreshVisibleMarsWindow();
}

}  // namespace kdk::gui
