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

// An uncompressed bitmap header (40 bytes of info) with a grey palette for 8 bits and below;
// `pixels` follows it as given.
inline QByteArray bitmapWith(int width, int height, int bitsPerPixel, quint32 compression, const QByteArray &pixels,
                             bool topDown = false)
{
    const int colours = bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0;
    const int offset = 14 + 40 + 4 * colours;
    QByteArray bytes(offset, '\0');
    auto *head = reinterpret_cast<uchar *>(bytes.data());
    head[0] = 'B';
    head[1] = 'M';
    qToLittleEndian<quint32>(quint32(offset + pixels.size()), head + 2);
    qToLittleEndian<quint32>(quint32(offset), head + 10);
    qToLittleEndian<quint32>(40, head + 14);
    qToLittleEndian<qint32>(width, head + 18);
    qToLittleEndian<qint32>(topDown ? -height : height, head + 22);
    qToLittleEndian<quint16>(1, head + 26);
    qToLittleEndian<quint16>(quint16(bitsPerPixel), head + 28);
    qToLittleEndian<quint32>(compression, head + 30);
    qToLittleEndian<quint32>(quint32(colours), head + 46);
    for (int i = 0; i < colours; ++i) {
        uchar *entry = head + 54 + 4 * i;
        entry[0] = entry[1] = entry[2] = uchar(i * 255 / std::max(1, colours - 1));
    }
    return bytes + pixels;
}

// The same with the OS/2 1.x header of 12 bytes and its 3-byte palette entries.
inline QByteArray os2BitmapWith(int width, int height, int bitsPerPixel, const QByteArray &pixels)
{
    const int colours = bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0;
    const int offset = 14 + 12 + 3 * colours;
    QByteArray bytes(offset, '\0');
    auto *head = reinterpret_cast<uchar *>(bytes.data());
    head[0] = 'B';
    head[1] = 'M';
    qToLittleEndian<quint32>(quint32(offset + pixels.size()), head + 2);
    qToLittleEndian<quint32>(quint32(offset), head + 10);
    qToLittleEndian<quint32>(12, head + 14);
    qToLittleEndian<quint16>(quint16(width), head + 18);
    qToLittleEndian<quint16>(quint16(height), head + 20);
    qToLittleEndian<quint16>(1, head + 22);
    qToLittleEndian<quint16>(quint16(bitsPerPixel), head + 24);
    return bytes + pixels;
}
