#include <vector>

#include <QImage>
#include <QPointF>

#include <gtest/gtest.h>

#include "base/canvas.h"
#include "measure/clicks.h"
#include "records/measurementobject.h"

namespace {

constexpr TColor kGrey = 0x808080;
constexpr TColor kPen = 0xFF0000;  // blue
const QString kContinue = QString::fromUtf8("繼續量測請點選P1座標。");

class ClickTest : public ::testing::Test {
protected:
    static QImage greyPicture()
    {
        QImage picture(200, 150, QImage::Format_BGR888);
        picture.fill(QColor(0x80, 0x80, 0x80));
        return picture;
    }

    ClickTest() : image(greyPicture()), canvas(image)
    {
        settings.penColor = kPen;
        settings.scaleX = 0.5;
        settings.scaleY = 0.25;
    }

    ClickOutcome click(QPointF p, ClickButton button = ClickButton::Left, bool shiftOrCtrl = false)
    {
        return measureClick(state, canvas, button, shiftOrCtrl, p.x(), p.y(), settings);
    }

    static MeasurementObject stored(MeasurementKind kind, std::vector<QPointF> points, QPointF val23 = {})
    {
        MeasurementObject m;
        m.AttribID = kindIndex(kind) + 1;
        for (std::size_t i = 0; i < points.size(); ++i) {
            m.x[i] = points[i].x();
            m.y[i] = points[i].y();
        }
        m.Val[1] = val23.x();
        m.Val[2] = val23.y();
        return m;
    }

    ClickOutcome pick(const MeasurementObject &m) { return pickLabel(state, canvas, m, settings); }

    QImage image;
    Canvas canvas;
    ClickState state;
    ClickSettings settings;
};

TEST_F(ClickTest, EachKindPromptsAndCompletesAfterItsPoints)
{
    const auto p = [](int n) { return pointPrompt(n); };
    struct Case {
        MeasurementKind kind;
        std::vector<QPointF> points;
        std::vector<QString> prompts;
    };
    const std::vector<Case> cases = {
        {MeasurementKind::Width, {{20, 30}, {120, 50}}, {p(1), kContinue}},
        {MeasurementKind::Height, {{20, 30}, {120, 50}}, {p(1), kContinue}},
        {MeasurementKind::PointToPoint, {{20, 30}, {120, 50}}, {p(1), kContinue}},
        {MeasurementKind::CircleToCircle, {{20, 30}, {120, 50}}, {p(1), p(2)}},
        {MeasurementKind::PointToLine, {{20, 30}, {120, 50}, {100, 140}}, {p(1), p(2), kContinue}},
        {MeasurementKind::LineToLine, {{20, 30}, {120, 50}, {100, 140}}, {p(1), p(2), kContinue}},
        {MeasurementKind::Circle, {{100, 20}, {150, 70}, {100, 120}}, {p(1), p(2), kContinue}},
        {MeasurementKind::Arc, {{100, 20}, {150, 70}, {100, 120}}, {p(1), p(2), kContinue}},
        {MeasurementKind::Angle, {{10, 10}, {90, 10}, {10, 10}, {90, 90}}, {p(1), p(2), p(3), p(4)}},
        {MeasurementKind::TextNote, {{33.7, 44.2}}, {p(1)}},
    };
    for (const Case &c : cases) {
        selectKind(state, c.kind);
        for (std::size_t i = 0; i < c.points.size(); ++i) {
            const ClickOutcome out = click(c.points[i]);
            const bool last = i + 1 == c.points.size();
            EXPECT_TRUE(out.handled);
            EXPECT_TRUE(out.labelColour);
            EXPECT_EQ(out.prompt, c.prompts[i]) << kindPrefix(c.kind).toStdString() << i;
            ASSERT_EQ(out.completion.has_value(), last) << kindPrefix(c.kind).toStdString() << i;
            EXPECT_EQ(state.PointCount, last ? 0 : static_cast<int>(i) + 1);
            if (!last)
                continue;
            EXPECT_EQ(out.completion->kind, c.kind);
            const auto expected = computeGeometry(c.kind, c.points, 0.5, 0.25, 1);
            EXPECT_EQ(out.completion->geometry.x, expected->x);
            EXPECT_EQ(out.completion->geometry.val, expected->val);
            EXPECT_EQ(out.completion->points[0], c.points[0]);
        }
    }
}

TEST_F(ClickTest, ShiftCtrlAndCircleDetectionChangeNothing)
{
    click({20, 30});
    const ClickState before = state;
    const QImage picture = image.copy();
    ClickOutcome out = click({60, 60}, ClickButton::Left, true);
    EXPECT_FALSE(out.handled);
    EXPECT_TRUE(out.prompt.isEmpty());

    settings.circleDetection = true;
    out = click({60, 60}, ClickButton::Middle);
    EXPECT_TRUE(out.handled);
    EXPECT_TRUE(out.forCircleDetection);
    EXPECT_TRUE(out.prompt.isEmpty());
    EXPECT_FALSE(out.completion);
    EXPECT_EQ(state.PointCount, before.PointCount);
    EXPECT_EQ(state.PointX, before.PointX);
    EXPECT_EQ(image, picture);
}

TEST_F(ClickTest, RightButtonAbandonsButKeepsTheMark)
{
    settings.circleDetection = true;  // the right button still belongs to measuring
    selectKind(state, MeasurementKind::PointToPoint);
    settings.circleDetection = false;
    click({50, 40});
    settings.circleDetection = true;
    const ClickOutcome out = click({150, 100}, ClickButton::Right);
    EXPECT_EQ(state.PointCount, 0);
    EXPECT_EQ(out.prompt, QString::fromUtf8("請點選P1座標"));
    EXPECT_TRUE(out.resetCircleDetection);
    EXPECT_TRUE(out.labelColour);
    EXPECT_FALSE(out.completion);
    // Mark: (41..59, 40) and (50, 31..49); the far ends are not painted.
    EXPECT_EQ(canvas.pixel(41, 40), kPen);
    EXPECT_EQ(canvas.pixel(59, 40), kPen);
    EXPECT_EQ(canvas.pixel(60, 40), kGrey);
    EXPECT_EQ(canvas.pixel(50, 31), kPen);
    EXPECT_EQ(canvas.pixel(50, 50), kGrey);
    EXPECT_EQ(canvas.pixel(150, 100), kGrey);
}

TEST_F(ClickTest, AngleWithAZeroLengthOrParallelLineIsDropped)
{
    for (const std::vector<QPointF> &points : {std::vector<QPointF>{{10, 10}, {10, 10}, {20, 20}, {50, 90}},
                                               std::vector<QPointF>{{10, 10}, {40, 10}, {20, 50}, {90, 50}}}) {
        selectKind(state, MeasurementKind::Angle);
        ClickOutcome out;
        for (QPointF p : points)
            out = click(p);
        EXPECT_FALSE(out.completion);
        EXPECT_FALSE(out.labelColour);
        EXPECT_EQ(state.PointCount, 0);
    }
}

TEST_F(ClickTest, DrawnResults)
{
    selectKind(state, MeasurementKind::Width);
    click({20, 50});
    click({120, 71});  // m = 60.5: line on row 60, ticks from row 51 to 69
    EXPECT_EQ(canvas.pixel(70, 60), kPen);
    EXPECT_EQ(canvas.pixel(70, 61), kGrey);
    EXPECT_EQ(canvas.pixel(120, 51), kPen);
    EXPECT_EQ(canvas.pixel(120, 50), kGrey);

    selectKind(state, MeasurementKind::Circle);
    click({100, 20});
    click({150, 70});
    click({100, 120});  // centre (100, 70), r 50: box (50, 20)-(151, 121)
    EXPECT_TRUE(canvas.pixel(50, 69) == kPen || canvas.pixel(50, 70) == kPen || canvas.pixel(50, 71) == kPen);
    EXPECT_EQ(canvas.pixel(99, 69), kGrey);  // inside the centre ring
    int ring = 0;
    for (int y = 67; y <= 73; ++y)
        for (int x = 97; x <= 103; ++x)
            ring += x != 100 && y != 70 && canvas.pixel(x, y) == kPen;
    EXPECT_GT(ring, 0);
}

TEST_F(ClickTest, PointGroupMeasuresAgainstAPickedLine)
{
    selectKind(state, MeasurementKind::PointGroup);
    EXPECT_FALSE(click({5, 5}).completion);  // no line yet: slot 0 only
    EXPECT_EQ(state.PointCount, 0);
    EXPECT_TRUE(pick(stored(MeasurementKind::Width, {{20, 30}, {180, 50}})).handled);
    EXPECT_EQ(state.PointCount, 5);
    for (QPointF p : {QPointF(60, 100), QPointF(90, 10), QPointF(130, 45.5)}) {
        const ClickOutcome out = click(p);
        ASSERT_TRUE(out.completion);
        EXPECT_EQ(out.completion->kind, MeasurementKind::PointGroup);
        EXPECT_EQ(out.completion->points[0], p);
        EXPECT_EQ(out.completion->points[1], QPointF(20, 40));
        EXPECT_EQ(out.completion->points[2], QPointF(180, 40));
        EXPECT_DOUBLE_EQ(out.completion->geometry.val[0], std::abs(p.y() - 40));
        EXPECT_EQ(state.PointCount, 5);
        EXPECT_EQ(state.PointX[0], p.x());
    }
    EXPECT_EQ(canvas.pixel(150, 40), 0x0000FFu);
    EXPECT_FALSE(pick(stored(MeasurementKind::Width, {{0, 0}, {10, 10}})).handled);
    click({0, 0}, ClickButton::Right);
    EXPECT_EQ(state.PointCount, 0);
}

TEST_F(ClickTest, PointGroupLineFromEachKind)
{
    struct Case {
        MeasurementKind kind;
        int count;
        QPointF p2, p3;
    };
    const std::vector<QPointF> points{{10, 20}, {30, 60}, {50, 70}};
    const Case cases[] = {
        {MeasurementKind::Height, 5, {20, 20}, {20, 60}},
        {MeasurementKind::PointToPoint, 5, {10, 20}, {30, 60}},
        {MeasurementKind::CircleToCircle, 5, {10, 20}, {30, 60}},
        {MeasurementKind::PointToLine, 5, {30, 60}, {50, 70}},
        {MeasurementKind::LineToLine, 5, {30, 60}, {50, 70}},
        {MeasurementKind::Arc, 1, {7, 8}, {}},
        {MeasurementKind::Angle, 0, {}, {}},
        {MeasurementKind::TextNote, 0, {}, {}},
    };
    for (const Case &c : cases) {
        selectKind(state, MeasurementKind::PointGroup);
        state.PointX.fill(0);
        state.PointY.fill(0);
        const ClickOutcome out = pick(stored(c.kind, points, {7, 8}));
        EXPECT_EQ(out.handled, c.count != 0) << kindPrefix(c.kind).toStdString();
        EXPECT_EQ(state.PointCount, c.count) << kindPrefix(c.kind).toStdString();
        EXPECT_EQ(QPointF(state.PointX[1], state.PointY[1]), c.p2) << kindPrefix(c.kind).toStdString();
        EXPECT_EQ(QPointF(state.PointX[2], state.PointY[2]), c.p3) << kindPrefix(c.kind).toStdString();
    }
}

TEST_F(ClickTest, PointGroupBetweenTwoCentres)
{
    selectKind(state, MeasurementKind::PointGroup);
    pick(stored(MeasurementKind::Circle, {}, {30, 30}));
    EXPECT_FALSE(click({40, 35}).completion);  // replaces the first centre
    EXPECT_EQ(state.PointCount, 1);
    EXPECT_FALSE(pick(stored(MeasurementKind::Width, {{1, 1}, {2, 2}})).handled);
    pick(stored(MeasurementKind::Arc, {}, {140, 35}));
    EXPECT_EQ(state.PointCount, 5);
    const ClickOutcome out = click({90, 80});
    ASSERT_TRUE(out.completion);
    EXPECT_EQ(out.completion->points[1], QPointF(40, 35));
    EXPECT_DOUBLE_EQ(out.completion->geometry.val[0], 45);
}

TEST_F(ClickTest, CircleToCircleTakesCentresFromLabels)
{
    selectKind(state, MeasurementKind::CircleToCircle);
    click({20, 30});
    const ClickOutcome out = pick(stored(MeasurementKind::Circle, {}, {120, 90}));
    ASSERT_TRUE(out.completion);
    EXPECT_EQ(out.completion->kind, MeasurementKind::CircleToCircle);
    EXPECT_EQ(out.completion->points[1], QPointF(120, 90));
    EXPECT_DOUBLE_EQ(out.completion->geometry.val[0], std::hypot(100.0, 60.0));
    EXPECT_EQ(state.PointCount, 0);
    EXPECT_EQ(canvas.pixel(70, 60), kPen);
    EXPECT_EQ(canvas.pixel(120, 90), kGrey);  // no mark at a picked centre, and the line stops short

    EXPECT_FALSE(pick(stored(MeasurementKind::Arc, {}, {10, 10})).completion);
    EXPECT_EQ(state.PointCount, 1);
    const ClickOutcome second = click({50, 10});
    ASSERT_TRUE(second.completion);
    EXPECT_EQ(second.completion->points[0], QPointF(10, 10));
}

TEST_F(ClickTest, OtherKindsIgnoreLabels)
{
    for (MeasurementKind kind : {MeasurementKind::Circle, MeasurementKind::TextNote, MeasurementKind::Width}) {
        selectKind(state, kind);
        click({20, 30});
        const ClickOutcome out = pick(stored(MeasurementKind::Circle, {}, {5, 5}));
        EXPECT_FALSE(out.handled);
        EXPECT_EQ(state.PointCount, kind == MeasurementKind::TextNote ? 0 : 1);
    }
}

}  // namespace
