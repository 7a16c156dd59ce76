#pragma once

#include <QList>
#include <QString>

struct ExportRow;
struct ExportTitle;

// One grid column as the layout in force shows it: the field it reads and its title.
struct GridColumn {
    QString field;
    QString title;
};

// The designed layouts of the work-order grid DBGrid2 and the measurement grid dbgRecDetail; a
// saved layout may reorder, drop or retitle them.
[[nodiscard]] QList<GridColumn> workOrderGridColumns();
[[nodiscard]] QList<GridColumn> measurementGridColumns();

// The CSV text of a work order: the work-order grid's titles and the title's values, then the
// measurement grid's titles and one line per row. Every field is followed by ","; lines end in
// CRLF, the last one too. A value holding a comma, a quote or a line break is quoted with its
// quotes doubled. error names a column whose field does not exist; text is then empty.
struct CsvBuffer {
    QString text;
    QString error;
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};
[[nodiscard]] CsvBuffer buildCsvBuffer(const QList<GridColumn> &titleColumns, const ExportTitle &title,
                                       const QList<GridColumn> &rowColumns, const QList<ExportRow> &rows);

// Writes text in Big5 (code page 950) to path, replacing any earlier file only once the new one is
// complete. unmappable counts the characters written as "?" because Big5 has no form for them.
struct CsvWriteResult {
    QString error;  // empty on success
    int unmappable = 0;
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};
[[nodiscard]] CsvWriteResult writeCsvFile(const QString &path, const QString &text);
