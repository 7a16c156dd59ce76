#include "acquire/framemath.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "acquire/picturefile.h"

namespace {

// Longest side a picture file can carry (JPEG's limit); it keeps every row size inside an int.
constexpr qint64 MaxSide = 65535;

FrameResult failure(FrameResult::Error error, const QString &detail)
{
    return {error, detail};
}

FrameResult checkSource(const QImage &source)
{
    if (source.isNull() || source.format() != QImage::Format_BGR888)
        return failure(FrameResult::Error::NotPicture, QStringLiteral("the frame is not a 24-bit picture"));
    return {};
}

FrameResult prepare(QImage &out, qint64 width, qint64 height)
{
    if (width > MaxSide || height > MaxSide || width * height > MaxPicturePixels)
        return failure(FrameResult::Error::TooLarge,
                       QStringLiteral("%1 x %2 pixels is larger than a picture may be").arg(width).arg(height));
    if (!ensurePicture(out, int(width), int(height)))
        return failure(FrameResult::Error::OutOfMemory,
                       QStringLiteral("no memory for %1 x %2 pixels").arg(width).arg(height));
    return {};
}

}  // namespace

FrameResult stretchCcd(const QImage &source, QImage &out, double ratioX, double ratioY)
{
    if (!(std::isfinite(ratioX) && std::isfinite(ratioY) && ratioX > 0 && ratioY > 0))
        return failure(FrameResult::Error::BadRatio,
                       QStringLiteral("pixel ratio %1 : %2 is not two numbers above 0").arg(ratioX).arg(ratioY));
    if (FrameResult checked = checkSource(source); !checked.ok())
        return checked;
    const qint64 width = source.width();
    const qint64 height = source.height();
    const qsizetype rowBytes = qsizetype(width) * 3;
    if (ratioX > ratioY) {
        const double e = ratioX / ratioY;
        const double grown = std::trunc(double(height) * e);
        if (FrameResult made = prepare(out, width, grown > double(MaxSide) ? MaxSide + 1 : qint64(grown)); !made.ok())
            return made;
        for (int r = 0; r < out.height(); ++r) {
            const int from = std::min(int(double(r) / e), int(height) - 1);
            std::memcpy(out.scanLine(r), source.constScanLine(from), size_t(rowBytes));
        }
        return {};
    }
    const double e = ratioY / ratioX;
    const double grown = std::trunc(double(width) * e);
    if (FrameResult made = prepare(out, grown > double(MaxSide) ? MaxSide + 1 : qint64(grown), height); !made.ok())
        return made;
    // The source column of every target column, computed once for all rows.
    const int outWidth = out.width();
    std::vector<int> from(static_cast<size_t>(outWidth));
    for (int c = 0; c < outWidth; ++c)
        from[size_t(c)] = 3 * std::min(int(double(c) / e), int(width) - 1);
    for (int r = 0; r < int(height); ++r) {
        const uchar *sourceRow = source.constScanLine(r);
        uchar *to = out.scanLine(r);
        for (int c = 0; c < outWidth; ++c) {
            const uchar *pixel = sourceRow + from[size_t(c)];
            to[3 * c] = pixel[0];
            to[3 * c + 1] = pixel[1];
            to[3 * c + 2] = pixel[2];
        }
    }
    return {};
}

FrameResult stretchCcd(QImage &picture, double ratioX, double ratioY)
{
    if (ratioX == ratioY && std::isfinite(ratioX) && ratioX > 0)
        return checkSource(picture);  // e = 1 copies every pixel onto itself
    QImage out;
    FrameResult result = stretchCcd(picture, out, ratioX, ratioY);
    if (result.ok())
        picture = std::move(out);
    return result;
}

FrameResult digitalZoom2x(const QImage &source, QImage &out)
{
    if (FrameResult checked = checkSource(source); !checked.ok())
        return checked;
    const int width = source.width();
    const int height = source.height();
    if (FrameResult made = prepare(out, 2 * qint64(width), 2 * qint64(height)); !made.ok())
        return made;
    const size_t outRowBytes = size_t(out.width()) * 3;
    if (width < 2 || height < 2) {
        // Nothing is computed: each pixel becomes a 2 x 2 block.
        for (int r = 0; r < height; ++r) {
            const uchar *s = source.constScanLine(r);
            uchar *t = out.scanLine(2 * r);
            for (int x = 0; x < width; ++x)
                for (int k = 0; k < 3; ++k)
                    t[6 * x + k] = t[6 * x + 3 + k] = s[3 * x + k];
            std::memcpy(out.scanLine(2 * r + 1), t, outRowBytes);
        }
        return {};
    }
    for (int r = 0; r < height - 1; ++r) {
        const uchar *s = source.constScanLine(r);
        const uchar *n = source.constScanLine(r + 1);
        uchar *even = out.scanLine(2 * r);
        uchar *odd = out.scanLine(2 * r + 1);
        for (int x = 0; x < width - 1; ++x) {
            for (int k = 0; k < 3; ++k) {
                const int a = s[3 * x + k];
                const int b = s[3 * x + 3 + k];
                const int c = n[3 * x + k];
                const int d = n[3 * x + 3 + k];
                even[6 * x + k] = uchar(a);
                even[6 * x + 3 + k] = uchar((a + b) >> 1);
                odd[6 * x + k] = uchar((a + c) >> 1);
                odd[6 * x + 3 + k] = uchar((a + b + c + d) >> 2);
            }
        }
        // Columns 2W - 2 and 2W - 1 repeat column 2W - 3, the last one computed.
        for (uchar *row : {even, odd}) {
            const uchar *last = row + 3 * (2 * width - 3);
            std::memcpy(row + 3 * (2 * width - 2), last, 3);
            std::memcpy(row + 3 * (2 * width - 1), last, 3);
        }
    }
    // Rows 2H - 2 and 2H - 1 repeat row 2H - 3.
    const uchar *lastRow = out.constScanLine(2 * height - 3);
    std::memcpy(out.scanLine(2 * height - 2), lastRow, outRowBytes);
    std::memcpy(out.scanLine(2 * height - 1), lastRow, outRowBytes);
    return {};
}
