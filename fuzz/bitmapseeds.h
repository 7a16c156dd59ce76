#pragma once

#include <map>

#include <QByteArray>
#include <QString>

// Small Windows bitmaps of every variant the loader meets, written byte by byte so that each
// header field is what the name says: bit depths from 1 to 32, palettes, bit-field masks, RLE,
// top-down rows, and the OS/2 and later Windows headers. Keyed by file name.
[[nodiscard]] std::map<QString, QByteArray> bitmapSeeds();
