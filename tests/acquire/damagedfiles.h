#pragma once

// Damaged picture files as the fuzzing of the readers found them, made from valid ones.

#include <algorithm>

#include <QByteArray>
#include <QtEndian>

// A JPEG whose decode first warns (stray bytes before a marker) and then stops on an error (no
// quantisation table), which TurboJPEG 2.1 reports with the warning's error code.
inline QByteArray jpegStoppingAfterAWarning(QByteArray jpeg)
{
    jpeg.insert(jpeg.indexOf("\xFF\xDB"), QByteArray("\x01\x02\x03", 3));
    for (qsizetype at = jpeg.indexOf("\xFF\xDB"); at >= 0; at = jpeg.indexOf("\xFF\xDB"))
        jpeg.remove(at, 2 + qFromBigEndian<quint16>(jpeg.constData() + at + 2));
    return jpeg;
}

// A bitmap file: `pixels` behind a header of infoSize bytes (40, or 12 for OS/2 1.x) and, for 8 bits
// and below, a grey palette.
inline QByteArray bitmapFile(int infoSize, int width, int height, int bitsPerPixel, quint32 compression,
                             const QByteArray &pixels, bool topDown)
{
    const bool os2 = infoSize == 12;
    const int colours = bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0;
    const int entryBytes = os2 ? 3 : 4;
    const int offset = 14 + infoSize + entryBytes * colours;
    QByteArray bytes(offset, '\0');
    auto *head = reinterpret_cast<uchar *>(bytes.data());
    head[0] = 'B';
    head[1] = 'M';
    qToLittleEndian<quint32>(quint32(offset + pixels.size()), head + 2);
    qToLittleEndian<quint32>(quint32(offset), head + 10);
    qToLittleEndian<quint32>(quint32(infoSize), head + 14);
    if (os2) {
        qToLittleEndian<quint16>(quint16(width), head + 18);
        qToLittleEndian<quint16>(quint16(height), head + 20);
        qToLittleEndian<quint16>(1, head + 22);
        qToLittleEndian<quint16>(quint16(bitsPerPixel), head + 24);
    } else {
        qToLittleEndian<qint32>(width, head + 18);
        qToLittleEndian<qint32>(topDown ? -height : height, head + 22);
        qToLittleEndian<quint16>(1, head + 26);
        qToLittleEndian<quint16>(quint16(bitsPerPixel), head + 28);
        qToLittleEndian<quint32>(compression, head + 30);
        qToLittleEndian<quint32>(quint32(colours), head + 46);
    }
    for (int i = 0; i < colours; ++i) {
        uchar *entry = head + 14 + infoSize + entryBytes * i;
        entry[0] = entry[1] = entry[2] = uchar(i * 255 / std::max(1, colours - 1));
    }
    return bytes + pixels;
}

inline QByteArray bitmapWith(int width, int height, int bitsPerPixel, quint32 compression, const QByteArray &pixels,
                             bool topDown = false)
{
    return bitmapFile(40, width, height, bitsPerPixel, compression, pixels, topDown);
}

inline QByteArray os2BitmapWith(int width, int height, int bitsPerPixel, const QByteArray &pixels)
{
    return bitmapFile(12, width, height, bitsPerPixel, 0, pixels, false);
}
