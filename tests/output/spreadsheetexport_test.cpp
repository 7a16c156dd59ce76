#include "output/spreadsheetexport.h"

#include <csignal>
#include <functional>

#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <zip.h>

#include "acquire/picturefile.h"
#include "output/csvexport.h"
#include "output/spreadsheettemplate.h"
#include "output/ziparchive.h"
#include "tests/output/exportsample.h"
#include "tests/output/officereader.h"

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A real JPEG with a pattern, so the embedded picture is a picture and not a blank.
QString writePicture(const QString &path, int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(writeJpegFile(image, 92, path).ok());
    return path;
}

SpreadsheetInput sampleInput(const QString &picturePath, int height, const QList<ExportRow> &rows)
{
    SpreadsheetInput input;
    input.title = sampleTitle();
    input.rows = rows;
    input.picturePath = picturePath;
    input.pictureViewHeight = height;
    input.scaleSetText = QStringLiteral("1X");
    input.unitSetText = QStringLiteral("mm");
    input.hardness = {QStringLiteral("235.6"), QStringLiteral("--"), QStringLiteral("0.512"), QStringLiteral("0.508"),
                      QStringLiteral("0.510")};
    return input;
}

// The part of a zip archive read with libzip itself, apart from the writer's own reader.
QByteArray zipPart(const QString &archivePath, const char *name)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return {};
    QByteArray data;
    zip_stat_t stat;
    if (zip_stat(archive, name, 0, &stat) == 0) {
        zip_file_t *file = zip_fopen(archive, name, 0);
        data.resize(qsizetype(stat.size));
        if (!file || zip_fread(file, data.data(), stat.size) != zip_int64_t(stat.size))
            data.clear();
        if (file)
            zip_fclose(file);
    }
    zip_close(archive);
    return data;
}

// LibreOffice gives sizes in inches; the sheet shows 96 pixels to the inch.
double inchesToPixels(QString length)
{
    return length.endsWith(u"in") ? length.chopped(2).toDouble() * 96 : -1;
}

int columnOf(const char *reference)
{
    int column = 0;
    for (; *reference >= 'A' && *reference <= 'Z'; ++reference)
        column = column * 26 + (*reference - 'A' + 1);
    return column;
}

class SpreadsheetExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(writeDefaultTemplate(templatePath()), QString());
    }
    [[nodiscard]] QString path(const QString &name) const { return dir.filePath(name); }
    [[nodiscard]] QString templatePath() const { return path(QString::fromLatin1(TemplateFileName)); }

    QTemporaryDir dir;
};

// The measurement row as LibreOffice should read it: texts in columns 1, 3, 4, 6, 7, 23, numbers
// elsewhere; x5…y8 as the list rounds them and then to three decimals.
const QStringList ExpectedRows[] = {
    {"001", "1", "P1", "底座", "1", "w001", "寬度", "1.235", "0.625", "2.5", "0.625", "0", "0", "0", "0",
     "1.265", "0", "0", "186", "50", "10", "255", "=1+1"},
    {"001", "2", "P1", "底座", "2", "r001", "圓", "3", "3.75", "4", "3.75", "3.5", "3.125", "0", "0",
     "0.625", "3.5", "-3.906", "186", "50", "10", "32768", "孔, \"中心\""},
    {"001", "3", "P2", "底座", "1", "g001", "夾角", "0", "0", "0.1", "0", "0", "0", "0.1", "0.125",
     "45", "0", "0", "186", "50", "10", "255", ""},
    {"001", "4", "P2", "底座", "2", "t002", "文字註解", "0.4", "1", "0", "0", "0", "0", "0", "0",
     "0", "0", "0", "186", "50", "10", "255", "說明文字"},
};

bool isTextColumn(int column)
{
    return column == 1 || column == 3 || column == 4 || column == 6 || column == 7 || column == 23;
}

TEST_F(SpreadsheetExportTest, LibreOfficeReadsEveryCellAtItsAddress)
{
    struct Case {
        const char *name;
        int height;
        bool withRows;
        int r0;
    };
    const Case cases[] = {{"A01", 480, true, 27}, {"A02", 960, true, 49}, {"A03", 480, false, 27}};
    QStringList workbooks;
    for (const Case &c : cases) {
        const QString picture = writePicture(path(QStringLiteral("rev.2/%1.jpg").arg(c.name)), 640, c.height);
        const SpreadsheetResult result = exportSpreadsheet(dir.path(), findOfficeProgram(),
                                                           sampleInput(picture, c.height, c.withRows ? sampleRows() : QList<ExportRow>{}));
        ASSERT_TRUE(result.ok()) << qPrintable(result.error);
        ASSERT_EQ(result.path, path(QStringLiteral("rev.2/%1.xlsx").arg(c.name)));
        workbooks.append(result.path);
    }
    const QString converted = path(QStringLiteral("converted"));
    ASSERT_EQ(convertWithOffice(workbooks, QStringLiteral("fods"), converted), QString());

    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        const OfficeSheet sheet = OfficeSheet::load(QDir(converted).filePath(QStringLiteral("%1.fods").arg(c.name)), &error);
        ASSERT_EQ(error, QString());

        EXPECT_EQ(sheet.cell(2, 1).type, "float");
        EXPECT_EQ(sheet.cell(2, 1).value, "7");
        const QStringList titleTexts{"001", "底座檢驗", "E12", "王小明", "/data/rev.2/A01.jpg"};
        for (int column = 2; column <= 6; ++column) {
            EXPECT_EQ(sheet.cell(2, column).type, "string");
            EXPECT_EQ(sheet.cell(2, column).text, titleTexts[column - 2]);
        }

        ASSERT_EQ(sheet.images().size(), 1);
        EXPECT_EQ(sheet.images()[0].row, 4);
        EXPECT_EQ(sheet.images()[0].column, 1);
        EXPECT_NEAR(inchesToPixels(sheet.images()[0].width), 640, 1);  // shown pixel for pixel
        EXPECT_NEAR(inchesToPixels(sheet.images()[0].height), c.height, 1);

        const QStringList scaleRow{"倍率:", "1X", "單位:", "mm"};
        for (int column = 1; column <= 4; ++column)
            EXPECT_EQ(sheet.cell(c.r0, column).text, scaleRow[column - 1]);
        const QStringList titles = spreadsheetColumnTitles();
        for (int column = 1; column <= 23; ++column) {
            EXPECT_EQ(sheet.cell(c.r0 + 1, column).text, titles[column - 1]);
            EXPECT_EQ(sheet.cell(c.r0 + 1, column).background, "#1fffff") << column;
        }
        EXPECT_EQ(sheet.cell(c.r0 + 1, 24).background, QString());

        const int rowCount = c.withRows ? 4 : 0;
        for (int i = 0; i < rowCount; ++i)
            for (int column = 1; column <= 23; ++column) {
                const OfficeCell cell = sheet.cell(c.r0 + 2 + i, column);
                const QString expected = ExpectedRows[i][column - 1];
                SCOPED_TRACE(QStringLiteral("row %1 column %2").arg(i).arg(column).toStdString());
                if (expected.isEmpty())
                    EXPECT_EQ(cell.type, QString());
                else if (isTextColumn(column))
                    EXPECT_EQ(std::make_pair(cell.type, cell.text), std::make_pair(QStringLiteral("string"), expected));
                else
                    EXPECT_EQ(std::make_pair(cell.type, cell.value.toDouble()), std::make_pair(QStringLiteral("float"), expected.toDouble()));
            }
        EXPECT_EQ(sheet.cell(c.r0 + 2 + rowCount, 1).type, QString());

        const QStringList labels{"勃氏硬度(HB)", "硬度HR", "直徑1", "直徑2", "壓痕直徑"};
        const QStringList values{"235.6", "--", "0.512", "0.508", "0.51"};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(sheet.cell(4 + 2 * i, 12).text, labels[i]);
            const OfficeCell value = sheet.cell(4 + 2 * i, 18);
            EXPECT_EQ(i == 1 ? value.text : value.value, values[i]);
            EXPECT_EQ(value.type, i == 1 ? "string" : "float");
        }
    }
}

// A template with cells of its own, a formula with a stale cached result and a calculation chain.
QString writeBusyTemplate(const QString &path, const QString &from)
{
    QString error;
    ZipArchive archive = ZipArchive::read(readFile(from), &error);
    ZipArchive::Part *sheet = archive.find(QStringLiteral("xl/worksheets/sheet1.xml"));
    sheet->data.replace("<sheetData/>", "<sheetData><row r=\"2\"><c r=\"X2\"><f>A2+1</f><v>999</v></c></row>"
                                        "<row r=\"30\" spans=\"24:24\"><c r=\"X30\" t=\"inlineStr\"><is><t>keep</t></is></c></row></sheetData>");
    archive.put(QStringLiteral("xl/calcChain.xml"),
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?><calcChain xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><c r=\"X2\" i=\"1\"/></calcChain>");
    ZipArchive::Part *rels = archive.find(QStringLiteral("xl/_rels/workbook.xml.rels"));
    rels->data.replace("</Relationships>", "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain\" Target=\"calcChain.xml\"/></Relationships>");
    ZipArchive::Part *types = archive.find(QStringLiteral("[Content_Types].xml"));
    types->data.replace("</Types>", "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/></Types>");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(archive.write(&error));
    return path;
}

TEST_F(SpreadsheetExportTest, PackageKeepsSheetOrderAnchorsPictureAndDropsCachedResults)
{
    const QString busy = writeBusyTemplate(path(QStringLiteral("busy.xlsx")), templatePath());
    const QString output = path(QStringLiteral("B01.xlsx"));
    QList<ExportRow> rows = sampleRows();
    // Characters XML cannot carry, a line break and a text that reads like the workbook's escape.
    rows[2].OBJNote = QStringLiteral("甲\r\n乙\x01_x0041_");
    ASSERT_EQ(writeSpreadsheet(busy, output, sampleInput(writePicture(path(QStringLiteral("B01.jpg")), 320, 480), 480, rows)),
              QString());

    pugi::xml_document sheet;
    const QByteArray sheetXml = zipPart(output, "xl/worksheets/sheet1.xml");
    ASSERT_TRUE(sheet.load_buffer(sheetXml.constData(), size_t(sheetXml.size())));
    int lastRow = 0;
    int cells = 0;
    for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row")) {
        EXPECT_GT(row.attribute("r").as_int(), lastRow);
        lastRow = row.attribute("r").as_int();
        int lastColumn = 0;
        for (pugi::xml_node cell : row.children("c")) {
            EXPECT_GT(columnOf(cell.attribute("r").value()), lastColumn) << cell.attribute("r").value();
            lastColumn = columnOf(cell.attribute("r").value());
            ++cells;
        }
    }
    EXPECT_EQ(cells, 6 + 4 + 23 + 4 * 23 + 10 + 2);  // row 2, scale, titles, rows, hardness, the template's two
    const pugi::xml_node formula = sheet.select_node("//c[@r='X2']").node();
    EXPECT_TRUE(formula.child("f"));
    EXPECT_FALSE(formula.child("v"));
    EXPECT_EQ(QString::fromUtf8(sheet.child("worksheet").child("dimension").attribute("ref").value()), "A2:X32");

    EXPECT_TRUE(zipPart(output, "xl/calcChain.xml").isEmpty());
    EXPECT_FALSE(zipPart(output, "[Content_Types].xml").contains("calcChain"));
    EXPECT_FALSE(zipPart(output, "xl/_rels/workbook.xml.rels").contains("calcChain"));
    EXPECT_TRUE(zipPart(output, "xl/workbook.xml").contains("fullCalcOnLoad=\"1\""));

    // The picture: sheet → drawing → image, each part named in the content types.
    EXPECT_TRUE(sheet.child("worksheet").child("drawing"));
    EXPECT_TRUE(zipPart(output, "xl/worksheets/_rels/sheet1.xml.rels").contains("Target=\"../drawings/drawing1.xml\""));
    pugi::xml_document drawing;
    const QByteArray drawingXml = zipPart(output, "xl/drawings/drawing1.xml");
    ASSERT_TRUE(drawing.load_buffer(drawingXml.constData(), size_t(drawingXml.size())));
    const pugi::xml_node from = drawing.select_node("//xdr:oneCellAnchor/xdr:from").node();
    EXPECT_EQ(from.child("xdr:col").text().as_int(-1), 0);
    EXPECT_EQ(from.child("xdr:row").text().as_int(-1), 3);
    EXPECT_EQ(QString::fromUtf8(drawing.select_node("//xdr:oneCellAnchor/xdr:ext").node().attribute("cy").value()), "4572000");
    EXPECT_TRUE(zipPart(output, "xl/drawings/_rels/drawing1.xml.rels").contains("Target=\"../media/image1.jpeg\""));
    EXPECT_EQ(zipPart(output, "xl/media/image1.jpeg"), readFile(path(QStringLiteral("B01.jpg"))));
    const QByteArray types = zipPart(output, "[Content_Types].xml");
    EXPECT_TRUE(types.contains("PartName=\"/xl/drawings/drawing1.xml\""));
    EXPECT_TRUE(types.contains("Extension=\"jpeg\""));

    // LibreOffice computes the formula afresh and keeps the template's own cell.
    ASSERT_EQ(convertWithOffice({output}, QStringLiteral("fods"), dir.path()), QString());
    QString error;
    const OfficeSheet read = OfficeSheet::load(path(QStringLiteral("B01.fods")), &error);
    ASSERT_EQ(error, QString());
    EXPECT_EQ(read.cell(2, 24).value, "8");
    EXPECT_EQ(read.cell(30, 24).text, "keep");
    EXPECT_EQ(read.cell(30, 1).text, "001");
    // The workbook stays well-formed; LibreOffice shows a line break for CR LF and drops the control
    // character, while the escape-like text keeps its letters.
    EXPECT_EQ(read.cell(31, 23).text, "甲\n乙_x0041_");
    EXPECT_TRUE(sheetXml.contains("甲_x000D_\n乙_x0001__x005F_x0041_"));
}

TEST_F(SpreadsheetExportTest, TemplateIsFoundOrConvertedOrNamedAsMissing)
{
    // A bitmap, as the picture converted for the workbook; it goes in losslessly as PNG.
    QImage bitmap(64, 48, QImage::Format_BGR888);
    bitmap.fill(QColor(10, 200, 30));
    const QString picture = path(QStringLiteral("C01.bmp"));
    ASSERT_TRUE(writeBitmapFile(bitmap, picture).ok());
    QTemporaryDir empty;
    const QString expected = QStringLiteral("範本檔案不存在!! (%1)").arg(QDir(empty.path()).filePath(QStringLiteral("Measure_Empty.xlsx")));
    const SpreadsheetResult missing = exportSpreadsheet(empty.path(), findOfficeProgram(), sampleInput(picture, 48, {}));
    EXPECT_EQ(missing.error, expected);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("C01.xlsx"))));

    // A legacy template: named as needing LibreOffice without it, converted once with it.
    ASSERT_EQ(convertWithOffice({templatePath()}, QStringLiteral("xls"), empty.path()), QString());
    ASSERT_TRUE(QFile::exists(QDir(empty.path()).filePath(QStringLiteral("Measure_Empty.xls"))));
    const TemplateLookup withoutOffice = findTemplate(empty.path(), QString());
    EXPECT_TRUE(withoutOffice.error.startsWith(expected + u'\n')) << qPrintable(withoutOffice.error);
    EXPECT_TRUE(withoutOffice.error.contains(QStringLiteral("LibreOffice")));

    const SpreadsheetResult converted = exportSpreadsheet(empty.path(), findOfficeProgram(), sampleInput(picture, 48, sampleRows()));
    ASSERT_TRUE(converted.ok()) << qPrintable(converted.error);
    EXPECT_TRUE(QFile::exists(QDir(empty.path()).filePath(QStringLiteral("Measure_Empty.xlsx"))));
    EXPECT_EQ(QDir(empty.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);  // no scratch left
    ASSERT_EQ(convertWithOffice({converted.path}, QStringLiteral("fods"), dir.path()), QString());
    QString error;
    const OfficeSheet read = OfficeSheet::load(path(QStringLiteral("C01.fods")), &error);
    EXPECT_EQ(read.cell(scaleRow(48) + 2, 6).text, "w001");
    ASSERT_EQ(read.images().size(), 1);
    EXPECT_NEAR(inchesToPixels(read.images()[0].width), 64, 1);
    QImage embedded;
    ASSERT_TRUE(embedded.loadFromData(zipPart(converted.path, "xl/media/image1.png"), "png"));
    EXPECT_EQ(embedded.convertToFormat(QImage::Format_BGR888), bitmap);
}

TEST(SpreadsheetPaths, ExtensionReplacedAndRowsBelowThePicture)
{
    const std::pair<const char *, const char *> names[] = {
        {"/data/rev.2/A01.jpg", "/data/rev.2/A01.xlsx"}, {"/data/A01.b.JPG", "/data/A01.b.xlsx"},
        {"/data/rev.2/A01", "/data/rev.2/A01.xlsx"},     {"A01.bmp", "A01.xlsx"},
    };
    for (const auto &[picture, workbook] : names)
        EXPECT_EQ(spreadsheetPathFor(QString::fromUtf8(picture)), QString::fromUtf8(workbook));
    const std::pair<int, int> rows[] = {{480, 27}, {960, 49}, {0, 5}, {10, 5}, {11, 6}, {1000, 51}};
    for (const auto &[height, row] : rows)
        EXPECT_EQ(scaleRow(height), row) << height;
}

// Holds the size any file this process writes may reach, so a write fails part-way as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

TEST_F(SpreadsheetExportTest, FailedWriteLeavesTheEarlierFileWhole)
{
    const QString picture = writePicture(path(QStringLiteral("D01.jpg")), 640, 480);
    const QByteArray earlier = QByteArray("an earlier export, kept byte for byte\r\n").repeated(200);
    QList<ExportRow> many;
    for (int i = 0; i < 200; ++i)
        many.append(sampleRows());
    struct Case {
        const char *name;
        std::function<QString(const QString &)> write;
    };
    const Case cases[] = {
        {"workbook, disk full",
         [&](const QString &target) {
             FileSizeLimit limit(4096);
             return writeSpreadsheet(templatePath(), target, sampleInput(picture, 480, sampleRows()));
         }},
        {"workbook, picture gone",
         [&](const QString &target) {
             return writeSpreadsheet(templatePath(), target, sampleInput(path(QStringLiteral("gone.jpg")), 480, sampleRows()));
         }},
        {"CSV, disk full",
         [&](const QString &target) {
             const CsvBuffer buffer = buildCsvBuffer(workOrderGridColumns(), sampleTitle(), measurementGridColumns(), many);
             FileSizeLimit limit(4096);
             return writeCsvFile(target, buffer.text).error;
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const QString target = QDir(folder.path()).filePath(QStringLiteral("D01.out"));
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(earlier);
        file.close();
        EXPECT_NE(c.write(target), QString());
        EXPECT_EQ(readFile(target), earlier);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

}  // namespace
