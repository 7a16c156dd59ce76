#pragma once

#include <QImage>
#include <QVector>
#include <QWidget>

class QMouseEvent;

// A picture control: shows its 24-bit bitmap at 1:1, sized to it, and reports mouse events in
// picture coordinates. Drawing happens on picture() directly; the caller then names the rectangles
// it touched, so only those are repainted.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent = nullptr);

    [[nodiscard]] QImage &picture() { return m_picture; }
    [[nodiscard]] const QImage &picture() const { return m_picture; }

    // After the bitmap was replaced or resized: the control takes the bitmap's size and repaints.
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
    QImage m_picture;
};
