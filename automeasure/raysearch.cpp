#include "automeasure/raysearch.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace {

// Beyond this a centre or radius is no picture position; a search there finds nothing instead of
// walking a ray whose steps no longer change the double.
constexpr double Far = 1e9;

} // namespace

SearchRange searchRange(const CircleSearch &search, double scaleX, double scaleY, int viewWidth,
                        int viewHeight)
{
    SearchRange range;
    range.nominal = search.radius / scaleX;
    range.inner = search.innerPercent * range.nominal * 0.01;
    range.outer = range.nominal * search.outerPercent * 0.01;
    if (search.autoCentre) {
        range.cx = search.centreX / scaleX;
        range.cy = search.centreY / scaleY;
    } else {
        range.cx = viewWidth / 2;
        range.cy = viewHeight / 2;
    }
    return range;
}

int groupCount(double groups)
{
    if (!(groups >= 1))
        return 0;
    return int(std::min(std::trunc(groups), 100.0));
}

int wholePixel(double v)
{
    if (std::isnan(v))
        return 0;
    return int(std::clamp(std::trunc(v), double(INT_MIN), double(INT_MAX)));
}

GuideBox guideCircle(const SearchRange &range, int percent, bool outer)
{
    double cx = range.cx;
    double cy = range.cy;
    if (outer) {
        cx = std::trunc(cx);
        cy = std::trunc(cy);
    }
    const double r = percent * range.nominal * 0.01;
    return {wholePixel(cx - r), wholePixel(cy - r), wholePixel(2 * r + 1)};
}

bool rayInterval(double cx, double cy, double c, double s, int width, int height, double &lo,
                 double &hi)
{
    lo = -HUGE_VAL;
    hi = HUGE_VAL;
    const auto slab = [&](double origin, double step, double last) {
        if (step == 0)
            return origin >= -1 && origin <= last;
        double t1 = (-1 - origin) / step;
        double t2 = (last - origin) / step;
        if (t1 > t2)
            std::swap(t1, t2);
        lo = std::max(lo, t1);
        hi = std::min(hi, t2);
        return lo <= hi;
    };
    return slab(cx, c, width + 1.0) && slab(cy, s, height + 1.0);
}

std::optional<QPointF> scanRay(const PictureRows &picture, double cx, double cy, double theta,
                               double inner, double outer, int threshold, bool outline,
                               bool wholePixels)
{
    double rho = std::trunc(inner + 1);
    if (!(std::abs(cx) < Far && std::abs(cy) < Far && std::abs(rho) < Far))
        return std::nullopt;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    double lo = 0;
    double hi = 0;
    if (!rayInterval(cx, cy, c, s, picture.width, picture.height, lo, hi))
        return std::nullopt;

    const auto at = [&](double r) {
        const double x = cx + r * c;
        const double y = cy + r * s;
        return wholePixels ? QPointF(std::trunc(x), std::trunc(y)) : QPointF(x, y);
    };
    const auto inside = [&](QPointF p) {
        const double x = std::trunc(p.x());
        const double y = std::trunc(p.y());
        return x >= 0 && y >= 0 && x < picture.width && y < picture.height;
    };

    QPointF prev = at(inner);
    // Samples before the ray reaches the picture compare nothing; start just before it.
    const double before = std::ceil(lo - rho) - 1;
    if (before > 0) {
        rho += before;
        prev = at(rho - 1);
    }
    bool prevInside = inside(prev);
    double prevY = prevInside ? picture.brightness(int(prev.x()), int(prev.y())) : 0;
    bool entered = prevInside;
    int skip = outline ? 0 : 1;
    for (; rho < outer && rho <= hi + 1; rho += 1) {
        const QPointF cur = at(rho);
        if (!inside(cur)) {
            if (entered)
                return std::nullopt;
            continue;
        }
        entered = true;
        const double curY = picture.brightness(int(cur.x()), int(cur.y()));
        if (prevInside && std::abs(curY - prevY) * 100 / 255 > threshold) {
            if (skip >= 1)
                return cur;
            ++skip;
        }
        prevY = curY;
        prevInside = true;
    }
    return std::nullopt;
}
