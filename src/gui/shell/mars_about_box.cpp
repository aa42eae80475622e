#include "gui/shell/mars_about_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/shell/common_operations.h"

namespace kdk::gui {

MarsAboutBox::MarsAboutBox(ShellPort& shell, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmMarsAbout"));
  setWindowTitle(QStringLiteral("About MARS"));
  setModal(true);

  auto* text = new QLabel(
      QStringLiteral("MARS (Multivariate Adaptive Regression Splines) was introduced by "
                     "Jerome H. Friedman in 1991.\n"
                     "MARS is a trademark of Salford Systems, now part of Minitab, LLC."),
      this);
  text->setObjectName(QStringLiteral("lblMars"));
  text->setWordWrap(true);
  text->setMinimumWidth(360);

  auto* web = new QPushButton(QStringLiteral("Visit the MARS web site"), this);
  web->setObjectName(QStringLiteral("cmdMarsWebSite"));
  connect(web, &QPushButton::clicked, this, [&shell] { OpenDocument(shell, kMakerAddress); });

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(web);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 14);
  layout->addWidget(text);
  layout->addSpacing(10);
  layout->addLayout(buttons);
}

}  // namespace kdk::gui
