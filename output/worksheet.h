#pragma once

#include <map>

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

// One worksheet part being filled: cells are written at their addresses with rows and cells kept
// in sheet order, as spreadsheet programs require. Rows and columns count from 1.
class Worksheet {
public:
    // Reads the part; a row or cell beyond XFD1048576, the last cell of a sheet, fails.
    [[nodiscard]] bool load(const QByteArray &bytes, const QString &partName, QString *error);

    // A number cell; number must be a plain decimal ("12", "-0.5", "1E20").
    void setNumber(int row, int column, const QString &number);
    // A text cell, kept as text whatever it holds (a leading "=" makes no formula); an empty text
    // leaves the cell without a value.
    void setText(int row, int column, const QString &text);
    // The style index of the cell (a new cell takes its row's or column's style, as typing would).
    [[nodiscard]] int style(int row, int column);
    void setStyle(int row, int column, int style);

    // Removes the cached results of formulas so that they are computed again on opening.
    void dropFormulaValues();

    // The relationship id of the sheet's drawing part; empty when it has none.
    [[nodiscard]] QString drawingId() const;
    void setDrawing(const QString &relationshipId);

    // The part with its used range brought up to date.
    [[nodiscard]] QByteArray bytes();

private:
    pugi::xml_node rowNode(int row);
    pugi::xml_node cellNode(int row, int column);
    [[nodiscard]] int inheritedStyle(const pugi::xml_node &row, int column) const;
    void clearValue(pugi::xml_node cell);
    void updateDimension();

    pugi::xml_document m_doc;
    pugi::xml_node m_sheetData;
    std::map<int, pugi::xml_node> m_rows;
};

// "A1"-style address of (row, column), both from 1.
[[nodiscard]] QString cellReference(int row, int column);
