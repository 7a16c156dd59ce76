#pragma once

#include <cstdint>
#include <functional>

#include <QImage>
#include <QRect>
#include <QVector>

// A colour as the system stores it: 0x00BBGGRR (red is 255).
using TColor = quint32;

enum class PenMode { Copy, Xor };

// Lets a canvas write into a picture of which something must be kept first: the picture pair keeps
// the clean pixels of every tile a mark reaches. The picture is cut into tiles of
// (1 << shiftX) x (1 << shiftY) pixels, `columns` to a row; before the canvas first writes into a
// tile whose slot in tileSlots is negative it calls keep(tile), after which that slot is not negative.
struct TileWatch {
    int shiftX = 0;
    int shiftY = 0;
    int columns = 0;
    const std::int32_t *tileSlots = nullptr;  // one per tile, row-major
    std::function<void(int tile)> keep;
};

// Drawing on a 24-bit picture (QImage::Format_BGR888) by the platform's rules, written straight on
// the rows: a line from A to B does not paint B; an ellipse is given by its bounding box whose right
// and bottom edges are exclusive; an arc runs counter-clockwise (as seen on the screen) from the ray
// towards the start point to the ray towards the end point; in XOR mode each pixel is XORed with the
// pen colour, so drawing the same thing twice restores the picture. Everything is clipped to the
// picture. Every painted area is recorded in dirtyRects() so a view repaints only those.
class Canvas {
public:
    // `watch`, when given, must outlive the canvas and fit the picture's size.
    explicit Canvas(QImage &image, const TileWatch *watch = nullptr);

    [[nodiscard]] QSize size() const { return m_image.size(); }

    void setPen(TColor color, PenMode mode = PenMode::Copy);
    [[nodiscard]] TColor penColor() const { return m_pen; }
    [[nodiscard]] PenMode penMode() const { return m_mode; }

    void moveTo(int x, int y);
    // Paints from the pen position towards (x, y), without (x, y) itself; the pen moves there.
    void lineTo(int x, int y);
    void line(int x1, int y1, int x2, int y2);
    // The click mark: horizontal (x - before, y)-(x + after, y) and vertical (x, y - before)-(x, y + after).
    void cross(int x, int y, int before, int after);
    // Outline of the ellipse inscribed in the box; right and bottom are exclusive.
    void ellipse(int left, int top, int right, int bottom);
    // The part of that outline from the ray centre->(startX, startY) counter-clockwise to the ray
    // centre->(endX, endY). Equal rays draw the whole outline.
    void arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY);
    // Solid fill of the box; right and bottom are exclusive. Ignores the pen mode.
    void fillRect(int left, int top, int right, int bottom, TColor color);

    // The pixel's colour, 0 outside the picture.
    [[nodiscard]] TColor pixel(int x, int y) const;

    [[nodiscard]] const QVector<QRect> &dirtyRects() const { return m_dirty; }
    void clearDirty() { m_dirty.clear(); }

private:
    QImage &m_image;
    const TileWatch *m_watch;
    TColor m_pen = 0;
    PenMode m_mode = PenMode::Copy;
    int m_x = 0;
    int m_y = 0;
    QVector<QRect> m_dirty;
};
