#pragma once

#include <QString>

// Length units per pixel from a reference length and the pixels it spans. A pixel count of 0 gives
// 1.0, so an axis that is not calibrated yet measures in pixels instead of dividing by zero.
[[nodiscard]] double scaleFactor(double length, double pixels);

// The factor that turns a length in the scale set's unit into the display unit:
// scaleUnitLength / displayUnitLength. A display unit of length 0, or any non-finite result, keeps
// `previous`, so UnitFactor never becomes inf or NaN.
[[nodiscard]] double unitFactor(double scaleUnitLength, double displayUnitLength, double previous);

// The scale gauge spans this many picture pixels.
inline constexpr int GaugePixels = 100;

// The gauge's end caption: the length of GaugePixels in display units, "0.000".
[[nodiscard]] QString gaugeCaption(double scaleX, double unitFactor);
// The gauge's unit caption: "Unit:" followed by the display unit's name.
[[nodiscard]] QString gaugeUnitCaption(const QString &displayUnitName);

// A number read from an operator's field. `error` is empty on success; otherwise it holds the
// parser's message and `value` is the type's zero.
template <class T>
struct ParsedNumber {
    T value{};
    QString error;
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// Reads a whole number with optional sign, ignoring surrounding blanks, whatever the locale.
// Failure: "'abc' is not a valid integer value".
[[nodiscard]] ParsedNumber<int> parseInteger(const QString &text);
// Reads a finite number with "." as the decimal point, ignoring surrounding blanks, whatever the
// locale. Failure: "'abc' is not a valid floating point value".
[[nodiscard]] ParsedNumber<double> parseFloat(const QString &text);
