#include "measure/text.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TfmText::TfmText(QLineEdit *target, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_target(target)
{
    setObjectName(QStringLiteral("fmText"));
    setWindowTitle(QStringLiteral("文字註解"));
    setModal(true);
    resize(356, 60);

    m_edText = new QLineEdit(this);
    m_edText->setObjectName(QStringLiteral("edText"));
    m_edText->setFixedWidth(273);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setDefault(true);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_edText);
    layout->addWidget(m_ok);

    connect(m_ok, &QPushButton::clicked, this, &TfmText::BitBtn1Click);
}

void TfmText::BitBtn1Click()
{
    m_target->setText(m_edText->text());
    accept();
}
