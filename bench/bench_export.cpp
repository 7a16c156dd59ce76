// The annotated picture export on a 20 MP picture: painting the stored marks and label texts, and
// writing the annotated JPEG at quality 92 the safe way (encode, temporary file synced to the
// disk, rename), against a plain TurboJPEG encode of the same picture into memory measured in the
// same run; the report's picture rendered from the same rows; and a work order of 10,000 stored
// measurements read from its database file into a workbook and a CSV file. Prints figures; never
// fails on timing.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <turbojpeg.h>

#include "acquire/picturefile.h"
#include "base/safefile.h"
#include "bench/bench_floor.h"
#include "bench/timing.h"
#include "display/annotate.h"
#include "display/marks.h"
#include "output/csvexport.h"
#include "output/exportsource.h"
#include "output/reportpicture.h"
#include "output/spreadsheetexport.h"
#include "output/spreadsheettemplate.h"
#include "records/database.h"
#include "records/dataset.h"
#include "records/measurementobject.h"
#include "records/measurementstore.h"
#include "records/transaction.h"

namespace {

using bench::medianMs;

constexpr int Width = 5472;
constexpr int Height = 3648;
constexpr int Quality = 92;
constexpr int Rows = 1000;
constexpr int OrderRows = 10'000;

// Rows of every kind spread over the picture, each with a label of several lines.
QList<MeasurementObject> sampleRows()
{
    QList<MeasurementObject> rows;
    for (int i = 0; i < Rows; ++i) {
        MeasurementObject m;
        m.AttribID = i % 11 + 1;
        m.OBJIndex = i + 1;
        const double x = 100 + (i * 397) % (Width - 400);
        const double y = 100 + (i * 211) % (Height - 400);
        m.x = {x, x + 150, x + 60, x + 200, 0, 0, 0, 0};
        m.y = {y, y + 90, y + 180, y + 30, 0, 0, 0, 0};
        m.Val = {60, x + 80, y + 80, 0.6, 0.8, 0.9};
        m.LabelX = int(x) + 20;
        m.LabelY = int(y) - 30;
        m.LabelSize = 12;
        m.Color = 0x0000FF;
        m.OBJNote = QStringLiteral("孔位 %1").arg(i);
        rows << m;
    }
    return rows;
}

struct Encoded {
    double ms = -1;
    unsigned long bytes = 0;
};

// TurboJPEG alone: the picture encoded into a buffer of the worst-case size taken beforehand.
Encoded plainEncode(const QImage &picture, int subsampling)
{
    benchfloor::TjHandle tj(tjInitCompress());
    std::vector<unsigned char> buffer(tjBufSize(picture.width(), picture.height(), subsampling));
    std::fill(buffer.begin(), buffer.end(), 0);  // the pages are there before the clock starts
    Encoded result;
    bool ok = true;
    result.ms = medianMs(5, [&] {
        unsigned char *out = buffer.data();
        result.bytes = buffer.size();
        ok = ok && tjCompress2(tj.get(), picture.constBits(), picture.width(), int(picture.bytesPerLine()),
                               picture.height(), TJPF_BGR, &out, &result.bytes, subsampling, Quality,
                               TJFLAG_NOREALLOC) == 0;
    });
    if (!ok)
        result.ms = -1;
    return result;
}

// A work order of OrderRows measurements in a database file, read into a workbook and a CSV file
// the way the window's exports do. Returns false when something could not be written.
bool timeWorkOrderFiles(const QString &folder, const QList<MeasurementObject> &kinds)
{
    const std::unique_ptr<Database> database = Database::open(folder);
    Dataset scratch(QStringLiteral("qryX"), database->db());
    {
        Transaction storing(database->db());
        for (int i = 0; i < OrderRows; ++i) {
            MeasurementObject m = kinds[i % kinds.size()];
            m.OperNo = QStringLiteral("WO1");
            m.RecID = QStringLiteral("P%1").arg(i / 1000);
            m.OBJIndex = i % 1000 + 1;
            m.OBJNote = QStringLiteral("孔位 %1, \"A\"").arg(i);
            m.rIndex = i;
            insertMeasurement(scratch, m);
        }
        storing.commit();
    }
    const QString templatePath = folder + QStringLiteral("/Measure_Empty.xlsx");
    if (!writeDefaultTemplate(templatePath).isEmpty())
        return false;
    SpreadsheetInput input;
    input.picture = QImage(640, 480, QImage::Format_BGR888);
    input.picture.fill(Qt::gray);
    input.pictureViewHeight = 480;
    QList<ExportRow> rows;
    ExportTitle title;
    const double readMs = medianMs(3, [&] { rows = readExportRows(scratch, QStringLiteral("WO1")); });
    title = readExportTitle(scratch, QStringLiteral("WO1"));
    input.rows = rows;
    bool ok = rows.size() == OrderRows;
    const double workbookMs = medianMs(3, [&] {
        ok = ok && writeSpreadsheet(templatePath, folder + QStringLiteral("/WO1.xlsx"), input).isEmpty();
    });
    const double csvMs = medianMs(3, [&] {
        const CsvBuffer buffer = buildCsvBuffer(workOrderGridColumns(), title, measurementGridColumns(), rows);
        ok = ok && buffer.ok() && writeCsvFile(folder + QStringLiteral("/WO1.CSV"), buffer.text).ok();
    });
    std::printf("work order of %d measurements\n", OrderRows);
    std::printf("  rows read from the database:          %8.1f ms\n", readMs);
    std::printf("  workbook filled and saved:            %8.1f ms  %9lld bytes\n", workbookMs,
                QFileInfo(folder + QStringLiteral("/WO1.xlsx")).size());
    std::printf("  CSV built and written in Big5:        %8.1f ms  %9lld bytes\n", csvMs,
                QFileInfo(folder + QStringLiteral("/WO1.CSV")).size());
    return ok;
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString samplePath = dir.filePath(QStringLiteral("sample.jpg"));
    const QByteArray sample = makeSampleJpeg(Width, Height, Quality);
    QImage clean;
    if (sample.isEmpty() || !writeFileSafely(samplePath, sample).ok() || !decodeJpegFile(samplePath, clean).ok()) {
        std::fprintf(stderr, "cannot make the sample picture\n");
        return 1;
    }
    const QList<MeasurementObject> rows = sampleRows();

    QImage annotated = clean.copy();
    const double marksMs = medianMs(1, [&] {
        Canvas canvas(annotated);
        for (const MeasurementObject &row : rows)
            drawStoredMarks(canvas, row, {0xFF0000});
    });
    QList<PaintedText> labels;
    for (const MeasurementObject &row : rows)
        labels << paintedLabel(row, {1, 0.01, 0.01}, LabelVariant::Export, 2);
    const double labelsMs = medianMs(1, [&] {
        paintTexts(annotated, labels, QStringLiteral("DejaVu Sans Mono"), LineBreaks::Split);
    });

    const Encoded floor444 = plainEncode(annotated, TJSAMP_444);
    const Encoded floor420 = plainEncode(annotated, TJSAMP_420);
    const QString exportPath = dir.filePath(QStringLiteral("_export.JPG"));
    bool written = true;
    const double exportMs = medianMs(5, [&] { written = written && writeJpegFile(annotated, Quality, exportPath).ok(); });
    const double pairMs = medianMs(3, [&] {
        written = written && writeAnnotatedPair(clean, annotated, dir.filePath(QStringLiteral("pair")), 1, Quality).ok();
    });
    if (!written || floor444.ms < 0 || floor420.ms < 0) {
        std::fprintf(stderr, "a write or an encode failed\n");
        return 1;
    }
    const qint64 exportBytes = QFileInfo(exportPath).size();
    ReportPictureOptions reportOptions;
    reportOptions.face = QStringLiteral("DejaVu Sans Mono");
    const double reportMs = medianMs(1, [&] { (void)renderReportPicture(clean, rows, reportOptions); });

    std::printf("annotated picture export, %d x %d, quality %d, %d stored measurements\n", Width, Height, Quality, Rows);
    std::printf("  marks drawn on the rows:              %8.1f ms\n", marksMs);
    std::printf("  label texts painted (%d labels):    %8.1f ms\n", int(labels.size()), labelsMs);
    std::printf("  floor: TurboJPEG encode 4:4:4 to RAM: %8.1f ms  %9lu bytes\n", floor444.ms, floor444.bytes);
    std::printf("  (TurboJPEG encode 4:2:0 to RAM:       %8.1f ms  %9lu bytes)\n", floor420.ms, floor420.bytes);
    std::printf("  export: encode + synced file + rename:%8.1f ms  %9lld bytes\n", exportMs, exportBytes);
    std::printf("  ratio to the floor:                   %8.2f x   (goal <= 1.3)\n", exportMs / floor444.ms);
    std::printf("  file size against the floor:          %+7.1f %%   (goal within 5 %%)\n",
                100.0 * (double(exportBytes) - double(floor444.bytes)) / double(floor444.bytes));
    std::printf("  both pictures of the pair:            %8.1f ms  (%.2f x two encodes)\n", pairMs,
                pairMs / (2 * floor444.ms));
    std::printf("  the report's picture, re-rendered:    %8.1f ms  (copy, marks and one-line labels)\n", reportMs);
    if (!timeWorkOrderFiles(dir.path(), rows.mid(0, 11))) {
        std::fprintf(stderr, "the work order's files could not be written\n");
        return 1;
    }
    return 0;
}
