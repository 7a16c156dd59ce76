// What leaves the station, through the real main window and read back by other programs: the
// annotated picture pair, the report on the preview, on the configured printer and as a PDF
// (pdftotext), the workbook (python3-openpyxl) and the CSV file (Python's csv module in cp950).
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "acquire/picturefile.h"
#include "app/main.h"
#include "base/color.h"
#include "base/numberformat.h"
#include "display/pictures.h"
#include "output/exportfields.h"
#include "records/database.h"
#include "records/dataset.h"
#include "records/measurementobject.h"
#include "records/measurementstore.h"
#include "records/sqlcatalogue.h"
#include "tests/app/testkit.h"
#include "tests/base/lockedfolder.h"
#include "ui/pictureview.h"
#include "ui/shape.h"

namespace {

// A comma and quotes, which the CSV must quote, and a simplified character Big5 has no form for.
const QString Note = QStringLiteral("孔位, \"A\"");
const QString OrderName = QStringLiteral("齒轮檢驗");

struct Run {
    int exitCode = -1;
    QString out;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120'000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
}

QString pdfText(const QString &pdf)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).out;
}

// The Debian interpreter, where python3-openpyxl is installed.
const QString Python = QStringLiteral("/usr/bin/python3");

// Prints the cells the export fills, with their types, the heading fill and the pictures.
const char *const ReadWorkbook = R"(
import json, sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
r0 = int(sys.argv[2])
def cell(r, c):
    v = ws.cell(r, c).value
    return [type(v).__name__, v]
print(json.dumps({
    'title': [cell(2, c) for c in range(1, 7)],
    'scale': [cell(r0, c) for c in range(1, 5)],
    'headings': [cell(r0 + 1, c)[1] for c in range(1, 24)],
    'fills': [ws.cell(r0 + 1, c).fill.fgColor.rgb for c in (1, 23)],
    'rows': [[cell(r, c) for c in range(1, 24)] for r in range(r0 + 2, ws.max_row + 1)],
    'hardness': [[cell(r, 12)[1], cell(r, 18)] for r in (4, 6, 8, 10, 12)],
    'pictures': [[i.anchor._from.row, i.anchor._from.col] for i in ws._images],
}, ensure_ascii=False))
)";

// Prints the CSV's lines as Python's csv module reads them in cp950.
const char *const ReadCsv = R"(
import csv, json, sys
with open(sys.argv[1], encoding='cp950', newline='') as f:
    print(json.dumps(list(csv.reader(f)), ensure_ascii=False))
)";

QJsonValue runPython(const char *script, const QStringList &arguments)
{
    const Run r = run(Python, QStringList{QStringLiteral("-c"), QString::fromUtf8(script)} + arguments);
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8());
    if (r.exitCode != 0 || doc.isNull())
        qWarning().noquote() << "python:" << r.out;
    return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

// A 640 x 480 picture of work order WO1 (saved with its title), part P1, 0.01 mm per pixel.
struct OutputWindow : TestWindow {
    OutputWindow()
    {
        openPartPicture(samplePicture(640, 480), 0.01, 0.01);
        Dataset(QStringLiteral("setup"), window->database().db())
            .run(Sql::TitleInsert, {{QStringLiteral("_mIndex"), 3}, {QStringLiteral("_OperNo"), QStringLiteral("WO1")},
                                    {QStringLiteral("_OperName"), OrderName}, {QStringLiteral("_OperatorID"), QStringLiteral("E07")},
                                    {QStringLiteral("_OperatorName"), QStringLiteral("王小明")},
                                    {QStringLiteral("_PicFullName"), QString()}, {QStringLiteral("_UnitName"), QStringLiteral("mm")},
                                    {QStringLiteral("_ScaleName"), QStringLiteral("1X")}, {QStringLiteral("_ScaleX"), 0.01},
                                    {QStringLiteral("_ScaleY"), 0.01}});
        dialogs->onExec = [](QDialog &dialog) {
            dialog.findChild<QLineEdit *>(QStringLiteral("edText"))->setText(Note);
            dialog.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
            return int(dialog.result());
        };
    }
    void measure(int kind, std::initializer_list<QPoint> points)
    {
        selectKind(kind);
        for (QPoint p : points)
            clickPicture(p.x(), p.y());
    }
    void trigger(const char *item) { control<QAction>(item)->trigger(); }
    QList<MeasurementObject> rows(const QStringList &sql) const
    {
        Dataset rows(QStringLiteral("check"), window->database().db());
        rows.openWith(sql, {{QStringLiteral("_OperNo"), QStringLiteral("WO1")}});
        QList<MeasurementObject> all;
        for (rows.first(); !rows.eof(); rows.next())
            all.append(measurementFromRow(rows));
        return all;
    }
    QString pictureName() const
    {
        Dataset title(QStringLiteral("check"), window->database().db());
        title.openWith(Sql::TitleExists, {{QStringLiteral("_OperNo"), QStringLiteral("WO1")}});
        return title.text(QStringLiteral("PicFullName"));
    }
};

// Whether any pixel of the rows [top, top + height) between left and left + width differs.
bool differs(const QImage &a, const QImage &b, int left, int top, int width, int height)
{
    for (int y = std::max(top, 0); y < std::min(top + height, a.height()); ++y)
        for (int x = std::max(left, 0); x < std::min(left + width, a.width()); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return true;
    return false;
}

QImage readPicture(const QString &file)
{
    QImage image;
    const PictureResult read = file.endsWith(QLatin1String(".JPG")) ? decodeJpegFile(file, image) : readBitmapFile(file, image);
    return read.ok() ? image : QImage();
}

}  // namespace

class TestOutputs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void oneWorkOrderLeavesAsPicturesReportWorkbookAndCsv();
    void aFolderThatRefusesFilesKeepsEverythingAsItWas();
};

void TestOutputs::initTestCase()
{
    // The template the build writes lies beside the program, where the export looks for it.
    QCOMPARE(QFileInfo(QStringLiteral(QUILLMONT_TEMPLATE)).absolutePath(),
             QFileInfo(QStringLiteral(QUILLMONT_PROGRAM)).absolutePath());
    QVERIFY(QFile::exists(QStringLiteral(QUILLMONT_TEMPLATE)));
    QCOMPARE(run(Python, {QStringLiteral("-c"), QStringLiteral("import openpyxl, PIL")}).exitCode, 0);
}

void TestOutputs::oneWorkOrderLeavesAsPicturesReportWorkbookAndCsv()
{
    OutputWindow t;
    QVERIFY(QFile::copy(QStringLiteral(QUILLMONT_TEMPLATE), t.path(QStringLiteral("Measure_Empty.xlsx"))));
    t.measure(0, {{100, 100}, {300, 100}});
    t.measure(5, {{200, 150}, {250, 200}, {200, 250}});
    t.measure(10, {{400, 300}});
    const QList<MeasurementObject> stored = t.rows(Sql::MeasureList);
    QCOMPARE(stored.size(), 3);
    t.control<QLineEdit>("edHb")->setText(QStringLiteral("229.5"));
    QVERIFY(QDir(t.folder.path()).mkpath(QStringLiteral("out/rev.2")));
    const QString folder = t.path(QStringLiteral("out/rev.2/"));

    // Save-as, bitmaps: a four-letter JPEG extension with the bitmap filter gets ".BMP".
    t.dialogs->saveNames.push_back(folder + QStringLiteral("A01.jpeg"));
    t.dialogs->saveFilters.push_back(2);
    t.trigger("SaveAd1");
    QVERIFY2(t.log->errors.isEmpty(), qPrintable(t.log->errors.join(u'\n')));
    const QString cleanBmp = folder + QStringLiteral("A01.jpeg.BMP");
    const QImage clean = readPicture(cleanBmp);
    const QImage annotated = readPicture(folder + QStringLiteral("_A01.jpeg.BMP"));
    QCOMPARE(maxDifference(clean, t.clean()), 0);
    const QImage marked = t.imgView()->picture().convertToFormat(QImage::Format_RGB32);
    const QImage burnt = annotated.convertToFormat(QImage::Format_RGB32);
    // The circle's label is four lines of its size + 2 apart; the gauge's bars are red outlines.
    const MeasurementObject &circle = stored[1];
    QCOMPARE(circle.AttribID, 6);
    for (int n = 0; n < 4; ++n)
        QVERIFY2(differs(burnt, marked, circle.LabelX, circle.LabelY + (circle.LabelSize + 2) * n, 80, circle.LabelSize + 2),
                 qPrintable(QStringLiteral("line %1").arg(n)));
    const QRect bar = t.control<Shape>("spUnit0")->geometry();
    QCOMPARE(toTColor(annotated.pixelColor(bar.topLeft())), TColor(0x0000FF));
    QCOMPARE(t.window->pictures().currentPicturePath(), folder + QStringLiteral("_A01.jpeg.BMP"));
    QCOMPARE(t.pictureName(), cleanBmp);
    QCOMPARE(t.window->windowTitle(), QStringLiteral("Quillmont 1394  -  ") + cleanBmp);

    // The report: previewed while "預覽列印" is checked, else printed on the printer set up.
    t.trigger("Print1");
    QCOMPARE(t.log->previews, 1);
    t.dialogs->printerOutputFile = t.path(QStringLiteral("printed.pdf"));
    t.trigger("PrintSetup1");
    t.control<QAction>("mmPreview")->setChecked(false);
    t.trigger("Print1");
    QCOMPARE(t.log->previews, 1);
    QVERIFY(pdfText(t.path(QStringLiteral("printed.pdf"))).contains(QStringLiteral("共(3)筆")));
    t.control<QLineEdit>("edPrintTitle")->setText(QStringLiteral("品質檢驗報告"));
    t.dialogs->saveNames.push_back(t.path(QStringLiteral("report")));
    t.trigger("mmExportPdf");
    const QString report = pdfText(t.path(QStringLiteral("report.pdf")));
    for (const QString &text : {QStringLiteral("品質檢驗報告"), QStringLiteral("工單號碼："), QStringLiteral("WO1"), QStringLiteral("員工代號："),
                                QStringLiteral("E07"), QStringLiteral("工單名稱："), OrderName, QStringLiteral("員工姓名："),
                                QStringLiteral("王小明"), QStringLiteral("頁次："), QStringLiteral("物件名稱"),
                                QStringLiteral("檢測序號"), QStringLiteral("距離/半徑"), QStringLiteral("圓心Y"),
                                QStringLiteral("共(3)筆")})
        QVERIFY2(report.contains(text), qPrintable(text + QStringLiteral(" missing from\n") + report));
    for (const MeasurementObject &m : stored) {
        const QString kind = listKindName(m.AttribID);
        QVERIFY2(report.contains(QRegularExpression(QStringLiteral("\\s%1\\s+%2\\s").arg(m.OBJIndex).arg(kind))),
                 qPrintable(kind + QStringLiteral(" missing from\n") + report));
    }

    // The workbook beside the JPEG pair: a dot in the folder's name stays in the folder.
    t.dialogs->saveNames.push_back(folder + QStringLiteral("A01"));
    t.dialogs->saveFilters.push_back(1);
    t.trigger("mmExcel2");
    QVERIFY2(t.log->errors.isEmpty(), qPrintable(t.log->errors.join(u'\n')));
    QCOMPARE(t.log->messages.last(), QStringLiteral("存檔完成!"));
    const QString workbook = folder + QStringLiteral("A01.xlsx");
    QCOMPARE(t.log->opened, QStringList{workbook});
    QCOMPARE(readPicture(folder + QStringLiteral("A01.JPG")).size(), QSize(640, 480));
    QCOMPARE(t.pictureName(), folder + QStringLiteral("A01.JPG"));
    const QJsonObject book = runPython(ReadWorkbook, {workbook, QStringLiteral("27")}).toObject();
    QCOMPARE(book[u"title"].toArray(),
             QJsonArray({QJsonArray{"int", 3}, QJsonArray{"str", "WO1"}, QJsonArray{"str", OrderName},
                         QJsonArray{"str", "E07"}, QJsonArray{"str", "王小明"},
                         QJsonArray{"str", folder + QStringLiteral("A01.JPG")}}));
    QCOMPARE(book[u"scale"].toArray()[0].toArray()[1].toString(), QStringLiteral("倍率:"));
    QCOMPARE(book[u"scale"].toArray()[3].toArray()[1].toString(), t.control<QComboBox>("cbUnitSet")->currentText());
    QCOMPARE(book[u"headings"].toArray()[15].toString(), QStringLiteral("距離/半徑"));
    for (const QJsonValue fill : book[u"fills"].toArray())
        QVERIFY2(fill.toString().endsWith(QLatin1String("1FFFFF")), qPrintable(fill.toString()));
    QCOMPARE(book[u"pictures"].toArray(), QJsonArray({QJsonArray{3, 0}}));
    QCOMPARE(book[u"hardness"].toArray()[0].toArray(), (QJsonArray{"勃氏硬度(HB)", QJsonArray{"float", 229.5}}));
    const QJsonArray rows = book[u"rows"].toArray();
    QCOMPARE(rows.size(), 3);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QJsonArray row = rows[i].toArray();
        const MeasurementObject &m = stored[i];
        QCOMPARE(row[0].toArray(), (QJsonArray{"str", "WO1"}));
        QCOMPARE(row[1].toArray(), (QJsonArray{"int", int(i)}));
        QCOMPARE(row[4].toArray(), (QJsonArray{"int", m.OBJIndex}));
        if (m.AttribID != 11) {
            QCOMPARE(row[15].toArray()[0].toString(), QStringLiteral("float"));
            QVERIFY(std::abs(row[15].toArray()[1].toDouble() - m.Val[3]) < 0.0006);
        }
        QCOMPARE(row[22].toArray()[1].toString(), m.OBJNote);
    }
    QCOMPARE(rows[2].toArray()[22].toArray(), (QJsonArray{"str", Note}));

    // The CSV in Big5, quoted where a value holds a comma or a quote; the unmappable character told.
    t.dialogs->saveNames.push_back(t.path(QStringLiteral("list")));
    t.trigger("CSV1");
    const QString csv = t.path(QStringLiteral("list.CSV"));
    QCOMPARE(t.log->opened.last(), csv);
    QVERIFY(t.log->messages.last().contains(QStringLiteral("1 個字元")));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith(QByteArray("\xa7\xc7\xb8\xb9,", 5)));  // "序號," in Big5
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 6);
    const QJsonArray lines = runPython(ReadCsv, {csv}).toArray();
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[1].toArray()[2].toString(), QStringLiteral("齒?檢驗"));
    const QJsonArray noteLine = lines[5].toArray();
    QCOMPARE(noteLine.size(), 33);  // 32 columns and the empty field after the last comma
    QCOMPARE(noteLine[23].toString(), Note);
    QCOMPARE(noteLine[24].toString(), floatToText(stored[2].x[0]));
    QCOMPARE(lines[3].toArray()[2].toString(), QStringLiteral("寬"));
}

void TestOutputs::aFolderThatRefusesFilesKeepsEverythingAsItWas()
{
    OutputWindow t;
    t.measure(0, {{100, 100}, {300, 100}});
    const QString folder = t.path(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    const QString before = t.window->pictures().currentPicturePath();
    const QString title = t.window->windowTitle();
    LockedFolder lock(folder);
    if (!lock.locked())
        QSKIP("this file system cannot refuse new files here");
    t.dialogs->saveNames.push_back(folder + QStringLiteral("/A01.jpg"));
    t.trigger("SaveAd1");
    QCOMPARE(t.log->errors.size(), 1);
    QVERIFY2(t.log->errors[0].contains(QStringLiteral("A01.jpg")), qPrintable(t.log->errors[0]));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(t.window->pictures().currentPicturePath(), before);
    QCOMPARE(t.window->windowTitle(), title);
    QCOMPARE(t.pictureName(), QString());

    // The workbook ends with the picture it could not save: no second message, no workbook.
    t.dialogs->saveNames.push_back(folder + QStringLiteral("/A01.jpg"));
    t.trigger("mmExcel2");
    QCOMPARE(t.log->errors.size(), 2);
    QVERIFY(t.log->messages.isEmpty());
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QUILLMONT_TEST_MAIN(TestOutputs)
#include "tst_outputs.moc"
