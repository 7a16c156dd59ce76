#include "output/spreadsheetexport.h"

#include <cmath>
#include <optional>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>

#include "base/numberformat.h"
#include "base/safefile.h"
#include "output/exportfields.h"
#include "output/spreadsheettemplate.h"
#include "output/workbook.h"

namespace {

constexpr int PictureRow = 4;  // A4
constexpr int PictureColumn = 1;
constexpr int HardnessLabelColumn = 12;
constexpr int HardnessValueColumn = 18;

struct Picture {
    QByteArray data;
    QString extension;
    QSize size;
};

// JPEG and PNG files go in as they are; any other picture is stored losslessly as PNG.
std::optional<Picture> embeddablePicture(const SpreadsheetInput &input, QString *error)
{
    QImage image = input.picture;
    if (image.isNull()) {
        QImageReader reader(input.picturePath);
        const QByteArray format = reader.format();
        const QSize size = reader.size();
        if ((format == "jpeg" || format == "png") && size.isValid()) {
            QFile file(input.picturePath);
            if (file.open(QIODevice::ReadOnly))
                return Picture{file.readAll(), QString::fromLatin1(format), size};
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(input.picturePath), file.errorString());
            return std::nullopt;
        }
        if (!reader.read(&image)) {
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(input.picturePath), reader.errorString());
            return std::nullopt;
        }
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        *error = writer.errorString();
        return std::nullopt;
    }
    return Picture{buffer.data(), QStringLiteral("png"), image.size()};
}

// A text the spreadsheet can take as a number as it stands.
bool isPlainNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    return number.match(text).hasMatch();
}

// A field's text as a number cell when it reads as one (the hardness fields), otherwise as text.
void setFieldText(Worksheet &sheet, int row, int column, const QString &text)
{
    if (isPlainNumber(text.trimmed()))
        sheet.setNumber(row, column, text.trimmed());
    else
        sheet.setText(row, column, text);
}

// A number in the list's form for its column: a float with "0.000", an integer in decimal.
void setFloat(Worksheet &sheet, int row, int column, double value)
{
    setFieldText(sheet, row, column, formatFloat(QStringLiteral("0.000"), value));
}

void writeMeasurementRow(Worksheet &sheet, int row, const ExportRow &r)
{
    sheet.setText(row, 1, r.OperNo);
    sheet.setNumber(row, 2, QString::number(r.rIndex));
    sheet.setText(row, 3, r.RecID);
    sheet.setText(row, 4, r.RecName);
    sheet.setNumber(row, 5, QString::number(r.OBJIndex));
    sheet.setText(row, 6, r.MeasureName);
    sheet.setText(row, 7, r.Attrib);
    // The stored points in length units go under the titles x1…y4.
    for (int i = 0; i < 4; ++i) {
        setFloat(sheet, row, 8 + 2 * i, listRounded(r.x[size_t(4 + i)]));
        setFloat(sheet, row, 9 + 2 * i, listRounded(r.y[size_t(4 + i)]));
    }
    for (int i = 0; i < 3; ++i)
        setFloat(sheet, row, 16 + i, r.Val[size_t(3 + i)]);
    sheet.setNumber(row, 19, QString::number(r.LabelX));
    sheet.setNumber(row, 20, QString::number(r.LabelY));
    sheet.setNumber(row, 21, QString::number(r.LabelSize));
    sheet.setNumber(row, 22, QString::number(r.Color));
    sheet.setText(row, 23, r.OBJNote);
}

void writeHardness(Worksheet &sheet, const HardnessTexts &hardness)
{
    const std::pair<const char *, const QString *> cells[] = {
        {"勃氏硬度(HB)", &hardness.Hb}, {"硬度HR", &hardness.HR}, {"直徑1", &hardness.VideoLineW},
        {"直徑2", &hardness.VideoLineH}, {"壓痕直徑", &hardness.dd},
    };
    int row = 4;
    for (const auto &[label, value] : cells) {
        sheet.setText(row, HardnessLabelColumn, QString::fromUtf8(label));
        setFieldText(sheet, row, HardnessValueColumn, *value);
        row += 2;
    }
}

}  // namespace

QString spreadsheetPathFor(const QString &picturePath)
{
    // Only the file name's last suffix goes: a dot in a folder name stays part of the folder.
    const qsizetype slash = picturePath.lastIndexOf(u'/');
    QString name = picturePath.mid(slash + 1);
    if (const qsizetype dot = name.lastIndexOf(u'.'); dot > 0)
        name.truncate(dot);
    return picturePath.left(slash + 1) + name + QStringLiteral(".xlsx");
}

int scaleRow(int pictureViewHeight)
{
    return int(std::floor(pictureViewHeight * 22.0 / 480.0 + 0.5)) + 5;
}

QStringList spreadsheetColumnTitles()
{
    return {
        QStringLiteral("工單號碼"), QStringLiteral("量測順序"), QStringLiteral("零件代號"), QStringLiteral("零件名稱"),
        QStringLiteral("量測序號"), QStringLiteral("量測代號"), QStringLiteral("量測名稱"), QStringLiteral("x1"),
        QStringLiteral("y1"),       QStringLiteral("x2"),       QStringLiteral("y2"),       QStringLiteral("x3"),
        QStringLiteral("y3"),       QStringLiteral("x4"),       QStringLiteral("y4"),       QStringLiteral("距離/半徑"),
        QStringLiteral("圓心X"),    QStringLiteral("圓心Y"),    QStringLiteral("LabelX"),   QStringLiteral("LabelY"),
        QStringLiteral("LabelSize"), QStringLiteral("Color"),   QStringLiteral("說明"),
    };
}

QString writeSpreadsheet(const QString &templatePath, const QString &outputPath, const SpreadsheetInput &input)
{
    QFile templateFile(templatePath);
    if (!templateFile.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(templatePath), templateFile.errorString());
    Workbook workbook;
    QString error;
    if (!workbook.open(templateFile.readAll(), &error))
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(templatePath), error);
    Worksheet &sheet = workbook.firstSheet();

    const ExportTitle &t = input.title;
    sheet.setNumber(2, 1, QString::number(t.mIndex));
    const QString titleTexts[] = {t.OperNo, t.OperName, t.OperatorID, t.OperatorName, t.PicFullName};
    for (int i = 0; i < 5; ++i)
        sheet.setText(2, 2 + i, titleTexts[i]);

    const std::optional<Picture> picture = embeddablePicture(input, &error);
    if (!picture || !workbook.addPicture(picture->data, picture->extension, picture->size, PictureRow, PictureColumn, &error))
        return error;

    const int r0 = scaleRow(input.pictureViewHeight);
    sheet.setText(r0, 1, QStringLiteral("倍率:"));
    sheet.setText(r0, 2, input.scaleSetText);
    sheet.setText(r0, 3, QStringLiteral("單位:"));
    sheet.setText(r0, 4, input.unitSetText);
    const QStringList titles = spreadsheetColumnTitles();
    for (int c = 1; c <= titles.size(); ++c) {
        sheet.setText(r0 + 1, c, titles[c - 1]);
        sheet.setStyle(r0 + 1, c, workbook.filledStyle(sheet.style(r0 + 1, c), HeadingColour));
    }
    for (qsizetype i = 0; i < input.rows.size(); ++i)
        writeMeasurementRow(sheet, r0 + 2 + int(i), input.rows[i]);
    writeHardness(sheet, input.hardness);

    const QByteArray bytes = workbook.save(&error);
    if (bytes.isEmpty())
        return error;
    // A template can be odd enough that the filled copy no longer reads as a workbook; refusing it
    // here is better than handing the operator a file no spreadsheet program opens.
    if (Workbook written; !written.open(bytes, &error))
        return QStringLiteral("%1: 依此範本寫出的活頁簿無法開啟 (%2)").arg(QDir::toNativeSeparators(templatePath), error);
    // QSaveFile alone loses a write error that only shows when its buffer is flushed (a full disk)
    // and then renames a short file over the earlier workbook; the safe writer checks every step.
    return writeFileSafely(outputPath, bytes).error;
}

SpreadsheetResult exportSpreadsheet(const QString &programFolder, const QString &officeProgram, const SpreadsheetInput &input)
{
    const TemplateLookup found = findTemplate(programFolder, officeProgram);
    if (!found.ok())
        return {{}, found.error};
    const QString path = spreadsheetPathFor(input.picturePath);
    return {path, writeSpreadsheet(found.path, path, input)};
}
