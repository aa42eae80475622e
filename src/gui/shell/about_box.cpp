#include "gui/shell/about_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/common/drawn_icons.h"

namespace kdk::gui {

QString AboutBox::VersionText(int major, int minor) {
  return QStringLiteral("Version %1.%2  -   May 2004 ").arg(major).arg(minor);
}

QString AboutBox::DescriptionText() {
  return QStringLiteral(
      "This application converts neural network models created by the Kestrium v1.x and "
      "v2.x neural network application into useable 3rd party formats.\n\n\n"
      "REQUIRES - a Kestrium weights file (.kwf)");
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About Kestrium Development Kit"));
  setModal(true);

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("picIcon"));
  picture->setPixmap(DrawnIcon(QStringLiteral("kestriumdk"), 48).pixmap(48, 48));
  picture->setAlignment(Qt::AlignTop);

  auto* title = new QLabel(QStringLiteral("Kestrium Development Kit"), this);
  title->setObjectName(QStringLiteral("lblTitle"));
  QFont title_font = title->font();
  title_font.setBold(true);
  title_font.setPointSizeF(title_font.pointSizeF() * 1.5);
  title->setFont(title_font);

  auto* version = new QLabel(VersionText(KDK_VERSION_MAJOR, KDK_VERSION_MINOR), this);
  version->setObjectName(QStringLiteral("lblVersion"));

  auto* description = new QLabel(DescriptionText(), this);
  description->setObjectName(QStringLiteral("lblDescription"));
  description->setWordWrap(true);
  description->setMinimumWidth(340);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(version);
  text->addSpacing(12);
  text->addWidget(description);
  text->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(picture);
  top->addSpacing(12);
  top->addLayout(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 14);
  layout->addLayout(top);
  layout->addSpacing(10);
  layout->addLayout(buttons);
}

}  // namespace kdk::gui
