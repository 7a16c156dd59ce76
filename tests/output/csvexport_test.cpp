#include "output/csvexport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "base/encoding.h"
#include "output/exportdata.h"
#include "tests/output/exportsample.h"

namespace {

QByteArray written(const QString &text, int *unmappable = nullptr)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.CSV"));
    const CsvWriteResult result = writeCsvFile(path, text);
    EXPECT_TRUE(result.ok()) << qPrintable(result.error);
    if (unmappable)
        *unmappable = result.unmappable;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(CsvExport, DesignedLayoutWrittenInBig5)
{
    const CsvBuffer buffer = buildCsvBuffer(workOrderGridColumns(), sampleTitle(), measurementGridColumns(), sampleRows());
    ASSERT_TRUE(buffer.ok());
    const QByteArray bytes = written(buffer.text);
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 3 + 4 + 1);
    EXPECT_EQ(lines.last(), QByteArray());
    EXPECT_EQ(lines[0], QByteArray::fromHex("a7c7b8b92ca475b3e6b8b9bd582ca475a740a657bad92cadfba475bd73b8b92ca96da6572cc0c9aed7a657"
                                            "bad92cadbfb276b2d5a657bad92c58b662a4f1a8d22c59b662a4f1a8d22cb3e6a6ec2c0d"));
    const QStringList expected{
        "7,001,底座檢驗,E12,王小明,/data/rev.2/A01.jpg,1X,0.01,0.0125,mm,\r",
        "工單號碼,量測序號,量測名稱代號,量測名稱,距離/半徑,圓心X,圓心Y,x5,y5,x6,y6,x7,y7,x8,y8,零件代號,零件名稱,X座標,Y座標,"
        "字型大小,顏色,量測順序,量測代號,說明,x1,y1,x2,y2,x3,y3,x4,y4,\r",
        "001,1,寬,w001,1.2654,0.0000,0.0000,1.2346,0.625,2.5,0.625,0,0,0,0,P1,底座,186,50,10,255,1,1,=1+1,123.456,50,250,50,0,0,0,0,\r",
        "001,2,圓心半徑,r001,0.6250,3.5000,-3.9063,3,3.75,4,3.75,3.5,3.125,0,0,P1,底座,186,50,10,32768,2,6,\"孔, \"\"中心\"\"\","
        "300,300,400,300,350,250,0,0,\r",
        "001,1,夾角,g001,45.0000,0.0000,0.0000,0,0,0.1,0,0,0,0.1,0.125,P2,底座,186,50,10,255,3,7,,0,0,10,0,0,0,10,10,\r",
    };
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(fromBig5(lines[i + 1]), expected[i]) << i;
}

TEST(CsvExport, SavedLayoutsAndEdgeCases)
{
    const QList<GridColumn> title{{"OperNo", "工單號碼"}};
    const QList<GridColumn> rows{{"objnote", "說明"}, {"OperNo", "工單號碼"}};

    // A layout that drops and reorders columns changes the file the same way; field names match
    // whatever their case.
    CsvBuffer buffer = buildCsvBuffer(title, sampleTitle(), rows, sampleRows());
    ASSERT_TRUE(buffer.ok());
    const QByteArray order = QByteArray::fromHex("a475b3e6b8b9bd58");  // 工單號碼
    EXPECT_EQ(written(buffer.text),
              order + ",\r\n001,\r\n" + QByteArray::fromHex("bba1a9fa") + "," + order + ",\r\n=1+1,001,\r\n\""
                  + QByteArray::fromHex("a4d5") + ", \"\"" + QByteArray::fromHex("a4a4a4df") + "\"\"\",001,\r\n,001,\r\n"
                  + QByteArray::fromHex("bba1a9faa4e5a672") + ",001,\r\n");

    // A work order without measurements: exactly three lines.
    buffer = buildCsvBuffer(workOrderGridColumns(), sampleTitle(), measurementGridColumns(), {});
    ASSERT_TRUE(buffer.ok());
    const QByteArray empty = written(buffer.text);
    EXPECT_EQ(empty.count("\r\n"), 3);
    EXPECT_TRUE(empty.endsWith("\r\n"));

    // Characters Big5 has no form for become "?", and are counted.
    QList<ExportRow> odd = sampleRows().mid(0, 1);
    odd[0].OBJNote = QStringLiteral("这😀€");
    buffer = buildCsvBuffer(title, sampleTitle(), rows, odd);
    int unmappable = 0;
    EXPECT_TRUE(written(buffer.text, &unmappable).contains("??" + QByteArray::fromHex("a3e1") + ",001,\r\n"));
    EXPECT_EQ(unmappable, 2);

    // A column naming a field its row lacks stops the export with nothing to save.
    buffer = buildCsvBuffer(title, sampleTitle(), {{"Bogus", "x"}}, sampleRows());
    EXPECT_EQ(buffer.error, "Field 'Bogus' not found");
    EXPECT_TRUE(buffer.text.isEmpty());
    buffer = buildCsvBuffer({{"Val1", "x"}}, sampleTitle(), rows, {});
    EXPECT_EQ(buffer.error, "Field 'Val1' not found");
}

}  // namespace
