#pragma once

#include <span>
#include <vector>

#include <QPointF>
#include <QString>

#include "automeasure/picturerows.h"
#include "automeasure/raysearch.h"

class Canvas;

enum class DetectionStatus {
    Found,
    NoEdge,    // fewer than 4 edge points: nothing to size
    NoCircle,  // edge points, but no group of them forms a circle
};

// The outcome of one automatic circle detection, in picture pixels.
struct CircleDetection {
    DetectionStatus status = DetectionStatus::NoEdge;
    std::vector<QPointF> edges;  // every edge point found, in ray order
    std::vector<QPointF> marks;  // the points that get a yellow cross
    QPointF centre;              // mean centre of the groups, or the fitted centre
    double radius = 0;
    double diameter = 0;  // radius × ScaleX × 2: the indentation diameter (eddd), length units
    int groupsUsed = 0;   // ray triples that formed a circle
    // Sub-pixel mode only: RMS distance of the kept edge points from the fitted circle (pixels)
    // and the number of edge points left out as outliers.
    double residual = 0;
    int outliers = 0;

    [[nodiscard]] bool found() const { return status == DetectionStatus::Found; }
};

// Finds the impression's circle on the picture: rays from the search centre (3 × groups of them,
// evenly spaced from angle 0), each scanned for its brightness step, the edge points taken in
// triples about 120° apart, each triple's circle through its points, and the mean of their radii.
// With subPixel set the sub-pixel fit of precisecircle.h runs instead. The diameter is in the
// length unit of scaleX.
[[nodiscard]] CircleDetection detectCircle(const PictureRows &picture, const CircleSearch &search,
                                           double scaleX, double scaleY);

// The triple step of the detection on edge points in ray order: with m = n div 3, group j is
// points j, j + m and j + 2m. Groups on a line form no circle and are left out of the means.
// Fewer than 4 points is NoEdge; no group forming a circle is NoCircle. The diameter is left 0.
[[nodiscard]] CircleDetection fitRayTriples(std::vector<QPointF> edges);

// Draws the yellow click cross at each mark, in copy mode.
void markEdges(Canvas &canvas, std::span<const QPointF> marks);

// The operator's words for a detection that found no circle; empty when it did.
[[nodiscard]] QString detectionStatusText(DetectionStatus status);
