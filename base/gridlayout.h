#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

#include "base/canvas.h"
#include "base/safefile.h"

// The column layout of one grid, kept in its ".pos" file in the program folder so that a grid
// the operator has arranged comes back the same at the next start.
//
// File format (UTF-8, lines end in LF; a CR before the LF is accepted when reading):
//
//   QuillmontGridLayout<TAB>1<TAB><column count>
//   <field><TAB><width><TAB><visible><TAB><alignment><TAB><title alignment><TAB><colour><TAB><font><TAB><title>
//   … one such line per column, in display order, and a line end after the last one.
//
// - field: the data field the column shows (may be empty for an unbound column).
// - width: pixels, 0 … 100000.        - visible: "1" or "0".
// - alignment, title alignment: "left", "right" or "center".
// - colour: the cell colour as six hexadecimal digits RRGGBB, or "-" for the grid's own.
// - font: the cell font in the form QFont::toString() gives, or empty for the grid's own.
// - title: the caption of the column's title.
// Text fields escape "\" as "\\", a tab as "\t", a line feed as "\n" and a carriage return as "\r".
// The count in the first line lets a cut-off file be told from a shorter layout.
enum class ColumnAlignment { Left, Right, Center };

struct GridColumnLayout {
    QString field;
    int width = 64;
    bool visible = true;
    ColumnAlignment alignment = ColumnAlignment::Left;
    ColumnAlignment titleAlignment = ColumnAlignment::Left;
    std::optional<TColor> color;  // 0x00BBGGRR; none: the grid's own
    QString font;                 // QFont::toString() form; empty: the grid's own
    QString title;

    friend bool operator==(const GridColumnLayout &, const GridColumnLayout &) = default;
};

using GridLayout = std::vector<GridColumnLayout>;

// What reading a layout file gave. A missing file is no error: exists is false and the grid
// keeps its designed columns. A damaged or unreadable file leaves columns empty and error naming
// the file, the line and what is wrong; the grid keeps its columns then too.
struct GridLayoutResult {
    GridLayout columns;
    bool exists = false;
    QString error;
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// The file of a grid: programFolder (ending in a separator) + objectName + ".pos".
[[nodiscard]] QString gridLayoutPath(const QString &programFolder, const QString &gridName);

// The bytes of a layout file for columns. Widths beyond 0 … 100000 are clamped into that range.
[[nodiscard]] QByteArray gridLayoutText(const GridLayout &columns);
// The columns held by bytes; fileName is used in the error text.
[[nodiscard]] GridLayoutResult parseGridLayout(const QByteArray &bytes, const QString &fileName);

[[nodiscard]] GridLayoutResult readGridLayout(const QString &path);
// Replaces the file at path safely: a failed write leaves the old layout as it was.
[[nodiscard]] FileWriteResult writeGridLayout(const QString &path, const GridLayout &columns);
