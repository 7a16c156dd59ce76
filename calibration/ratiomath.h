#pragma once

#include <QString>

// A reference length and the pixels it spans on one axis, read from the calibration fields.
struct [[nodiscard]] AxisReading {
    double length = 0;
    double pixels = 0;
    QString error;  // the operator's message; empty when both are usable
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// Reads one axis ("X" or "Y") from its length and pixel texts. Both must be numbers; a pixel count
// of 0 gives no ratio ("X軸像數不可為零!"), and a length per pixel that is not a finite number
// above 0 could not be the scale of a set.
AxisReading readCalibrationAxis(const QString &axis, const QString &lengthText, const QString &pixelText);

// A pixel count as the pixel field shows it: "0.", a whole number.
[[nodiscard]] QString pixelCountText(double pixels);
// Length per pixel as the ratio field shows it: "0.000000". pixels must not be 0.
[[nodiscard]] QString ratioText(double length, double pixels);

// The relative pixel sizes of the camera on X and Y, read from the pixel-ratio fields.
struct [[nodiscard]] PixelRatioReading {
    double x = 1;
    double y = 1;
    QString error;  // the operator's message; empty when both are finite numbers above 0
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// Both texts must be numbers above 0: a stretch by 0, by a negative or by an endless ratio has no
// picture to give.
PixelRatioReading readPixelRatio(const QString &xText, const QString &yText);
