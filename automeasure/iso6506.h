#pragma once

#include <QString>

// The checks of ISO 6506-1 a Brinell reading is held to: the impression's diameter within 0.24 D
// to 0.6 D, and its two perpendicular diameters agreeing within 1 % of the shorter one.

inline constexpr double IsoRatioLow = 0.24;
inline constexpr double IsoRatioHigh = 0.6;
inline constexpr double IsoSpreadPercent = 1.0;

struct Iso6506Check {
    double ratio = 0;          // d / D
    bool ratioWithin = false;  // 0.24 ≤ d / D ≤ 0.6
    bool diametersKnown = false;  // d is the mean of two measured perpendicular diameters
    double spread = 0;            // (longer − shorter) / shorter, percent
    bool spreadWithin = false;
};

// ball D and impression d in one length unit; width and height are the two perpendicular
// diameters when diametersKnown (both must be above 0 for the spread to be judged). The limits
// include their ends, the rounding of typed or formatted values allowed for.
[[nodiscard]] Iso6506Check iso6506Check(double ball, double impression, bool diametersKnown, double width,
                                        double height);

// What the operator reads beside the result: "d/D 0.400 (0.24~0.6)", or with "超出" in place of
// the brackets when outside; "兩徑差 0.50% (≤1%)", "兩徑差 2.10% 超出 1%", or "兩徑差 —" when the
// two diameters are not known.
[[nodiscard]] QString isoRatioText(const Iso6506Check &check);
[[nodiscard]] QString isoSpreadText(const Iso6506Check &check);
