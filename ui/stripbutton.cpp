#include "ui/stripbutton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

StripButton::StripButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setFlat(true);
}

void StripButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    // A pixel is left on each side, so the caption's first and last strokes stay in view.
    const QRectF room = QRectF(rect()).adjusted(1, 0, -1, 0);
    const qreal wide = fontMetrics().horizontalAdvance(text());
    const qreal squeeze = wide > room.width() ? room.width() / wide : 1.0;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.translate(room.center());
    painter.scale(squeeze, 1.0);
    const QRectF at(-wide / 2, -room.height() / 2, wide, room.height());
    painter.drawText(at, Qt::AlignCenter | Qt::TextDontClip, text());
}
