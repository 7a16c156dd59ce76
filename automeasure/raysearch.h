#pragma once

#include <optional>

#include <QPointF>

#include "automeasure/picturerows.h"

// The settings of the automatic search on the hardness panel, as the operator left them.
// Lengths are in the unit of the active scale set.
struct CircleSearch {
    double radius = 0;        // nominal radius of the impression: edVideoLineR
    bool autoCentre = false;  // cbAutoCenter: centre from centreX, centreY instead of the middle
    double centreX = 320;     // Edit7
    double centreY = 240;     // Edit8
    int innerPercent = 25;    // ScrollBar1: inner search radius in percent of the nominal radius
    int outerPercent = 75;    // ScrollBar2: outer search radius in percent of the nominal radius
    int threshold = 25;       // ScrollBar3: brightness step in percent of full brightness
    double groups = 6;        // edTimes: number of ray triples (truncated, at most 100)
    bool outline = true;      // cbOutline: take the second brightness step on each ray
    bool subPixel = false;    // cbSubPixel: sub-pixel edges and a fitted circle ("精密")
};

// Where a search looks, in picture pixels.
struct SearchRange {
    double cx = 0;
    double cy = 0;
    double nominal = 0;  // R = edVideoLineR / ScaleX
    double inner = 0;    // r_in
    double outer = 0;    // r_out
};

// The centre and the radii of a search: the centre from the fields (length / scale) when
// autoCentre is set, otherwise the middle of the view by integer halves.
[[nodiscard]] SearchRange searchRange(const CircleSearch &search, double scaleX, double scaleY,
                                      int viewWidth, int viewHeight);

// The number of ray triples a group count asks for: truncated, 0 to 100.
[[nodiscard]] int groupCount(double groups);

// A guide circle's box (spCircleGreen for the inner limit, spCircleBlue for the outer one):
// radius percent × R × 0.01 around the search centre, the outer one around the centre truncated
// to whole pixels first.
struct GuideBox {
    int left = 0;
    int top = 0;
    int size = 0;  // width and height
};
[[nodiscard]] GuideBox guideCircle(const SearchRange &range, int percent, bool outer);

// A coordinate truncated toward zero to a whole pixel, saturating at the int range (NaN gives 0).
[[nodiscard]] int wholePixel(double v);

// The range of distances along the ray from (cx, cy) in direction (c, s) within which the ray can
// touch the picture (a box one pixel wider on each side); false when it never does.
[[nodiscard]] bool rayInterval(double cx, double cy, double c, double s, int width, int height,
                               double &lo, double &hi);

// Scans one ray at angle theta outward from the centre for a brightness step above the threshold
// (percent of full brightness): samples one pixel apart from trunc(inner + 1) while below outer,
// each compared with the one before (the first with the point at inner). The first step is the
// edge, or the second one when outline is set. wholePixels truncates every sample point before
// use, so the edge comes back in whole pixels. The ray ends at the picture border: what lies
// beyond is no picture, so it is no edge either.
[[nodiscard]] std::optional<QPointF> scanRay(const PictureRows &picture, double cx, double cy,
                                             double theta, double inner, double outer,
                                             int threshold, bool outline, bool wholePixels);
