#pragma once

#include <optional>

#include <QRect>
#include <QString>

#include "base/canvas.h"

struct MeasurementObject;

// Where a stored measurement is shown: the picture on screen, the exported annotated picture or
// the report's picture. They draw the same marks and differ only in a few value texts and, for
// the report, the angle's arc.
enum class LabelVariant { Screen, Export, Report };

struct MarkOptions {
    TColor pen = 0xFF0000;   // the drawing colour (default blue)
    bool angleArc = false;   // the report draws an angle's arc of radius Val1 about its vertex
};

[[nodiscard]] inline MarkOptions markOptionsFor(LabelVariant variant, TColor pen)
{
    return {pen, variant == LabelVariant::Report};
}

struct StoredMarks {
    // A circle's marker frame (Shape3) as the screen places it: left Val2 - Val1 + 2, top
    // Val3 - Val1 + 2, side 2 * Val1 + 1, in picture pixels. Empty for every other kind.
    std::optional<QRect> circleFrame;
};

// Draws the marks of one stored measurement by its AttribID with copy pens: crosses of arm 3 at
// its points, its lines (end pixel left unpainted), a circle's outline, an arc. A point group's
// line is red and its perpendicular dark green. An AttribID outside 1…11 draws nothing. The
// canvas's pen is left at options.pen.
StoredMarks drawStoredMarks(Canvas &canvas, const MeasurementObject &row, const MarkOptions &options);

// The three texts a stored measurement's label is built from.
struct LabelTexts {
    QString code;   // kind letter and OBJIndex with three digits ("w001")
    QString value;  // the values in the display unit, by kind
    QString note;   // OBJNote
    // A text note's value is its note already; the screen and the report then leave the note out
    // of display mode 2, so it is shown once.
    bool noteOnce = false;
};

struct LabelScale {
    double unitFactor = 1;
    double scaleX = 1;  // an arc's chord is scaled per axis
    double scaleY = 1;
};

// The code, value and note of a stored measurement. A row whose AttribID lies outside 1…11 comes
// from no kind this program knows: its code is "?" and the index, its value empty, its note the
// stored one, so its label still names the row without pretending to a value.
[[nodiscard]] LabelTexts labelTexts(const MeasurementObject &row, const LabelScale &scale, LabelVariant variant);

// The label text in display mode 0…5: "code=value", "code:note", "code=value\n:note", "code",
// "value", "note". Any other mode shows as mode 0.
[[nodiscard]] QString labelText(const LabelTexts &texts, int mode);
