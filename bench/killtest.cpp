// The program's storage paths under SIGKILL. "run" stores measurements, saves a work order, writes
// the settings file and exports a picture pair (JPEG and bitmap), a workbook and a CSV file in a
// loop, logging each completed step on standard output; bench/killtest.sh kills it at random
// moments. "check" then reads the log and the folder and tells whether anything was lost or torn.
#include <cstdio>
#include <cstdlib>
#include <map>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QImage>
#include <QTemporaryDir>

#include <unistd.h>

#include "acquire/picturefile.h"
#include "base/settings.h"
#include "base/encoding.h"
#include "base/inifile.h"
#include "display/annotate.h"
#include "output/csvexport.h"
#include "output/exportdata.h"
#include "output/spreadsheetexport.h"
#include "output/spreadsheettemplate.h"
#include "output/ziparchive.h"
#include "records/database.h"
#include "records/dataset.h"
#include "records/measurementobject.h"
#include "records/measurementstore.h"
#include "records/sqlcatalogue.h"

namespace {

const QString OperNo = QStringLiteral("W1");
const QString RecID = QStringLiteral("P1");

// One line in one write: a kill either leaves the whole line in the log or none of it.
void logLine(const QString &line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    if (::write(STDOUT_FILENO, bytes.constData(), size_t(bytes.size())) != bytes.size())
        std::abort();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString hashOf(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// The files of one iteration, by the name the log gives them.
struct Outputs {
    QString folder;
    [[nodiscard]] QString path(const QString &name) const { return QDir(folder).filePath(name); }
    [[nodiscard]] QString settings() const { return settingsFilePath(folder + u'/'); }
};

const QStringList PictureFiles = {QStringLiteral("pic.jpg"), QStringLiteral("_pic.jpg"), QStringLiteral("pic.bmp"),
                                  QStringLiteral("_pic.bmp")};

// A picture whose grey tells which iteration wrote it (k modulo 8), robust to JPEG's losses.
int greyOf(int k)
{
    return 20 + 27 * (k % 8);
}

QImage pictureOf(int k, bool annotated)
{
    QImage picture(320, 240, QImage::Format_BGR888);
    picture.fill(QColor(greyOf(k), greyOf(k), greyOf(k)));
    if (annotated) {
        for (int y = 100; y < 140; ++y)
            for (int x = 200; x < 300; ++x)
                picture.setPixelColor(x, y, Qt::red);
    }
    return picture;
}

ExportTitle titleOf(int k)
{
    ExportTitle title;
    title.mIndex = 1;
    title.OperNo = OperNo;
    title.OperName = QStringLiteral("v%1").arg(k);
    title.PicFullName = QStringLiteral("_pic.jpg");
    title.UnitName = QStringLiteral("mm");
    title.ScaleName = QStringLiteral("1X");
    title.ScaleX = title.ScaleY = 0.01;
    return title;
}

QList<ExportRow> rowsOf(int k)
{
    QList<ExportRow> rows;
    for (int i = 1; i <= 20; ++i) {
        ExportRow row;
        row.OperNo = OperNo;
        row.RecID = RecID;
        row.MeasureName = QStringLiteral("長度 %1").arg(i);
        row.OBJIndex = i;
        row.AttribID = 1;
        row.Val = {double(k) + i / 8.0, 0, 0, 0, 0, 0};
        row.OBJNote = QStringLiteral("第 %1 次, \"note\"").arg(k);
        rows << row;
    }
    return rows;
}

QByteArray csvOf(int k)
{
    const CsvBuffer csv = buildCsvBuffer(workOrderGridColumns(), titleOf(k), measurementGridColumns(), rowsOf(k));
    return toBig5(csv.text);
}

Settings settingsOf(const Settings &read, int k)
{
    Settings s = read;
    s.Company.Name = QStringLiteral("v%1").arg(k);
    s.OpenPicture.SaveLag = k;
    s.Brinell.cx = k;
    return s;
}

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "killtest: %s\n", qPrintable(what));
    std::exit(2);
}

void logWritten(const QString &name, const QString &path)
{
    logLine(QStringLiteral("wrote %1 %2").arg(name, hashOf(fileBytes(path))));
}

int run(const QString &folder)
{
    const Outputs out{folder};
    auto database = Database::open(folder);
    Dataset scratch(QStringLiteral("qryX"), database->db());
    const QString templatePath = out.path(QString::fromLatin1(TemplateFileName));
    if (!QFile::exists(templatePath)) {
        if (const QString error = writeDefaultTemplate(templatePath); !error.isEmpty())
            fail(error);
    }
    scratch.openWith(Sql::TitleExists, {{QStringLiteral("_OperNo"), OperNo}});
    if (scratch.recordCount() == 0) {
        scratch.run(Sql::TitleInsert, {{QStringLiteral("_mIndex"), 1},
                                       {QStringLiteral("_OperNo"), OperNo},
                                       {QStringLiteral("_OperName"), QStringLiteral("v0")},
                                       {QStringLiteral("_OperatorID"), QString()},
                                       {QStringLiteral("_OperatorName"), QString()},
                                       {QStringLiteral("_PicFullName"), QString()},
                                       {QStringLiteral("_UnitName"), QStringLiteral("mm")},
                                       {QStringLiteral("_ScaleName"), QStringLiteral("1X")},
                                       {QStringLiteral("_ScaleX"), 0.01},
                                       {QStringLiteral("_ScaleY"), 0.01}});
    }

    for (;;) {
        const int k = nextMeasurementIndex(scratch, OperNo, RecID);
        logLine(QStringLiteral("begin %1").arg(k));

        MeasurementObject m;
        m.OperNo = OperNo;
        m.RecID = RecID;
        m.OBJIndex = k;
        m.AttribID = 1;
        m.MeasureName = QStringLiteral("長度 %1").arg(k);
        m.x = {10, 200, 0, 0, 0.1, 2, 0, 0};
        m.Val = {double(k), 0, 0, 0, 0, 0};
        insertMeasurement(scratch, m);
        logLine(QStringLiteral("stored %1").arg(k));

        scratch.run(Sql::TitleRename, {{QStringLiteral("_NewOperNo"), OperNo},
                                       {QStringLiteral("_OldOperNo"), OperNo},
                                       {QStringLiteral("_OperName"), QStringLiteral("v%1").arg(k)},
                                       {QStringLiteral("_OperatorID"), QString()},
                                       {QStringLiteral("_OperatorName"), QString()},
                                       {QStringLiteral("_PicFullName"), QStringLiteral("_pic.jpg")}});
        logLine(QStringLiteral("title %1").arg(k));

        const SettingsFileRead read = loadSettingsFile(out.settings(), SettingsDefaults{});
        if (!read.ok())
            fail(read.error);
        const Settings next = settingsOf(read.settings, k);
        if (const FileWriteResult saved = saveSettingsFile(out.settings(), validateSettings(next, fieldTexts(next)));
            !saved.ok())
            fail(saved.error);
        logWritten(QStringLiteral("settings"), out.settings());

        for (const auto &[name, filter] : {std::pair{QStringLiteral("pic.jpg"), 1}, {QStringLiteral("pic.bmp"), 2}}) {
            const AnnotatedPair pair = writeAnnotatedPair(pictureOf(k, false), pictureOf(k, true), out.path(name), filter, 90);
            if (!pair.ok())
                fail(pair.error);
            logWritten(name, out.path(name));
            logWritten(u'_' + name, out.path(u'_' + name));
        }

        SpreadsheetInput input;
        input.title = titleOf(k);
        input.rows = rowsOf(k);
        input.picture = pictureOf(k, true);
        input.picturePath = out.path(QStringLiteral("_pic.jpg"));
        input.pictureViewHeight = 240;
        if (const QString error = writeSpreadsheet(templatePath, out.path(QStringLiteral("pic.xlsx")), input);
            !error.isEmpty())
            fail(error);
        logWritten(QStringLiteral("pic.xlsx"), out.path(QStringLiteral("pic.xlsx")));

        const CsvBuffer csv = buildCsvBuffer(workOrderGridColumns(), titleOf(k), measurementGridColumns(), rowsOf(k));
        if (const CsvWriteResult written = writeCsvFile(out.path(QStringLiteral("pic.csv")), csv.text); !written.ok())
            fail(written.error);
        logWritten(QStringLiteral("pic.csv"), out.path(QStringLiteral("pic.csv")));
    }
}

// Whether the file is whole and was written by iteration k.
bool isWholeVersion(const Outputs &out, const QString &name, int k)
{
    const QString path = name == QLatin1String("settings") ? out.settings() : out.path(name);
    const QByteArray bytes = fileBytes(path);
    if (name == QLatin1String("pic.csv"))
        return bytes == csvOf(k);
    if (name == QLatin1String("settings")) {
        // The same settings written afresh in a scratch folder give the same bytes.
        QTemporaryDir scratch;
        const QString fresh = settingsFilePath(scratch.path() + u'/');
        const Settings s = settingsOf(defaultSettings(SettingsDefaults{}), k);
        return saveSettingsFile(fresh, validateSettings(s, fieldTexts(s))).ok() && fileBytes(fresh) == bytes;
    }
    if (name == QLatin1String("pic.xlsx")) {
        QString error;
        const ZipArchive archive = ZipArchive::read(bytes, &error);
        if (!error.isEmpty())
            return false;
        const QByteArray tag = QStringLiteral(">v%1<").arg(k).toLatin1();
        for (const ZipArchive::Part &part : archive.parts())
            if (part.data.contains(tag))
                return true;
        return false;
    }
    QImage picture;
    const PictureResult read =
        name.endsWith(QLatin1String(".jpg")) ? decodeJpegFile(path, picture) : readBitmapFile(path, picture);
    if (!read.ok() || !read.detail.isEmpty())
        return false;
    return std::abs(qGray(picture.pixel(20, 20)) - greyOf(k)) <= 6;
}

int check(const QString &folder, const QString &logPath)
{
    const Outputs out{folder};
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1").arg(logPath));
    // Per file the hash last logged and the iterations begun since: a kill between a file's rename
    // and its log line leaves the new version unlogged, and the next run may begin another
    // iteration before it is killed in turn.
    std::map<QString, QString> lastHash;
    std::map<QString, QList<int>> begunSince;
    QList<int> stored;
    QList<int> titlesSince;  // the work order's saves begun since its last logged one
    int lastTitle = 0;
    while (!log.atEnd()) {
        const QStringList words = QString::fromUtf8(log.readLine()).trimmed().split(u' ');
        if (words.value(0) == QLatin1String("begin")) {
            for (auto &[name, begun] : begunSince)
                begun << words.value(1).toInt();
            titlesSince << words.value(1).toInt();
        } else if (words.value(0) == QLatin1String("stored")) {
            stored << words.value(1).toInt();
        } else if (words.value(0) == QLatin1String("title")) {
            lastTitle = words.value(1).toInt();
            titlesSince.clear();
        } else if (words.value(0) == QLatin1String("wrote")) {
            lastHash[words.value(1)] = words.value(2);
            begunSince[words.value(1)].clear();
        }
    }

    QString integrity = QStringLiteral("no database");
    int lost = 0;
    QString title;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(out.path(QStringLiteral("Quillmont1394.db")));
        if (QFile::exists(db.databaseName()) && db.open()) {
            QSqlQuery query(db);
            integrity = query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next()
                            ? query.value(0).toString()
                            : query.lastError().text();
            for (int k : std::as_const(stored)) {
                QSqlQuery found(db);
                found.prepare(QStringLiteral("select count(*) from RecDetail where OperNo = ? and RecID = ? "
                                             "and OBJIndex = ? and Val1 = ?"));
                found.addBindValue(OperNo);
                found.addBindValue(RecID);
                found.addBindValue(k);
                found.addBindValue(double(k));
                if (!found.exec() || !found.next() || found.value(0).toInt() != 1)
                    ++lost;
            }
            QSqlQuery name(db);
            if (name.exec(QStringLiteral("select OperName from RecTitle")) && name.next())
                title = name.value(0).toString();
            db.close();
        }
        db = QSqlDatabase();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    // The work order holds the last saved name or the one being saved.
    bool titleWhole = lastTitle == 0 || title == QStringLiteral("v%1").arg(lastTitle);
    for (int k : std::as_const(titlesSince))
        titleWhole = titleWhole || title == QStringLiteral("v%1").arg(k);

    QStringList torn;
    if (!titleWhole)
        torn << QStringLiteral("RecTitle(%1)").arg(title);
    for (const auto &[name, hash] : lastHash) {
        const QString path = name == QLatin1String("settings") ? out.settings() : out.path(name);
        if (hashOf(fileBytes(path)) == hash)
            continue;
        bool whole = false;
        for (int k : begunSince[name])
            whole = whole || isWholeVersion(out, name, k);
        if (!whole)
            torn << name;
    }
    // A temporary left behind is not torn, but would pile up.
    const QStringList expected = QStringList{QStringLiteral("Quillmont1394.db"), QStringLiteral("Quillmont1394.db-wal"),
                                             QStringLiteral("Quillmont1394.db-shm"), QStringLiteral("Quillmont.ini"),
                                             QStringLiteral("pic.xlsx"), QStringLiteral("pic.csv"),
                                             QString::fromLatin1(TemplateFileName)}
                                 + PictureFiles;
    QStringList leftovers;
    for (const QString &entry : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (!expected.contains(entry))
            leftovers << entry;

    std::printf("integrity %s\nstored %lld\nlost %d\ntorn %lld %s\nleftovers %lld %s\n", qPrintable(integrity),
                static_cast<long long>(stored.size()), lost, static_cast<long long>(torn.size()), qPrintable(torn.join(u' ')),
                static_cast<long long>(leftovers.size()), qPrintable(leftovers.join(u' ')));
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("run"))
        return run(args[2]);
    if (args.size() == 4 && args[1] == QLatin1String("check"))
        return check(args[2], args[3]);
    std::fprintf(stderr, "usage: bench_killtest run FOLDER | check FOLDER LOG\n");
    return 1;
}
