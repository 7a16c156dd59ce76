#pragma once

#include <functional>

#include <QImage>
#include <QVector>
#include <QWidget>

class QMouseEvent;
class QPainter;

// A picture control: shows a 24-bit picture someone else owns at 1:1, sized to it, and reports
// mouse events in picture coordinates. The owner draws into the picture and names the rectangles
// it touched, so only those are repainted; after a new picture (perhaps of another size) it calls
// pictureReplaced.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent = nullptr);

    // The picture shown from now on; it must outlive the control.
    void setPicture(const QImage *picture);
    [[nodiscard]] const QImage &picture() const { return *m_picture; }
    // A picture that is not held whole (the clean picture): its size, and the painting of a
    // rectangle of it (in picture coordinates) for each exposed part.
    using PaintPart = std::function<void(QPainter &painter, const QRect &rect)>;
    void setPainted(std::function<QSize()> size, PaintPart paint);

public Q_SLOTS:
    // The control takes the picture's size and repaints all of it.
    void pictureReplaced();
    void repaintRects(const QVector<QRect> &rects);

Q_SIGNALS:
    void mouseDown(QMouseEvent *event);
    void mouseMove(QMouseEvent *event);
    void mouseUp(QMouseEvent *event);
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    [[nodiscard]] QSize pictureSize() const;

    QImage m_none;
    const QImage *m_picture = &m_none;
    std::function<QSize()> m_paintedSize;
    PaintPart m_paintPart;
};
