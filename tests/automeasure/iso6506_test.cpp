#include <gtest/gtest.h>

#include "automeasure/iso6506.h"

namespace {

TEST(Iso6506Test, RatioAndSpreadLimitsIncludeTheirEnds)
{
    struct Row {
        double ball, impression;
        bool known;
        double width, height;
        bool ratioWithin, spreadJudged, spreadWithin;
        const char *ratioText, *spreadText;
    } const rows[] = {
        {10, 4, false, 0, 0, true, false, false, "d/D 0.400 (0.24~0.6)", "兩徑差 —"},
        {10, 2.4, false, 0, 0, true, false, false, "d/D 0.240 (0.24~0.6)", "兩徑差 —"},
        {10, 6, false, 0, 0, true, false, false, "d/D 0.600 (0.24~0.6)", "兩徑差 —"},
        {10, 2.39, false, 0, 0, false, false, false, "d/D 0.239 超出 0.24~0.6", "兩徑差 —"},
        {10, 6.01, false, 0, 0, false, false, false, "d/D 0.601 超出 0.24~0.6", "兩徑差 —"},
        {2.5, 1.005, true, 1, 1.01, true, true, true, "d/D 0.402 (0.24~0.6)", "兩徑差 1.00% (≤1%)"},
        {2.5, 1.0055, true, 1.011, 1, true, true, false, "d/D 0.402 (0.24~0.6)", "兩徑差 1.10% 超出 1%"},
        // A diameter not measured (0) cannot be judged, even when said to be known.
        {10, 2, true, 0, 4, false, false, false, "d/D 0.200 超出 0.24~0.6", "兩徑差 —"},
    };
    for (const Row &r : rows) {
        const Iso6506Check c = iso6506Check(r.ball, r.impression, r.known, r.width, r.height);
        EXPECT_EQ(c.ratioWithin, r.ratioWithin) << r.impression;
        EXPECT_EQ(c.diametersKnown, r.spreadJudged) << r.impression;
        EXPECT_EQ(c.spreadWithin, r.spreadWithin) << r.impression;
        EXPECT_EQ(isoRatioText(c), QString::fromUtf8(r.ratioText));
        EXPECT_EQ(isoSpreadText(c), QString::fromUtf8(r.spreadText));
    }
    EXPECT_FALSE(iso6506Check(0, 4, false, 0, 0).ratioWithin);
}

} // namespace
