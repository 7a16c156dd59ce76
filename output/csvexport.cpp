#include "output/csvexport.h"


#include "base/encoding.h"
#include "base/safefile.h"
#include "output/exportdata.h"
#include "output/exportfields.h"

QList<GridColumn> workOrderGridColumns()
{
    return {
        {QStringLiteral("mIndex"), QStringLiteral("序號")},
        {QStringLiteral("OperNo"), QStringLiteral("工單號碼")},
        {QStringLiteral("OperName"), QStringLiteral("工作名稱")},
        {QStringLiteral("OperatorID"), QStringLiteral("員工編號")},
        {QStringLiteral("OperatorName"), QStringLiteral("姓名")},
        {QStringLiteral("PicFullName"), QStringLiteral("檔案名稱")},
        {QStringLiteral("ScaleName"), QStringLiteral("倍率組名稱")},
        {QStringLiteral("ScaleX"), QStringLiteral("X軸比例")},
        {QStringLiteral("ScaleY"), QStringLiteral("Y軸比例")},
        {QStringLiteral("UnitName"), QStringLiteral("單位")},
    };
}

QList<GridColumn> measurementGridColumns()
{
    QList<GridColumn> columns{
        {QStringLiteral("OperNo"), QStringLiteral("工單號碼")},
        {QStringLiteral("OBJIndex"), QStringLiteral("量測序號")},
        {QStringLiteral("xAttribID"), QStringLiteral("量測名稱代號")},
        {QStringLiteral("MeasureName"), QStringLiteral("量測名稱")},
        {QStringLiteral("xVal1"), QStringLiteral("距離/半徑")},
        {QStringLiteral("xVal2"), QStringLiteral("圓心X")},
        {QStringLiteral("xVal3"), QStringLiteral("圓心Y")},
    };
    // Coordinate columns have no title of their own and show their field names.
    const auto points = [&columns](int first) {
        for (int i = first; i < first + 4; ++i) {
            columns.append({QStringLiteral("x%1").arg(i), QStringLiteral("x%1").arg(i)});
            columns.append({QStringLiteral("y%1").arg(i), QStringLiteral("y%1").arg(i)});
        }
    };
    points(5);
    columns.append({
        {QStringLiteral("RecID"), QStringLiteral("零件代號")},
        {QStringLiteral("RecName"), QStringLiteral("零件名稱")},
        {QStringLiteral("LabelX"), QStringLiteral("X座標")},
        {QStringLiteral("LabelY"), QStringLiteral("Y座標")},
        {QStringLiteral("LabelSize"), QStringLiteral("字型大小")},
        {QStringLiteral("Color"), QStringLiteral("顏色")},
        {QStringLiteral("rIndex"), QStringLiteral("量測順序")},
        {QStringLiteral("AttribID"), QStringLiteral("量測代號")},
        {QStringLiteral("OBJNote"), QStringLiteral("說明")},
    });
    points(1);
    return columns;
}

namespace {

// Unquoted, a note's comma would shift every later column of its line; such values are quoted
// the usual CSV way and every other value stays exactly as it is.
QString csvField(const QString &value)
{
    if (!value.contains(u',') && !value.contains(u'"') && !value.contains(u'\n') && !value.contains(u'\r'))
        return value;
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

void appendTitles(QString &text, const QList<GridColumn> &columns)
{
    for (const GridColumn &column : columns)
        text += csvField(column.title) + u',';
    text += QStringLiteral("\r\n");
}

// Appends one line of the record's fields; false with error set when a field does not exist.
template <typename Record>
bool appendValues(QString &text, QString &error, const QList<GridColumn> &columns, const Record &record)
{
    for (const GridColumn &column : columns) {
        const std::optional<QString> value = fieldText(record, column.field);
        if (!value) {
            error = fieldNotFoundMessage(column.field);
            return false;
        }
        text += csvField(*value) + u',';
    }
    text += QStringLiteral("\r\n");
    return true;
}

}  // namespace

CsvBuffer buildCsvBuffer(const QList<GridColumn> &titleColumns, const ExportTitle &title,
                         const QList<GridColumn> &rowColumns, const QList<ExportRow> &rows)
{
    CsvBuffer buffer;
    appendTitles(buffer.text, titleColumns);
    bool ok = appendValues(buffer.text, buffer.error, titleColumns, title);
    appendTitles(buffer.text, rowColumns);
    for (qsizetype i = 0; ok && i < rows.size(); ++i)
        ok = appendValues(buffer.text, buffer.error, rowColumns, rows[i]);
    // A grid naming an unknown field stops the export before anything is saved.
    if (!ok)
        buffer.text.clear();
    return buffer;
}

CsvWriteResult writeCsvFile(const QString &path, const QString &text)
{
    CsvWriteResult result;
    const QByteArray bytes = toBig5(text, &result.unmappable);
    // The safe writer syncs the file before the rename and names the file in its error.
    result.error = writeFileSafely(path, bytes).error;
    return result;
}
