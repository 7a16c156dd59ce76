#include "display/magnifiercontroller.h"

#include <QAbstractButton>
#include <QPushButton>

#include "display/pictures.h"
#include "display/zoomin.h"
#include "ui/guarded.h"

MagnifierController::MagnifierController(const Pictures &pictures, Dialogs &dialogs, const MagnifierWidgets &widgets,
                                         QObject *parent)
    : QObject(parent)
    , m_pictures(pictures)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    connect(m_w.bbtShowZoom, &QAbstractButton::clicked, this, &MagnifierController::bbtShowZoomClick);
    showZoomTag();
}

void MagnifierController::bbtShowZoomClick()
{
    guarded(m_dialogs, m_w.window, [this] {
        const bool existed = TfmZoom::of(m_w.window) != nullptr;
        TfmZoom *zoom = TfmZoom::showFor(m_w.window, m_zoom);
        if (existed)
            return;
        // The button's tag follows the zoom, after the magnifier's own reaction to its buttons.
        for (const char *name : {"bbtZoomIn", "bbtZoomOut"}) {
            if (auto *button = zoom->findChild<QPushButton *>(QString::fromLatin1(name)))
                connect(button, &QPushButton::clicked, this, &MagnifierController::showZoomTag);
        }
    });
}

void MagnifierController::cursorMoved(QPoint at)
{
    guarded(m_dialogs, m_w.window, [&] {
        if (TfmZoom *zoom = TfmZoom::of(m_w.window))
            zoom->feed(m_pictures.view(), at);
    });
}

void MagnifierController::closeMagnifier()
{
    if (TfmZoom *zoom = TfmZoom::of(m_w.window))
        zoom->close();
}

void MagnifierController::showZoomTag()
{
    m_w.bbtShowZoom->setProperty("tag", m_zoom.exponent());
}
