#pragma once

#include <QString>

// Length units per pixel from a reference length and the pixels it spans. A pixel count of 0 gives
// 1.0, so an axis that is not calibrated yet measures in pixels instead of dividing by zero.
[[nodiscard]] double scaleFactor(double length, double pixels);

// Why a scale of `length` over `pixels` cannot be used (`axis` is "X" or "Y"): its factor is not a
// finite number above 0, so every length measured with it would be INF, NAN, 0 or negative. Empty
// when it can.
[[nodiscard]] QString scaleRefusal(const QString &axis, double length, double pixels);

// Why a unit of this many millimetres cannot be used: it is not a finite number above 0, and the
// display factor would divide by it. Empty when it can.
[[nodiscard]] QString unitLengthRefusal(double millimetres);

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
