#include "automeasure/widthheight.h"

#include <algorithm>

namespace {

constexpr double Pi = 3.141592653589793;

} // namespace

EdgeBox searchWidthHeight(const PictureRows &picture, const CircleSearch &search, double scaleX,
                          double scaleY)
{
    const SearchRange range = searchRange(search, scaleX, scaleY, picture.width, picture.height);
    EdgeBox box;
    for (int k = 0; k < 36; ++k) {
        const int g = k / 9;
        const int o = k % 9 - 4;
        const double theta = o * Pi / 100 + g * Pi / 2;
        const auto edge = scanRay(picture, range.cx, range.cy, theta, range.inner, range.outer,
                                  search.threshold, search.outline, true);
        if (!edge)
            continue;
        const int x = int(edge->x());
        const int y = int(edge->y());
        switch (BoxSide(g)) {
        case BoxSide::Right:
            box.right = std::max(box.right, x);
            break;
        case BoxSide::Bottom:
            box.bottom = std::max(box.bottom, y);
            break;
        case BoxSide::Left:
            box.left = std::min(box.left, x);
            break;
        case BoxSide::Top:
            box.top = std::min(box.top, y);
            break;
        }
        box.found[size_t(g)] = true;
    }
    return box;
}

BoxFields boxFields(const EdgeBox &box, double scaleX, double scaleY)
{
    BoxFields f;
    f.rtX = box.right * scaleX;
    f.rtY = (box.bottom + box.top) / 2.0 * scaleY;
    f.dnX = (box.right + box.left) / 2.0 * scaleX;
    f.dnY = box.bottom * scaleY;
    f.ltX = box.left * scaleX;
    f.ltY = (box.bottom + box.top) / 2.0 * scaleY;
    f.upX = (box.left + box.right) / 2.0 * scaleX;
    f.upY = box.top * scaleY;
    f.width = (box.right - box.left) * scaleX;
    f.height = (box.bottom - box.top) * scaleY;
    f.diameter = ((box.right - box.left) * scaleX + (box.bottom - box.top) * scaleY) / 2;
    return f;
}

Frame frameOf(const EdgeBox &box)
{
    return {box.left + 2, box.top + 2, box.right - box.left, box.bottom - box.top};
}

FrameFields frameFields(const Frame &frame, double scaleX, double scaleY)
{
    FrameFields f;
    f.upY = frame.top * scaleY;
    f.dnY = (frame.top + frame.height) * scaleY;
    f.height = frame.height * scaleY;
    f.ltX = frame.left * scaleX;
    f.rtX = (frame.left + frame.width) * scaleX;
    f.width = frame.width * scaleX;
    return f;
}

Frame adjustFrame(Frame frame, BoxSide side, bool increase, bool tenX)
{
    const int s = tenX ? 10 : 1;
    const int d = increase ? s : -s;
    switch (side) {
    case BoxSide::Top:
        frame.top -= d;
        frame.height += d;
        break;
    case BoxSide::Bottom:
        frame.height -= d;
        break;
    case BoxSide::Right:
        frame.width += d;
        break;
    case BoxSide::Left:
        frame.left += d;
        frame.width -= d;
        break;
    }
    return frame;
}
