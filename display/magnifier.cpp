#include "display/magnifier.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "base/numberformat.h"

bool MagnifierZoom::zoomIn()
{
    if (m_exponent <= Nearest)
        return false;
    --m_exponent;
    return true;
}

bool MagnifierZoom::zoomOut()
{
    if (m_exponent >= Farthest)
        return false;
    ++m_exponent;
    return true;
}

double MagnifierZoom::halfSize() const
{
    return std::ldexp(150.0, m_exponent);
}

QString MagnifierZoom::label() const
{
    if (m_exponent > 0)
        return formatFloat(QStringLiteral("1/0X"), std::ldexp(1.0, m_exponent));
    return formatFloat(QStringLiteral("0X"), std::ldexp(1.0, -m_exponent));
}

QRect magnifierSource(QPointF at, double halfSize)
{
    const int left = int(std::trunc(at.x() - halfSize));
    const int top = int(std::trunc(at.y() - halfSize));
    const int right = int(std::trunc(at.x() + halfSize));
    const int bottom = int(std::trunc(at.y() + halfSize));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

namespace {

// Source coordinate under the centre of each target pixel, -1 where it falls outside [0, limit).
std::vector<int> sourceCentres(int origin, int length, int limit)
{
    std::vector<int> at(static_cast<size_t>(MagnifierTarget));
    for (int i = 0; i < MagnifierTarget; ++i) {
        const int s = origin + int((2 * qint64(i) + 1) * length / (2 * MagnifierTarget));
        at[size_t(i)] = s >= 0 && s < limit ? s : -1;
    }
    return at;
}

}  // namespace

bool renderMagnifier(const QImage &picture, QPointF at, double halfSize, QImage &out)
{
    if (out.width() != MagnifierWidth || out.height() != MagnifierHeight
        || out.format() != QImage::Format_BGR888 || !out.isDetached()) {
        out = QImage(MagnifierWidth, MagnifierHeight, QImage::Format_BGR888);
        if (out.isNull())
            return false;
        out.fill(Qt::black);
    }
    const QRect source = magnifierSource(at, halfSize);
    const bool usable = picture.format() == QImage::Format_BGR888 && !picture.isNull();
    const std::vector<int> xs = sourceCentres(source.left(), source.width(), usable ? picture.width() : 0);
    const std::vector<int> ys = sourceCentres(source.top(), source.height(), usable ? picture.height() : 0);
    const size_t targetBytes = size_t(MagnifierTarget) * 3;
    for (int ty = 0; ty < MagnifierTarget; ++ty) {
        uchar *to = out.scanLine(ty);
        const int sy = ys[size_t(ty)];
        if (sy < 0) {
            std::memset(to, 0, targetBytes);
            continue;
        }
        const uchar *from = picture.constScanLine(sy);
        for (int tx = 0; tx < MagnifierTarget; ++tx) {
            const int sx = xs[size_t(tx)];
            uchar *pixel = to + 3 * tx;
            if (sx < 0) {
                pixel[0] = pixel[1] = pixel[2] = 0;
            } else {
                const uchar *s = from + 3 * sx;
                pixel[0] = s[0];
                pixel[1] = s[1];
                pixel[2] = s[2];
            }
        }
    }
    return true;
}
