// Opening a 20 MP picture, moving the mouse over it and the memory it takes, each against a floor
// measured in the same run. Prints figures; never fails on timing.
#include <algorithm>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "acquire/picturefiles.h"
#include "bench/bench_floor.h"
#include "bench/timing.h"
#include "measure/measuring.h"
#include "tests/app/testkit.h"
#include "ui/pictureview.h"

namespace {

using bench::median;

constexpr int Width = 5472;
constexpr int Height = 3648;

QString writeSample(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("sample.jpg"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(makeSampleJpeg(Width, Height, 92));
    return path;
}

void click(PictureView *view, QPoint at)
{
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at);
}

// Moves the mouse over the picture and lets every repaint it causes happen; returns ms per move.
std::vector<double> mouseMoves(PictureView *view, int count)
{
    std::vector<double> times;
    times.reserve(count);
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        const QPointF at(100 + (i * 37) % 900, 80 + (i * 53) % 600);
        timer.start();
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        QApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return times;
}

// The memory part runs in its own process so the floor's buffers do not count.
int memoryRun(const QString &jpeg)
{
    TestWindow t;
    TfmMain &window = *t.window;
    window.show();
    window.pictureFiles().LoadPictureFile(jpeg);
    PictureView *view = window.findChild<PictureView *>(QStringLiteral("imgView"));
    for (int kind : {0, 2, 5}) {
        window.measuring().selectKind(kind);
        click(view, {200, 200});
        click(view, {900, 400});
        click(view, {500, 700});
    }
    mouseMoves(view, 200);
    window.pictureFiles().LoadPictureFile(jpeg);
    std::printf("%ld\n", bench::statusKiB("VmHWM:"));
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    prepareTestProcess();
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--memory")
        return memoryRun(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir dir;
    const QString jpeg = writeSample(dir);

    // 1. Opening the picture against decode + BMP write + read back.
    QImage reuse;
    std::vector<double> floors;
    for (int i = 0; i < 7; ++i)
        floors.push_back(floorLoadMs(jpeg, dir.filePath(QStringLiteral("floor.bmp")), reuse));
    reuse = QImage();

    auto t = std::make_unique<TestWindow>();
    TfmMain *window = t->window.get();
    window->show();
    std::vector<double> loads;
    QElapsedTimer timer;
    for (int i = 0; i < 7; ++i) {
        timer.start();
        window->pictureFiles().LoadPictureFile(jpeg);
        QApplication::processEvents();
        loads.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double floor = median(floors);
    const double load = median(loads);
    std::printf("open %dx%d JPEG: LoadPictureFile %.1f ms (first %.1f ms), floor %.1f ms, ratio %.2f (goal <= 1.3)\n",
                Width, Height, load, loads.front(), floor, load / floor);

    // 2. Mouse moves with crosshair and read-out, repaints included.
    PictureView *view = window->findChild<PictureView *>(QStringLiteral("imgView"));
    window->measuring().selectKind(2);
    mouseMoves(view, 50);
    const std::vector<double> moves = mouseMoves(view, 1000);
    std::printf("mouse move: median %.3f ms, max %.3f ms over %zu moves (goal <= 2 ms)\n", median(moves),
                *std::max_element(moves.begin(), moves.end()), moves.size());
    t.reset();

    // 3. Peak memory of a process that opened the picture and measured on it.
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory"), jpeg});
    child.waitForFinished(120000);
    const long kib = child.readAllStandardOutput().trimmed().toLong();
    const double bitmapMiB = Width * 3.0 * Height / (1024 * 1024);
    std::printf("peak memory: %.1f MiB, bitmap %.1f MiB, ratio %.2f (goal <= 150 MiB, 2.5x)\n", kib / 1024.0,
                bitmapMiB, kib / 1024.0 / bitmapMiB);
    return 0;
}
