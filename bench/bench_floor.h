#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QString>

#include <turbojpeg.h>

namespace benchfloor {

struct TjDestroy {
    void operator()(void *handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjDestroy>;

struct FileClose {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileClose>;

inline File openFile(const QString &path, const char *mode)
{
    return File(std::fopen(QFile::encodeName(path).constData(), mode));
}

inline bool readWholeFile(const QString &path, std::vector<unsigned char> &bytes)
{
    File file = openFile(path, "rb");
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file.get());
    if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    bytes.resize(size_t(size));
    return std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

inline void putLe(unsigned char *at, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

} // namespace benchfloor

// The least a picture load can cost on this machine, measured in the same run as the figures it
// is compared with: read the JPEG, decode it with TurboJPEG into reuse, write it as a 24-bit
// bottom-up bitmap to bmpPath (a new file) with plain fwrite, and read that back into reuse with
// plain fread. reuse is made the right size before the clock starts, so no allocation is counted.
// Returns the milliseconds, or a negative value when a file cannot be read, written or decoded.
inline double floorLoadMs(const QString &jpegPath, const QString &bmpPath, QImage &reuse)
{
    using namespace benchfloor;
    std::vector<unsigned char> jpeg;
    TjHandle tj(tjInitDecompress());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    if (!tj || !readWholeFile(jpegPath, jpeg)
        || tjDecompressHeader3(tj.get(), jpeg.data(), jpeg.size(), &width, &height, &subsampling,
                               &colorspace)
            != 0)
        return -1;
    if (reuse.width() != width || reuse.height() != height
        || reuse.format() != QImage::Format_BGR888) {
        reuse = QImage(width, height, QImage::Format_BGR888);
        if (reuse.isNull())
            return -1;
        std::memset(reuse.bits(), 0, size_t(reuse.sizeInBytes()));
    }
    uchar *bits = reuse.bits();
    const size_t rowBytes = size_t(reuse.bytesPerLine());
    // Overwriting a file makes ext4 push the new data to the disk on close; a new file is the
    // least a write costs.
    std::remove(QFile::encodeName(bmpPath).constData());

    QElapsedTimer timer;
    timer.start();
    if (!readWholeFile(jpegPath, jpeg)
        || tjDecompress2(tj.get(), jpeg.data(), jpeg.size(), bits, width, int(rowBytes), height,
                         TJPF_BGR, 0)
            != 0)
        return -1;

    unsigned char head[54] = {'B', 'M'};
    putLe(head + 2, unsigned(54 + rowBytes * size_t(height)), 4);
    putLe(head + 10, 54, 4);
    putLe(head + 14, 40, 4);
    putLe(head + 18, unsigned(width), 4);
    putLe(head + 22, unsigned(height), 4);
    putLe(head + 26, 1, 2);
    putLe(head + 28, 24, 2);
    {
        File out = openFile(bmpPath, "wb");
        if (!out || std::fwrite(head, 1, sizeof head, out.get()) != sizeof head)
            return -1;
        for (int y = height - 1; y >= 0; --y)
            if (std::fwrite(bits + size_t(y) * rowBytes, 1, rowBytes, out.get()) != rowBytes)
                return -1;
        if (std::fclose(out.release()) != 0)
            return -1;
    }
    {
        File in = openFile(bmpPath, "rb");
        if (!in || std::fread(head, 1, sizeof head, in.get()) != sizeof head)
            return -1;
        for (int y = height - 1; y >= 0; --y)
            if (std::fread(bits + size_t(y) * rowBytes, 1, rowBytes, in.get()) != rowBytes)
                return -1;
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

// A deterministic stand-in for a camera picture of a machined part on the backlit stage: a
// vignetted bright field, a dark plate with rounded corners and bored holes, soft edges, a scale
// of thin lines and sensor noise, so it compresses about like a real photograph. Encoded 4:2:0
// like a camera's; empty when the encoder fails.
inline QByteArray makeSampleJpeg(int width, int height, int quality)
{
    using namespace benchfloor;
    if (width <= 0 || height <= 0)
        return {};
    const size_t rowBytes = size_t(width) * 3;
    std::vector<unsigned char> pixels(rowBytes * size_t(height));
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    const double scale = std::min(width, height);
    // Share of a pixel inside a shape, from its signed distance to the edge in pixels.
    const auto inside = [](double distance) { return std::clamp(0.5 - distance, 0.0, 1.0); };
    struct Hole {
        double x, y, r;
    };
    const Hole holes[] = {{-0.18, 0.0, 0.07}, {0.18, 0.0, 0.07}, {0.0, 0.0, 0.04},
                          {0.0, -0.11, 0.02}, {0.0, 0.11, 0.02}};
    const double scaleStep = std::max(4.0, scale / 40.0);
    unsigned noiseState = 0x2545F491u;
    for (int y = 0; y < height; ++y) {
        unsigned char *row = pixels.data() + size_t(y) * rowBytes;
        const double dy = (y - cy) / scale;
        for (int x = 0; x < width; ++x) {
            const double dx = (x - cx) / scale;
            const double light = 225.0 - 90.0 * (dx * dx + dy * dy) + 12.0 * dx;
            const double qx = std::abs(dx) - 0.30;
            const double qy = std::abs(dy) - 0.17;
            const double plateDistance = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0))
                + std::min(std::max(qx, qy), 0.0) - 0.05;
            const double plate = inside(plateDistance * scale);
            double hole = 0.0;
            for (const Hole &h : holes)
                if (plate > 0.0)
                    hole = std::max(hole, inside((std::hypot(dx - h.x, dy - h.y) - h.r) * scale));
            const double part = plate * (1.0 - hole);
            const double metal = 40.0 + 30.0 * dx - 20.0 * dy;
            double value = light * (1.0 - part) + metal * part;
            const double band = y - height * 0.06;
            if (band > 0 && band < height * 0.03 && std::fmod(x, scaleStep) < 1.5)
                value *= 0.35;
            noiseState = noiseState * 1664525u + 1013904223u;
            const int noise = int(noiseState >> 29) - 4;
            row[3 * x + 0] = static_cast<unsigned char>(std::clamp(value * 0.93 + noise, 0.0, 255.0));
            row[3 * x + 1] = static_cast<unsigned char>(std::clamp(value + noise, 0.0, 255.0));
            row[3 * x + 2] = static_cast<unsigned char>(std::clamp(value * 1.04 + noise, 0.0, 255.0));
        }
    }

    TjHandle tj(tjInitCompress());
    unsigned char *jpeg = nullptr;
    unsigned long jpegSize = 0;
    if (!tj
        || tjCompress2(tj.get(), pixels.data(), width, int(rowBytes), height, TJPF_BGR, &jpeg,
                       &jpegSize, TJSAMP_420, quality, 0)
            != 0) {
        tjFree(jpeg);
        return {};
    }
    QByteArray result(reinterpret_cast<const char *>(jpeg), qsizetype(jpegSize));
    tjFree(jpeg);
    return result;
}
