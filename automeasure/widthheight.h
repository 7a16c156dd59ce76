#pragma once

#include <array>

#include "automeasure/picturerows.h"
#include "automeasure/raysearch.h"

// Width and height of an impression: rays from the search centre in four directions, the outermost
// edge in each direction as a side of a bounding box, then the frame (Shape3) the operator adjusts.

enum class BoxSide { Right, Bottom, Left, Top };  // the ray groups in search order

// The extremes found, in whole picture pixels. A direction without an edge keeps its start value
// (right and bottom 0, left and top 1000), so the width or height then comes out wrong, even
// negative; found tells which directions had one.
struct EdgeBox {
    int right = 0;
    int bottom = 0;
    int left = 1000;
    int top = 1000;
    std::array<bool, 4> found{};  // by BoxSide
};

// Nine rays 1.8° apart around each axis direction (right, down, left, up), scanned as the circle
// detection scans with every sample point in whole pixels (centre, radii, threshold and outline
// from search).
[[nodiscard]] EdgeBox searchWidthHeight(const PictureRows &picture, const CircleSearch &search,
                                        double scaleX, double scaleY);

// The read-outs of a search in length units: the midpoints of the box's sides (lbedUpX … lbedRtY),
// width and height (edVideoLineW, edVideoLineH) and their mean as the diameter (eddd).
struct BoxFields {
    double upX = 0, upY = 0, dnX = 0, dnY = 0, ltX = 0, ltY = 0, rtX = 0, rtY = 0;
    double width = 0;
    double height = 0;
    double diameter = 0;
};
[[nodiscard]] BoxFields boxFields(const EdgeBox &box, double scaleX, double scaleY);

// The frame Shape3 in scroll-box coordinates (the picture stands at (2, 2)).
struct Frame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Frame &) const = default;
};
[[nodiscard]] Frame frameOf(const EdgeBox &box);

// The read-outs taken from the frame (BitBtn26Click): lbedUpY, lbedDnY, edVideoLineH, lbedLtX,
// lbedRtX, edVideoLineW. The diameter then follows from averageRadius (brinell.h).
struct FrameFields {
    double upY = 0, dnY = 0, height = 0, ltX = 0, rtX = 0, width = 0;
};
[[nodiscard]] FrameFields frameFields(const Frame &frame, double scaleX, double scaleY);

// One click on a side's spin button (UpDown1 top, UpDown2 bottom, UpDown3 right, UpDown4 left):
// increase is its increasing arrow, which moves a top or bottom side up and a left or right side
// to the right; tenX (cb10X) steps 10 pixels instead of 1.
[[nodiscard]] Frame adjustFrame(Frame frame, BoxSide side, bool increase, bool tenX);
