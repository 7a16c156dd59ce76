#pragma once

#include <map>
#include <utility>

#include <QByteArray>
#include <QSize>
#include <QString>

#include <pugixml.hpp>

#include "output/worksheet.h"
#include "output/xmlparts.h"
#include "output/ziparchive.h"

// A workbook package (.xlsx) opened for filling its first sheet: cell styles with a background,
// a picture placed at a cell, and formulas left to be computed again by whoever opens it.
class Workbook {
public:
    [[nodiscard]] bool open(const QByteArray &bytes, QString *error);

    [[nodiscard]] Worksheet &firstSheet() { return m_sheet; }

    // The index of a cell style like baseStyle with a solid background in colour (0x00BBGGRR);
    // made once per pair and shared by every cell that asks for it.
    [[nodiscard]] int filledStyle(int baseStyle, quint32 colour);

    // Adds an encoded picture ("jpeg" or "png" by extension) of that size in pixels with its top-left
    // corner at the top-left of cell (row, column), shown one sheet pixel per picture pixel.
    [[nodiscard]] bool addPicture(const QByteArray &data, const QString &extension, QSize pixels, int row, int column,
                                  QString *error);

    // The finished package: cached formula results dropped from every sheet and the calculation
    // chain removed, so the workbook is computed afresh when it is opened.
    [[nodiscard]] QByteArray save(QString *error);

private:
    [[nodiscard]] bool dropCachedResults(QString *error);

    ZipArchive m_archive;
    ContentTypes m_types;
    QString m_workbookPart;
    pugi::xml_document m_workbook;
    Relationships m_workbookRels;
    QString m_sheetPart;
    Worksheet m_sheet;
    Relationships m_sheetRels;
    QString m_stylesPart;
    pugi::xml_document m_styles;
    std::map<std::pair<int, quint32>, int> m_filledStyles;
};
