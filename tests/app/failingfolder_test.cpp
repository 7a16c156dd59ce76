// The writers of the settings file, the saved pictures, the CSV file and the workbook on a real full
// disk and in a folder that refuses new files: each says which file it could not write, and every
// earlier file stays byte for byte, with no temporary left beside it.
#include <functional>
#include <memory>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "base/settings.h"
#include "display/annotate.h"
#include "output/csvexport.h"
#include "output/exportdata.h"
#include "output/spreadsheetexport.h"
#include "output/spreadsheettemplate.h"
#include "tests/base/lockedfolder.h"
#include "tests/filebytes.h"

namespace {

// Version 2 of every file is larger than version 1, so it cannot fit where nothing is free.
QImage pictureOf(int version)
{
    const int side = 60 * version;
    QImage picture(side, side, QImage::Format_BGR888);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            picture.setPixel(x, y, qRgb((x * 37 + y * version) % 256, (x ^ y) % 256, (y * 11) % 256));
    return picture;
}

ExportTitle titleOf(int version)
{
    ExportTitle title;
    title.OperNo = QStringLiteral("W%1").arg(version);
    title.OperName = QStringLiteral("工單").repeated(20 * version);
    return title;
}

QList<ExportRow> rowsOf(int version)
{
    QList<ExportRow> rows;
    for (int i = 0; i < 30 * version; ++i) {
        ExportRow row;
        row.OBJIndex = i + 1;
        row.MeasureName = QStringLiteral("長度");
        row.Val[0] = i * 0.5;
        rows << row;
    }
    return rows;
}

struct Writer {
    const char *name;
    QStringList files;  // what it writes into the folder
    std::function<QString(const QString &folder, int version)> write;  // the error; empty on success
};

std::vector<Writer> writers(const QString &templatePath)
{
    return {
        {"settings", {QStringLiteral("Quillmont.ini")},
         [](const QString &folder, int version) {
             Settings s = defaultSettings(SettingsDefaults{});
             s.Company.Name = QStringLiteral("公司").repeated(100 * version);
             return saveSettingsFile(settingsFilePath(folder + u'/'), validateSettings(s, fieldTexts(s))).error;
         }},
        {"JPEG pair", {QStringLiteral("p.jpg"), QStringLiteral("_p.jpg")},
         [](const QString &folder, int version) {
             return writeAnnotatedPair(pictureOf(version), pictureOf(version), QDir(folder).filePath("p.jpg"), 1, 95)
                 .error;
         }},
        {"bitmap pair", {QStringLiteral("p.bmp"), QStringLiteral("_p.bmp")},
         [](const QString &folder, int version) {
             return writeAnnotatedPair(pictureOf(version), pictureOf(version), QDir(folder).filePath("p.bmp"), 2, 95)
                 .error;
         }},
        {"CSV", {QStringLiteral("p.csv")},
         [](const QString &folder, int version) {
             const CsvBuffer csv =
                 buildCsvBuffer(workOrderGridColumns(), titleOf(version), measurementGridColumns(), rowsOf(version));
             return writeCsvFile(QDir(folder).filePath("p.csv"), csv.text).error;
         }},
        {"workbook", {QStringLiteral("p.xlsx")},
         [templatePath](const QString &folder, int version) {
             SpreadsheetInput input;
             input.title = titleOf(version);
             input.rows = rowsOf(version);
             input.picture = pictureOf(version);
             input.picturePath = QDir(folder).filePath("_p.jpg");
             input.pictureViewHeight = 480;
             return writeSpreadsheet(templatePath, QDir(folder).filePath("p.xlsx"), input);
         }},
    };
}

struct Snapshot {
    QStringList entries;
    QList<QByteArray> bytes;
    friend bool operator==(const Snapshot &, const Snapshot &) = default;
};

Snapshot snapshot(const QString &folder)
{
    Snapshot s;
    s.entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &entry : std::as_const(s.entries))
        s.bytes << fileBytes(QDir(folder).filePath(entry));
    return s;
}

enum class Fault { FullDisk, LockedFolder };

class FailingFolderTest : public ::testing::TestWithParam<Fault> {};

TEST_P(FailingFolderTest, EveryWriterNamesItsFileAndKeepsTheEarlierOne)
{
    QTemporaryDir outside;
    const QString templatePath = outside.filePath(QString::fromLatin1(TemplateFileName));
    ASSERT_EQ(writeDefaultTemplate(templatePath), QString());
    const QString folder = outside.filePath(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(folder));

    std::unique_ptr<FullDisk> disk;
    if (GetParam() == Fault::FullDisk) {
        disk = std::make_unique<FullDisk>(folder, 2 * 1024 * 1024);
        if (!disk->mounted())
            GTEST_SKIP() << disk->reason().toStdString();
    }
    const std::vector<Writer> all = writers(templatePath);
    for (const Writer &w : all)
        ASSERT_EQ(w.write(folder, 1), QString()) << w.name;

    std::unique_ptr<LockedFolder> lock;
    if (disk) {
        disk->fill();
    } else {
        lock = std::make_unique<LockedFolder>(folder);
        if (!lock->locked())
            GTEST_SKIP() << "this file system cannot lock a folder";
    }
    const Snapshot before = snapshot(folder);
    for (const Writer &w : all) {
        SCOPED_TRACE(w.name);
        const QString error = w.write(folder, 2);
        EXPECT_FALSE(error.isEmpty());
        bool named = false;
        for (const QString &file : w.files)
            named = named || error.contains(file);
        EXPECT_TRUE(named) << error.toStdString();
        EXPECT_TRUE(snapshot(folder) == before) << "now: " << snapshot(folder).entries.join(' ').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, FailingFolderTest, ::testing::Values(Fault::FullDisk, Fault::LockedFolder),
                         [](const ::testing::TestParamInfo<Fault> &fault) {
                             return fault.param == Fault::FullDisk ? "FullDisk" : "LockedFolder";
                         });

}  // namespace
