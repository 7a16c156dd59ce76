#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>

// The magnifier's zoom: an exponent z from -4 to 4, -1 at start, kept by the main window so it
// survives closing the magnifier. The source square around the cursor has half-size 150 * 2^z
// pixels and is shown on a 299-pixel square, so z = -1 magnifies about 2x, z = -4 16x and z = 4
// shows 1/16.
class MagnifierZoom {
public:
    static constexpr int Nearest = -4;
    static constexpr int Farthest = 4;

    [[nodiscard]] int exponent() const { return m_exponent; }
    // "放大": one step closer; false when already at -4.
    bool zoomIn();
    // "縮小": one step farther; false when already at 4.
    bool zoomOut();
    [[nodiscard]] double halfSize() const;
    // The zoom label: "1/2X" … "1/16X" above 0, "1X" … "16X" otherwise.
    [[nodiscard]] QString label() const;

private:
    int m_exponent = -1;
};

// The magnifier's picture control: 300 x 304 pixels, of which the square (0, 0)-(299, 299) with
// right and bottom exclusive, 299 x 299 pixels, is filled on every mouse move.
inline constexpr int MagnifierWidth = 300;
inline constexpr int MagnifierHeight = 304;
inline constexpr int MagnifierTarget = 299;

// The source rectangle around `at` for half-size h: (trunc(x - h), trunc(y - h)) to
// (trunc(x + h), trunc(y + h)), right and bottom exclusive. It may reach past the picture.
[[nodiscard]] QRect magnifierSource(QPointF at, double halfSize);

// Shows the source rectangle around `at` of the 24-bit picture stretched onto the target square of
// `out` (made MagnifierWidth x MagnifierHeight 24-bit and black when it is not; reused otherwise).
// Every target pixel takes the source pixel under its centre (nearest neighbour, as a plain
// stretching copy does); parts of the source outside the picture are black. Reads only the source
// pixels it shows, so a mouse move costs the same on any picture size. Pixels outside the target
// square are left as they are (a line drawn there by a click stays). False when out cannot be had.
bool renderMagnifier(const QImage &picture, QPointF at, double halfSize, QImage &out);
