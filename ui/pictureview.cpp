#include "ui/pictureview.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

PictureView::PictureView(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void PictureView::setPicture(const QImage *picture)
{
    m_picture = picture ? picture : &m_none;
    pictureReplaced();
}

void PictureView::pictureReplaced()
{
    if (size() != m_picture->size())
        resize(m_picture->size());
    update();
}

void PictureView::repaintRects(const QVector<QRect> &rects)
{
    for (const QRect &r : rects)
        update(r);
}

void PictureView::resizeEvent(QResizeEvent *)
{
    Q_EMIT resized();
}

void PictureView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // Only the exposed rectangles are converted for the screen: a 20 MP picture never is as a whole.
    for (const QRect &r : event->region()) {
        const QRect source = r.intersected(m_picture->rect());
        if (!source.isEmpty())
            painter.drawImage(source.topLeft(), *m_picture, source);
    }
}

void PictureView::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mouseDown(event);
}

void PictureView::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMove(event);
}

void PictureView::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT mouseUp(event);
}
