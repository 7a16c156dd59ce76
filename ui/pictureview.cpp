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
    m_paintedSize = nullptr;
    m_paintPart = nullptr;
    pictureReplaced();
}

void PictureView::setPainted(std::function<QSize()> size, PaintPart paint)
{
    m_picture = &m_none;
    m_paintedSize = std::move(size);
    m_paintPart = std::move(paint);
    pictureReplaced();
}

QSize PictureView::pictureSize() const
{
    return m_paintedSize ? m_paintedSize() : m_picture->size();
}

void PictureView::pictureReplaced()
{
    if (size() != pictureSize())
        resize(pictureSize());
    update();
}

void PictureView::repaintRects(const QVector<QRect> &rects)
{
    // A refresh names thousands of small rectangles; collecting them costs more than repainting
    // their bounds, of which only the part in sight is painted.
    constexpr qsizetype Many = 64;
    if (rects.size() > Many) {
        QRect bounds;
        for (const QRect &r : rects)
            bounds |= r;
        update(bounds);
        return;
    }
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
    if (m_paintPart) {
        for (const QRect &r : event->region())
            m_paintPart(painter, r);
        return;
    }
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
