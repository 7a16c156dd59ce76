#pragma once

#include <QString>

// Brinell hardness from the ball, the load and the impression, with the Rockwell estimate.

enum class BrinellState {
    Valid,
    NoImpression,   // d ≤ 0, or so small that the hardness has no finite value
    WiderThanBall,  // d > D
    BadInput,       // D ≤ 0, P ≤ 0 or a value that is no number
};

enum class RockwellScale { None, HRB, HRC };

struct RockwellEstimate {
    RockwellScale scale = RockwellScale::None;  // None: HB outside 190 < HB ≤ 371
    double value = 0;
};

struct BrinellResult {
    BrinellState state = BrinellState::BadInput;
    double hb = 0;               // only when Valid
    RockwellEstimate rockwell;  // None unless Valid
};

// HB = 2P / ((D − c) · π D) with c = √|D² − d²|: P the load (edP, Kg), D the ball diameter (edD,
// mm), d the impression diameter (eddd, mm).
[[nodiscard]] BrinellResult brinellHardness(double load, double ball, double impression);

// The approximate Rockwell value of a hardness: HRB for 190 < HB < 240, HRC for 240 ≤ HB ≤ 371,
// none outside.
[[nodiscard]] RockwellEstimate rockwellEstimate(double hb);

// The caption of lbHR: "HRB", "HRC" or empty.
[[nodiscard]] QString rockwellLabel(RockwellScale scale);

// The operator's words in place of a hardness that has no value; empty when Valid.
[[nodiscard]] QString brinellStateText(BrinellState state);

// The average-radius step (bbtAvgRadusClick) from the measured width and height (edVideoLineW,
// edVideoLineH): radius (W + H) / 2 / 2 for edVideoLineR, diameter (W + H) / 2 for eddd.
struct AverageRadius {
    double radius = 0;
    double diameter = 0;
};
[[nodiscard]] AverageRadius averageRadius(double width, double height);
