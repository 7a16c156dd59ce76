#include "automeasure/precisecircle.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double Pi = 3.141592653589793;
constexpr double Step = 0.5;        // sample spacing along a ray, pixels
constexpr double SmoothSigma = 2;   // in samples: one pixel
constexpr int SmoothReach = 6;      // kernel half-width in samples
constexpr double FlankEnd = 0.1;    // a flank ends where its gradient falls below this share of its peak
constexpr double Far = 1e9;
constexpr int MaxHalfWindow = 8;   // samples on each side of a peak at most used to place it
constexpr double Across = 1;        // the profile averages lines this far on either side of a ray, pixels

// Bilinear brightness with pixel values at the pixel centres (i + 0.5, j + 0.5).
double brightnessAt(const PictureRows &p, double x, double y)
{
    const double u = x - 0.5;
    const double v = y - 0.5;
    const int i = std::clamp(int(std::floor(u)), 0, p.width - 2);
    const int j = std::clamp(int(std::floor(v)), 0, p.height - 2);
    const double fx = std::clamp(u - i, 0.0, 1.0);
    const double fy = std::clamp(v - j, 0.0, 1.0);
    const double top = p.brightness(i, j) * (1 - fx) + p.brightness(i + 1, j) * fx;
    const double bottom = p.brightness(i, j + 1) * (1 - fx) + p.brightness(i + 1, j + 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

// Distances along the ray for which the profile needs no pixel outside the picture.
bool readableInterval(const PictureRows &p, double cx, double cy, double c, double s, double &lo,
                      double &hi)
{
    constexpr double margin = 0.5 + Across;
    lo = -HUGE_VAL;
    hi = HUGE_VAL;
    const auto slab = [&](double origin, double step, double last) {
        if (std::abs(step) < 1e-12)
            return origin >= margin && origin <= last;
        double t1 = (margin - origin) / step;
        double t2 = (last - origin) / step;
        if (t1 > t2)
            std::swap(t1, t2);
        lo = std::max(lo, t1);
        hi = std::min(hi, t2);
        return lo <= hi;
    };
    return slab(cx, c, p.width - margin) && slab(cy, s, p.height - margin);
}

std::array<double, 2 * SmoothReach + 1> smoothingKernel()
{
    std::array<double, 2 * SmoothReach + 1> k{};
    double sum = 0;
    for (int i = -SmoothReach; i <= SmoothReach; ++i)
        sum += k[i + SmoothReach] = std::exp(-i * i / (2 * SmoothSigma * SmoothSigma));
    for (double &w : k)
        w /= sum;
    return k;
}

double distanceTo(const FittedCircle &c, QPointF p)
{
    return std::hypot(p.x() - c.centre.x(), p.y() - c.centre.y()) - c.radius;
}

std::optional<FittedCircle> circleThrough(QPointF a, QPointF b, QPointF c)
{
    const double d1 = c.y() - a.y();
    const double d2 = b.x() - a.x();
    const double d3 = b.y() - a.y();
    const double d4 = c.x() - a.x();
    const double det = d1 * d2 - d3 * d4;
    if (det == 0)
        return std::nullopt;
    const double j = b.x() * b.x() - a.x() * a.x() + b.y() * b.y() - a.y() * a.y();
    const double k = c.x() * c.x() - a.x() * a.x() + c.y() * c.y() - a.y() * a.y();
    FittedCircle circle;
    circle.centre = QPointF((j * d1 - k * d3) * 0.5 / det, (k * d2 - j * d4) * 0.5 / det);
    circle.radius = std::hypot(circle.centre.x() - a.x(), circle.centre.y() - a.y());
    return circle;
}

// Solves the 3 × 3 system m x = v by elimination with partial pivoting; false when singular.
bool solve3(std::array<std::array<double, 4>, 3> m, std::array<double, 3> &x)
{
    for (int col = 0; col < 3; ++col) {
        int pivot = col;
        for (int row = col + 1; row < 3; ++row)
            if (std::abs(m[row][col]) > std::abs(m[pivot][col]))
                pivot = row;
        if (std::abs(m[pivot][col]) < 1e-12)
            return false;
        std::swap(m[col], m[pivot]);
        for (int row = col + 1; row < 3; ++row) {
            const double f = m[row][col] / m[col][col];
            for (int k = col; k < 4; ++k)
                m[row][k] -= f * m[col][k];
        }
    }
    for (int row = 2; row >= 0; --row) {
        double sum = m[row][3];
        for (int k = row + 1; k < 3; ++k)
            sum -= m[row][k] * x[size_t(k)];
        x[size_t(row)] = sum / m[row][row];
    }
    return true;
}

// The sub-sample position of a gradient peak: the vertex of a parabola fitted by least squares
// to the samples within about one sigma of the peak on both sides, the flank's sigma judged from
// its width at half the peak. Using the top of a soft flank makes the position steady under
// noise; a window kept symmetric and narrow lets no neighbouring feature (a pile-up ring) pull it.
double peakOf(const std::vector<double> &grad, int peak)
{
    const double top = std::abs(grad[size_t(peak)]);
    const auto high = [&](int i) {
        return i >= 0 && i < int(grad.size()) && grad[size_t(i)] * grad[size_t(peak)] > 0
            && std::abs(grad[size_t(i)]) >= 0.5 * top;
    };
    int below = 0;
    while (below < 4 * MaxHalfWindow && high(peak - below - 1))
        ++below;
    int above = 0;
    while (above < 4 * MaxHalfWindow && high(peak + above + 1))
        ++above;
    // Half the peak lies 1.18 sigma out: 0.85 of that reaches one sigma.
    const int reach = std::clamp(int(std::lround(0.85 * std::min(below, above))), 1, MaxHalfWindow);
    if (peak - reach < 0 || peak + reach >= int(grad.size()))
        return peak;
    double s2 = 0, s4 = 0, sy = 0, sty = 0, st2y = 0;
    for (int t = -reach; t <= reach; ++t) {
        const double y = std::abs(grad[size_t(peak + t)]);
        s2 += double(t) * t;
        s4 += double(t) * t * t * t;
        sy += y;
        sty += t * y;
        st2y += double(t) * t * y;
    }
    // Symmetric sample positions decouple the odd term: b = Σty / Σt², and a, c from the even sums.
    const double n = 2 * reach + 1;
    const double a = (n * st2y - s2 * sy) / (n * s4 - s2 * s2);
    const double b = sty / s2;
    if (!(a < 0))
        return peak;
    return peak + std::clamp(-b / (2 * a), -0.5 * reach - 0.5, 0.5 * reach + 0.5);
}

double median(std::vector<double> &values)
{
    const auto mid = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), mid, values.end());
    return *mid;
}

} // namespace

std::vector<double> subPixelEdges(const PictureRows &picture, double cx, double cy, double theta,
                                  double inner, double outer, int threshold)
{
    std::vector<double> edges;
    if (picture.width < 2 || picture.height < 2 || !(std::abs(cx) < Far && std::abs(cy) < Far))
        return edges;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    double lo = 0;
    double hi = 0;
    if (!readableInterval(picture, cx, cy, c, s, lo, hi))
        return edges;
    const double from = std::max(inner, lo);
    const double to = std::min(outer, hi);
    if (!(to - from >= 4 * Step))
        return edges;
    const int count = int((to - from) / Step) + 1;

    // Lines beside the ray see the same rim (it is straight over a pixel) but other noise.
    std::vector<double> raw(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double x = cx + (from + i * Step) * c;
        const double y = cy + (from + i * Step) * s;
        raw[size_t(i)] = (brightnessAt(picture, x - Across * s, y + Across * c)
                          + brightnessAt(picture, x, y)
                          + brightnessAt(picture, x + Across * s, y - Across * c)) / 3;
    }
    static const auto kernel = smoothingKernel();
    std::vector<double> smooth(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        double sum = 0;
        for (int k = -SmoothReach; k <= SmoothReach; ++k)
            sum += kernel[size_t(k + SmoothReach)] * raw[size_t(std::clamp(i + k, 0, count - 1))];
        smooth[size_t(i)] = sum;
    }
    std::vector<double> grad(static_cast<size_t>(count), 0.0);
    for (int i = 1; i + 1 < count; ++i)
        grad[size_t(i)] = (smooth[size_t(i + 1)] - smooth[size_t(i - 1)]) / (2 * Step);

    struct Flank {
        int peak, first, last;
        double strength;
    };
    std::vector<Flank> flanks;
    for (int i = 1; i + 1 < count; ++i) {
        const double g = std::abs(grad[size_t(i)]);
        if (g == 0 || !(g > std::abs(grad[size_t(i - 1)]) && g >= std::abs(grad[size_t(i + 1)])))
            continue;
        const auto partOf = [&](int j) {
            return grad[size_t(j)] * grad[size_t(i)] > 0 && std::abs(grad[size_t(j)]) > FlankEnd * g;
        };
        int first = i;
        while (first > 0 && partOf(first - 1))
            --first;
        int last = i;
        while (last + 1 < count && partOf(last + 1))
            ++last;
        flanks.push_back({i, first, last, g});
    }
    // Noise makes several peaks on one flank; the steepest stands for it.
    std::sort(flanks.begin(), flanks.end(),
              [](const Flank &a, const Flank &b) { return a.strength > b.strength; });
    std::vector<Flank> kept;
    for (const Flank &f : flanks) {
        const bool shared = std::any_of(kept.begin(), kept.end(), [&](const Flank &k) {
            return (k.peak >= f.first && k.peak <= f.last) || (f.peak >= k.first && f.peak <= k.last);
        });
        if (!shared && std::abs(smooth[size_t(f.last)] - smooth[size_t(f.first)]) * 100 / 255 > threshold)
            kept.push_back(f);
    }
    std::sort(kept.begin(), kept.end(), [](const Flank &a, const Flank &b) { return a.peak < b.peak; });
    for (const Flank &f : kept)
        edges.push_back(from + peakOf(grad, f.peak) * Step);
    return edges;
}

std::optional<FittedCircle> fitCircle(std::span<const QPointF> points, FittedCircle start)
{
    if (points.size() < 3)
        return std::nullopt;
    FittedCircle c = start;
    for (int iteration = 0; iteration < 50; ++iteration) {
        std::array<std::array<double, 4>, 3> m{};
        for (const QPointF &p : points) {
            const double dx = p.x() - c.centre.x();
            const double dy = p.y() - c.centre.y();
            const double d = std::hypot(dx, dy);
            if (d == 0)
                continue;
            const std::array<double, 3> j = {-dx / d, -dy / d, -1};
            const double r = d - c.radius;
            for (int a = 0; a < 3; ++a) {
                for (int b = 0; b < 3; ++b)
                    m[size_t(a)][size_t(b)] += j[size_t(a)] * j[size_t(b)];
                m[size_t(a)][3] -= j[size_t(a)] * r;
            }
        }
        std::array<double, 3> step{};
        if (!solve3(m, step))
            return std::nullopt;
        c.centre += QPointF(step[0], step[1]);
        c.radius += step[2];
        if (std::abs(step[0]) + std::abs(step[1]) + std::abs(step[2]) < 1e-10)
            break;
    }
    if (!(std::isfinite(c.centre.x()) && std::isfinite(c.centre.y()) && c.radius > 0))
        return std::nullopt;
    return c;
}

CircleDetection preciseCircle(const PictureRows &picture, const SearchRange &range, int threshold,
                              bool outline)
{
    CircleDetection result;
    const size_t pick = outline ? 1 : 0;
    std::vector<std::vector<QPointF>> candidates;  // per ray that has its edge
    std::vector<QPointF> points;
    for (int k = 0; k < PreciseRays; ++k) {
        const double theta = 2 * Pi * k / PreciseRays;
        const std::vector<double> rhos =
            subPixelEdges(picture, range.cx, range.cy, theta, range.inner, range.outer, threshold);
        if (rhos.size() <= pick)
            continue;
        std::vector<QPointF> onRay;
        for (double rho : rhos)
            onRay.emplace_back(range.cx + rho * std::cos(theta), range.cy + rho * std::sin(theta));
        points.push_back(onRay[pick]);
        candidates.push_back(std::move(onRay));
    }
    const size_t n = points.size();
    if (n < 4) {
        result.edges = std::move(points);
        return result;
    }

    // A first circle that a minority of wrong edges cannot pull: of the ray triples, the one with
    // the least median squared distance to all points.
    const size_t m = n / 3;
    std::optional<FittedCircle> best;
    double bestMedian = HUGE_VAL;
    std::vector<double> squares(n);
    for (size_t j = 0; j < m; ++j) {
        const auto circle = circleThrough(points[j], points[j + m], points[j + 2 * m]);
        if (!circle)
            continue;
        for (size_t i = 0; i < n; ++i)
            squares[i] = std::pow(distanceTo(*circle, points[i]), 2);
        const double med = median(squares);
        if (med < bestMedian) {
            bestMedian = med;
            best = circle;
        }
    }
    result.status = DetectionStatus::NoCircle;
    if (!best) {
        result.edges = std::move(points);
        return result;
    }
    const double sigma = 1.4826 * (1 + 5.0 / double(n - 3)) * std::sqrt(bestMedian);
    double tolerance = std::max(2.5 * sigma, 0.5);

    // A scratch or a second rim can hide the edge a ray should give: take its edge nearest the circle.
    for (size_t r = 0; r < n; ++r)
        for (const QPointF &p : candidates[r])
            if (std::abs(distanceTo(*best, p)) < std::abs(distanceTo(*best, points[r])))
                points[r] = p;

    FittedCircle circle = *best;
    std::vector<bool> inlier(n);
    std::vector<QPointF> kept;
    double rms = 0;
    for (int round = 0; round < 10; ++round) {
        kept.clear();
        for (size_t i = 0; i < n; ++i)
            if ((inlier[i] = std::abs(distanceTo(circle, points[i])) <= tolerance))
                kept.push_back(points[i]);
        if (kept.size() < 4) {
            result.edges = std::move(points);
            return result;
        }
        const auto fitted = fitCircle(kept, circle);
        if (!fitted) {
            result.edges = std::move(points);
            return result;
        }
        circle = *fitted;
        double sum = 0;
        for (const QPointF &p : kept)
            sum += std::pow(distanceTo(circle, p), 2);
        rms = std::sqrt(sum / double(kept.size()));
        const double next = std::max(3 * rms, 0.1);
        bool same = true;
        for (size_t i = 0; i < n; ++i)
            same = same && (std::abs(distanceTo(circle, points[i])) <= next) == inlier[i];
        tolerance = next;
        if (same)
            break;
    }
    result.status = DetectionStatus::Found;
    result.centre = circle.centre;
    result.radius = circle.radius;
    result.residual = rms;
    result.marks = kept;
    result.outliers = int(n - kept.size());
    result.edges = std::move(points);
    return result;
}
