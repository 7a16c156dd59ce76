#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include "output/exportdata.h"

// The texts of the hardness fields edHb, edHR, edVideoLineW, edVideoLineH and eddd.
struct HardnessTexts {
    QString Hb;
    QString HR;
    QString VideoLineW;
    QString VideoLineH;
    QString dd;
};

// Everything a workbook shows of the current work order.
struct SpreadsheetInput {
    ExportTitle title;
    QList<ExportRow> rows;  // the measurement list, in list order
    // The annotated picture as saved; the workbook takes its name. Its file is embedded unless
    // picture holds the picture to embed instead.
    QString picturePath;
    QImage picture;
    int pictureViewHeight = 0;  // height of imgView in pixels: the rows below the picture start after it
    QString scaleSetText;       // cbScaleSet
    QString unitSetText;        // cbUnitSet
    HardnessTexts hardness;
};

// The background of the column-title row, as a colour value 0x00BBGGRR.
inline constexpr quint32 HeadingColour = 0xFFFF1F;
// The message shown once the workbook is saved.
inline constexpr const char *SavedMessage = "存檔完成!";

// The workbook beside the picture: the picture's extension replaced by ".xlsx"
// (/data/rev.2/A01.jpg gives /data/rev.2/A01.xlsx); a name without one gets it appended.
[[nodiscard]] QString spreadsheetPathFor(const QString &picturePath);

// R0, the row of the scale and unit below a picture view pictureViewHeight pixels high: a picture
// 480 pixels high takes 22 rows from row 4 (480 gives 27, 960 gives 49).
[[nodiscard]] int scaleRow(int pictureViewHeight);

// The 23 column titles of the measurement rows.
[[nodiscard]] QStringList spreadsheetColumnTitles();

// Fills a copy of the template with input and saves it under outputPath. The file is written
// beside its place and renamed over it, so a failure leaves any earlier file whole. Numbers become
// number cells and texts text cells (a note starting with "=" stays a text). Returns an error text;
// empty on success.
[[nodiscard]] QString writeSpreadsheet(const QString &templatePath, const QString &outputPath,
                                       const SpreadsheetInput &input);

// The whole export: finds the template in programFolder (converting a legacy one with
// officeProgram), fills it and saves it beside the picture. error is the operator's message
// ("範本檔案不存在!! (…)" when there is no template); path is the saved workbook.
struct SpreadsheetResult {
    QString path;
    QString error;
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};
[[nodiscard]] SpreadsheetResult exportSpreadsheet(const QString &programFolder, const QString &officeProgram,
                                                  const SpreadsheetInput &input);
