#include "gui/mars/mars_about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/shell/common_operations.h"

namespace kdk::gui {

MarsAboutDialog::MarsAboutDialog(ShellPort& shell, QWidget* parent) : QDialog(parent) {
  setObjectName("frmMarsAbout");
  setWindowTitle("About MARS");
  auto* label = new QLabel(
      "MARS (Multivariate Adaptive Regression Splines) was developed by Jerome H. Friedman.\n"
      "MARS is a trademark of Salford Systems, maker of the MARS modelling software.",
      this);
  label->setObjectName("lblAbout");
  auto* web = new QPushButton("Visit the MARS web site", this);
  web->setObjectName("cmdWebSite");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("cmdOK");
  connect(web, &QPushButton::clicked, this,
          [&shell] { OpenDocument(shell, "https://www.salford-systems.com"); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(web);
  layout->addWidget(ok);
}

}  // namespace kdk::gui
