#include "base/canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Coordinates are ints, but products of two differences need more than 64 bits when a caller passes
// points near the int limits.
__extension__ using Wide = __int128;

Wide floorDiv(Wide a, Wide b) // b > 0
{
    Wide q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return q;
}

Wide ceilDiv(Wide a, Wide b) // b > 0
{
    return -floorDiv(-a, b);
}

// Writes one pixel's colour bytes; the pen is prepared as B, G, R. With a tile watch, a tile is
// kept before its first pixel is written; consecutive pixels mostly fall in the tile last checked.
class PixelWriter {
public:
    PixelWriter(QImage &image, TColor color, PenMode mode, const TileWatch *watch)
        : m_bits(image.bits()), m_stride(image.bytesPerLine()), m_watch(watch), m_xor(mode == PenMode::Xor),
          m_b(uchar(color >> 16)), m_g(uchar(color >> 8)), m_r(uchar(color))
    {
    }

    void put(int x, int y)
    {
        if (m_watch)
            touch(x >> m_watch->shiftX, y >> m_watch->shiftY);
        put(row(y) + 3 * std::ptrdiff_t(x));
    }

    // Paints x in [from, to] of row y; the caller has clipped.
    void run(int y, int from, int to)
    {
        if (m_watch) {
            for (int tx = from >> m_watch->shiftX; tx <= to >> m_watch->shiftX; ++tx)
                touch(tx, y >> m_watch->shiftY);
        }
        uchar *p = row(y) + 3 * std::ptrdiff_t(from);
        for (int x = from; x <= to; ++x, p += 3)
            put(p);
    }

private:
    [[nodiscard]] uchar *row(int y) const { return m_bits + std::ptrdiff_t(y) * m_stride; }

    void touch(int tx, int ty)
    {
        const int tile = ty * m_watch->columns + tx;
        if (tile == m_lastTile)
            return;
        if (m_watch->tileSlots[tile] < 0)
            m_watch->keep(tile);
        m_lastTile = tile;
    }

    void put(uchar *p) const
    {
        if (m_xor) {
            p[0] ^= m_b;
            p[1] ^= m_g;
            p[2] ^= m_r;
        } else {
            p[0] = m_b;
            p[1] = m_g;
            p[2] = m_r;
        }
    }

    uchar *m_bits;
    std::ptrdiff_t m_stride;
    const TileWatch *m_watch;
    int m_lastTile = -1;
    bool m_xor;
    uchar m_b;
    uchar m_g;
    uchar m_r;
};

// Rows of the filled ellipse inscribed in a box, as spans around the centre. Only the rows that can
// matter for a picture of the given height are computed, so a huge circle mostly outside the
// picture costs no more than the visible rows.
class EllipseSpans {
public:
    EllipseSpans(long long left, long long top, long long right, long long bottom, int pictureHeight)
        : m_top(top), m_bottom(bottom - 1), m_twiceCx(left + right - 1)
    {
        // Centre-to-centre radii plus half a pixel: the ellipse through the box's outer edges.
        const double a = double(right - left) / 2.0;
        const double b = double(bottom - top) / 2.0;
        const double cy = double(top + bottom - 1) / 2.0;
        const long long halfWidthMax = (right - left - 1) / 2;
        m_first = std::max(m_top, -1LL);
        const long long last = std::min(m_bottom, (long long)pictureHeight);
        if (last < m_first)
            return;
        m_halfWidth.resize(std::size_t(last - m_first + 1));
        const bool oddCentre = (m_twiceCx & 1) != 0;
        for (long long y = m_first; y <= last; ++y) {
            const double dy = std::fabs(double(y) - cy);
            long long k;
            // The middle row(s) always reach the box edges so that flat ellipses still touch them.
            if (dy < 1.0) {
                k = halfWidthMax;
            } else {
                const double t = dy / b;
                const double w = a * std::sqrt(std::max(0.0, 1.0 - t * t));
                // Pixels whose centres lie within w of the centre; for a centre between two
                // columns those are at offsets 0.5, 1.5, ...
                k = oddCentre ? (long long)std::floor(w - 0.5) : (long long)std::floor(w);
                // The middle column(s) are always filled so that thin ellipses are closed.
                k = std::clamp(k, 0LL, halfWidthMax);
            }
            m_halfWidth[std::size_t(y - m_first)] = k;
        }
    }

    [[nodiscard]] bool has(long long y) const { return y >= m_top && y <= m_bottom; }
    // The span of row y (which must satisfy has(y)), as [left, right].
    [[nodiscard]] long long left(long long y) const { return (m_twiceCx - odd()) / 2 - halfWidth(y); }
    [[nodiscard]] long long right(long long y) const { return (m_twiceCx + odd()) / 2 + halfWidth(y); }

private:
    [[nodiscard]] long long odd() const { return m_twiceCx & 1; }
    [[nodiscard]] long long halfWidth(long long y) const { return m_halfWidth[std::size_t(y - m_first)]; }

    long long m_top;
    long long m_bottom;
    long long m_twiceCx;
    long long m_first = 0;
    std::vector<long long> m_halfWidth;
};

// Calls paint(y, from, to) for each run of outline pixels inside a width x height picture. A pixel
// of the filled ellipse is on the outline when one of its four neighbours is not filled; the outline
// of such a row- and column-convex shape is closed and 8-connected, and each row contributes at most
// two runs, so the cost follows the perimeter.
template <typename Paint>
void forEachOutlineRun(int left, int top, int right, int bottom, int width, int height, Paint paint)
{
    const EllipseSpans spans(left, top, right, bottom, height);
    const long long firstRow = std::max<long long>(top, 0);
    const long long lastRow = std::min<long long>((long long)bottom - 1, height - 1);
    auto paintRun = [&](long long y, long long from, long long to) {
        from = std::max(from, 0LL);
        to = std::min(to, (long long)width - 1);
        if (from <= to)
            paint(int(y), int(from), int(to));
    };
    for (long long y = firstRow; y <= lastRow; ++y) {
        const long long xl = spans.left(y);
        const long long xr = spans.right(y);
        // Interior pixels: not at the span's ends and filled in both neighbouring rows.
        long long il = xl + 1;
        long long ir = xr - 1;
        if (spans.has(y - 1) && spans.has(y + 1)) {
            il = std::max({il, spans.left(y - 1), spans.left(y + 1)});
            ir = std::min({ir, spans.right(y - 1), spans.right(y + 1)});
        } else {
            ir = il - 1;
        }
        if (il > ir) {
            paintRun(y, xl, xr);
        } else {
            paintRun(y, xl, il - 1);
            paintRun(y, ir + 1, xr);
        }
    }
}

double rayAngle(double cx, double cy, double x, double y)
{
    return std::atan2(-(y - cy), x - cx);
}

double normalizedAngle(double angle)
{
    constexpr double full = 2.0 * std::numbers::pi;
    angle = std::fmod(angle, full);
    return angle < 0 ? angle + full : angle;
}

} // namespace

Canvas::Canvas(QImage &image, const TileWatch *watch) : m_image(image), m_watch(watch)
{
    Q_ASSERT(image.isNull() || image.format() == QImage::Format_BGR888);
}

void Canvas::setPen(TColor color, PenMode mode)
{
    m_pen = color;
    m_mode = mode;
}

void Canvas::moveTo(int x, int y)
{
    m_x = x;
    m_y = y;
}

// The pixel at step i of n along the major axis is offset along the minor axis by i * |dMinor| / n
// rounded to the nearest integer, halves towards the start. That closed form lets the line be
// clipped by solving for the first and last visible step instead of walking off-picture pixels;
// the walk itself then runs on the usual incremental error term.
void Canvas::lineTo(int x, int y)
{
    const long long x0 = m_x;
    const long long y0 = m_y;
    m_x = x;
    m_y = y;
    const long long dx = x - x0;
    const long long dy = y - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long n = xMajor ? std::llabs(dx) : std::llabs(dy);
    if (n == 0)
        return;
    const long long m = xMajor ? std::llabs(dy) : std::llabs(dx);
    const long long majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const long long minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const long long major0 = xMajor ? x0 : y0;
    const long long minor0 = xMajor ? y0 : x0;
    const long long majorSize = xMajor ? m_image.width() : m_image.height();
    const long long minorSize = xMajor ? m_image.height() : m_image.width();

    // Steps whose major coordinate lies in [0, majorSize).
    Wide first = 0;
    Wide last = n - 1;
    if (majorStep > 0) {
        first = std::max<Wide>(first, -major0);
        last = std::min<Wide>(last, majorSize - 1 - major0);
    } else {
        first = std::max<Wide>(first, major0 - (majorSize - 1));
        last = std::min<Wide>(last, major0);
    }
    // Offsets o with minor0 + minorStep * o in [0, minorSize).
    const long long offLo = minorStep > 0 ? -minor0 : minor0 - (minorSize - 1);
    const long long offHi = minorStep > 0 ? minorSize - 1 - minor0 : minor0;
    // offset(i) = floor((2 i m + n - 1) / 2n), non-decreasing in i.
    if (m == 0) {
        if (offLo > 0 || offHi < 0)
            return;
    } else {
        first = std::max(first, ceilDiv(Wide(2) * n * offLo - n + 1, Wide(2) * m));
        last = std::min(last, floorDiv(Wide(2) * n * (Wide(offHi) + 1) - n, Wide(2) * m));
    }
    if (first > last)
        return;

    PixelWriter writer(m_image, m_pen, m_mode, m_watch);
    const Wide startNumerator = Wide(2) * first * m + n - 1;
    long long offset = (long long)floorDiv(startNumerator, Wide(2) * n);
    long long remainder = (long long)(startNumerator - Wide(offset) * 2 * n);
    long long major = major0 + majorStep * (long long)first;
    long long minor = minor0 + minorStep * offset;
    const long long steps = (long long)(last - first) + 1;
    const QPoint firstPixel = xMajor ? QPoint(int(major), int(minor)) : QPoint(int(minor), int(major));
    long long lastMinor = minor;
    for (long long s = 0; s < steps; ++s) {
        if (xMajor)
            writer.put(int(major), int(minor));
        else
            writer.put(int(minor), int(major));
        lastMinor = minor;
        major += majorStep;
        remainder += 2 * m;
        if (remainder >= 2 * n) {
            remainder -= 2 * n;
            minor += minorStep;
        }
    }
    major -= majorStep;
    const QPoint lastPixel = xMajor ? QPoint(int(major), int(lastMinor)) : QPoint(int(lastMinor), int(major));
    m_dirty.append(QRect(QPoint(std::min(firstPixel.x(), lastPixel.x()), std::min(firstPixel.y(), lastPixel.y())),
                         QPoint(std::max(firstPixel.x(), lastPixel.x()), std::max(firstPixel.y(), lastPixel.y()))));
}

void Canvas::line(int x1, int y1, int x2, int y2)
{
    moveTo(x1, y1);
    lineTo(x2, y2);
}

// In XOR mode the centre pixel belongs to both strokes and so flips back to the picture's colour;
// the platform draws the mark that way and users know it with the hole in the middle.
void Canvas::cross(int x, int y, int before, int after)
{
    const qsizetype dirtyBefore = m_dirty.size();
    line(x - before, y, x + after, y);
    line(x, y - before, x, y + after);
    QRect united;
    for (qsizetype i = dirtyBefore; i < m_dirty.size(); ++i)
        united |= m_dirty[i];
    m_dirty.resize(dirtyBefore);
    if (!united.isEmpty())
        m_dirty.append(united);
}

void Canvas::ellipse(int left, int top, int right, int bottom)
{
    arc(left, top, right, bottom, 0, 0, 0, 0);
}

void Canvas::arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY)
{
    if (right <= left || bottom <= top)
        return;
    const QRect box = QRect(QPoint(std::max(left, 0), std::max(top, 0)),
                            QPoint(std::min(right - 1, m_image.width() - 1), std::min(bottom - 1, m_image.height() - 1)));
    if (box.isEmpty())
        return;

    const double cx = (double(left) + double(right) - 1.0) / 2.0;
    const double cy = (double(top) + double(bottom) - 1.0) / 2.0;
    const double start = rayAngle(cx, cy, startX, startY);
    const double sweep = normalizedAngle(rayAngle(cx, cy, endX, endY) - start);
    const bool whole = sweep == 0.0;

    PixelWriter writer(m_image, m_pen, m_mode, m_watch);
    bool painted = false;
    forEachOutlineRun(left, top, right, bottom, m_image.width(), m_image.height(), [&](int y, int from, int to) {
        if (whole) {
            writer.run(y, from, to);
            painted = true;
            return;
        }
        for (int x = from; x <= to; ++x) {
            if (normalizedAngle(rayAngle(cx, cy, x, y) - start) <= sweep) {
                writer.put(x, y);
                painted = true;
            }
        }
    });
    if (painted)
        m_dirty.append(box);
}

void Canvas::fillRect(int left, int top, int right, int bottom, TColor color)
{
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    const int x1 = std::min(right, m_image.width()) - 1;
    const int y1 = std::min(bottom, m_image.height()) - 1;
    if (x0 > x1 || y0 > y1)
        return;
    PixelWriter writer(m_image, color, PenMode::Copy, m_watch);
    for (int y = y0; y <= y1; ++y)
        writer.run(y, x0, x1);
    m_dirty.append(QRect(QPoint(x0, y0), QPoint(x1, y1)));
}

TColor Canvas::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return 0;
    const uchar *p = m_image.constScanLine(y) + 3 * std::ptrdiff_t(x);
    return TColor(p[2]) | TColor(p[1]) << 8 | TColor(p[0]) << 16;
}
