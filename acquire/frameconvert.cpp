#include "acquire/frameconvert.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "acquire/picturefile.h"

namespace {

// Fixed-point (16 fraction bits) tables from one Y, Cb or Cr byte to its share of R, G and B.
struct YuvTables {
    std::array<int, 256> y{};
    std::array<int, 256> crToR{};
    std::array<int, 256> cbToB{};
    std::array<int, 256> cbToG{};
    std::array<int, 256> crToG{};

    YuvTables(YuvMatrix matrix, bool fullRange)
    {
        double kr = 0.299;
        double kb = 0.114;
        if (matrix == YuvMatrix::Bt709) {
            kr = 0.2126;
            kb = 0.0722;
        } else if (matrix == YuvMatrix::Bt2020) {
            kr = 0.2627;
            kb = 0.0593;
        }
        const double kg = 1.0 - kr - kb;
        const double yScale = fullRange ? 1.0 : 255.0 / 219.0;
        const double cScale = fullRange ? 1.0 : 255.0 / 224.0;
        const double yOffset = fullRange ? 0.0 : 16.0;
        constexpr double one = 65536.0;
        for (size_t i = 0; i < saturated.size(); ++i)
            saturated[i] = uchar(std::clamp(int(i) - SaturatedOffset, 0, 255));
        for (int i = 0; i < 256; ++i) {
            const double c = (i - 128) * cScale;
            // The half added to y rounds every sum to nearest when it is shifted down.
            y[size_t(i)] = int(std::lround(((i - yOffset) * yScale + 0.5) * one));
            crToR[size_t(i)] = int(std::lround(2.0 * (1.0 - kr) * c * one));
            cbToB[size_t(i)] = int(std::lround(2.0 * (1.0 - kb) * c * one));
            cbToG[size_t(i)] = int(std::lround(-2.0 * kb * (1.0 - kb) / kg * c * one));
            crToG[size_t(i)] = int(std::lround(-2.0 * kr * (1.0 - kr) / kg * c * one));
        }
    }

    void put(uchar *to, int yv, int cb, int cr) const
    {
        const int luma = y[size_t(yv)];
        const uchar b = clamp(luma + cbToB[size_t(cb)]);
        const uchar g = clamp(luma + cbToG[size_t(cb)] + crToG[size_t(cr)]);
        const uchar r = clamp(luma + crToR[size_t(cr)]);
        to[0] = b;
        to[1] = g;
        to[2] = r;
    }

    [[nodiscard]] uchar clamp(int value) const { return saturated[size_t((value >> 16) + SaturatedOffset)]; }

    // Sums reach from about -300 to 560 before they are cut to a byte.
    static constexpr int SaturatedOffset = 512;
    std::array<uchar, 1536> saturated{};
};

// Frame coordinate under the centre of each of `count` target pixels spread over `length`.
std::vector<int> centres(int count, int length)
{
    std::vector<int> at(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        at[size_t(i)] = int((2 * qint64(i) + 1) * length / (2 * qint64(count)));
    return at;
}

// Fills every target row from frame row ys[row]; `pixel` writes the B, G, R bytes of frame pixel x.
template <class Pixel>
void fill(QImage &out, const std::vector<int> &xs, const std::vector<int> &ys, Pixel pixel)
{
    const int width = out.width();
    for (int row = 0; row < out.height(); ++row) {
        uchar *to = out.scanLine(row);
        const int y = ys[size_t(row)];
        for (int col = 0; col < width; ++col)
            pixel(y, xs[size_t(col)], to + 3 * col);
    }
}

bool planesPresent(const FramePlanes &frame, int count)
{
    for (int i = 0; i < count; ++i)
        if (!frame.bits[i] || frame.stride[i] <= 0)
            return false;
    return true;
}

int planeCount(FrameLayout layout)
{
    switch (layout) {
    case FrameLayout::Nv12:
    case FrameLayout::Nv21:
        return 2;
    case FrameLayout::Yuv420p:
    case FrameLayout::Yv12:
        return 3;
    default:
        return 1;
    }
}

}  // namespace

bool convertFrame(const FramePlanes &frame, QSize outSize, QImage &out)
{
    if (frame.size.isEmpty() || outSize.isEmpty() || !planesPresent(frame, planeCount(frame.layout))
        || !ensurePicture(out, outSize.width(), outSize.height()))
        return false;
    const std::vector<int> xs = centres(outSize.width(), frame.size.width());
    std::vector<int> ys = centres(outSize.height(), frame.size.height());
    if (frame.bottomUp)
        for (int &y : ys)
            y = frame.size.height() - 1 - y;
    const uchar *const *bits = frame.bits;
    const int *stride = frame.stride;
    const auto packed = [&](int b, int g, int r) {
        fill(out, xs, ys, [=](int y, int x, uchar *to) {
            const uchar *from = bits[0] + qsizetype(y) * stride[0] + 4 * x;
            to[0] = from[b];
            to[1] = from[g];
            to[2] = from[r];
        });
    };
    const YuvTables yuv(frame.matrix, frame.fullRange);
    switch (frame.layout) {
    case FrameLayout::Bgrx:
        packed(0, 1, 2);
        break;
    case FrameLayout::Rgbx:
        packed(2, 1, 0);
        break;
    case FrameLayout::Xrgb:
        packed(3, 2, 1);
        break;
    case FrameLayout::Xbgr:
        packed(1, 2, 3);
        break;
    case FrameLayout::Yuyv:
    case FrameLayout::Uyvy: {
        // Offsets of Y, U and V inside a two-pixel group; the second pixel's Y is two bytes on.
        const bool yuyv = frame.layout == FrameLayout::Yuyv;
        const int yAt = yuyv ? 0 : 1;
        const int uAt = yuyv ? 1 : 0;
        const int vAt = yuyv ? 3 : 2;
        fill(out, xs, ys, [&](int y, int x, uchar *to) {
            const uchar *group = bits[0] + qsizetype(y) * stride[0] + 4 * (x / 2);
            yuv.put(to, group[yAt + 2 * (x & 1)], group[uAt], group[vAt]);
        });
        break;
    }
    case FrameLayout::Nv12:
    case FrameLayout::Nv21: {
        const int uAt = frame.layout == FrameLayout::Nv12 ? 0 : 1;
        fill(out, xs, ys, [&](int y, int x, uchar *to) {
            const uchar *c = bits[1] + qsizetype(y / 2) * stride[1] + 2 * (x / 2);
            yuv.put(to, bits[0][qsizetype(y) * stride[0] + x], c[uAt], c[1 - uAt]);
        });
        break;
    }
    case FrameLayout::Yuv420p:
    case FrameLayout::Yv12: {
        const int u = frame.layout == FrameLayout::Yv12 ? 2 : 1;
        const int v = 3 - u;
        fill(out, xs, ys, [&](int y, int x, uchar *to) {
            const qsizetype cy = y / 2;
            yuv.put(to, bits[0][qsizetype(y) * stride[0] + x], bits[u][cy * stride[u] + x / 2],
                    bits[v][cy * stride[v] + x / 2]);
        });
        break;
    }
    case FrameLayout::Y8:
        fill(out, xs, ys, [&](int y, int x, uchar *to) {
            to[0] = to[1] = to[2] = bits[0][qsizetype(y) * stride[0] + x];
        });
        break;
    }
    return true;
}
