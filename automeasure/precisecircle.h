#pragma once

#include <optional>
#include <span>
#include <vector>

#include <QPointF>

#include "automeasure/circledetect.h"
#include "automeasure/picturerows.h"
#include "automeasure/raysearch.h"

// Sub-pixel circle detection ("精密"): many rays, each edge located to a fraction of a pixel, one
// circle fitted to all of them with the outliers left out.

// Rays cast by the sub-pixel detection, one degree apart.
inline constexpr int PreciseRays = 360;

// The edges along one ray between inner and outer, as distances from the centre in pixels, in
// order. The brightness is read by bilinear interpolation every half pixel and lightly smoothed;
// an edge is one whole flank of rising or falling brightness, however soft, located at its
// steepest point (interpolated gradient peak), and counts when the brightness changes across it
// by more than threshold percent of full brightness. Only the picture itself is read.
[[nodiscard]] std::vector<double> subPixelEdges(const PictureRows &picture, double cx, double cy,
                                                double theta, double inner, double outer,
                                                int threshold);

struct FittedCircle {
    QPointF centre;
    double radius = 0;
};

// The circle with the least sum of squared distances to the points (Gauss-Newton from start);
// nullopt when the points do not fix a circle.
[[nodiscard]] std::optional<FittedCircle> fitCircle(std::span<const QPointF> points,
                                                    FittedCircle start);

// The whole sub-pixel detection within range: on each ray the first edge, or the second with
// outline set; a robust first circle from ray triples (the one with the least median distance to
// all points); on each ray the edge nearest that circle; then least squares with outliers left out
// until the kept set is stable. Marks are the kept points; diameter is left 0.
[[nodiscard]] CircleDetection preciseCircle(const PictureRows &picture, const SearchRange &range,
                                            int threshold, bool outline);
