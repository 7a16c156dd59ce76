#include "automeasure/circledetect.h"

#include <cmath>

#include "automeasure/precisecircle.h"
#include "base/canvas.h"

namespace {

constexpr double Pi = 3.141592653589793;
constexpr TColor Yellow = 0x00FFFF;

} // namespace

CircleDetection detectCircle(const PictureRows &picture, const CircleSearch &search, double scaleX,
                             double scaleY)
{
    const SearchRange range = searchRange(search, scaleX, scaleY, picture.width, picture.height);
    CircleDetection result;
    if (search.subPixel) {
        result = preciseCircle(picture, range, search.threshold, search.outline);
    } else {
        const int n = groupCount(search.groups);
        std::vector<QPointF> edges;
        for (int k = 0; k < 3 * n; ++k) {
            const double theta = 2 * Pi * k / (3 * n);
            if (auto edge = scanRay(picture, range.cx, range.cy, theta, range.inner, range.outer,
                                    search.threshold, search.outline, false))
                edges.push_back(*edge);
        }
        result = fitRayTriples(std::move(edges));
    }
    if (result.found())
        result.diameter = result.radius * scaleX * 2;
    return result;
}

CircleDetection fitRayTriples(std::vector<QPointF> edges)
{
    CircleDetection result;
    const size_t n = edges.size();
    const size_t m = n / 3;
    double radiusSum = 0;
    double centreX = 0;
    double centreY = 0;
    for (size_t j = 0; j < m; ++j) {
        const QPointF a = edges[j];
        const QPointF b = edges[j + m];
        const QPointF c = edges[j + 2 * m];
        result.marks.insert(result.marks.end(), {a, b, c});
        const double d1 = c.y() - a.y();
        const double d2 = b.x() - a.x();
        const double d3 = b.y() - a.y();
        const double d4 = c.x() - a.x();
        if (d1 * d2 == d3 * d4)
            continue;
        const double jj = std::pow(b.x(), 2) - std::pow(a.x(), 2) + std::pow(b.y(), 2) - std::pow(a.y(), 2);
        const double kk = std::pow(c.x(), 2) - std::pow(a.x(), 2) + std::pow(c.y(), 2) - std::pow(a.y(), 2);
        const double x = (jj * d1 - kk * d3) * 0.5 / (d1 * d2 - d3 * d4);
        const double y = (jj * d4 - kk * d2) * 0.5 / (d3 * d4 - d1 * d2);
        radiusSum += std::sqrt(std::pow(x - a.x(), 2) + std::pow(y - a.y(), 2));
        centreX += x;
        centreY += y;
        ++result.groupsUsed;
    }
    result.edges = std::move(edges);
    if (n < 4) {
        result.status = DetectionStatus::NoEdge;
    } else if (result.groupsUsed == 0) {
        result.status = DetectionStatus::NoCircle;
    } else {
        result.status = DetectionStatus::Found;
        result.radius = radiusSum / result.groupsUsed;
        result.centre = QPointF(centreX / result.groupsUsed, centreY / result.groupsUsed);
    }
    return result;
}

void markEdges(Canvas &canvas, std::span<const QPointF> marks)
{
    canvas.setPen(Yellow, PenMode::Copy);
    for (const QPointF &p : marks)
        canvas.cross(wholePixel(p.x()), wholePixel(p.y()), 2, 3);
}

QString detectionStatusText(DetectionStatus status)
{
    switch (status) {
    case DetectionStatus::Found:
        return {};
    case DetectionStatus::NoEdge:
        return QStringLiteral("找不到邊緣");
    case DetectionStatus::NoCircle:
        return QStringLiteral("邊緣點無法構成圓");
    }
    return {};
}
