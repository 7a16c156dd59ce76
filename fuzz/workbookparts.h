#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The XML parts of a template as one input, so that the fuzzer changes the XML itself: inside a
// zip it is compressed and guarded by checksums, and nearly every change fails before a part is
// read. The parts follow each other in a fixed order of names, separated by a NUL byte (which no
// XML part holds); an empty or
// missing piece leaves that part out.

// The package the pieces of input make.
[[nodiscard]] QByteArray workbookFromParts(QByteArrayView input);
// The pieces of a package, for seeds; empty when it is no zip archive.
[[nodiscard]] QByteArray partsOfWorkbook(const QByteArray &package);

struct SpreadsheetInput;

// A small work order with every kind of cell the export writes: texts, numbers, a note that
// looks like a formula, the coloured title row and a picture.
[[nodiscard]] SpreadsheetInput fuzzExportInput();
