#include "measure/measurementlabel.h"

#include "base/color.h"

MeasurementLabel::MeasurementLabel(QWidget *parent)
    : QLabel(parent)
{
    setAutoFillBackground(false);
    setTextFormat(Qt::PlainText);
}

void MeasurementLabel::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mouseDown(this, event);
}

void MeasurementLabel::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMove(this, event);
}

void MeasurementLabel::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT mouseUp(this, event);
}

quint32 labelColor(const QLabel &label)
{
    return toTColor(label.palette().color(QPalette::WindowText));
}

void setLabelColor(QLabel &label, quint32 color)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, fromTColor(color));
    label.setPalette(palette);
}
