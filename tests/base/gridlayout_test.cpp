#include "base/gridlayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

GridLayout sampleLayout()
{
    GridColumnLayout id;
    id.field = QStringLiteral("OperNo");
    id.width = 120;
    id.title = QStringLiteral("工單編號");
    GridColumnLayout odd;
    odd.field = QStringLiteral("X_Length");
    odd.width = 0;
    odd.visible = false;
    odd.alignment = ColumnAlignment::Right;
    odd.titleAlignment = ColumnAlignment::Center;
    odd.color = 0x00FF8000;  // 0x00BBGGRR
    odd.font = QStringLiteral("AR PL UMing TW,9,-1,5,700,0,0,0,0,0");
    odd.title = QStringLiteral("tab\there\\, line\nbreak\r ");
    GridColumnLayout unbound;  // no field, empty title
    return {odd, id, unbound};
}

} // namespace

TEST(GridLayoutTest, RoundTripsInDisplayOrder)
{
    QTemporaryDir dir;
    const QString path = gridLayoutPath(dir.path() + u'/', QStringLiteral("dbgMeasure"));
    EXPECT_TRUE(path.endsWith(QStringLiteral("/dbgMeasure.pos")));

    const GridLayout layout = sampleLayout();
    ASSERT_TRUE(writeGridLayout(path, layout).ok());
    const GridLayoutResult back = readGridLayout(path);
    ASSERT_TRUE(back.ok()) << back.error.toStdString();
    EXPECT_TRUE(back.exists);
    EXPECT_EQ(back.columns, layout);

    // The form is readable: one line per column, colour as RRGGBB.
    const QByteArray text = gridLayoutText(layout);
    EXPECT_TRUE(text.startsWith("QuillmontGridLayout\t1\t3\n"));
    EXPECT_TRUE(text.contains("X_Length\t0\t0\tright\tcenter\t0080FF\t")) << text.toStdString();
    EXPECT_EQ(text.count('\n'), 4);

    // An empty layout is a layout, and CRLF line ends (a file edited on Windows) are accepted.
    EXPECT_TRUE(parseGridLayout(gridLayoutText({}), QStringLiteral("x.pos")).columns.empty());
    QByteArray crlf = text;
    crlf.replace("\n", "\r\n");
    EXPECT_EQ(parseGridLayout(crlf, QStringLiteral("x.pos")).columns, layout);
}

TEST(GridLayoutTest, MissingFileIsSkippedDamagedFileIsReported)
{
    const GridLayoutResult missing = readGridLayout(QStringLiteral("/nonexistent/DBGrid5.pos"));
    EXPECT_TRUE(missing.ok());
    EXPECT_FALSE(missing.exists);

    const QByteArray good = gridLayoutText(sampleLayout());
    struct Row {
        QByteArray Bytes;
        const char *Error;  // expected text of the error after the file name
    };
    QByteArray badWidth = good;
    badWidth.replace("OperNo\t120\t", "OperNo\t12x\t");
    QByteArray badColour = good;
    badColour.replace("\t0080FF\t", "\t0080F\t");
    QByteArray badEscape = good;
    badEscape.replace("\\t", "\\q");
    const Row rows[] = {
        {good.left(good.size() - 5), ": the file is cut off (no line end after the last line)"},
        {good.left(good.indexOf("OperNo")), ": 3 columns announced, 1 found"},
        {"", ": the file is cut off (no line end after the last line)"},
        {"[Option]\nRedPoint=1\n", ", line 1: not a grid layout file"},
        {QByteArray(good).replace("Layout\t1", "Layout\t2"), ", line 1: format version \"2\" is not 1"},
        {badWidth, ", line 3: width \"12x\" is not a whole number from 0 to 100000"},
        {QByteArray(good).replace("\tright\t", "\tmiddle\t"), ", line 2: alignment \"middle\" is not left, right or center"},
        {badColour, ", line 2: colour \"0080F\" is neither six hexadecimal digits nor -"},
        {QByteArray(good).replace("\t0\t0\t", "\t0\tno\t"), ", line 2: visible \"no\" is neither 1 nor 0"},
        {QByteArray(good).replace("OperNo\t", "OperNo"), ", line 3: expected 8 tab-separated fields, found 7"},
        {badEscape, ", line 2: a text holds an unknown escape"},
        {"QuillmontGridLayout\t1\t0\n\xa4\xa4\n", ": not UTF-8 text"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DBGrid2.pos"));
    for (const Row &row : rows) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(row.Bytes);
        file.close();
        const GridLayoutResult result = readGridLayout(path);
        EXPECT_TRUE(result.exists);
        EXPECT_TRUE(result.columns.empty());
        EXPECT_EQ(result.error.toStdString(), (QDir::toNativeSeparators(path) + QString::fromUtf8(row.Error)).toStdString());
    }
}
