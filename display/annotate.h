#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include "base/canvas.h"
#include "display/marks.h"

struct MeasurementObject;

// A label's text burnt into a picture: transparent, in its own size and colour.
struct PaintedText {
    QString text;
    QPoint at;         // top-left corner of the first line, in picture pixels
    int size = 10;     // LabelSize, in points
    TColor color = 0;  // Color, 0x00BBGGRR
};

// The text of a stored measurement's label as it is painted: display mode `mode`, placed at
// (LabelX, LabelY) in the row's size and colour.
[[nodiscard]] PaintedText paintedLabel(const MeasurementObject &row, const LabelScale &scale, LabelVariant variant,
                                       int mode);

// The pixel height of a label font of `points` on the 96-per-inch picture (10 pt is 13 px). A size
// of 0 or less is the platform's default, 10 pt.
[[nodiscard]] int labelPixelSize(int points);

enum class LineBreaks {
    Split,    // line n is painted at at.y + (size + 2) * n: the exported picture
    Ignored,  // one line, a break showing as a space: the report's picture
};

// Paints the texts onto the 24-bit picture (QImage::Format_BGR888) in the given face, the face the
// caller's canvas has.
void paintTexts(QImage &picture, const QList<PaintedText> &texts, const QString &face, LineBreaks breaks);

// The scale gauge as it shows over the picture: captions in their own fonts and colours, and the
// two bars drawn as red outlines. Positions are in picture pixels.
struct GaugeCaption {
    QString text;
    QPoint at;
    QFont font;
    TColor color = 0x0000FF;
};
struct ScaleGauge {
    QList<GaugeCaption> captions;  // lbUnit, lbUnit0, lbUnit100
    QList<QRect> bars;             // spUnit0, spUnit50
};

// Paints the gauge's captions, then each bar's outline from (left, top) to (left + width,
// top + height), right and bottom exclusive.
void paintGauge(QImage &picture, const ScaleGauge &gauge);

// The chosen file name with its extension made one the pictures can be written as: kept when it is
// ".jpg" or ".bmp" in any case, otherwise ".JPG" is appended for the JPEG filter (index 1) and
// ".BMP" for any other. Only the file name part counts, so a dot in a folder name does not.
[[nodiscard]] QString fixedExtension(const QString &chosen, int filterIndex);

struct [[nodiscard]] AnnotatedPair {
    QString cleanPath;      // folder + name
    QString annotatedPath;  // folder + "_" + name: the current picture path from now on
    QString error;          // empty on success
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// Writes the clean picture under the chosen name (extension fixed as above) and the annotated one
// beside it with "_" in front of the name: JPEG at `quality` (1…100) when the extension is ".JPG",
// otherwise Windows bitmaps. Both are written to temporary files in that folder first and renamed
// into place only when both are complete, so a failure leaves every earlier file as it was, and no
// temporary behind, and reports what went wrong.
AnnotatedPair writeAnnotatedPair(const QImage &clean, const QImage &annotated, const QString &chosenPath,
                                 int filterIndex, int quality);
