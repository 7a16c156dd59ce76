#include "base/canvas.h"

#include <QDir>
#include <QRandomGenerator>

#include <climits>
#include <cstdlib>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

using PixelSet = std::set<std::pair<int, int>>; // (x, y)

struct Box {
    int Left, Top, Right, Bottom;
};

void PrintTo(const Box &box, std::ostream *os)
{
    *os << box.Left << "," << box.Top << "-" << box.Right << "," << box.Bottom;
}

QImage blankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(Qt::black);
    return image;
}

// The pixels a white copy pen paints on a black picture, in the coordinates of the drawing, which
// is shifted by offset so that a reference can hold parts lying left of or above the origin.
PixelSet painted(int width, int height, const std::function<void(Canvas &)> &draw, QPoint offset = {},
                 QVector<QRect> *dirty = nullptr)
{
    QImage image = blankImage(width, height);
    Canvas canvas(image);
    canvas.setPen(0xFFFFFF);
    draw(canvas);
    if (dirty)
        *dirty = canvas.dirtyRects();
    PixelSet set;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (canvas.pixel(x, y) != 0)
                set.insert({x - offset.x(), y - offset.y()});
    return set;
}

PixelSet clipTo(const PixelSet &set, int width, int height)
{
    PixelSet clipped;
    for (const auto &[x, y] : set)
        if (x >= 0 && y >= 0 && x < width && y < height)
            clipped.insert({x, y});
    return clipped;
}

QRect boundingRect(const PixelSet &set)
{
    QRect rect;
    for (const auto &[x, y] : set)
        rect |= QRect(x, y, 1, 1);
    return rect;
}

// Keeps a failing picture for inspection and names it in the assertion message.
::testing::AssertionResult sameImage(const QImage &actual, const QImage &expected, const char *name)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    const QString path = QDir::temp().filePath(QStringLiteral("canvas_%1.png").arg(QString::fromUtf8(name)));
    actual.save(path);
    return ::testing::AssertionFailure() << name << " differs, actual picture saved as " << path.toStdString();
}

TEST(CanvasLine, EndPixelIsLeftOutInEveryDirection)
{
    const std::pair<int, int> deltas[] = {{9, 0},  {-9, 0}, {0, 9},   {0, -9},  {9, 9},  {-9, 9},  {9, -9},
                                          {-9, -9}, {9, 4},  {9, -4},  {-9, 4},  {-9, -4}, {4, 9},   {-4, 9},
                                          {4, -9},  {-4, -9}, {1, 0},  {1, 1},   {20, 1},  {-1, 20}, {2, 1}};
    for (const auto &[dx, dy] : deltas) {
        SCOPED_TRACE(testing::Message() << "delta " << dx << "," << dy);
        QVector<QRect> dirty;
        const PixelSet line = painted(50, 50, [&](Canvas &c) { c.line(25, 25, 25 + dx, 25 + dy); }, {}, &dirty);
        const bool xMajor = std::abs(dx) >= std::abs(dy);
        ASSERT_EQ(int(line.size()), std::max(std::abs(dx), std::abs(dy)));
        EXPECT_TRUE(line.count({25, 25}));
        EXPECT_FALSE(line.count({25 + dx, 25 + dy}));
        // One pixel per step of the major axis, at most half a pixel off the ideal line.
        for (const auto &[x, y] : line) {
            const double t = xMajor ? double(x - 25) / dx : double(y - 25) / dy;
            EXPECT_TRUE(t >= 0.0 && t < 1.0) << x << "," << y;
            EXPECT_LE(std::abs(25 + t * dx - x) + std::abs(25 + t * dy - y), 0.5) << x << "," << y;
        }
        EXPECT_EQ(dirty, QVector<QRect>{boundingRect(line)});
    }
    // The pen moves to the end point, so a polyline paints its corners.
    const PixelSet polyline = painted(10, 10, [](Canvas &c) {
        c.moveTo(1, 1);
        c.lineTo(5, 1);
        c.lineTo(5, 4);
    });
    EXPECT_EQ(polyline, (PixelSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {5, 2}, {5, 3}}));
}

// Clipping must give exactly the visible part of the unclipped line, drawn on a picture large
// enough to hold all of it.
TEST(CanvasLine, ClippedLineIsTheVisiblePartOfTheWholeLine)
{
    const int width = 64;
    const int height = 48;
    std::vector<Box> lines = {// Far away ends, each line in a thin band so the reference stays small.
                              {-100000, 3, 100000, 40}, {100000, 40, -100000, 3}, {-100000, -5, 100000, 50},
                              {7, -100000, 60, 100000}, {60, 100000, 7, -100000}, {-100000, 47, 100003, 0}};
    QRandomGenerator random(17);
    for (int i = 0; i < 300; ++i)
        lines.push_back({random.bounded(-400, 460), random.bounded(-400, 450), random.bounded(-400, 460),
                         random.bounded(-400, 450)});
    for (const Box &l : lines) {
        SCOPED_TRACE(testing::Message() << l.Left << "," << l.Top << " -> " << l.Right << "," << l.Bottom);
        const QPoint offset(-std::min({l.Left, l.Right, 0}), -std::min({l.Top, l.Bottom, 0}));
        const int referenceWidth = std::max({l.Left, l.Right, width}) + offset.x() + 1;
        const int referenceHeight = std::max({l.Top, l.Bottom, height}) + offset.y() + 1;
        const PixelSet whole = painted(referenceWidth, referenceHeight, [&](Canvas &c) {
            c.line(l.Left + offset.x(), l.Top + offset.y(), l.Right + offset.x(), l.Bottom + offset.y());
        }, offset);
        const PixelSet clipped = painted(width, height, [&](Canvas &c) { c.line(l.Left, l.Top, l.Right, l.Bottom); });
        ASSERT_EQ(clipped, clipTo(whole, width, height));
    }
}

TEST(CanvasLine, MissedPicturesAndExtremeCoordinates)
{
    QVector<QRect> dirty;
    const PixelSet nothing = painted(32, 32, [](Canvas &c) {
        c.line(4, 4, 4, 4);
        c.line(-100, -1, 100, -1);
        c.line(-30, 5, 10, -15); // passes beside the top-left corner
        c.line(32, 0, 32, 31);
        c.line(INT_MIN, INT_MIN, INT_MAX, INT_MIN);
        c.line(-5, 5, 0, 5); // ends on the picture, but the end is not painted
    }, {}, &dirty);
    EXPECT_TRUE(nothing.empty());
    EXPECT_TRUE(dirty.isEmpty());

    const PixelSet extreme = painted(32, 32, [](Canvas &c) {
        c.line(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
        c.line(INT_MAX, 7, INT_MIN, 7);
    }, {}, &dirty);
    PixelSet expected;
    for (int i = 0; i < 32; ++i)
        expected.insert({{i, i}, {i, 7}});
    EXPECT_EQ(extreme, expected);
    EXPECT_EQ(dirty, (QVector<QRect>{QRect(0, 0, 32, 32), QRect(0, 7, 32, 1)}));
}

TEST(CanvasPen, ColourBytesAndXor)
{
    QImage image(97, 61, QImage::Format_BGR888); // odd width: rows are padded
    QRandomGenerator random(5);
    for (int y = 0; y < image.height(); ++y)
        for (int i = 0; i < image.width() * 3; ++i)
            image.scanLine(y)[i] = uchar(random.bounded(256));
    const QImage original = image;
    Canvas canvas(image);

    canvas.setPen(0x0000FF);
    canvas.line(0, 0, 1, 0);
    canvas.setPen(0x123456);
    canvas.line(1, 0, 2, 0);
    const uchar *row = image.constScanLine(0);
    EXPECT_EQ(std::vector<int>(row, row + 6), (std::vector<int>{0, 0, 255, 0x12, 0x34, 0x56}));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(canvas.pixel(1, 0), 0x123456u);
    EXPECT_EQ(canvas.pixel(-1, 0), 0u);
    EXPECT_EQ(canvas.pixel(97, 0), 0u);
    EXPECT_EQ(canvas.pixel(0, 61), 0u);

    image = original;
    canvas.setPen(0xFFFFFF, PenMode::Xor);
    canvas.line(0, 10, 96, 10);
    for (int x = 0; x < 97; ++x) {
        const TColor before = original.pixelColor(x, 10).rgb() & 0xFFFFFF;
        const TColor expected = x < 96 ? 0xFFFFFF - before : before;
        ASSERT_EQ(image.pixelColor(x, 10).rgb() & 0xFFFFFF, expected) << x;
    }

    // Everything drawn twice in XOR, clipped or not, restores the picture.
    auto drawAll = [&canvas] {
        canvas.line(-50, -30, 140, 90);
        canvas.moveTo(10, 50);
        canvas.lineTo(80, 5);
        canvas.lineTo(80, 55);
        canvas.cross(30, 30, 6, 7);
        canvas.cross(0, 60, 10, 10);
        canvas.ellipse(5, 5, 60, 40);
        canvas.ellipse(-40, -20, 130, 100);
        canvas.ellipse(40, 20, 42, 22);
        canvas.arc(10, 10, 80, 50, 100, 30, 0, 0);
    };
    image = original;
    canvas.setPen(0x5A3C1F, PenMode::Xor);
    drawAll();
    EXPECT_NE(image, original);
    drawAll();
    EXPECT_TRUE(sameImage(image, original, "xor_twice"));
}

TEST(CanvasCross, StrokesEndBeforeTheirEndsAndXorClearsTheCentre)
{
    PixelSet expected;
    for (int d = -5; d < 3; ++d)
        expected.insert({{20 + d, 20}, {20, 20 + d}});
    QVector<QRect> dirty;
    EXPECT_EQ(painted(40, 40, [](Canvas &c) { c.cross(20, 20, 5, 3); }, {}, &dirty), expected);
    EXPECT_EQ(dirty, QVector<QRect>{QRect(QPoint(15, 15), QPoint(22, 22))});

    QImage image = blankImage(40, 40);
    Canvas canvas(image);
    canvas.setPen(0xFFFFFF, PenMode::Xor);
    canvas.cross(20, 20, 5, 3);
    EXPECT_EQ(canvas.pixel(20, 20), 0u);
    EXPECT_EQ(canvas.pixel(19, 20), 0xFFFFFFu);
    EXPECT_EQ(canvas.pixel(20, 19), 0xFFFFFFu);
}

bool eightConnected(const PixelSet &set)
{
    PixelSet seen{*set.begin()};
    std::vector<std::pair<int, int>> todo{*set.begin()};
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (set.count({x + dx, y + dy}) && seen.insert({x + dx, y + dy}).second)
                    todo.push_back({x + dx, y + dy});
    }
    return seen.size() == set.size();
}

// True when a 4-connected walk from outside the box cannot reach the box's centre.
bool enclosesCentre(const PixelSet &outline, const Box &box)
{
    const std::pair<int, int> centre{(box.Left + box.Right - 1) / 2, (box.Top + box.Bottom - 1) / 2};
    PixelSet seen{{box.Left - 1, box.Top - 1}};
    std::vector<std::pair<int, int>> todo{{box.Left - 1, box.Top - 1}};
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (std::pair{x, y} == centre)
            return false;
        for (const auto &next : {std::pair{x + 1, y}, std::pair{x - 1, y}, std::pair{x, y + 1}, std::pair{x, y - 1}}) {
            const bool inFrame = next.first >= box.Left - 1 && next.first <= box.Right && next.second >= box.Top - 1 &&
                                 next.second <= box.Bottom;
            if (inFrame && !outline.count(next) && seen.insert(next).second)
                todo.push_back(next);
        }
    }
    return true;
}

class CanvasEllipse : public ::testing::TestWithParam<Box> {};

TEST_P(CanvasEllipse, OutlineIsClosedSymmetricAndTouchesTheBox)
{
    const Box box = GetParam();
    QImage copied = blankImage(420, 420);
    Canvas copyCanvas(copied);
    copyCanvas.setPen(0xFFFFFF);
    copyCanvas.ellipse(box.Left, box.Top, box.Right, box.Bottom);
    // XOR gives the same picture only if no pixel is painted twice.
    QImage xored = blankImage(420, 420);
    Canvas xorCanvas(xored);
    xorCanvas.setPen(0xFFFFFF, PenMode::Xor);
    xorCanvas.ellipse(box.Left, box.Top, box.Right, box.Bottom);
    EXPECT_TRUE(sameImage(xored, copied, "ellipse_once"));

    const PixelSet outline = painted(420, 420, [&](Canvas &c) { c.ellipse(box.Left, box.Top, box.Right, box.Bottom); });
    const QRect boxRect(QPoint(box.Left, box.Top), QPoint(box.Right - 1, box.Bottom - 1));
    ASSERT_FALSE(outline.empty());
    EXPECT_EQ(boundingRect(outline), boxRect);
    EXPECT_EQ(copyCanvas.dirtyRects(), QVector<QRect>{boxRect});
    EXPECT_TRUE(eightConnected(outline));
    for (const auto &[x, y] : outline) {
        ASSERT_TRUE(outline.count({box.Left + box.Right - 1 - x, y})) << x << "," << y;
        ASSERT_TRUE(outline.count({x, box.Top + box.Bottom - 1 - y})) << x << "," << y;
    }
    const int width = box.Right - box.Left;
    const int height = box.Bottom - box.Top;
    if (width >= 3 && height >= 3) {
        EXPECT_TRUE(enclosesCentre(outline, box));
        // A thin outline: no painted pixel is surrounded by painted pixels.
        for (const auto &[x, y] : outline)
            EXPECT_FALSE(outline.count({x + 1, y}) && outline.count({x - 1, y}) && outline.count({x, y + 1}) &&
                         outline.count({x, y - 1}))
                << x << "," << y;
    } else if (width == 1 || height == 1) {
        EXPECT_EQ(int(outline.size()), width * height);
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, CanvasEllipse,
                         ::testing::Values(Box{10, 10, 11, 11}, Box{10, 10, 12, 12}, Box{10, 10, 13, 13},
                                           Box{10, 10, 12, 13}, Box{10, 10, 11, 30}, Box{10, 10, 40, 11},
                                           Box{10, 10, 12, 40}, Box{10, 10, 50, 12}, Box{10, 10, 110, 13},
                                           Box{10, 10, 14, 15}, Box{10, 10, 27, 27}, Box{10, 10, 28, 28},
                                           Box{10, 10, 60, 30}, Box{10, 10, 31, 90}, Box{5, 7, 405, 306},
                                           Box{1, 1, 400, 401}));

TEST(CanvasEllipseClipping, VisiblePartOfTheWholeOutlineAndNothingForEmptyBoxes)
{
    const int width = 64;
    const int height = 48;
    // The third box surrounds the picture without its outline crossing it.
    const Box boxes[] = {{-30, -20, 40, 30},       {20, 10, 100, 90},        {-200, -150, 250, 190}, {60, -10, 64, 60},
                         {-950, -1960, 1050, 40}, {-1990, -1000, 60, 1048}, {-1, -1, 65, 49}};
    for (const Box &box : boxes) {
        SCOPED_TRACE(testing::Message() << box.Left << "," << box.Top << "-" << box.Right << "," << box.Bottom);
        const QPoint offset(-std::min(box.Left, 0), -std::min(box.Top, 0));
        const PixelSet whole = painted(std::max(box.Right, width) + offset.x(), std::max(box.Bottom, height) + offset.y(),
                                       [&](Canvas &c) {
                                           c.ellipse(box.Left + offset.x(), box.Top + offset.y(),
                                                     box.Right + offset.x(), box.Bottom + offset.y());
                                       }, offset);
        const PixelSet visible = clipTo(whole, width, height);
        QVector<QRect> dirty;
        EXPECT_EQ(painted(width, height, [&](Canvas &c) { c.ellipse(box.Left, box.Top, box.Right, box.Bottom); }, {}, &dirty),
                  visible);
        const QRect boxRect(QPoint(box.Left, box.Top), QPoint(box.Right - 1, box.Bottom - 1));
        EXPECT_EQ(dirty, visible.empty() ? QVector<QRect>{} : QVector<QRect>{boxRect & QRect(0, 0, width, height)});
    }

    QVector<QRect> dirty;
    const PixelSet nothing = painted(20, 20, [](Canvas &c) {
        for (const Box &box : {Box{5, 5, 5, 10}, Box{5, 5, 10, 5}, Box{10, 5, 5, 10}, Box{-30, -30, -10, -10},
                               Box{25, 2, 40, 12}}) {
            c.ellipse(box.Left, box.Top, box.Right, box.Bottom);
            c.arc(box.Left, box.Top, box.Right, box.Bottom, 0, 0, 1, 1);
        }
    }, {}, &dirty);
    EXPECT_TRUE(nothing.empty());
    EXPECT_TRUE(dirty.isEmpty());
}

TEST(CanvasArc, RunsCounterClockwiseOnTheScreen)
{
    for (const Box &box : {Box{0, 0, 41, 41}, Box{3, 5, 60, 30}, Box{0, 0, 40, 40}}) {
        SCOPED_TRACE(testing::Message() << box.Right << "x" << box.Bottom);
        const double cx = (box.Left + box.Right - 1) / 2.0;
        const double cy = (box.Top + box.Bottom - 1) / 2.0;
        const QPoint rightRay(box.Right + 50, (box.Top + box.Bottom) / 2);
        const QPoint topRay((box.Left + box.Right) / 2, box.Top - 50);
        auto arc = [&](QPoint start, QPoint end) {
            return painted(box.Right + 2, box.Bottom + 2, [&](Canvas &c) {
                c.arc(box.Left, box.Top, box.Right, box.Bottom, start.x(), start.y(), end.x(), end.y());
            });
        };
        const PixelSet full = painted(box.Right + 2, box.Bottom + 2, [&](Canvas &c) {
            c.ellipse(box.Left, box.Top, box.Right, box.Bottom);
        });

        const PixelSet upperRight = arc(rightRay, topRay);
        ASSERT_FALSE(upperRight.empty());
        for (const auto &[x, y] : upperRight)
            EXPECT_TRUE(x >= cx - 0.5 && y <= cy + 0.5) << x << "," << y;
        const PixelSet otherThree = arc(topRay, rightRay);
        EXPECT_TRUE(otherThree.count({box.Left, rightRay.y()}));
        EXPECT_TRUE(otherThree.count({topRay.x(), box.Bottom - 1}));
        // Together they are the whole outline and share at most the pixels on the two rays.
        PixelSet both = upperRight;
        both.insert(otherThree.begin(), otherThree.end());
        EXPECT_EQ(both, full);
        EXPECT_LE(upperRight.size() + otherThree.size(), full.size() + 2);

        EXPECT_EQ(arc(rightRay, rightRay), full);
        // The same ray through a point three times as far from the centre.
        const QPoint fartherOnRay = 3 * rightRay - QPoint(box.Left + box.Right - 1, box.Top + box.Bottom - 1);
        EXPECT_EQ(arc(rightRay, fartherOnRay), full);
    }
}

TEST(CanvasFill, RightAndBottomAreExclusiveAndClipped)
{
    QImage image = blankImage(20, 10);
    Canvas canvas(image);
    canvas.setPen(0xFFFFFF, PenMode::Xor);
    canvas.fillRect(2, 3, 6, 5, 0x0000FF);
    canvas.fillRect(15, -5, 100, 2, 0x00FF00);
    canvas.fillRect(5, 5, 5, 9, 0xFFFFFF);
    canvas.fillRect(8, 8, 4, 4, 0xFFFFFF);
    canvas.fillRect(20, 0, 30, 10, 0xFFFFFF);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const TColor expected = x >= 2 && x < 6 && y >= 3 && y < 5 ? 0x0000FF : x >= 15 && y < 2 ? 0x00FF00 : 0;
            ASSERT_EQ(canvas.pixel(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(canvas.dirtyRects(), (QVector<QRect>{QRect(2, 3, 4, 2), QRect(15, 0, 5, 2)}));
}

} // namespace
