#include "output/reportlayout.h"
#include "output/reportpicture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "records/measurementobject.h"

namespace {

TEST(FitReportPicture, WidthThenHeightBroughtTo700)
{
    const struct {
        QSize picture, fitted;
    } cases[] = {
        {{1400, 700}, {700, 350}}, {{800, 1600}, {350, 700}}, {{700, 700}, {700, 700}},
        {{2000, 1800}, {700, 630}}, {{1000, 3000}, {233, 700}}, {{640, 480}, {640, 480}}, {{0, 0}, {0, 0}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fitReportPicture(c.picture), c.fitted) << c.picture.width() << "x" << c.picture.height();
}

// Runs one of poppler's tools on the file and returns what it printed.
QString poppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("%1 failed: %2").arg(tool, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pageText(const QString &pdf, int page)
{
    return poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                                  QStringLiteral("-l"), QString::number(page), pdf,
                                                  QStringLiteral("-")});
}

ReportData sampleReport(int rowCount)
{
    ReportData data;
    data.title = QStringLiteral("精密量測股份有限公司");
    data.operNo = QStringLiteral("A001");
    data.operName = QStringLiteral("軸承座");
    data.staffId = QStringLiteral("E07");
    data.staffName = QStringLiteral("王小明");
    data.dateText = QStringLiteral("2024/05/01 14:30:00");
    QImage picture(800, 1600, QImage::Format_BGR888);
    picture.fill(Qt::darkCyan);
    data.picture = picture;
    for (int i = 1; i <= rowCount; ++i) {
        ExportRow row;
        row.RecName = QStringLiteral("零件甲");
        row.OBJIndex = i;
        row.AttribID = i % 11 + 1;
        row.x = {12, 34, 56, 78, 90, 11};
        row.Val = {0, 0, 0, i + 0.25, 1.5, 2.75};
        row.OBJNote = QStringLiteral("備註%1號").arg(i);
        data.rows << row;
    }
    return data;
}

const QStringList Headings{
    QStringLiteral("物件名稱"), QStringLiteral("檢測序號"), QStringLiteral("屬性"), QStringLiteral("X1"),
    QStringLiteral("Y3"), QStringLiteral("距離/半徑"), QStringLiteral("圓心X"), QStringLiteral("圓心Y"),
};

// A detail line as pdftotext lays it out: name, index, kind name, …, the three values.
QRegularExpression detailLine(const ExportRow &row, const QString &first)
{
    return QRegularExpression(QStringLiteral("零件甲\\s+%1\\s+\\S+\\s+12\\s+0\\s+34.*%2\\s+1\\.5000\\s+2\\.7500")
                                  .arg(row.OBJIndex)
                                  .arg(QRegularExpression::escape(first)));
}

TEST(ReportPdf, TitleHeadingsEveryRowAndCountOverTwoPages)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    const ReportData data = sampleReport(15);
    const FileWriteResult written = writeReportPdf(pdf, data);
    ASSERT_TRUE(written.ok()) << written.error.toStdString();

    EXPECT_TRUE(poppler(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    const QString first = pageText(pdf, 1);
    const QString second = pageText(pdf, 2);
    for (const char *text : {"精密量測股份有限公司", "工單號碼：", "A001", "員工代號：", "E07", "日期：",
                             "2024/05/01 14:30:00", "工單名稱：", "軸承座", "員工姓名：", "王小明", "頁次："})
        EXPECT_TRUE(first.contains(QString::fromUtf8(text))) << text;
    EXPECT_FALSE(second.contains(QStringLiteral("工單號碼："))) << "the title band is printed once";
    for (const QString &heading : Headings) {
        EXPECT_TRUE(first.contains(heading)) << heading.toStdString();
        EXPECT_TRUE(second.contains(heading)) << heading.toStdString();
    }
    // A 350 x 700 picture leaves room for 8 rows under the title, 12 on a page of their own.
    for (const ExportRow &row : data.rows) {
        const QString &page = row.OBJIndex <= 8 ? first : second;
        EXPECT_TRUE(page.contains(detailLine(row, QStringLiteral("%1.2500").arg(row.OBJIndex))))
            << "row " << row.OBJIndex << " in\n" << page.toStdString();
    }
    EXPECT_TRUE(second.contains(QStringLiteral("共(15)筆")));
    EXPECT_TRUE(first.contains(QStringLiteral("點到點")));  // the list's kind name of AttribID 3

    // The picture heads both pages, stored once.
    const QStringList images = poppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(u'\n');
    EXPECT_TRUE(images.filter(QRegularExpression(QStringLiteral("^\\s+1\\s+\\d+\\s+image"))).size() == 1);
    EXPECT_TRUE(images.filter(QRegularExpression(QStringLiteral("^\\s+2\\s+\\d+\\s+image"))).size() == 1);

    // Only TrueType faces, whose text a reader can extract.
    const QString fonts = poppler(QStringLiteral("pdffonts"), {pdf});
    EXPECT_FALSE(fonts.contains(QStringLiteral("Noto"))) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QStringLiteral("UKai"))) << fonts.toStdString();
}

TEST(ReportPdf, NoteModeAndAnEmptyOrder)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("notes.pdf"));
    ReportData data = sampleReport(3);
    data.labelMode = 5;
    ASSERT_TRUE(writeReportPdf(pdf, data).ok());
    const QString text = pageText(pdf, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("距離/半徑")));
    for (const ExportRow &row : data.rows) {
        EXPECT_TRUE(text.contains(detailLine(row, row.OBJNote))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("%1.2500").arg(row.OBJIndex)));
    }

    // Without rows or picture the page still prints its bands.
    data = sampleReport(0);
    data.picture = QImage();
    ASSERT_TRUE(writeReportPdf(pdf, data).ok());
    EXPECT_TRUE(pageText(pdf, 1).contains(QRegularExpression(QStringLiteral("檢測序號.*\\n.*共\\(0\\)筆"),
                                                                QRegularExpression::DotMatchesEverythingOption)));
}

TEST(ReportPicture, MarksAndLabelsOnOneLineOverACopyOfTheCleanPicture)
{
    QImage clean(300, 200, QImage::Format_BGR888);
    clean.fill(Qt::white);
    const QImage cleanBefore = clean.copy();
    MeasurementObject circle;
    circle.AttribID = 6;
    circle.OBJIndex = 1;
    circle.x = {250, 270, 250, 0, 0, 0};
    circle.y = {160, 180, 199, 0, 0, 0};
    circle.Val = {10, 260, 180, 1, 2.6, 1.8};
    circle.LabelX = 20;
    circle.LabelY = 20;
    circle.LabelSize = 10;
    circle.Color = 0x00FF00;
    ReportPictureOptions options;
    options.face = QStringLiteral("DejaVu Sans Mono");
    const QImage picture = renderReportPicture(clean, {circle}, options);
    EXPECT_EQ(clean, cleanBefore);
    EXPECT_EQ(picture.pixel(270, 180), qRgb(0, 0, 255));  // the outline in the drawing colour
    // The four-line label is painted as one line: ink in its first line only.
    int lowest = -1;
    for (int y = 0; y < 140; ++y)
        for (int x = 0; x < 240; ++x)
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                lowest = y;
    EXPECT_GE(lowest, 20);
    EXPECT_LT(lowest, 20 + 16);
}

}  // namespace
