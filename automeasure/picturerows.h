#pragma once

#include <QImage>
#include <QtGlobal>

// Read-only access to the rows of a 24-bit picture, as the measuring searches read it. Picture
// coordinates are continuous: pixel (i, j) covers [i, i + 1) × [j, j + 1), so a point is read from
// the pixel its coordinates truncate to.
struct PictureRows {
    const uchar *bits = nullptr;  // first row
    qsizetype bytesPerLine = 0;
    int width = 0;
    int height = 0;
    bool rgb = false;  // byte order R, G, B; otherwise B, G, R (QImage::Format_BGR888)

    [[nodiscard]] bool contains(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height;
    }

    // Brightness 0.299 R + 0.587 G + 0.114 B (channels 0…255) of a pixel inside the picture.
    [[nodiscard]] double brightness(int x, int y) const
    {
        const uchar *p = bits + qsizetype(y) * bytesPerLine + qsizetype(x) * 3;
        const double r = rgb ? p[0] : p[2];
        const double b = rgb ? p[2] : p[0];
        return 0.299 * r + 0.587 * p[1] + 0.114 * b;
    }
};

// The rows of image when it is a 24-bit picture (BGR888 or RGB888); an empty view otherwise, in
// which every search finds nothing. The view is valid while image is neither changed nor freed.
[[nodiscard]] inline PictureRows rowsOf(const QImage &image)
{
    const QImage::Format format = image.format();
    if (format != QImage::Format_BGR888 && format != QImage::Format_RGB888)
        return {};
    return {image.constBits(), image.bytesPerLine(), image.width(), image.height(),
            format == QImage::Format_RGB888};
}
