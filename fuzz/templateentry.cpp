#include <cstdio>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "fuzz/fuzzentry.h"
#include "fuzz/memoryfile.h"
#include "fuzz/workbookparts.h"
#include "output/spreadsheetexport.h"
#include "output/workbook.h"

SpreadsheetInput fuzzExportInput()
{
    SpreadsheetInput input;
    input.title.mIndex = 7;
    input.title.OperNo = QStringLiteral("WO-0815");
    input.title.OperName = QStringLiteral("軸承座");
    input.title.PicFullName = QStringLiteral("A01.jpg");
    ExportRow row;
    row.OperNo = input.title.OperNo;
    row.RecID = QStringLiteral("P-1");
    row.MeasureName = QStringLiteral("圓");
    row.OBJIndex = 1;
    row.x = {10, 20, 30, 40, 0.1, 0.2, 0.3, 0.4};
    row.Val = {1, 2, 3, 0.5, 1.25, -3};
    row.OBJNote = QStringLiteral("=SUM(A1:A2)");
    input.rows = {row, row};
    input.picture = QImage(4, 3, QImage::Format_BGR888);
    input.picture.fill(Qt::darkCyan);
    input.pictureViewHeight = 66;
    input.scaleSetText = QStringLiteral("1X");
    input.unitSetText = QStringLiteral("mm");
    input.hardness = {QStringLiteral("235.6"), QStringLiteral("--"), QStringLiteral("0.512"),
                      QStringLiteral("0.508"), QStringLiteral("0.510")};
    return input;
}

namespace {

// The workbook is written into memory-backed scratch space when the system has it.
QString scratchFolder()
{
    return QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/quillmont-fuzz-XXXXXX")
                                                     : QDir::tempPath() + QStringLiteral("/quillmont-fuzz-XXXXXX");
}

// The template bytes go through the whole export: read as a package, its first sheet filled, the
// workbook saved. Whatever template the export can read, the program can open what it wrote.
int exportWithTemplate(const std::uint8_t *data, std::size_t size)
{
    static MemoryFile templateFile;
    static const QTemporaryDir scratch(scratchFolder());
    static const SpreadsheetInput input = fuzzExportInput();
    FUZZ_REQUIRE(scratch.isValid());
    const QString output = scratch.filePath(QStringLiteral("Measure.xlsx"));
    QFile::remove(output);

    templateFile.assign(data, size);
    const QString error = writeSpreadsheet(templateFile.path(), output, input);
    if (!error.isEmpty()) {
        FUZZ_REQUIRE(!QFile::exists(output));
        // The export refuses a filled copy that does not read again rather than write it; a
        // template it could read must not come to that, which would be the writer's fault.
        if (error.contains(QStringLiteral("依此範本寫出的活頁簿無法開啟"))) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            FUZZ_REQUIRE(!"the filled copy of a readable template reads again");
        }
        return 0;
    }
    QFile written(output);
    FUZZ_REQUIRE(written.open(QIODevice::ReadOnly));
    Workbook reopened;
    QString reopenError;
    if (!reopened.open(written.readAll(), &reopenError)) {
        std::fprintf(stderr, "the written workbook does not open: %s\n", qPrintable(reopenError));
        FUZZ_REQUIRE(!"the written workbook opens again");
    }
    return 0;
}

}  // namespace

int fuzzSpreadsheetTemplate(const std::uint8_t *data, std::size_t size)
{
    return exportWithTemplate(data, size);
}

int fuzzWorkbookParts(const std::uint8_t *data, std::size_t size)
{
    const QByteArray package = workbookFromParts(QByteArrayView(data, qsizetype(size)));
    if (package.isEmpty())
        return 0;  // no part at all: libzip writes no archive
    return exportWithTemplate(reinterpret_cast<const std::uint8_t *>(package.constData()), std::size_t(package.size()));
}
