#pragma once

#include <map>
#include <utility>

#include <QList>
#include <QString>
#include <QStringList>

// LibreOffice run headless as an independent reader of the workbooks we write: it converts them to
// flat OpenDocument spreadsheets, and OfficeSheet reads back what it understood.

// Converts every file into outDir as format ("fods", "xls", …) in one LibreOffice run with a
// private profile, so tests running side by side never share one. Empty on success, else why not.
[[nodiscard]] QString convertWithOffice(const QStringList &files, const QString &format, const QString &outDir);

struct OfficeCell {
    QString type;        // office:value-type: "float", "string", … ; empty for an empty cell
    QString text;        // the shown text, paragraphs joined by "\n"
    QString value;       // office:value of a number, as written
    QString background;  // "#rrggbb" of the cell's style; empty when it has none
};

struct OfficeImage {
    int row = 0;  // the cell the picture is anchored to, from 1; 0 when anchored to the page
    int column = 0;
    QString width;  // svg:width and svg:height as written ("6.773in", "16.93cm")
    QString height;
};

class OfficeSheet {
public:
    // Reads the first table of a flat OpenDocument spreadsheet; error is set when it cannot.
    [[nodiscard]] static OfficeSheet load(const QString &fodsPath, QString *error);

    [[nodiscard]] OfficeCell cell(int row, int column) const;
    [[nodiscard]] const QList<OfficeImage> &images() const { return m_images; }

private:
    std::map<std::pair<int, int>, OfficeCell> m_cells;
    QList<OfficeImage> m_images;
};
