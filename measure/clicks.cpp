#include "measure/clicks.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "records/measurementobject.h"

namespace {

constexpr TColor kRed = 0x0000FF;
// With a point group's line known, picture clicks go to this slot and the line stays in slots 1, 2.
constexpr int kGroupSlot = 5;

void drawLine(Canvas &canvas, QPointF a, QPointF b)
{
    canvas.line(toPixel(a.x()), toPixel(a.y()), toPixel(b.x()), toPixel(b.y()));
}

QPointF slot(const ClickState &state, int index)
{
    return {state.PointX[static_cast<std::size_t>(index)], state.PointY[static_cast<std::size_t>(index)]};
}

void store(ClickState &state, int index, QPointF p)
{
    state.PointX[static_cast<std::size_t>(index)] = p.x();
    state.PointY[static_cast<std::size_t>(index)] = p.y();
}

bool showsContinuePrompt(MeasurementKind kind, int pointCount)
{
    switch (kind) {
    case MeasurementKind::Width:
    case MeasurementKind::Height:
    case MeasurementKind::PointToPoint:
        return pointCount > 1;
    case MeasurementKind::PointToLine:
    case MeasurementKind::LineToLine:
    case MeasurementKind::Circle:
    case MeasurementKind::Arc:
        return pointCount > 2;
    default:
        return false;
    }
}

void drawCentreCross(Canvas &canvas, QPointF c)
{
    canvas.line(toPixel(c.x() - 8), toPixel(c.y()), toPixel(c.x() + 8), toPixel(c.y()));
    canvas.line(toPixel(c.x()), toPixel(c.y() - 8), toPixel(c.x()), toPixel(c.y() + 8));
}

void drawCentreRing(Canvas &canvas, QPointF c)
{
    canvas.ellipse(toPixel(c.x() - 3), toPixel(c.y() - 3), toPixel(c.x() + 4), toPixel(c.y() + 4));
}

// The result drawing of a completed kind; the pen is already the drawing colour in copy mode.
void drawResult(Canvas &canvas, const Completion &done)
{
    const auto &p = done.points;
    const GeometryResult &g = done.geometry;
    const QPointF centre(g.val[1], g.val[2]);
    switch (done.kind) {
    case MeasurementKind::Width: {
        const double m = (p[0].y() + p[1].y()) * 0.5;
        canvas.line(toPixel(p[0].x()), toPixel(m), toPixel(p[1].x()), toPixel(m));
        canvas.line(toPixel(p[0].x()), toPixel(m - 9), toPixel(p[0].x()), toPixel(m + 10));
        canvas.line(toPixel(p[1].x()), toPixel(m - 9), toPixel(p[1].x()), toPixel(m + 10));
        break;
    }
    case MeasurementKind::Height: {
        const double m = (p[0].x() + p[1].x()) * 0.5;
        canvas.line(toPixel(m), toPixel(p[0].y()), toPixel(m), toPixel(p[1].y()));
        canvas.line(toPixel(m - 9), toPixel(p[0].y()), toPixel(m + 10), toPixel(p[0].y()));
        canvas.line(toPixel(m - 9), toPixel(p[1].y()), toPixel(m + 10), toPixel(p[1].y()));
        break;
    }
    case MeasurementKind::PointToPoint:
    case MeasurementKind::CircleToCircle:
        drawLine(canvas, p[0], p[1]);
        break;
    case MeasurementKind::PointToLine:
    case MeasurementKind::LineToLine:
        drawLine(canvas, p[1], p[2]);
        drawLine(canvas, p[0], centre);  // (Val2, Val3) is the foot point
        break;
    case MeasurementKind::PointGroup:
        canvas.setPen(kRed, PenMode::Copy);
        drawLine(canvas, p[1], p[2]);
        drawLine(canvas, p[0], centre);
        break;
    case MeasurementKind::Circle: {
        const double r = g.val[0];
        drawCentreCross(canvas, centre);
        drawCentreRing(canvas, centre);
        canvas.ellipse(toPixel(centre.x() - r), toPixel(centre.y() - r), toPixel(centre.x() + r + 1),
                       toPixel(centre.y() + r + 1));
        break;
    }
    case MeasurementKind::Arc: {
        const double r = g.val[0];
        drawCentreCross(canvas, centre);
        canvas.arc(toPixel(centre.x() - r), toPixel(centre.y() - r), toPixel(centre.x() + r + 1), toPixel(centre.y() + r + 1),
                   toPixel(p[0].x()), toPixel(p[0].y()), toPixel(p[2].x()), toPixel(p[2].y()));
        drawCentreRing(canvas, centre);
        break;
    }
    case MeasurementKind::Angle:
        canvas.moveTo(toPixel(p[0].x()), toPixel(p[0].y()));
        canvas.lineTo(toPixel(centre.x()), toPixel(centre.y()));  // (Val2, Val3) is the intersection
        canvas.lineTo(toPixel(p[2].x()), toPixel(p[2].y()));
        canvas.lineTo(toPixel(centre.x()), toPixel(centre.y()));
        break;
    case MeasurementKind::TextNote:
        break;  // the label carries the text; the caller asks for it before storing
    }
}

// Computes the kind from its points, draws the result and leaves the count as the completion
// sequence does; nullopt (and nothing drawn) when the kind gives no measurement.
std::optional<Completion> complete(ClickState &state, Canvas &canvas, MeasurementKind kind,
                                   std::span<const QPointF> points, const ClickSettings &settings)
{
    const auto geometry = computeGeometry(kind, points, settings.scaleX, settings.scaleY, settings.unitFactor);
    if (!geometry)
        return std::nullopt;
    Completion done;
    done.kind = kind;
    for (std::size_t i = 0; i < points.size() && i < done.points.size(); ++i)
        done.points[i] = points[i];
    done.geometry = *geometry;
    canvas.setPen(settings.penColor, PenMode::Copy);
    drawResult(canvas, done);
    state.PointCount = kind == MeasurementKind::PointGroup ? kGroupSlot : 0;
    return done;
}

}  // namespace

void selectKind(ClickState &state, MeasurementKind kind)
{
    state.CurrentKind = kind;
    state.PointCount = 0;
}

QString pointPrompt(int pointCount)
{
    return QString::fromUtf8("請點選P%1座標").arg(pointCount + 1);
}

ClickOutcome measureClick(ClickState &state, Canvas &canvas, ClickButton button, bool shiftOrCtrl,
                          double x, double y, const ClickSettings &settings)
{
    ClickOutcome out;
    if (shiftOrCtrl)
        return out;
    out.handled = true;
    const MeasurementKind kind = state.CurrentKind;

    if (button == ClickButton::Right) {
        state.PointCount = 0;
        out.resetCircleDetection = true;
    } else if (settings.circleDetection) {
        out.forCircleDetection = true;  // the prompt stays empty: panel 2 is left as it is
        return out;
    } else {
        // Only a corrupted count could leave the store; such a click overwrites the last slot.
        const int index = std::clamp(state.PointCount, 0, static_cast<int>(state.PointX.size()) - 1);
        store(state, index, QPointF(x, y));
        canvas.setPen(settings.penColor, PenMode::Copy);
        canvas.cross(toPixel(x), toPixel(y), 9, 10);
        if (kind != MeasurementKind::PointGroup)
            ++state.PointCount;
    }

    out.prompt = showsContinuePrompt(kind, state.PointCount)
                     ? QString::fromUtf8("繼續量測請點選P1座標。")
                     : pointPrompt(state.PointCount);
    out.labelColour = true;

    if (kind == MeasurementKind::PointGroup) {
        if (state.PointCount < 3)
            return out;  // no line yet: the click only moved slot 0 or the first centre
        store(state, 0, slot(state, kGroupSlot));
        const std::array<QPointF, 3> points{slot(state, 0), slot(state, 1), slot(state, 2)};
        out.completion = complete(state, canvas, kind, points, settings);
        return out;
    }

    const int needed = kindPointCount(kind);
    if (state.PointCount < needed)
        return out;
    std::array<QPointF, 4> points{};
    for (int i = 0; i < needed; ++i)
        points[static_cast<std::size_t>(i)] = slot(state, i);
    const std::span<const QPointF> used(points.data(), static_cast<std::size_t>(needed));

    out.completion = complete(state, canvas, kind, used, settings);
    if (!out.completion) {
        // An angle with a zero-length or parallel line: the points are dropped silently.
        state.PointCount = 0;
        out.labelColour = false;
    }
    return out;
}

ClickOutcome pickLabel(ClickState &state, Canvas &canvas, const MeasurementObject &picked,
                       const ClickSettings &settings)
{
    ClickOutcome out;
    const int pickedIndex = picked.AttribID - 1;
    if (pickedIndex < 0 || pickedIndex >= KindCount)
        return out;
    const MeasurementKind pickedKind = kindFromIndex(pickedIndex);
    const QPointF centre(picked.Val[1], picked.Val[2]);
    const auto &xs = picked.x;
    const auto &ys = picked.y;

    if (state.CurrentKind == MeasurementKind::CircleToCircle) {
        out.handled = true;
        const bool second = state.PointCount == 1;
        store(state, second ? 1 : 0, centre);
        if (!second) {
            state.PointCount = 1;
            return out;
        }
        const std::array<QPointF, 2> points{slot(state, 0), slot(state, 1)};
        out.completion = complete(state, canvas, MeasurementKind::CircleToCircle, points, settings);
        return out;
    }

    if (state.CurrentKind != MeasurementKind::PointGroup)
        return out;

    const bool isCircle = pickedKind == MeasurementKind::Circle || pickedKind == MeasurementKind::Arc;
    if (state.PointCount == 1) {
        // The first centre is known: only a second circle or arc can close the line.
        if (!isCircle)
            return out;
        store(state, 2, centre);
        state.PointCount = kGroupSlot;
        out.handled = true;
        return out;
    }
    if (state.PointCount != 0)
        return out;  // the line is known; a label would only repeat the last point

    QPointF from;
    QPointF to;
    switch (pickedKind) {
    case MeasurementKind::Width: {
        const double m = (ys[0] + ys[1]) * 0.5;
        from = QPointF(xs[0], m);
        to = QPointF(xs[1], m);
        break;
    }
    case MeasurementKind::Height: {
        const double m = (xs[0] + xs[1]) * 0.5;
        from = QPointF(m, ys[0]);
        to = QPointF(m, ys[1]);
        break;
    }
    case MeasurementKind::PointToPoint:
    case MeasurementKind::CircleToCircle:
        from = QPointF(xs[0], ys[0]);
        to = QPointF(xs[1], ys[1]);
        break;
    case MeasurementKind::PointToLine:
    case MeasurementKind::LineToLine:
        from = QPointF(xs[1], ys[1]);
        to = QPointF(xs[2], ys[2]);
        break;
    case MeasurementKind::Circle:
    case MeasurementKind::Arc:
        store(state, 1, centre);
        state.PointCount = 1;
        out.handled = true;
        return out;
    default:
        return out;
    }
    store(state, 1, from);
    store(state, 2, to);
    state.PointCount = kGroupSlot;
    out.handled = true;
    return out;
}
