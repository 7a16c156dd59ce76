#include "ui/shape.h"

#include <QContextMenuEvent>
#include <QPainter>

Shape::Shape(QWidget *parent, Kind kind)
    : QWidget(parent)
    , m_kind(kind)
{
}

void Shape::setPen(const QColor &color, int width)
{
    m_penColor = color;
    m_penWidth = width;
    update();
}

void Shape::setBrush(const QColor &color, Qt::BrushStyle style)
{
    m_brushColor = color;
    m_brushStyle = style;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPen pen(m_penColor, m_penWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(m_penWidth > 0 ? pen : QPen(Qt::NoPen));
    painter.setBrush(QBrush(m_brushColor, m_brushStyle));
    // The pen runs inside the bounds, as the platform's shapes draw it.
    const qreal inset = m_penWidth / 2.0;
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    if (m_kind == Kind::Circle)
        painter.drawEllipse(box);
    else
        painter.drawRect(box);
}

void Shape::contextMenuEvent(QContextMenuEvent *event)
{
    Q_EMIT contextPopup();
    event->accept();
}
