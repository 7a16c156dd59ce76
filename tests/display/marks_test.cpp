#include "display/marks.h"

#include <gtest/gtest.h>

#include "records/measurementobject.h"

namespace {

constexpr TColor Blue = 0xFF0000;
constexpr TColor Red = 0x0000FF;
constexpr TColor DarkGreen = 32768;

QImage blackPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(Qt::black);
    return image;
}

// A stored row of the kind with points P1…P4 and Val1…Val6.
MeasurementObject row(int attribId, std::initializer_list<QPointF> points, std::array<double, 6> val = {})
{
    MeasurementObject m;
    m.AttribID = attribId;
    m.OBJIndex = 7;
    size_t k = 0;
    for (const QPointF &p : points) {
        m.x[k] = p.x();
        m.y[k] = p.y();
        ++k;
    }
    m.Val = val;
    return m;
}

TEST(StoredMarks, PointGroupLinesInRedAndDarkGreenLeaveTheirEndPixels)
{
    QImage image = blackPicture(100, 100);
    Canvas canvas(image);
    // P1 (20, 20) measured against the line (10, 60)-(90, 60); the foot is (20, 60).
    drawStoredMarks(canvas, row(10, {{20, 20}, {10, 60}, {90, 60}}, {40, 20, 60, 0.4, 0.2, 0.6}), {Blue});
    struct Expected {
        int x, y;
        TColor color;
    };
    const Expected pixels[] = {
        {20, 20, DarkGreen}, {20, 59, DarkGreen},  // the perpendicular from P1 stops before the foot
        {20, 60, Red},                             // which the red line had painted
        {17, 20, Blue},      {23, 20, Blue},      {24, 20, 0}, {16, 20, 0},  // cross arms reach 3
        {10, 60, Red},       {89, 60, Red},       {90, 60, Blue},  // the red line leaves P3 to its cross
        {90, 57, Blue},      {90, 63, Blue},      {90, 64, 0},     {93, 60, Blue}, {94, 60, 0},
    };
    for (const Expected &e : pixels)
        EXPECT_EQ(canvas.pixel(e.x, e.y), e.color) << "at " << e.x << "," << e.y;
    EXPECT_EQ(canvas.penColor(), Blue);
}

TEST(StoredMarks, WidthTicksCircleOutlineAndMarkerFrame)
{
    QImage image = blackPicture(100, 100);
    Canvas canvas(image);
    drawStoredMarks(canvas, row(1, {{10, 81}, {50, 90}}), {Blue});  // m = 85.5: ticks from trunc 82 to 89
    EXPECT_EQ(canvas.pixel(10, 81), 0u);
    EXPECT_EQ(canvas.pixel(10, 88), Blue);
    EXPECT_EQ(canvas.pixel(10, 89), 0u);

    const StoredMarks marks =
        drawStoredMarks(canvas, row(6, {{60, 50}, {50, 40}, {40, 50}}, {10, 50, 50, 1, 0.5, 0.5}), {Blue});
    EXPECT_EQ(marks.circleFrame, QRect(42, 42, 21, 21));
    EXPECT_EQ(canvas.pixel(50, 60), Blue);
    EXPECT_EQ(canvas.pixel(50, 61), 0u);  // the box's bottom edge is exclusive
    EXPECT_EQ(canvas.pixel(53, 50), Blue);  // the centre's cross
    EXPECT_EQ(drawStoredMarks(canvas, row(6, {}, {0, 5, 5}), {Blue}).circleFrame, QRect(7, 7, 1, 1));
    EXPECT_EQ(drawStoredMarks(canvas, row(3, {{1, 1}, {2, 2}}), {Blue}).circleFrame, std::nullopt);
}

TEST(StoredMarks, OnlyTheReportDrawsTheAngleArc)
{
    // Directions east and north meet at (100, 100): 90 degrees, and the report's arc has that radius.
    const MeasurementObject angle = row(7, {{130, 100}, {140, 100}, {100, 70}, {100, 60}}, {90, 100, 100, 90, 100, 100});
    const auto paintedNear = [](const Canvas &canvas, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (canvas.pixel(x + dx, y + dy) == Blue)
                    return true;
        return false;
    };
    for (const LabelVariant variant : {LabelVariant::Screen, LabelVariant::Export, LabelVariant::Report}) {
        QImage image = blackPicture(200, 200);
        Canvas canvas(image);
        drawStoredMarks(canvas, angle, markOptionsFor(variant, Blue));
        const bool report = variant == LabelVariant::Report;
        EXPECT_EQ(paintedNear(canvas, 164, 36), report);  // counter-clockwise from east to north
        EXPECT_FALSE(paintedNear(canvas, 36, 164));
        EXPECT_EQ(canvas.pixel(115, 100), Blue);  // P1 to the vertex
        EXPECT_EQ(canvas.pixel(100, 85), Blue);   // P3 to the vertex
    }
}

TEST(StoredMarks, UnknownKindDrawsNothing)
{
    QImage image = blackPicture(40, 40);
    Canvas canvas(image);
    for (const int attribId : {0, 12, -3})
        drawStoredMarks(canvas, row(attribId, {{10, 10}, {20, 20}, {30, 30}}, {5, 10, 10, 1, 1, 1}), {Blue});
    EXPECT_EQ(image, blackPicture(40, 40));
}

QString q(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

MeasurementObject withNote(MeasurementObject m, const char *note)
{
    m.OBJNote = q(note);
    return m;
}

// The arc from (10, 0) through (0, -10) to 135 degrees, about (0, 0): its ends lie more than a right
// angle apart, so it runs the long way, 5/4 pi. Radius 2 calibrated (0.2 per pixel).
const MeasurementObject Arc = row(8, {{10, 0}, {0, -10}, {-7.0710678118654755, 7.0710678118654755}}, {10, 0, 0, 2, 1.5, 0});
const MeasurementObject Angle = row(7, {}, {45, 10.5, 20.25, 45, 10.5, 20.25});
const MeasurementObject Circle = row(6, {}, {10, 1, 1, 2, 1234.5, 3});

TEST(LabelTexts, ValuesByKindAndVariant)
{
    using V = LabelVariant;
    const struct {
        MeasurementObject row;
        LabelVariant variant;
        LabelScale scale;
        const char *code, *value;
    } cases[] = {
        {row(1, {}, {0, 0, 0, 1.23456}), V::Screen, {1000}, "w007", "1234.560"},
        {Circle, V::Report, {1}, "r007", "2.000\nCx:1,234.500\nCy:3.000\nArea:12.566"},
        {Angle, V::Screen, {1000}, "g007", "45.000°\n135.000°"},
        {Angle, V::Export, {1000}, "g007", "45.000°\n135.000°\nCx:10.500\nCy:20.250"},
        {Angle, V::Report, {1000}, "g007", "45.000°\n135.000°Cx:10.500Cy:20.250"},
        {Arc, V::Screen, {1, 0.2, 0.2}, "a007", "7.854\nR2.000\nCL:3.696"},
        {Arc, V::Export, {10, 0.2, 0.2}, "a007", "78.540\nR20.000\nCL:36.955"},
        {Arc, V::Report, {1, 0.2, 0.2}, "a007", "2.000\nCx:1.500\nCy:0.000"},
        {withNote(row(11, {}), "注意"), V::Report, {1}, "t007", "注意"},
        {withNote(row(12, {}, {1, 2, 3, 4, 5, 6}), "x"), V::Screen, {1}, "?007", ""},
    };
    for (const auto &c : cases) {
        const LabelTexts texts = labelTexts(c.row, c.scale, c.variant);
        EXPECT_EQ(texts.code, q(c.code));
        EXPECT_EQ(texts.value, q(c.value)) << c.code << " variant " << int(c.variant);
    }
}

TEST(LabelText, DisplayModesOnATextNoteAndACircle)
{
    const MeasurementObject note = withNote(row(11, {}), "孔位");
    const LabelTexts screen = labelTexts(note, {}, LabelVariant::Screen);
    const LabelTexts exported = labelTexts(note, {}, LabelVariant::Export);
    const LabelTexts circle = labelTexts(withNote(Circle, "外徑"), {}, LabelVariant::Screen);
    const QString c = q("2.000\nCx:1,234.500\nCy:3.000\nArea:12.566");
    const struct {
        int mode;
        QString screenNote, exportedNote, circleText;
    } cases[] = {
        {0, q("t007=孔位"), q("t007=孔位"), "r007=" + c},
        {1, q("t007:孔位"), q("t007:孔位"), q("r007:外徑")},
        {2, q("t007=孔位\n:"), q("t007=孔位\n:孔位"), "r007=" + c + q("\n:外徑")},
        {3, q("t007"), q("t007"), q("r007")},
        {4, q("孔位"), q("孔位"), c},
        {5, q("孔位"), q("孔位"), q("外徑")},
    };
    for (const auto &k : cases) {
        EXPECT_EQ(labelText(screen, k.mode), k.screenNote) << k.mode;
        EXPECT_EQ(labelText(exported, k.mode), k.exportedNote) << k.mode;
        EXPECT_EQ(labelText(circle, k.mode), k.circleText) << k.mode;
    }
}

}  // namespace
