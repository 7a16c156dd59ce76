#include "display/zoomin.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "display/magnifier.h"
#include "ui/pictureview.h"
#include "ui/widgets.h"

namespace {

const QString ZoomName = QStringLiteral("fmZoom");

}  // namespace

TfmZoom::TfmZoom(MagnifierZoom &zoom, QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint
                         | Qt::WindowCloseButtonHint),
      m_zoom(zoom)
{
    setObjectName(ZoomName);
    setWindowTitle(QStringLiteral("放大鏡"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The client area of a 310 x 374 window with a caption and thin borders.
    setFixedSize(302, 343);

    auto *zoomIn = named<QPushButton>(this, "bbtZoomIn", QStringLiteral("放大"));
    zoomIn->setGeometry(4, 6, 64, 26);
    auto *zoomOut = named<QPushButton>(this, "bbtZoomOut", QStringLiteral("縮小"));
    zoomOut->setGeometry(72, 6, 64, 26);
    // A magnifier opened again after zooming shows the zoom in force, not the first one's "2 X".
    m_label = named<QLabel>(this, "Label1", zoom.exponent() == -1 ? QStringLiteral("2 X") : zoom.label());
    m_label->setGeometry(148, 6, 100, 26);
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 128, 0));
    m_label->setPalette(palette);
    connect(zoomIn, &QPushButton::clicked, this, &TfmZoom::bbtZoomInClick);
    connect(zoomOut, &QPushButton::clicked, this, &TfmZoom::bbtZoomOutClick);

    // Qt paints every widget double-buffered, as the panel asks for.
    auto *panel = new QFrame(this);
    panel->setGeometry(1, 38, MagnifierWidth, MagnifierHeight);
    m_picture = QImage(MagnifierWidth, MagnifierHeight, QImage::Format_BGR888);
    m_picture.fill(Qt::black);  // the canvas's solid black brush
    m_view = named<PictureView>(panel, "imgView");
    m_view->setPicture(&m_picture);
    connect(m_view, &PictureView::mouseDown, this, &TfmZoom::imgViewMouseDown);
}

TfmZoom *TfmZoom::of(QWidget *owner)
{
    return owner ? owner->findChild<TfmZoom *>(ZoomName, Qt::FindDirectChildrenOnly) : nullptr;
}

TfmZoom *TfmZoom::showFor(QWidget *owner, MagnifierZoom &zoom)
{
    TfmZoom *window = of(owner);
    if (!window) {
        window = new TfmZoom(zoom, owner);
        window->show();
    }
    if (!window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    return window;
}

void TfmZoom::feed(const QImage &picture, QPointF at)
{
    if (renderMagnifier(picture, at, m_zoom.halfSize(), m_picture))
        m_view->repaintRects({QRect(0, 0, MagnifierTarget, MagnifierTarget)});
}

void TfmZoom::bbtZoomInClick()
{
    if (m_zoom.zoomIn())
        updateLabel();
}

void TfmZoom::bbtZoomOutClick()
{
    if (m_zoom.zoomOut())
        updateLabel();
}

void TfmZoom::updateLabel()
{
    m_label->setText(m_zoom.label());
}

void TfmZoom::imgViewMouseDown(QMouseEvent *event)
{
    const QPoint click = event->position().toPoint();
    Canvas canvas(m_picture);
    canvas.setPen(m_pen);
    canvas.moveTo(m_penAt.x(), m_penAt.y());
    canvas.lineTo(click.x(), click.y());
    m_penAt = click;
    m_view->repaintRects(canvas.dirtyRects());
}
