#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "automeasure/brinell.h"
#include "base/numberformat.h"

namespace {

TEST(BrinellTest, HardnessAndRockwellOfTableRows)
{
    struct Row {
        double load, ball, impression;
        double hb;
        const char *shown;  // edHb with "0.0"
        RockwellScale scale;
        double rockwell;
    } const rows[] = {
        {3000, 10, 4, 228.7671434106713, "228.8", RockwellScale::HRB, 98.15139017172862},
        {3000, 10, 3.6, 284.85084612148535, "284.9", RockwellScale::HRC, 29.7579071733041},
        {3000, 10, 3.2, 363.21225957006857, "363.2", RockwellScale::HRC, 39.05631807825483},
        {3000, 10, 5.5, 115.86467152629014, "115.9", RockwellScale::None, 0},
        {750, 5, 1.9, 254.60203437150707, "254.6", RockwellScale::HRC, 25.211778843927362},
        {187.5, 2.5, 0.95, 254.60203437150707, "254.6", RockwellScale::HRC, 25.211778843927362},
        {3000, 10, 10, 19.09859317102744, "19.1", RockwellScale::None, 0},  // d = D: a hemisphere
    };
    for (const Row &r : rows) {
        const BrinellResult b = brinellHardness(r.load, r.ball, r.impression);
        ASSERT_EQ(b.state, BrinellState::Valid) << r.impression;
        EXPECT_NEAR(b.hb, r.hb, 1e-9 * r.hb) << r.impression;
        EXPECT_EQ(formatFloat("0.0", b.hb), r.shown);
        EXPECT_EQ(b.rockwell.scale, r.scale) << r.impression;
        if (r.scale != RockwellScale::None) {
            EXPECT_NEAR(b.rockwell.value, r.rockwell, 1e-9) << r.impression;
        }
    }
    EXPECT_EQ(formatFloat("0.0", brinellHardness(3000, 10, 4).rockwell.value), "98.2");
}

TEST(BrinellTest, RockwellRangeBoundaries)
{
    struct Row {
        double hb;
        RockwellScale scale;
    } const rows[] = {
        {190, RockwellScale::None}, {190.0001, RockwellScale::HRB}, {239.9999, RockwellScale::HRB},
        {240, RockwellScale::HRC},  {371, RockwellScale::HRC},      {371.0001, RockwellScale::None},
        {-5, RockwellScale::None},
    };
    for (const Row &r : rows)
        EXPECT_EQ(rockwellEstimate(r.hb).scale, r.scale) << r.hb;
    EXPECT_NEAR(rockwellEstimate(240).value, 22.826492, 1e-9);
    EXPECT_NEAR(rockwellEstimate(371).value, 39.78502757, 1e-9);
    EXPECT_EQ(rockwellLabel(RockwellScale::HRB), "HRB");
    EXPECT_EQ(rockwellLabel(RockwellScale::HRC), "HRC");
    EXPECT_TRUE(rockwellLabel(RockwellScale::None).isEmpty());
}

TEST(BrinellTest, NoNumberWhereThereIsNoHardness)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row {
        const char *what;
        double load, ball, impression;
        BrinellState state;
    } const rows[] = {
        {"no impression", 3000, 10, 0, BrinellState::NoImpression},
        {"negative impression", 3000, 10, -4, BrinellState::NoImpression},
        {"an impression lost in rounding (D - c = 0)", 3000, 10, 1e-9, BrinellState::NoImpression},
        {"wider than the ball", 3000, 10, 10.5, BrinellState::WiderThanBall},
        {"no ball", 3000, 0, 4, BrinellState::BadInput},
        {"no load", 0, 10, 4, BrinellState::BadInput},
        {"not a number", 3000, 10, nan, BrinellState::BadInput},
        {"infinite load", HUGE_VAL, 10, 4, BrinellState::BadInput},
    };
    for (const Row &r : rows) {
        const BrinellResult b = brinellHardness(r.load, r.ball, r.impression);
        EXPECT_EQ(b.state, r.state) << r.what;
        EXPECT_EQ(b.rockwell.scale, RockwellScale::None) << r.what;
        EXPECT_FALSE(brinellStateText(b.state).isEmpty()) << r.what;
    }
    EXPECT_EQ(brinellStateText(BrinellState::WiderThanBall), QString::fromUtf8("壓痕大於鋼球"));
}

TEST(BrinellTest, AverageRadiusOfWidthAndHeight)
{
    const AverageRadius a = averageRadius(4.1, 3.9);
    EXPECT_DOUBLE_EQ(a.diameter, 4.0);
    EXPECT_DOUBLE_EQ(a.radius, 2.0);
}

} // namespace
