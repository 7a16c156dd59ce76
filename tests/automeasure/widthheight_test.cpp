#include <gtest/gtest.h>

#include "automeasure/widthheight.h"
#include "tests/automeasure/impression.h"

namespace {

using impression::Scene;

constexpr double ScaleX = 0.01;
constexpr double ScaleY = 0.02;

CircleSearch plainSearch()
{
    CircleSearch s;
    s.radius = 1.0;  // 100 px
    s.innerPercent = 50;
    s.outerPercent = 150;
    s.outline = false;
    return s;
}

TEST(WidthHeightTest, OutermostEdgeInEachDirection)
{
    // A hard disc of radius 80 px around (320, 240): its first pixels outside are x 400 and 239,
    // y 320 and 159.
    Scene scene;
    scene.radius = 80;
    const QImage picture = impression::render(scene);
    const EdgeBox box = searchWidthHeight(rowsOf(picture), plainSearch(), ScaleX, ScaleY);
    EXPECT_EQ(box.right, 400);
    EXPECT_EQ(box.bottom, 320);
    EXPECT_EQ(box.left, 239);
    EXPECT_EQ(box.top, 159);
    EXPECT_EQ(box.found, (std::array<bool, 4>{true, true, true, true}));

    const BoxFields f = boxFields(box, ScaleX, ScaleY);
    const double expected[] = {3.195, 3.18, 3.195, 6.4, 2.39, 4.79, 4.0, 4.79, 1.61, 3.22, 2.415};
    const double actual[] = {f.upX, f.upY, f.dnX, f.dnY, f.ltX, f.ltY, f.rtX, f.rtY, f.width, f.height, f.diameter};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-12) << i;

    const Frame frame = frameOf(box);
    EXPECT_EQ(frame, (Frame{241, 161, 161, 161}));
    // The frame stands 2 px right of and below the picture, so its read-outs are 2 px further.
    const FrameFields ff = frameFields(frame, ScaleX, ScaleY);
    EXPECT_NEAR(ff.upY, 3.22, 1e-12);
    EXPECT_NEAR(ff.dnY, 6.44, 1e-12);
    EXPECT_NEAR(ff.height, 3.22, 1e-12);
    EXPECT_NEAR(ff.ltX, 2.41, 1e-12);
    EXPECT_NEAR(ff.rtX, 4.02, 1e-12);
    EXPECT_NEAR(ff.width, 1.61, 1e-12);
}

TEST(WidthHeightTest, NoEdgeToTheLeftKeepsItsStartValue)
{
    Scene scene;
    scene.radius = 80;
    scene.sectorFrom = -100;  // the rim shows on the right half only
    scene.sectorTo = 100;
    const QImage picture = impression::render(scene);
    const EdgeBox box = searchWidthHeight(rowsOf(picture), plainSearch(), ScaleX, ScaleY);
    EXPECT_EQ(box.left, 1000);
    EXPECT_EQ(box.found, (std::array<bool, 4>{true, true, false, true}));
    EXPECT_NEAR(boxFields(box, ScaleX, ScaleY).width, (400 - 1000) * ScaleX, 1e-12);

    CircleSearch none = plainSearch();
    none.threshold = 100;
    const EdgeBox empty = searchWidthHeight(rowsOf(picture), none, ScaleX, ScaleY);
    EXPECT_EQ(empty.right, 0);
    EXPECT_EQ(empty.bottom, 0);
    EXPECT_EQ(empty.left, 1000);
    EXPECT_EQ(empty.top, 1000);
}

TEST(WidthHeightTest, SpinStepsMoveOneSide)
{
    const Frame start{100, 50, 200, 150};
    struct Row {
        BoxSide side;
        bool increase, tenX;
        Frame after;
    } const rows[] = {
        {BoxSide::Top, true, false, {100, 49, 200, 151}},
        {BoxSide::Top, true, true, {100, 40, 200, 160}},
        {BoxSide::Top, false, false, {100, 51, 200, 149}},
        {BoxSide::Bottom, true, false, {100, 50, 200, 149}},
        {BoxSide::Bottom, false, true, {100, 50, 200, 160}},
        {BoxSide::Right, true, false, {100, 50, 201, 150}},
        {BoxSide::Right, false, true, {100, 50, 190, 150}},
        {BoxSide::Left, true, false, {101, 50, 199, 150}},
        {BoxSide::Left, false, true, {90, 50, 210, 150}},
    };
    for (const Row &r : rows)
        EXPECT_EQ(adjustFrame(start, r.side, r.increase, r.tenX), r.after)
            << int(r.side) << r.increase << r.tenX;
}

} // namespace
