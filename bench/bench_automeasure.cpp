// Automatic measurement on camera-sized pictures: circle detection by rays (the default and the
// most rays), the sub-pixel detection and the width and height search, each against a TurboJPEG
// decode of the same picture measured in the same run, first on the picture's rows alone, then
// through the real window ("計算" on the page "自動": clean picture restored, detection, yellow
// crosses drawn and painted, the hardness); then the accuracy of both detections over generated
// impressions. Prints figures; never fails on timing.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QImage>

#include <turbojpeg.h>

#include "automeasure/circledetect.h"
#include "automeasure/precisecircle.h"
#include "automeasure/widthheight.h"
#include "acquire/picturefiles.h"
#include "app/main.h"
#include "base/numberformat.h"
#include "bench/bench_floor.h"
#include "bench/timing.h"
#include "tests/app/testkit.h"
#include "tests/automeasure/impression.h"

namespace {

using bench::medianMs;
using benchfloor::TjHandle;
using impression::Scene;

// Median decode time of picture encoded as a camera would (quality 92, 4:2:0), into a reused
// buffer; the JPEG is written to jpegPath when one is given.
double decodeFloorMs(const QImage &picture, const QString &jpegPath = QString())
{
    TjHandle compress(tjInitCompress());
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    if (!compress
        || tjCompress2(compress.get(), picture.constBits(), picture.width(), int(picture.bytesPerLine()),
                       picture.height(), TJPF_BGR, &jpeg, &size, TJSAMP_420, 92, 0)
            != 0)
        return -1;
    if (!jpegPath.isEmpty()) {
        QFile file(jpegPath);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(reinterpret_cast<const char *>(jpeg), qint64(size)) != qint64(size))
            return -1;
    }
    TjHandle decompress(tjInitDecompress());
    QImage target(picture.width(), picture.height(), QImage::Format_BGR888);
    target.fill(0);
    bool ok = true;
    const double ms = medianMs(5, [&] {
        ok = ok
            && tjDecompress2(decompress.get(), jpeg, size, target.bits(), target.width(),
                             int(target.bytesPerLine()), target.height(), TJPF_BGR, 0)
                == 0;
    });
    tjFree(jpeg);
    return ok ? ms : -1;
}

CircleSearch searchAround(const Scene &scene, double scale)
{
    CircleSearch s;
    s.radius = scene.radius * 1.25 * scale;
    s.innerPercent = 40;  // inside the bowl
    s.outerPercent = 95;  // past the rim
    s.autoCentre = true;
    // A rim softened over a few pixels changes by less than 25 % from one pixel to the next.
    s.threshold = 10;
    s.centreX = (scene.centre.x() - 2) * scale;
    s.centreY = (scene.centre.y() + 1.5) * scale;
    return s;
}

// "計算" on the page "自動" of the real window, the picture opened from the JPEG: ms per press,
// the repaint of what it drew included.
double windowDetectionMs(const QString &jpeg, const Scene &scene, int groups, bool subPixel)
{
    TestWindow t;
    t.window->show();
    if (!t.window->pictureFiles().LoadPictureFile(jpeg))
        return -1;
    t.control<QAction>("mmHardness")->trigger();
    // The starter scale: 0.01 mm per pixel. The search as searchAround sets it.
    constexpr double scale = 0.01;
    const CircleSearch s = searchAround(scene, scale);
    t.control<QLineEdit>("edVideoLineR")->setText(floatToText(s.radius));
    t.control<QCheckBox>("cbAutoCenter")->setChecked(true);
    t.control<QLineEdit>("Edit7")->setText(floatToText(s.centreX));
    t.control<QLineEdit>("Edit8")->setText(floatToText(s.centreY));
    t.control<QScrollBar>("ScrollBar1")->setValue(s.innerPercent);
    t.control<QScrollBar>("ScrollBar2")->setValue(s.outerPercent);
    t.control<QScrollBar>("ScrollBar3")->setValue(s.threshold);
    t.control<QLineEdit>("edTimes")->setText(QString::number(groups));
    t.control<QCheckBox>("cbSubPixel")->setChecked(subPixel);
    auto *calculate = t.control<QPushButton>("BitBtn22");
    QApplication::processEvents();
    const double ms = medianMs(7, [&] {
        calculate->click();
        QApplication::processEvents();
    });
    return t.control<QPushButton>("bbtStoreCircle")->isEnabled() && t.log->errors.isEmpty() ? ms : -1;
}

void timing(int width, int height)
{
    constexpr double scale = 0.001;
    Scene scene;
    scene.width = width;
    scene.height = height;
    scene.centre = {width / 2 + 13.37, height / 2 - 7.81};
    scene.radius = height * 0.3;
    scene.bowl = scene.radius * 0.6;
    scene.blur = 1.5;
    scene.noise = 5;
    const QImage picture = impression::render(scene);
    const PictureRows rows = rowsOf(picture);
    QTemporaryDir dir;
    const QString jpeg = dir.filePath(QStringLiteral("impression.jpg"));
    const double floor = decodeFloorMs(picture, jpeg);

    CircleSearch rays = searchAround(scene, scale);
    CircleSearch most = rays;
    most.groups = 100;
    CircleSearch fine = rays;
    fine.subPixel = true;
    CircleSearch box = rays;
    box.outline = true;
    CircleDetection result;
    EdgeBox edges;
    const double msRays = medianMs(7, [&] { result = detectCircle(rows, rays, scale, scale); });
    const double msMost = medianMs(7, [&] { result = detectCircle(rows, most, scale, scale); });
    const double msFine = medianMs(7, [&] { result = detectCircle(rows, fine, scale, scale); });
    const double msBox = medianMs(7, [&] { edges = searchWidthHeight(rows, box, scale, scale); });
    std::printf("%d x %d (%.1f MP), rim radius %.0f px; TurboJPEG decode %.2f ms\n", width, height,
                width * double(height) / 1e6, scene.radius, floor);
    std::printf("  rays, 6 groups         %8.3f ms  %.3f x decode\n", msRays, msRays / floor);
    std::printf("  rays, 100 groups       %8.3f ms  %.3f x decode\n", msMost, msMost / floor);
    std::printf("  sub-pixel, %d rays    %8.3f ms  %.3f x decode  (radius off %+.3f px)\n", PreciseRays,
                msFine, msFine / floor, result.radius - scene.radius);
    std::printf("  width and height       %8.3f ms  %.3f x decode\n", msBox, msBox / floor);
    std::printf("  through the window (restore + detect + crosses + paint + hardness; goal <= 0.15 x decode):\n");
    for (const auto &[groups, subPixel, name] : {std::tuple{36, false, "rays, 36 groups (start)"},
                                                 {100, false, "rays, 100 groups"},
                                                 {36, true, "sub-pixel"}}) {
        const double ms = windowDetectionMs(jpeg, scene, groups, subPixel);
        std::printf("    %-22s %8.3f ms  %.3f x decode%s\n", name, ms, ms / floor, ms < 0 ? "  (failed)" : "");
    }
}

void accuracy()
{
    constexpr double scale = 0.01;
    std::printf("\nAccuracy over generated impressions (rim radius 150.4 px, 3 noise seeds each; worst "
                "centre and radius error in px, '-' when nothing was found)\n");
    std::printf("%5s %6s %6s %9s | %-24s | %-17s\n", "blur", "noise", "pileup", "scratches",
                "rays (threshold 25)", "sub-pixel");
    struct Row {
        double blur, noise, pileUpGap;
        int scratches;
    } const rows[] = {{0, 0, 0, 0},   {0.7, 4, 0, 0},  {1.0, 8, 0, 0},   {1.0, 8, 0, 2},
                      {1.8, 6, 9, 0}, {2.0, 10, 10, 1}, {2.5, 6, 0, 0},  {2.5, 10, 0, 0},
                      {2.5, 10, 9, 1}, {2.5, 10, 6, 0}};
    for (const Row &r : rows) {
        double worst[2][2] = {};
        int missed[2] = {};
        for (unsigned seed = 1; seed <= 3; ++seed) {
            Scene s;
            s.width = 720;
            s.height = 560;
            s.centre = {371.37, 276.81};
            s.radius = 150.4;
            s.bowl = 92;
            s.blur = r.blur;
            s.noise = r.noise;
            s.seed = seed;
            if (r.pileUpGap > 0) {
                s.pileUp = 45;
                s.pileUpGap = r.pileUpGap;
            }
            if (r.scratches >= 1)
                s.scratches.push_back({{250, 150}, {520, 420}, 2.5, 25});
            if (r.scratches >= 2)
                s.scratches.push_back({{200, 330}, {560, 250}, 2.0, 35});
            const QImage picture = impression::render(s);
            CircleSearch search;
            search.radius = 2.0;
            search.innerPercent = 30;
            search.outerPercent = 90;
            search.autoCentre = true;
            search.centreX = 3.70;
            search.centreY = 2.78;
            for (int mode = 0; mode < 2; ++mode) {
                search.subPixel = mode == 1;
                const CircleDetection d = detectCircle(rowsOf(picture), search, scale, scale);
                if (!d.found()) {
                    ++missed[mode];
                    continue;
                }
                worst[mode][0] = std::max(worst[mode][0], std::hypot(d.centre.x() - s.centre.x(),
                                                                     d.centre.y() - s.centre.y()));
                worst[mode][1] = std::max(worst[mode][1], std::abs(d.radius - s.radius));
            }
        }
        char text[2][32];
        for (int mode = 0; mode < 2; ++mode) {
            if (missed[mode] == 3)
                std::snprintf(text[mode], sizeof text[mode], "-");
            else
                std::snprintf(text[mode], sizeof text[mode], "%.3f %.3f%s", worst[mode][0], worst[mode][1],
                              missed[mode] ? " (some -)" : "");
        }
        std::printf("%5.1f %6.0f %6.0f %9d | %-24s | %-17s\n", r.blur, r.noise, r.pileUpGap, r.scratches,
                    text[0], text[1]);
    }
}

} // namespace

int main(int argc, char **argv)
{
    prepareTestProcess();
    QApplication app(argc, argv);
    timing(2592, 1944);
    timing(5472, 3648);
    accuracy();
    return 0;
}
