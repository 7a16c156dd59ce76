#include "app/aboutbox.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

TfmAboutBox::TfmAboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("fmAboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(375, 324);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);

    auto *icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(QPixmap(QStringLiteral(":/quillmont.png")));
    icon->setScaledContents(true);
    icon->setFixedSize(145, 145);

    auto *product = new QLabel(QStringLiteral("Quillmont"), panel);
    product->setObjectName(QStringLiteral("ProductName"));
    product->setFont(QFont(QStringLiteral("Arial Black"), 22, QFont::Black));
    auto *version = new QLabel(QStringLiteral("Version 3.01(Build 96.11.06)"), panel);
    version->setObjectName(QStringLiteral("Version"));
    auto *maker = new QLabel(QStringLiteral("Quillmont Metrology\n影像量測系統"), panel);
    maker->setObjectName(QStringLiteral("Copyright"));

    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(icon, 0, Qt::AlignHCenter);
    panelLayout->addWidget(product, 0, Qt::AlignHCenter);
    panelLayout->addWidget(version, 0, Qt::AlignHCenter);
    panelLayout->addWidget(maker, 0, Qt::AlignHCenter);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}
