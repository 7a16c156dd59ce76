#include "acquire/testpattern.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "acquire/picturefile.h"

TestPatternGeometry testPatternGeometry(QSize size, quint64 frame)
{
    TestPatternGeometry geometry;
    geometry.discRadius = std::min(size.width(), size.height()) / 8;
    const qint64 amplitude = size.width() / 4;
    qint64 offset = 0;
    if (amplitude > 0) {
        const qint64 period = 4 * amplitude;
        const qint64 phase = qint64((frame % quint64(period)) * TestPatternGeometry::DiscStep % quint64(period));
        const qint64 u = (phase + amplitude) % period;
        offset = (u < 2 * amplitude ? u : period - u) - amplitude;
    }
    geometry.discCentre = QPoint(size.width() / 2 + int(offset), size.height() / 2);
    return geometry;
}

bool renderTestPattern(QImage &picture, QSize size, quint64 frame)
{
    const int width = size.width();
    const int height = size.height();
    if (width <= 0 || height <= 0 || !ensurePicture(picture, width, height))
        return false;
    using G = TestPatternGeometry;
    const size_t rowBytes = size_t(width) * 3;

    // A stage row crossed by the grid's columns, copied into every row that is not a grid row.
    QByteArray stageRow(static_cast<qsizetype>(rowBytes), static_cast<char>(G::StageLevel));
    for (int x = 0; x < width; x += G::GridStep)
        std::memset(stageRow.data() + 3 * x, G::GridLevel, 3);
    for (int y = 0; y < height; ++y) {
        uchar *row = picture.scanLine(y);
        if (y % G::GridStep == 0)
            std::memset(row, G::GridLevel, rowBytes);
        else
            std::memcpy(row, stageRow.constData(), rowBytes);
    }

    const TestPatternGeometry geometry = testPatternGeometry(size, frame);
    const int cx = geometry.discCentre.x();
    const int cy = geometry.discCentre.y();
    const qint64 r2 = qint64(geometry.discRadius) * geometry.discRadius;
    for (int dy = -geometry.discRadius; dy <= geometry.discRadius; ++dy) {
        const int y = cy + dy;
        if (y < 0 || y >= height)
            continue;
        // The widest dx with dx^2 + dy^2 <= R^2, in integers so the edge is exact.
        qint64 half = qint64(std::sqrt(double(r2 - qint64(dy) * dy)));
        while (half * half + qint64(dy) * dy > r2)
            --half;
        while ((half + 1) * (half + 1) + qint64(dy) * dy <= r2)
            ++half;
        const int from = std::max(0, cx - int(half));
        const int to = std::min(width - 1, cx + int(half));
        if (from <= to)
            std::memset(picture.scanLine(y) + 3 * from, G::DiscLevel, size_t(to - from + 1) * 3);
    }

    const int marker = std::min({G::MarkerSize, width, height});
    const uchar red[3] = {0, 0, 255};  // bytes in B, G, R order
    const uchar blue[3] = {255, 0, 0};
    for (int y = 0; y < marker; ++y) {
        uchar *row = picture.scanLine(y);
        for (int x = 0; x < marker; ++x) {
            std::memcpy(row + 3 * x, red, 3);
            std::memcpy(row + 3 * (width - 1 - x), blue, 3);
        }
    }
    return true;
}
