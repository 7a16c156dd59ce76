#include "fuzz/bitmapseeds.h"

#include <vector>

#include <QtEndian>

namespace {

constexpr quint32 BiRgb = 0;
constexpr quint32 BiRle8 = 1;
constexpr quint32 BiRle4 = 2;
constexpr quint32 BiBitfields = 3;

struct Bitmap {
    quint32 headerSize = 40;  // 12 (OS/2 1.x), 40, 64 (OS/2 2.x), 108 (V4), 124 (V5)
    int width = 5;
    int height = 3;  // negative: rows stored top-down
    int bits = 24;
    quint32 compression = BiRgb;
    std::vector<quint32> masks{};  // red, green, blue[, alpha]
    int paletteSize = 0;
    QByteArray pixels{};  // when empty, a pattern is packed from the size and depth
    int gap = 0;        // bytes between the palette and the pixels
};

void put16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// A pattern in which neighbouring pixels and rows differ, as palette index or colour parts.
int index(int x, int y, int colours)
{
    return (x * 3 + y * 5) % colours;
}

QByteArray packedRows(const Bitmap &b)
{
    const int height = b.height < 0 ? -b.height : b.height;
    const int rowBytes = (b.width * b.bits + 31) / 32 * 4;
    QByteArray out;
    for (int row = 0; row < height; ++row) {
        QByteArray line(rowBytes, '\0');
        auto *p = reinterpret_cast<uchar *>(line.data());
        for (int x = 0; x < b.width; ++x) {
            const uchar r = uchar(x * 40), g = uchar(row * 60), bl = uchar(200 - x * 20);
            switch (b.bits) {
            case 1: p[x / 8] |= uchar(index(x, row, 2) << (7 - x % 8)); break;
            case 4: p[x / 2] |= uchar(index(x, row, 16) << (x % 2 ? 0 : 4)); break;
            case 8: p[x] = uchar(index(x, row, 256)); break;
            case 16: {
                const quint16 v = b.masks.empty() ? quint16((r >> 3) << 10 | (g >> 3) << 5 | bl >> 3)
                                                  : quint16((r >> 3) << 11 | (g >> 2) << 5 | bl >> 3);
                qToLittleEndian(v, p + 2 * x);
                break;
            }
            case 24: p[3 * x] = bl, p[3 * x + 1] = g, p[3 * x + 2] = r; break;
            case 32: p[4 * x] = bl, p[4 * x + 1] = g, p[4 * x + 2] = r, p[4 * x + 3] = uchar(255 - x); break;
            }
        }
        out += line;
    }
    return out;
}

QByteArray bitmapFile(const Bitmap &b)
{
    const bool core = b.headerSize == 12;
    QByteArray info;
    put32(info, b.headerSize);
    if (core) {
        put16(info, quint16(b.width));
        put16(info, quint16(b.height));
        put16(info, 1);
        put16(info, quint16(b.bits));
    } else {
        put32(info, quint32(b.width));
        put32(info, quint32(b.height));
        put16(info, 1);
        put16(info, quint16(b.bits));
        put32(info, b.compression);
        put32(info, 0);  // image size: may be 0 for uncompressed pictures
        put32(info, 2835);
        put32(info, 2835);
        put32(info, quint32(b.paletteSize));
        put32(info, 0);
        if (b.headerSize >= 108) {
            for (std::size_t i = 0; i < 4; ++i)
                put32(info, i < b.masks.size() ? b.masks[i] : 0);
            put32(info, 0x73524742);  // 'sRGB'
            info += QByteArray(36 + 12, '\0');  // end points and gamma, unused for sRGB
            if (b.headerSize == 124)
                info += QByteArray(16, '\0');  // intent, profile, reserved
        }
        info += QByteArray(int(b.headerSize) - info.size(), '\0');
    }
    QByteArray extra;
    if (b.headerSize == 40 && b.compression == BiBitfields)
        for (quint32 mask : b.masks)
            put32(extra, mask);
    for (int i = 0; i < b.paletteSize; ++i) {
        extra += char(i * 16), extra += char(255 - i * 8), extra += char(i * 40 % 256);
        if (!core)
            extra += '\0';
    }
    extra += QByteArray(b.gap, '\0');
    const QByteArray pixels = b.pixels.isEmpty() ? packedRows(b) : b.pixels;

    QByteArray file("BM");
    const quint32 offset = quint32(14 + info.size() + extra.size());
    put32(file, quint32(offset + pixels.size()));
    put32(file, 0);
    put32(file, offset);
    return file + info + extra + pixels;
}

// RLE8 rows bottom-up: runs, an absolute stretch, a delta jump and the end marks.
QByteArray rle8()
{
    const char data[] = {
        3, 1, 2, 7,                    // row 0: 3 × colour 1, 2 × colour 7
        0, 0,                          // end of line
        0, 3, 4, 5, 6, 0,              // row 1: absolute 4 5 6, padded to a word
        2, 9,                          //        2 × colour 9
        0, 0,
        0, 2, 1, 0,                    // delta: one pixel right
        4, 2,                          // row 2: 4 × colour 2
        0, 1,                          // end of picture
    };
    return QByteArray(data, sizeof data);
}

QByteArray rle4()
{
    const char data[] = {
        5, 0x12,        // row 0: 1 2 1 2 1
        0, 0,
        0, 5, 0x34, 0x56, 0x70, 0,  // row 1: absolute 3 4 5 6 7, padded to a word
        0, 0,
        4, 0x0F,        // row 2: 0 F 0 F
        0, 1,
    };
    return QByteArray(data, sizeof data);
}

}  // namespace

std::map<QString, QByteArray> bitmapSeeds()
{
    const std::vector<quint32> rgb565{0xF800, 0x07E0, 0x001F};
    const std::vector<quint32> argb{0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    std::map<QString, QByteArray> seeds;
    seeds[QStringLiteral("rgb24.bmp")] = bitmapFile({});
    seeds[QStringLiteral("rgb24-topdown.bmp")] = bitmapFile({.height = -3});
    seeds[QStringLiteral("rgb24-gap.bmp")] = bitmapFile({.width = 4, .gap = 6});
    seeds[QStringLiteral("rgb24-v5.bmp")] = bitmapFile({.headerSize = 124});
    seeds[QStringLiteral("rgb32.bmp")] = bitmapFile({.bits = 32});
    seeds[QStringLiteral("argb32-bitfields.bmp")] = bitmapFile({.bits = 32, .compression = BiBitfields, .masks = argb});
    seeds[QStringLiteral("argb32-v4.bmp")] = bitmapFile({.headerSize = 108, .height = -3, .bits = 32, .compression = BiBitfields, .masks = argb});
    seeds[QStringLiteral("rgb555.bmp")] = bitmapFile({.bits = 16});
    seeds[QStringLiteral("rgb565-bitfields.bmp")] = bitmapFile({.bits = 16, .compression = BiBitfields, .masks = rgb565});
    seeds[QStringLiteral("pal8.bmp")] = bitmapFile({.bits = 8, .paletteSize = 16});
    seeds[QStringLiteral("pal8-topdown.bmp")] = bitmapFile({.height = -3, .bits = 8, .paletteSize = 16});
    seeds[QStringLiteral("pal8-rle.bmp")] = bitmapFile({.bits = 8, .compression = BiRle8, .paletteSize = 16, .pixels = rle8()});
    seeds[QStringLiteral("pal4.bmp")] = bitmapFile({.bits = 4, .paletteSize = 16});
    seeds[QStringLiteral("pal4-rle.bmp")] = bitmapFile({.bits = 4, .compression = BiRle4, .paletteSize = 16, .pixels = rle4()});
    seeds[QStringLiteral("mono.bmp")] = bitmapFile({.width = 13, .bits = 1, .paletteSize = 2});
    seeds[QStringLiteral("os2-rgb24.bmp")] = bitmapFile({.headerSize = 12});
    seeds[QStringLiteral("os2-pal8.bmp")] = bitmapFile({.headerSize = 12, .bits = 8, .paletteSize = 256});
    seeds[QStringLiteral("os2v2-pal8.bmp")] = bitmapFile({.headerSize = 64, .bits = 8, .paletteSize = 16});
    return seeds;
}
