#pragma once

#include <array>
#include <optional>

#include <QPointF>
#include <QString>

#include "base/canvas.h"
#include "measure/geometry.h"
#include "measure/kinds.h"

struct MeasurementObject;

// The point store of the picture view: which kind is measured and the points clicked so far.
struct ClickState {
    MeasurementKind CurrentKind = MeasurementKind::Width;
    std::array<double, 10> PointX{};
    std::array<double, 10> PointY{};
    int PointCount = 0;
};

enum class ClickButton { Left, Right, Middle };

struct ClickSettings {
    TColor penColor = 0;  // the brush colour of the drawing-colour swatch
    double scaleX = 1;
    double scaleY = 1;
    double unitFactor = 1;
    bool circleDetection = false;  // left and middle clicks then belong to circle detection
};

// A completed measurement: its kind, the points P1…Pn it was computed from, and the geometry.
// For TextNote the caller still has to ask for the note text before it runs the completion.
struct Completion {
    MeasurementKind kind = MeasurementKind::Width;
    std::array<QPointF, 4> points{};
    GeometryResult geometry;
};

struct ClickOutcome {
    bool handled = false;             // false: Shift or Ctrl was held and nothing happened
    bool forCircleDetection = false;  // a left/middle click in circle-detection mode: nothing else ran
    bool resetCircleDetection = false;  // right button: the circle-detection click counter goes to 0
    QString prompt;                   // new text of status-bar panel 2; empty: leave it as it is
    std::optional<Completion> completion;  // run the completion sequence with this
    bool labelColour = false;         // run the automatic label colour after this click
};

// Selecting a kind with a tool button: the kind and an empty point store.
void selectKind(ClickState &state, MeasurementKind kind);

// One mouse press on the picture at picture coordinates (x, y): stores the point, draws the click
// mark and, when the kind is complete, its result drawing on the canvas; computes the geometry and
// leaves the point store as it must be after the completion sequence (0 points, a point group 5).
ClickOutcome measureClick(ClickState &state, Canvas &canvas, ClickButton button, bool shiftOrCtrl,
                          double x, double y, const ClickSettings &settings);

// A left click on a stored measurement's label while the kind is CircleToCircle or PointGroup:
// takes the label's point or line as described for those kinds. Other kinds: nothing happens.
ClickOutcome pickLabel(ClickState &state, Canvas &canvas, const MeasurementObject &picked,
                       const ClickSettings &settings);

// The status-bar prompt for the next point: "請點選P%d座標" with count + 1.
[[nodiscard]] QString pointPrompt(int pointCount);
