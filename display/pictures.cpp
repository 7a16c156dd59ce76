#include "display/pictures.h"

#include <cstring>

#include "base/canvas.h"
#include "base/programerror.h"

namespace {

// Copies a picture into another, keeping the target's buffer when the sizes agree.
void copyInto(const QImage &from, QImage &to)
{
    if (from.isNull()) {
        to = QImage();
        return;
    }
    const QImage source = from.format() == QImage::Format_BGR888 ? from : from.convertToFormat(QImage::Format_BGR888);
    if (source.isNull() || !ensurePicture(to, source.width(), source.height()))
        throw ProgramError(QStringLiteral("記憶體不足 (%1 x %2)").arg(from.width()).arg(from.height()));
    std::memcpy(to.bits(), source.constBits(), std::size_t(source.sizeInBytes()));
}

}  // namespace

Pictures::Pictures(QObject *parent)
    : QObject(parent)
{
}

void Pictures::draw(const std::function<void(Canvas &)> &drawing)
{
    // The marks run along the crosshair's lines: with the crosshair on, taking it off later would
    // invert them where they overlap.
    const bool crosshair = m_crosshairDrawn;
    hideCrosshair();
    Canvas canvas(m_view);
    drawing(canvas);
    for (const QRect &r : canvas.dirtyRects())
        m_marked |= r & m_view.rect();
    Q_EMIT viewChanged(canvas.dirtyRects());
    if (crosshair)
        moveCrosshair(m_crosshairPos);
}

PictureResult Pictures::load(const std::function<PictureResult(QImage &)> &read)
{
    hideCrosshair();
    const Marks marks = saveMarks();
    PictureResult result = read(m_view);
    if (!result.ok()) {
        putBack(marks);
        return result;
    }
    try {
        copyInto(m_view, m_clean);
    } catch (const ProgramError &e) {
        m_clean = QImage();
        result = {PictureResult::Error::OutOfMemory, e.message()};
    }
    viewNowClean();
    Q_EMIT viewReplaced();
    Q_EMIT cleanReplaced();
    return result;
}

void Pictures::replace(const QImage &picture)
{
    hideCrosshair();
    copyInto(picture, m_view);
    copyInto(m_view, m_clean);
    viewNowClean();
    Q_EMIT viewReplaced();
    Q_EMIT cleanReplaced();
}

void Pictures::showBlank(int width, int height)
{
    hideCrosshair();
    if (!ensurePicture(m_view, width, height))
        throw ProgramError(QStringLiteral("記憶體不足 (%1 x %2)").arg(width).arg(height));
    std::memset(m_view.bits(), 0xFF, std::size_t(m_view.sizeInBytes()));
    m_marked = m_view.rect();
    Q_EMIT viewReplaced();
}

void Pictures::commit()
{
    hideCrosshair();
    copyInto(m_view, m_clean);
    viewNowClean();
    Q_EMIT cleanReplaced();
}

void Pictures::restoreClean()
{
    hideCrosshair();
    copyInto(m_clean, m_view);
    viewNowClean();
    Q_EMIT viewReplaced();
}

void Pictures::moveCrosshair(QPoint at)
{
    hideCrosshair();
    xorCrosshair(at);
    m_crosshairPos = at;
    m_crosshairDrawn = true;
}

void Pictures::hideCrosshair()
{
    if (!m_crosshairDrawn)
        return;
    // Drawing the XOR lines again restores the pixels under them.
    xorCrosshair(m_crosshairPos);
    m_crosshairDrawn = false;
}

void Pictures::xorCrosshair(QPoint at)
{
    Canvas canvas(m_view);
    canvas.setPen(0xFFFFFF, PenMode::Xor);
    canvas.line(0, at.y(), m_view.width(), at.y());
    canvas.line(at.x(), 0, at.x(), m_view.height());
    Q_EMIT viewChanged(canvas.dirtyRects());
}

void Pictures::viewNowClean()
{
    m_marked = QRect();
    // The crosshair was on the replaced pixels only.
    m_crosshairDrawn = false;
}

Pictures::Marks Pictures::saveMarks() const
{
    Marks marks;
    if (m_view.size() != m_clean.size()) {
        marks.kept = true;
        marks.whole = m_view.copy();
        return marks;
    }
    // Marks are thin lines and outlines: per row only the runs of bytes that differ are kept, runs
    // a few bytes apart taken as one.
    constexpr int Gap = 16;
    const int left = m_marked.left() * 3;
    const int width = m_marked.width() * 3;
    for (int y = m_marked.top(); y <= m_marked.bottom(); ++y) {
        const uchar *v = m_view.constScanLine(y) + left;
        const uchar *c = m_clean.constScanLine(y) + left;
        int i = 0;
        while (i < width) {
            if (v[i] == c[i]) {
                ++i;
                continue;
            }
            const int first = i;
            int last = i;
            for (; i < width && i - last <= Gap; ++i) {
                if (v[i] != c[i])
                    last = i;
            }
            marks.spans.push_back(
                {y, left + first, QByteArray(reinterpret_cast<const char *>(v + first), last - first + 1)});
            i = last + 1;
        }
    }
    return marks;
}

void Pictures::putBack(const Marks &marks)
{
    if (marks.kept) {
        copyInto(marks.whole, m_view);
    } else {
        copyInto(m_clean, m_view);
        for (const Marks::Span &span : marks.spans)
            std::memcpy(m_view.scanLine(span.y) + span.from, span.bytes.constData(), std::size_t(span.bytes.size()));
    }
    Q_EMIT viewReplaced();
}
