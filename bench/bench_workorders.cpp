// A station that kept years of work: 10,000 work orders of 100 measurements each, 1,000,000 rows.
// Prints the time to generate the database, the start-up (CPU and wall) and the selection of a work
// order from the list, with and without its picture to decode, against the decode alone. Never fails
// on timing.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>

#include "acquire/picturefile.h"
#include "app/main.h"
#include "records/database.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "tests/app/testkit.h"

namespace {

constexpr int Orders = 10'000;
constexpr int PerOrder = 100;

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void exec(QSqlQuery &q, const QString &statement)
{
    if (!q.exec(statement))
        qFatal("%s", qPrintable(q.lastError().text()));
}

// Orders WO00001 … with an even number show picture a, the others picture b.
void generate(const QString &folder, const QString &a, const QString &b)
{
    std::unique_ptr<Database> database = Database::open(folder);
    QSqlDatabase db = database->db();
    QSqlQuery q(db);
    // A scratch database: nothing is lost if the machine stops while it is written.
    exec(q, QStringLiteral("PRAGMA synchronous=OFF"));
    db.transaction();
    exec(q, QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                           "INSERT INTO RecTitle (mIndex, OperNo, OperName, OperatorID, OperatorName, PicFullName, "
                           "UnitName, ScaleName, ScaleX, ScaleY) SELECT x, printf('WO%05d', x), 'order', '7', 'Li', "
                           "CASE x % 2 WHEN 0 THEN '%2' ELSE '%3' END, 'mm', '1X', 0.01, 0.01 FROM n")
                .arg(Orders)
                .arg(a, b));
    exec(q, QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                           "INSERT INTO RecDetail (OperNo, RecID, RecName, MeasureName, OBJIndex, AttribID, Attrib, "
                           "x1, y1, x2, y2, x3, y3, x4, y4, x5, y5, x6, y6, x7, y7, x8, y8, "
                           "Val1, Val2, Val3, Val4, Val5, Val6, LabelX, LabelY, LabelSize, Color, OBJNote, rIndex) "
                           "SELECT printf('WO%05d', x / %2 + 1), 'P1', 'part', printf('d%03d', x % %2 + 1), "
                           "x % %2 + 1, 3, 'pp', 10 + x % 2000, 20 + x % 1500, 300 + x % 2000, 200 + x % 1500, "
                           "0, 0, 0, 0, 0.1 + (x % 2000) * 0.01, 0.2 + (x % 1500) * 0.01, 3 + (x % 2000) * 0.01, "
                           "2 + (x % 1500) * 0.01, 0, 0, 0, 0, 340.1, 0, 0, 3.401, 0, 0, 150 + x % 2000, "
                           "110 + x % 1500, 12, 0, '', x % %2 FROM n")
                .arg(Orders * PerOrder - 1)
                .arg(PerOrder));
    db.commit();
}

struct Spread {
    double median;
    double max;
};

Spread spread(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

}  // namespace

int main(int argc, char **argv)
{
    prepareTestProcess();
    QApplication app(argc, argv);
    setApplicationTexts();
    QTemporaryDir folder;
    const QString a = folder.filePath(QStringLiteral("a.jpg"));
    const QString b = folder.filePath(QStringLiteral("b.jpg"));
    (void)writeJpegFile(samplePicture(2592, 1944), 92, a);
    (void)writeJpegFile(samplePicture(2592, 1944).mirrored(), 92, b);

    QElapsedTimer wall;
    wall.start();
    generate(folder.path(), a, b);
    std::printf("generated %d work orders with %d measurements each (%d rows) in one transaction: %.0f ms\n", Orders,
                PerOrder, Orders * PerOrder, double(wall.elapsed()));

    // The floor of a selection that shows another picture: decoding it into a buffer of its size.
    QImage decoded;
    (void)decodeJpegFile(a, decoded);
    std::vector<double> decodes;
    for (int i = 0; i < 5; ++i) {
        wall.restart();
        (void)decodeJpegFile(i % 2 ? a : b, decoded);
        decodes.push_back(wall.nsecsElapsed() / 1e6);
    }
    const Spread decode = spread(decodes);

    const double cpuBefore = cpuMs();
    wall.restart();
    auto window = std::make_unique<TfmMain>(folder.path(), std::make_unique<ScriptedDialogs>(),
                                            folder.filePath(QStringLiteral("Pictures")));
    window->show();
    QApplication::processEvents();
    const double startCpu = cpuMs() - cpuBefore;
    const double startWall = wall.nsecsElapsed() / 1e6;
    const Datasets &d = window->datasets();
    std::printf("start-up: %.0f ms CPU, %.0f ms wall (goal <= 1000 ms CPU), including one picture decode of "
                "%.0f ms; %d work orders listed, %d measurements read (of %d stored)\n",
                startCpu, startWall, decode.median, d.qryTitle->recordCount(), d.qryMeasure->recordCount(),
                Orders * PerOrder);

    auto *grid = window->findChild<QTableView *>(QStringLiteral("DBGrid5"));
    const auto select = [&](int row) {
        wall.restart();
        grid->setCurrentIndex(grid->model()->index(row, 1));
        QApplication::processEvents();
        return wall.nsecsElapsed() / 1e6;
    };
    // Rows two apart share their picture: nothing to decode. Neighbours alternate the pictures.
    std::vector<double> samePicture;
    std::vector<double> otherPicture;
    for (int i = 1; i <= 20; ++i)
        samePicture.push_back(select(2 * i * 97 % Orders));
    for (int i = 1; i <= 20; ++i)
        otherPicture.push_back(select((2 * i * 97 + i % 2) % Orders));
    const Spread same = spread(samePicture);
    const Spread other = spread(otherPicture);
    std::printf("select a work order of %d measurements, its picture already shown: median %.1f ms, max %.1f ms "
                "(goal <= 100 ms)\n",
                d.qryMeasure->recordCount(), same.median, same.max);
    std::printf("select a work order with another picture: median %.1f ms, max %.1f ms; the decode alone: median "
                "%.1f ms; selection without it: %.1f ms\n",
                other.median, other.max, decode.median, other.median - decode.median);
    return 0;
}
