#include "display/pictures.h"

#include <cstring>

#include <QPainter>

#include "base/programerror.h"

namespace {

ProgramError noMemory(int width, int height)
{
    return ProgramError(QStringLiteral("記憶體不足 (%1 x %2)").arg(width).arg(height));
}

// Copies a picture into another, keeping the target's buffer when the sizes agree.
void copyInto(const QImage &from, QImage &to)
{
    if (from.isNull()) {
        to = QImage();
        return;
    }
    const QImage source = from.format() == QImage::Format_BGR888 ? from : from.convertToFormat(QImage::Format_BGR888);
    if (source.isNull() || !ensurePicture(to, source.width(), source.height()))
        throw noMemory(from.width(), from.height());
    std::memcpy(to.bits(), source.constBits(), std::size_t(source.sizeInBytes()));
}

// The XOR crosshair's two lines through `at`, which drawn twice leave the picture as it was.
// Not watched: nothing of the clean picture is lost under them.
QVector<QRect> xorCrosshair(QImage &picture, QPoint at)
{
    Canvas canvas(picture);
    canvas.setPen(0xFFFFFF, PenMode::Xor);
    canvas.line(0, at.y(), picture.width(), at.y());
    canvas.line(at.x(), 0, at.x(), picture.height());
    return canvas.dirtyRects();
}

TColor pixelOf(const uchar *p)
{
    return TColor(p[2]) | TColor(p[1]) << 8 | TColor(p[0]) << 16;
}

}  // namespace

Pictures::Pictures(QObject *parent)
    : QObject(parent)
{
    m_tiles.reset(m_view.size());
}

QSize Pictures::cleanSize() const
{
    return cleanIsOwn() ? m_ownClean.size() : m_view.size();
}

TColor Pictures::cleanPixel(int x, int y) const
{
    if (cleanIsOwn())
        return m_ownClean.valid(x, y) ? pixelOf(m_ownClean.constScanLine(y) + 3 * x) : 0;
    if (!m_view.valid(x, y))
        return 0;
    if (const uchar *kept = m_tiles.pixel(x, y))
        return pixelOf(kept);
    TColor colour = pixelOf(m_view.constScanLine(y) + 3 * x);
    // The crosshair's lines are XORed once, their crossing twice.
    const bool onLine = m_crosshairDrawn && ((x == m_crosshairPos.x()) != (y == m_crosshairPos.y()));
    return onLine ? colour ^ 0xFFFFFF : colour;
}

QImage Pictures::cleanCopy() const
{
    if (cleanIsOwn())
        return m_ownClean.copy();
    QImage copy = m_view.copy();
    if (copy.isNull() && !m_view.isNull())
        throw noMemory(m_view.width(), m_view.height());
    if (m_crosshairDrawn)
        xorCrosshair(copy, m_crosshairPos);
    m_tiles.copyInto(copy);
    return copy;
}

void Pictures::paintClean(QPainter &painter, const QRect &rect) const
{
    const QRect source = rect & QRect(QPoint(0, 0), cleanSize());
    if (source.isEmpty())
        return;
    if (cleanIsOwn()) {
        painter.drawImage(source.topLeft(), m_ownClean, source);
        return;
    }
    // Only the exposed part is put together, as a picture of its own.
    QImage part = m_view.copy(source);
    for (int y = 0; y < part.height(); ++y) {
        uchar *row = part.scanLine(y);
        for (int x = 0; x < part.width(); ++x) {
            const TColor c = cleanPixel(source.left() + x, source.top() + y);
            row[3 * x] = uchar(c >> 16);
            row[3 * x + 1] = uchar(c >> 8);
            row[3 * x + 2] = uchar(c);
        }
    }
    painter.drawImage(source.topLeft(), part);
}

void Pictures::withClean(const std::function<void(const QImage &)> &use)
{
    if (cleanIsOwn()) {
        use(m_ownClean);
        return;
    }
    const bool crosshair = m_crosshairDrawn;
    hideCrosshair();
    // The kept tiles go in and come out again however `use` ends.
    struct Swapped {
        CleanTiles &tiles;
        QImage &view;
        ~Swapped() { tiles.swapWith(view); }
    };
    {
        m_tiles.swapWith(m_view);
        const Swapped back{m_tiles, m_view};
        use(m_view);
    }
    if (crosshair)
        moveCrosshair(m_crosshairPos);
}

qint64 Pictures::cleanExtraBytes() const
{
    return cleanIsOwn() ? m_ownClean.sizeInBytes() : m_tiles.keptBytes();
}

void Pictures::draw(const std::function<void(Canvas &)> &drawing)
{
    // The marks run along the crosshair's lines: with the crosshair on, taking it off later would
    // invert them where they overlap.
    const bool crosshair = m_crosshairDrawn;
    hideCrosshair();
    // While the clean picture shares the visible one's buffer, its pixels are kept before a mark
    // covers them.
    Canvas canvas(m_view, cleanIsOwn() || m_view.isNull() ? nullptr : &m_tiles.watch(m_view));
    // A drawing that throws leaves what it drew, shown.
    struct Shown {
        Pictures &pictures;
        const Canvas &canvas;
        bool crosshair;
        ~Shown()
        {
            Q_EMIT pictures.viewChanged(canvas.dirtyRects());
            if (crosshair)
                pictures.moveCrosshair(pictures.m_crosshairPos);
        }
    } shown{*this, canvas, crosshair};
    drawing(canvas);
}

PictureResult Pictures::load(const std::function<PictureResult(QImage &)> &read, FailedRead failedRead)
{
    QImage fresh;
    const bool inPlace = failedRead == FailedRead::LeavesItAsItWas && !cleanIsOwn();
    if (inPlace)
        hideCrosshair();
    QImage &into = inPlace ? m_view : fresh;
    PictureResult result = read(into);
    if (!result.ok())
        return result;
    // The picture readers give 24-bit pictures.
    Q_ASSERT(into.format() == QImage::Format_BGR888);
    if (!inPlace)
        m_view = std::move(fresh);
    takeNewPicture();
    return result;
}

void Pictures::replace(const QImage &picture)
{
    hideCrosshair();
    copyInto(picture, m_view);
    takeNewPicture();
}

void Pictures::takeNewPicture()
{
    m_crosshairDrawn = false;
    m_ownClean = QImage();
    m_tiles.reset(m_view.size());
    Q_EMIT viewReplaced();
    Q_EMIT cleanReplaced();
}

void Pictures::showBlank(int width, int height)
{
    hideCrosshair();
    // With no picture before it there is no clean picture to keep apart: the blank one shares the
    // buffer as a newly read picture does.
    const bool noClean = !cleanIsOwn() && m_view.isNull();
    if (!cleanIsOwn() && !noClean) {
        // The clean picture moves out of the visible picture's buffer into one of its own.
        m_tiles.restoreInto(m_view);
        m_ownClean = std::move(m_view);
        m_view = QImage();
    }
    if (!ensurePicture(m_view, width, height))
        throw noMemory(width, height);
    std::memset(m_view.bits(), 0xFF, std::size_t(m_view.sizeInBytes()));
    if (noClean) {
        m_tiles.reset(m_view.size());
        Q_EMIT cleanReplaced();
    }
    Q_EMIT viewReplaced();
}

void Pictures::commit()
{
    hideCrosshair();
    if (cleanIsOwn()) {
        m_ownClean = QImage();
        m_tiles.reset(m_view.size());
    } else {
        m_tiles.forget();
    }
    Q_EMIT cleanReplaced();
}

void Pictures::restoreClean()
{
    hideCrosshair();
    if (cleanIsOwn()) {
        m_view = std::move(m_ownClean);
        m_ownClean = QImage();
        m_tiles.reset(m_view.size());
    } else {
        m_tiles.restoreInto(m_view);
    }
    Q_EMIT viewReplaced();
}

void Pictures::moveCrosshair(QPoint at)
{
    hideCrosshair();
    Q_EMIT viewChanged(xorCrosshair(m_view, at));
    m_crosshairPos = at;
    m_crosshairDrawn = true;
}

void Pictures::hideCrosshair()
{
    if (!m_crosshairDrawn)
        return;
    // Drawing the XOR lines again restores the pixels under them.
    m_crosshairDrawn = false;
    Q_EMIT viewChanged(xorCrosshair(m_view, m_crosshairPos));
}
