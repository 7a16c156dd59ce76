#include "ui/updown.h"

#include <cstdlib>

#include <QLineEdit>

UpDown::UpDown(QWidget *parent)
    : QSpinBox(parent)
{
    lineEdit()->setReadOnly(true);
}

void UpDown::stepBy(int steps)
{
    QSpinBox::stepBy(steps);
    for (int i = 0; i < std::abs(steps); ++i)
        Q_EMIT clicked(steps > 0);
}
