// Writes the seed inputs of every fuzz target: quillmont_fuzz_seeds FOLDER puts them into
// FOLDER/<target>/. With --targets it lists the targets and their longest useful input instead.
// Seeds are made here, from the program's own writers where it has them, so no binary sample
// needs to be kept in the repository.
#include <cstdio>
#include <functional>
#include <map>
#include <memory>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <turbojpeg.h>

#include "acquire/picturefile.h"
#include "base/settings.h"
#include "base/encoding.h"
#include "base/gridlayout.h"
#include "base/inifile.h"
#include "fuzz/bitmapseeds.h"
#include "fuzz/fuzzentry.h"
#include "fuzz/workbookparts.h"
#include "output/spreadsheetexport.h"
#include "output/spreadsheettemplate.h"
#include "output/ziparchive.h"

namespace {

using Seeds = std::map<QString, QByteArray>;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray withCrLf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

Seeds settingsSeeds()
{
    Settings settings = defaultSettings({QStringLiteral("/home/operator/Pictures"), 0.01, 0.01});
    settings.Company.Name = QStringLiteral("精密量測實驗室");
    settings.Application.PicPath = QStringLiteral("/srv/相片/進料");
    settings.CameraRetio = {true, 1012, 998};
    settings.Brinell.Simple = 36;
    settings.Brinell.cx = 3.2;
    settings.Image.Zoom = 1;
    IniFile file;
    writeSettings(file, settings);
    const QByteArray written = file.serialize().bytes;

    Seeds seeds;
    seeds[QStringLiteral("written.ini")] = written;
    seeds[QStringLiteral("bom-crlf.ini")] = "\xEF\xBB\xBF" + withCrLf(written);
    seeds[QStringLiteral("big5-crlf.ini")] = withCrLf(toBig5(QString::fromUtf8(written)));
    // What hands and older programs leave in such files: comments, odd spacing and case, quotes,
    // hexadecimal and signed numbers, exponents, a Windows folder, a repeated section, a section
    // without its bracket, a key without a value and lines before the first section.
    seeds[QStringLiteral("handwritten.ini")] =
        "; station 2\n"
        "stray=before any section\n"
        "[company]\n"
        "  NAME =  \" 品保課 \"  \n"
        "[Application]\n"
        "PicPath=C:\\Pictures\\Incoming\\\n"
        "[OpenPicture]\n"
        "SaveLag=0x20\n"
        "[Option]\n"
        "MoveLabel=-1\n"
        "RedPoint=$0\n"
        "Scalegauge=\n"
        "[CameraRetio]\n"
        "Active=1\n"
        "RatioX=+1000\n"
        "RatioY=2147483648\n"
        "[Brinell\n"
        "Simple=1.5E+2\n"
        "cx='320.5'\n"
        "cy=.25e-1\n"
        "[Option]\n"
        "CrossLine=0\n"
        "[Image]\n"
        "Zoom=2";
    return seeds;
}

Seeds gridLayoutSeeds()
{
    GridLayout layout;
    layout.push_back({QStringLiteral("OperNo"), 96, true, ColumnAlignment::Left, ColumnAlignment::Center, 0x0000FF,
                      QStringLiteral("Noto Sans CJK TC,10,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"), QStringLiteral("工單號碼")});
    layout.push_back({QString(), 0, false, ColumnAlignment::Right, ColumnAlignment::Right, std::nullopt, QString(),
                      QStringLiteral("tab\there, back\\slash,\nnew line\rreturn")});
    layout.push_back({QStringLiteral("Val1"), 100000, true, ColumnAlignment::Center, ColumnAlignment::Left, 0xABCDEF,
                      QString(), QStringLiteral("距離/半徑")});
    Seeds seeds;
    seeds[QStringLiteral("three.pos")] = gridLayoutText(layout);
    seeds[QStringLiteral("three-crlf.pos")] = withCrLf(gridLayoutText(layout));
    seeds[QStringLiteral("none.pos")] = gridLayoutText({});
    return seeds;
}

// The default template, the workbook exported from it (a template that has a drawing and filled
// styles already) and the default one with every part stored uncompressed.
Seeds templateSeeds(const QString &scratch)
{
    const QString templatePath = scratch + QStringLiteral("/Measure_Empty.xlsx");
    const QString exportedPath = scratch + QStringLiteral("/A01.xlsx");
    Seeds seeds;
    if (const QString error = writeDefaultTemplate(templatePath); !error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return seeds;
    }
    seeds[QStringLiteral("default.xlsx")] = readAll(templatePath);
    if (const QString error = writeSpreadsheet(templatePath, exportedPath, fuzzExportInput()); error.isEmpty())
        seeds[QStringLiteral("exported.xlsx")] = readAll(exportedPath);
    QString error;
    ZipArchive archive = ZipArchive::read(seeds[QStringLiteral("default.xlsx")], &error);
    ZipArchive stored;
    for (const ZipArchive::Part &part : archive.parts())
        stored.put(part.name, part.data, true);
    seeds[QStringLiteral("stored.xlsx")] = stored.write(&error);
    return seeds;
}

Seeds workbookPartsSeeds(const Seeds &templates)
{
    Seeds seeds;
    for (const auto &[name, package] : templates)
        seeds[QString(name).replace(QStringLiteral(".xlsx"), QStringLiteral(".parts"))] = partsOfWorkbook(package);
    return seeds;
}

// A picture with edges, a gradient and a circle, like the workpieces the station photographs.
QImage patternPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int dx = x - width / 2, dy = y - height / 2;
            const bool hole = dx * dx + dy * dy < width * height / 12;
            image.setPixel(x, y, hole ? qRgb(230, 230, 220) : qRgb(x * 255 / width, 90, y * 255 / height));
        }
    return image;
}

struct TjFree {
    void operator()(unsigned char *buffer) const { tjFree(buffer); }
};

QByteArray compressJpeg(const QImage &picture, int pixelFormat, int subsampling, int quality, int flags)
{
    tjhandle tj = tjInitCompress();
    QImage source = picture;
    if (pixelFormat == TJPF_CMYK) {
        // TurboJPEG takes CMYK pixels as they are and writes an Adobe YCCK file from them.
        source = QImage(picture.width(), picture.height(), QImage::Format_RGBA8888);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb p = picture.pixel(x, y);
                source.setPixel(x, y, qRgba(255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p), 20));
            }
    } else if (pixelFormat == TJPF_GRAY) {
        source = picture.convertToFormat(QImage::Format_Grayscale8);
    }
    unsigned char *out = nullptr;
    unsigned long size = 0;
    const int failed = tjCompress2(tj, source.constBits(), source.width(), int(source.bytesPerLine()), source.height(),
                                   pixelFormat, &out, &size, subsampling, quality, flags);
    std::unique_ptr<unsigned char, TjFree> owned(out);
    tjDestroy(tj);
    if (failed)
        return {};
    return QByteArray(reinterpret_cast<const char *>(out), qsizetype(size));
}

Seeds jpegSeeds(const QString &scratch)
{
    const QImage picture = patternPicture(32, 24);
    Seeds seeds;
    seeds[QStringLiteral("444-q92.jpg")] = compressJpeg(picture, TJPF_BGR, TJSAMP_444, 92, 0);
    seeds[QStringLiteral("422-q75.jpg")] = compressJpeg(picture, TJPF_BGR, TJSAMP_422, 75, 0);
    seeds[QStringLiteral("420-q50.jpg")] = compressJpeg(picture, TJPF_BGR, TJSAMP_420, 50, 0);
    seeds[QStringLiteral("440.jpg")] = compressJpeg(picture, TJPF_BGR, TJSAMP_440, 80, 0);
    seeds[QStringLiteral("411.jpg")] = compressJpeg(picture, TJPF_BGR, TJSAMP_411, 80, 0);
    seeds[QStringLiteral("grey.jpg")] = compressJpeg(picture, TJPF_GRAY, TJSAMP_GRAY, 85, 0);
    seeds[QStringLiteral("progressive.jpg")] = compressJpeg(picture, TJPF_BGR, TJSAMP_420, 85, TJFLAG_PROGRESSIVE);
    seeds[QStringLiteral("ycck.jpg")] = compressJpeg(picture, TJPF_CMYK, TJSAMP_444, 85, 0);
    seeds[QStringLiteral("odd-size.jpg")] = compressJpeg(patternPicture(17, 11), TJPF_BGR, TJSAMP_420, 90, 0);
    // Cut in the middle of the coded pixels: the loader decodes it with a grey tail and a warning.
    const QByteArray whole = compressJpeg(patternPicture(96, 64), TJPF_BGR, TJSAMP_444, 95, 0);
    seeds[QStringLiteral("truncated.jpg")] = whole.left(whole.size() * 2 / 3);
    // And the program's own writer.
    const QString own = scratch + QStringLiteral("/own.jpg");
    if (writeJpegFile(picture, 95, own).ok())
        seeds[QStringLiteral("own.jpg")] = readAll(own);
    return seeds;
}

bool writeSeeds(const QString &folder, const Seeds &seeds)
{
    if (!QDir().mkpath(folder))
        return false;
    for (const auto &[name, bytes] : seeds) {
        QFile file(folder + u'/' + name);
        if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot make the seed %s/%s\n", qPrintable(folder), qPrintable(name));
            return false;
        }
    }
    std::printf("%zu seeds in %s\n", seeds.size(), qPrintable(QDir::toNativeSeparators(folder)));
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 2 && arguments[1] == u"--targets") {
        for (const FuzzEntry &entry : fuzzEntries())
            std::printf("%s %zu\n", entry.name, entry.maxLength);
        return 0;
    }
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: quillmont_fuzz_seeds FOLDER | --targets\n");
        return 2;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fprintf(stderr, "no scratch folder: %s\n", qPrintable(scratch.errorString()));
        return 1;
    }
    const Seeds templates = templateSeeds(scratch.path());
    const std::map<QString, Seeds> all{
        {QStringLiteral("settings"), settingsSeeds()},
        {QStringLiteral("gridlayout"), gridLayoutSeeds()},
        {QStringLiteral("template"), templates},
        {QStringLiteral("workbookparts"), workbookPartsSeeds(templates)},
        {QStringLiteral("jpeg"), jpegSeeds(scratch.path())},
        {QStringLiteral("bmp"), bitmapSeeds()},
    };
    for (const FuzzEntry &entry : fuzzEntries()) {
        const auto seeds = all.find(QString::fromLatin1(entry.name));
        if (seeds == all.end() || seeds->second.empty()
            || !writeSeeds(arguments[1] + u'/' + QString::fromLatin1(entry.name), seeds->second))
            return 1;
    }
    return 0;
}
