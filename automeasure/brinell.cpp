#include "automeasure/brinell.h"

#include <cmath>

namespace {

constexpr double Pi = 3.141592653589793;

} // namespace

BrinellResult brinellHardness(double load, double ball, double impression)
{
    BrinellResult result;
    if (!(std::isfinite(load) && std::isfinite(ball) && std::isfinite(impression)) || ball <= 0
        || load <= 0)
        return result;
    if (impression <= 0) {
        result.state = BrinellState::NoImpression;
        return result;
    }
    if (impression > ball) {
        result.state = BrinellState::WiderThanBall;
        return result;
    }
    const double c = std::sqrt(std::abs(std::pow(ball, 2) - std::pow(impression, 2)));
    const double hb = 2 * load / ((ball - c) * (Pi * ball));
    // A diameter far below the ball's loses itself in the rounding of D² − d²: D − c becomes 0.
    if (!std::isfinite(hb)) {
        result.state = BrinellState::NoImpression;
        return result;
    }
    result.state = BrinellState::Valid;
    result.hb = hb;
    result.rockwell = rockwellEstimate(hb);
    return result;
}

RockwellEstimate rockwellEstimate(double hb)
{
    if (hb > 190 && hb < 240)
        return {RockwellScale::HRB, 0.431473 * hb + 30.3713 - 0.000590945 * std::pow(hb, 2)};
    if (hb >= 240 && hb <= 371)
        return {RockwellScale::HRC, 0.307396 * hb - 34.1737 - 0.00029123 * std::pow(hb, 2)};
    return {};
}

QString rockwellLabel(RockwellScale scale)
{
    switch (scale) {
    case RockwellScale::HRB:
        return QStringLiteral("HRB");
    case RockwellScale::HRC:
        return QStringLiteral("HRC");
    case RockwellScale::None:
        break;
    }
    return {};
}

QString brinellStateText(BrinellState state)
{
    switch (state) {
    case BrinellState::Valid:
        return {};
    case BrinellState::NoImpression:
        return QStringLiteral("無壓痕");
    case BrinellState::WiderThanBall:
        return QStringLiteral("壓痕大於鋼球");
    case BrinellState::BadInput:
        return QStringLiteral("鋼球或負重無效");
    }
    return {};
}

AverageRadius averageRadius(double width, double height)
{
    return {(width + height) / 2 / 2, (width + height) / 2};
}
