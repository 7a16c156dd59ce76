#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

// The built-in camera stand-in ("測試圖樣"): a picture of known geometry that moves with the frame
// number, so everything from connecting to a saved work order can be tried and measured without a
// camera. On a light stage (every channel StageLevel) it shows
//   - a ruler grid: one-pixel lines (GridLevel) on every column and row that is a multiple of
//     GridStep, starting at 0;
//   - a dark disc (DiscLevel): every pixel (x, y) with (x - cx)^2 + (y - cy)^2 <= R^2, where
//     R = min(W, H) / 8 and (cx, cy) = (W / 2 + offset, H / 2), over the grid; the offset starts at 0
//     and moves DiscStep pixels per frame, turning at +-W / 4 (a triangle wave);
//   - two MarkerSize squares over everything: pure red at the top-left corner and pure blue at the
//     top-right corner, so swapped channels or a mirrored picture show at once.
struct TestPatternGeometry {
    static constexpr int StageLevel = 208;
    static constexpr int GridLevel = 96;
    static constexpr int DiscLevel = 32;
    static constexpr int GridStep = 32;
    static constexpr int DiscStep = 4;
    static constexpr int MarkerSize = 16;

    QPoint discCentre;
    int discRadius = 0;
};

[[nodiscard]] TestPatternGeometry testPatternGeometry(QSize size, quint64 frame);

// Draws the pattern of `frame` into picture, made size.width() x size.height() 24-bit
// (QImage::Format_BGR888) and reused when it already is. False when the memory cannot be had or
// the size is empty.
[[nodiscard]] bool renderTestPattern(QImage &picture, QSize size, quint64 frame);
