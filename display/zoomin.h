#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QWidget>

#include "base/canvas.h"

class MagnifierZoom;
class PictureView;
class QLabel;
class QMouseEvent;
class QPushButton;

// The magnifier "放大鏡" ("fmZoom"): a small stay-on-top window showing the square of the picture
// around the cursor, enlarged by the main window's zoom, which outlives it. Closing destroys it.
// It holds its picture control imgView (300 x 304), the buttons "放大" (bbtZoomIn) and "縮小"
// (bbtZoomOut) and the zoom label Label1.
class TfmZoom : public QWidget {
    Q_OBJECT
public:
    TfmZoom(MagnifierZoom &zoom, QWidget *owner);

    // bbtShowZoomClick: the owner's magnifier, made and shown when it has none, in every case on
    // top and not minimised.
    static TfmZoom *showFor(QWidget *owner, MagnifierZoom &zoom);
    // The owner's magnifier, or null.
    [[nodiscard]] static TfmZoom *of(QWidget *owner);

    // The feed from the picture view's mouse moves: the square around `at` of `picture` (24-bit,
    // crosshair and marks included) stretched onto the target square.
    void feed(const QImage &picture, QPointF at);
    [[nodiscard]] const QImage &picture() const { return m_picture; }

public Q_SLOTS:
    void bbtZoomInClick();
    void bbtZoomOutClick();

private:
    void imgViewMouseDown(QMouseEvent *event);
    void updateLabel();

    MagnifierZoom &m_zoom;
    QImage m_picture;
    PictureView *m_view;
    QLabel *m_label;
    // The picture canvas's pen and its position, kept between clicks.
    TColor m_pen = 0;
    QPoint m_penAt;
};
