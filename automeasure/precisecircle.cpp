#include "automeasure/precisecircle.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double Pi = 3.141592653589793;
constexpr double Far = 1e9;
constexpr double CoarseStep = 1;   // sample spacing along a ray while looking for flanks, pixels
constexpr double FineStep = 0.5;   // and while placing one
constexpr double SmoothSigma = 1;  // smoothing along the ray, pixels
constexpr double Across = 1;       // the fine profile averages lines this far either side, pixels
constexpr double FlankEnd = 0.1;   // a flank ends where its gradient falls below this share of its peak
constexpr int MaxHalfWindow = 8;   // samples on each side of a peak at most used to place it

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

// Solves the 3 × 3 system whose right-hand side is m's fourth column, by elimination with partial
// pivoting; false when singular.
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
    constexpr int far = MaxHalfWindow * 5 / 4;
    int below = 0;
    while (below < far && high(peak - below - 1))
        ++below;
    int above = 0;
    while (above < far && high(peak + above + 1))
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

struct Ray {
    const PictureRows &picture;
    double cx, cy, c, s;
};

// Brightness along a ray, smoothed (sigma one pixel), and its gradient per pixel.
struct Profile {
    double from = 0;
    std::vector<double> smooth;
    std::vector<double> grad;
};

// Samples from..to every step pixels: the pixel each point lies in, or, with threeLines, the
// bilinear brightness averaged over the ray and the lines a pixel either side of it (they see
// the same rim, straight over a pixel, but other noise).
Profile profileAlong(const Ray &ray, double from, double to, double step, bool threeLines)
{
    Profile p;
    p.from = from;
    const int count = std::max(0, int((to - from) / step) + 1);
    std::vector<double> raw(static_cast<size_t>(count));
    if (threeLines) {
        for (int i = 0; i < count; ++i) {
            const double x = ray.cx + (from + i * step) * ray.c;
            const double y = ray.cy + (from + i * step) * ray.s;
            raw[size_t(i)] = (brightnessAt(ray.picture, x - Across * ray.s, y + Across * ray.c)
                              + brightnessAt(ray.picture, x, y)
                              + brightnessAt(ray.picture, x + Across * ray.s, y - Across * ray.c))
                / 3;
        }
    } else {
        // A slanted ray meets a new picture row at almost every sample, each a cache miss on a
        // large picture: ask for them all first so that they arrive together.
        std::vector<qsizetype> at(static_cast<size_t>(count));
        const PictureRows &pic = ray.picture;
        for (int i = 0; i < count; ++i) {
            const int x = int(ray.cx + (from + i * step) * ray.c);
            const int y = int(ray.cy + (from + i * step) * ray.s);
            at[size_t(i)] = qsizetype(y) * pic.bytesPerLine + qsizetype(x) * 3;
            __builtin_prefetch(pic.bits + at[size_t(i)]);
        }
        for (int i = 0; i < count; ++i) {
            const uchar *px = pic.bits + at[size_t(i)];
            const double r = pic.rgb ? px[0] : px[2];
            const double b = pic.rgb ? px[2] : px[0];
            raw[size_t(i)] = 0.299 * r + 0.587 * px[1] + 0.114 * b;
        }
    }
    const double sigma = SmoothSigma / step;
    const int reach = int(std::ceil(3 * sigma));
    std::vector<double> kernel(size_t(2 * reach + 1));
    double total = 0;
    for (int k = -reach; k <= reach; ++k)
        total += kernel[size_t(k + reach)] = std::exp(-k * k / (2 * sigma * sigma));
    p.smooth.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        double sum = 0;
        for (int k = -reach; k <= reach; ++k)
            sum += kernel[size_t(k + reach)] * raw[size_t(std::clamp(i + k, 0, count - 1))];
        p.smooth[size_t(i)] = sum / total;
    }
    p.grad.assign(size_t(count), 0.0);
    for (int i = 1; i + 1 < count; ++i)
        p.grad[size_t(i)] = (p.smooth[size_t(i + 1)] - p.smooth[size_t(i - 1)]) / (2 * step);
    return p;
}

struct Flank {
    int peak, first, last;  // samples: the steepest, and the ends where it has flattened out
    double strength;
};

// The flanks of a profile whose brightness changes by more than threshold percent of full
// brightness, in order along the ray.
std::vector<Flank> flanksOf(const Profile &p, double step, int threshold)
{
    const std::vector<double> &grad = p.grad;
    const int count = int(grad.size());
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
        // A flank changes the brightness by at most its steepest gradient times its length: the
        // many small peaks of noise fall short of the threshold without being compared.
        if (1.5 * g * (last - first + 1) * step * 100 / 255 > threshold)
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
        if (!shared
            && std::abs(p.smooth[size_t(f.last)] - p.smooth[size_t(f.first)]) * 100 / 255 > threshold)
            kept.push_back(f);
    }
    std::sort(kept.begin(), kept.end(), [](const Flank &a, const Flank &b) { return a.peak < b.peak; });
    return kept;
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
    if (!(to - from >= 2))
        return edges;

    // Which flanks there are is seen on a cheap profile; each is then placed on a fine one.
    const Ray ray{picture, cx, cy, c, s};
    const Profile coarse = profileAlong(ray, from, to, CoarseStep, false);
    for (const Flank &f : flanksOf(coarse, CoarseStep, threshold)) {
        const double at = coarse.from + f.peak * CoarseStep;
        const double reach = std::clamp(0.75 * (f.last - f.first) * CoarseStep + 4, 6.0, 40.0);
        const Profile fine =
            profileAlong(ray, std::max(from, at - reach), std::min(to, at + reach), FineStep, true);
        const int n = int(fine.grad.size());
        const double sign = coarse.grad[size_t(f.peak)];
        const int centre = int(std::lround((at - fine.from) / FineStep));
        int peak = -1;
        for (int i = std::max(1, centre - 4); i <= std::min(n - 2, centre + 4); ++i)
            if (fine.grad[size_t(i)] * sign > 0
                && (peak < 0 || std::abs(fine.grad[size_t(i)]) > std::abs(fine.grad[size_t(peak)])))
                peak = i;
        if (peak > 0)
            edges.push_back(fine.from + peakOf(fine.grad, peak) * FineStep);
    }
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
