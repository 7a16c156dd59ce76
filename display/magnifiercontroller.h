#pragma once

#include <QObject>
#include <QPoint>

#include "display/magnifier.h"

class Dialogs;
class Pictures;
class QAbstractButton;
class QWidget;

struct MagnifierWidgets {
    QWidget *window = nullptr;             // owns the magnifier "fmZoom"
    QAbstractButton *bbtShowZoom = nullptr;  // "放大鏡"; its tag is the zoom exponent
};

// The magnifier button and the magnifier's feed: "放大鏡" shows the magnifier (one at most, owned
// by the window), and every cursor move over the picture, after the crosshair is drawn, shows the
// square around it enlarged. The zoom lives here, so it outlives a closed magnifier.
class MagnifierController : public QObject {
    Q_OBJECT
public:
    MagnifierController(const Pictures &pictures, Dialogs &dialogs, const MagnifierWidgets &widgets,
                        QObject *parent = nullptr);

    [[nodiscard]] const MagnifierZoom &zoom() const { return m_zoom; }
    // Closes the magnifier, if one is shown (the window hides).
    void closeMagnifier();

public Q_SLOTS:
    void bbtShowZoomClick();
    // The cursor at picture point `at`.
    void cursorMoved(QPoint at);

private:
    void showZoomTag();

    const Pictures &m_pictures;
    Dialogs &m_dialogs;
    MagnifierWidgets m_w;
    MagnifierZoom m_zoom;
};
