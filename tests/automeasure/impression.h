#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include <QImage>
#include <QPointF>

// Synthetic pictures of Brinell impressions with a known circle: a bright surface, the dark wall
// of the impression out to the rim (the true circle) and, optionally, the bright bottom of the
// bowl, with soft rims, sensor noise, scratches and a pile-up ring on demand. Pixel (i, j) shows
// the scene at its centre (i + 0.5, j + 0.5).
namespace impression {

struct Scratch {
    QPointF from, to;
    double width = 2;
    double level = 30;
};

struct Scene {
    int width = 640;
    int height = 480;
    QPointF centre{320, 240};
    double radius = 100;  // the rim
    double bowl = 0;      // radius of the bright bowl bottom; 0 for a plain dark disc
    double ground = 200;
    double wall = 50;
    double bottom = 170;
    double blur = 0;     // rim softness (Gaussian sigma, pixels); 0 for a hard step
    double noise = 0;    // sensor noise sigma, grey levels
    double pileUp = 0;   // brightness of the pile-up ring above the surface
    double pileUpGap = 8;
    double pileUpWidth = 2.5;
    std::vector<Scratch> scratches;
    double sectorFrom = -360;  // degrees around the centre (y down) where the rim shows;
    double sectorTo = 360;     // elsewhere the wall fills the picture
    unsigned seed = 7;
};

inline double softStep(double t, double sigma)
{
    if (sigma <= 0)
        return t >= 0 ? 1.0 : 0.0;
    return 0.5 * std::erfc(-t / (sigma * std::sqrt(2.0)));
}

inline double segmentDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double t = std::clamp(QPointF::dotProduct(p - a, ab) / QPointF::dotProduct(ab, ab), 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

inline QImage render(const Scene &s)
{
    QImage image(s.width, s.height, QImage::Format_BGR888);
    std::mt19937 random(s.seed);
    std::normal_distribution<double> noise(0.0, s.noise > 0 ? s.noise : 1.0);
    for (int y = 0; y < s.height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < s.width; ++x) {
            const QPointF p(x + 0.5, y + 0.5);
            const QPointF d = p - s.centre;
            const double r = std::hypot(d.x(), d.y());
            const double angle = std::atan2(d.y(), d.x()) * 180 / std::numbers::pi;
            const bool rim = angle >= s.sectorFrom && angle <= s.sectorTo;
            double v = s.bowl > 0 ? s.bottom + (s.wall - s.bottom) * softStep(r - s.bowl, s.blur) : s.wall;
            if (rim)
                v += (s.ground - s.wall) * softStep(r - s.radius, s.blur);
            if (s.pileUp != 0)
                v += s.pileUp * std::exp(-std::pow(r - s.radius - s.pileUpGap, 2) / (2 * std::pow(s.pileUpWidth, 2)));
            for (const Scratch &c : s.scratches)
                v += (c.level - v) * softStep(c.width / 2 - segmentDistance(p, c.from, c.to), 0.6);
            if (s.noise > 0)
                v += noise(random);
            const auto grey = static_cast<uchar>(std::clamp(std::lround(v), 0L, 255L));
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = grey;
        }
    }
    return image;
}

} // namespace impression
