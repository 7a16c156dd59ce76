#include "output/worksheet.h"

#include <algorithm>

#include <QRegularExpression>

#include "output/xmlparts.h"

namespace {

// Elements a worksheet may hold after sheetData and after drawing, in schema order.
const std::vector<std::string_view> AfterSheetData{
    "sheetCalcPr", "sheetProtection", "protectedRanges", "scenarios", "autoFilter", "sortState",
    "dataConsolidate", "customSheetViews", "mergeCells", "phoneticPr", "conditionalFormatting",
    "dataValidations", "hyperlinks", "printOptions", "pageMargins", "pageSetup", "headerFooter",
    "rowBreaks", "colBreaks", "customProperties", "cellWatches", "ignoredErrors", "smartTags",
    "drawing", "legacyDrawing", "legacyDrawingHF", "drawingHF", "picture", "oleObjects", "controls",
    "webPublishItems", "tableParts", "extLst"};
const std::vector<std::string_view> AfterDrawing{
    "legacyDrawing", "legacyDrawingHF", "drawingHF", "picture", "oleObjects", "controls",
    "webPublishItems", "tableParts", "extLst"};

// The last cell of a sheet is XFD1048576; a template with anything beyond it is damaged.
constexpr int MaxRow = 1'048'576;
constexpr int MaxColumn = 16'384;

// Column number of an "AB12"-style reference (0 when it has no letters), and its row. Numbers
// beyond the sheet's last row or column stop growing one past it, so no text makes them overflow.
std::pair<int, int> parseReference(std::string_view reference)
{
    int column = 0;
    size_t i = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i)
        column = std::min(column * 26 + (reference[i] - 'A' + 1), MaxColumn + 1);
    int row = 0;
    for (; i < reference.size() && reference[i] >= '0' && reference[i] <= '9'; ++i)
        row = std::min(row * 10 + (reference[i] - '0'), MaxRow + 1);
    return {row, column};
}

int cellColumn(const pugi::xml_node &cell)
{
    return parseReference(cell.attribute("r").value()).second;
}

// Characters XML cannot carry, a carriage return (which readers turn into a line feed) and text that
// reads like such an escape are written as _xHHHH_, the workbook's own escape.
QString escapeCellText(const QString &text)
{
    static const QRegularExpression escapeLike(QStringLiteral("_(x[0-9A-Fa-f]{4}_)"));
    QString escaped = text;
    escaped.replace(escapeLike, QStringLiteral("_x005F_\\1"));
    QString result;
    result.reserve(escaped.size());
    for (QChar c : std::as_const(escaped)) {
        const ushort u = c.unicode();
        const bool invalid = (u < 0x20 && u != 0x09 && u != 0x0A) || u == 0xFFFE || u == 0xFFFF;
        if (invalid)
            result += QStringLiteral("_x%1_").arg(QString::number(u, 16).toUpper().rightJustified(4, u'0'));
        else
            result += c;
    }
    return result;
}

}  // namespace

QString cellReference(int row, int column)
{
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row);
}

bool Worksheet::load(const QByteArray &bytes, const QString &partName, QString *error)
{
    if (!parseXml(bytes, m_doc, partName, error))
        return false;
    pugi::xml_node root = m_doc.document_element();
    m_sheetData = firstChild(root, "sheetData");
    if (!m_sheetData)
        m_sheetData = insertInOrder(root, "sheetData", AfterSheetData);
    // Rows and cells may leave out their addresses and then follow on from the one before; every one
    // gets its address so that new cells can be put in their place.
    int lastRow = 0;
    for (pugi::xml_node row : m_sheetData.children()) {
        if (localName(row) != "row")
            continue;
        int r = row.attribute("r").as_int();
        if (r <= lastRow)
            r = lastRow + 1;
        if (r > MaxRow) {
            *error = QStringLiteral("%1: a row lies beyond row %2, the last of a sheet").arg(partName).arg(MaxRow);
            return false;
        }
        lastRow = r;
        (row.attribute("r") ? row.attribute("r") : row.append_attribute("r")) = r;
        int lastColumn = 0;
        for (pugi::xml_node cell : row.children()) {
            if (localName(cell) != "c")
                continue;
            int c = cellColumn(cell);
            if (c <= lastColumn)
                c = lastColumn + 1;
            if (c > MaxColumn) {
                *error = QStringLiteral("%1: a cell of row %2 lies beyond column XFD, the last of a sheet").arg(partName).arg(r);
                return false;
            }
            lastColumn = c;
            const QByteArray reference = cellReference(r, c).toLatin1();
            (cell.attribute("r") ? cell.attribute("r") : cell.append_attribute("r")) = reference.constData();
        }
        m_rows[r] = row;
    }
    return true;
}

pugi::xml_node Worksheet::rowNode(int row)
{
    const auto found = m_rows.lower_bound(row);
    if (found != m_rows.end() && found->first == row)
        return found->second;
    const std::string name = childName(m_sheetData, "row");
    pugi::xml_node node = found == m_rows.end() ? m_sheetData.append_child(name.c_str())
                                                : m_sheetData.insert_child_before(name.c_str(), found->second);
    node.append_attribute("r") = row;
    m_rows.emplace(row, node);
    return node;
}

int Worksheet::inheritedStyle(const pugi::xml_node &row, int column) const
{
    if (row.attribute("customFormat").as_bool())
        return row.attribute("s").as_int();
    for (pugi::xml_node col : firstChild(m_doc.document_element(), "cols").children())
        if (localName(col) == "col" && col.attribute("min").as_int() <= column && column <= col.attribute("max").as_int())
            return col.attribute("style").as_int();
    return 0;
}

pugi::xml_node Worksheet::cellNode(int row, int column)
{
    pugi::xml_node rowElement = rowNode(row);
    // A row's span hint would no longer cover its new cells.
    rowElement.remove_attribute("spans");
    pugi::xml_node next;
    for (pugi::xml_node cell : rowElement.children()) {
        if (localName(cell) != "c")
            continue;
        const int c = cellColumn(cell);
        if (c == column)
            return cell;
        if (c > column) {
            next = cell;
            break;
        }
    }
    const std::string name = childName(rowElement, "c");
    pugi::xml_node cell;
    if (next)
        cell = rowElement.insert_child_before(name.c_str(), next);
    else if (pugi::xml_node ext = firstChild(rowElement, "extLst"))
        cell = rowElement.insert_child_before(name.c_str(), ext);
    else
        cell = rowElement.append_child(name.c_str());
    cell.append_attribute("r") = cellReference(row, column).toLatin1().constData();
    if (const int s = inheritedStyle(rowElement, column))
        cell.append_attribute("s") = s;
    return cell;
}

void Worksheet::clearValue(pugi::xml_node cell)
{
    cell.remove_attribute("t");
    cell.remove_attribute("cm");
    cell.remove_attribute("vm");
    while (cell.first_child())
        cell.remove_child(cell.first_child());
}

void Worksheet::setNumber(int row, int column, const QString &number)
{
    pugi::xml_node cell = cellNode(row, column);
    clearValue(cell);
    cell.append_child(childName(cell, "v").c_str()).text() = number.toLatin1().constData();
}

void Worksheet::setText(int row, int column, const QString &text)
{
    pugi::xml_node cell = cellNode(row, column);
    clearValue(cell);
    if (text.isEmpty())
        return;
    cell.append_attribute("t") = "inlineStr";
    pugi::xml_node t = cell.append_child(childName(cell, "is").c_str()).append_child(childName(cell, "t").c_str());
    t.append_attribute("xml:space") = "preserve";
    t.text() = escapeCellText(text).toUtf8().constData();
}

int Worksheet::style(int row, int column)
{
    return cellNode(row, column).attribute("s").as_int();
}

void Worksheet::setStyle(int row, int column, int style)
{
    pugi::xml_node cell = cellNode(row, column);
    (cell.attribute("s") ? cell.attribute("s") : cell.append_attribute("s")) = style;
}

void Worksheet::dropFormulaValues()
{
    for (const auto &[r, row] : m_rows)
        for (pugi::xml_node cell : row.children()) {
            if (localName(cell) != "c" || !firstChild(cell, "f"))
                continue;
            cell.remove_attribute("t");
            while (pugi::xml_node v = firstChild(cell, "v"))
                cell.remove_child(v);
        }
}

QString Worksheet::drawingId() const
{
    const pugi::xml_node drawing = firstChild(m_doc.document_element(), "drawing");
    for (pugi::xml_attribute attribute : drawing.attributes())
        if (std::string_view(attribute.name()).ends_with(":id"))
            return QString::fromUtf8(attribute.value());
    return {};
}

void Worksheet::setDrawing(const QString &relationshipId)
{
    pugi::xml_node root = m_doc.document_element();
    const std::string r = namespacePrefix(root, ooxml::RelationshipsNs, "r");
    pugi::xml_node drawing = insertInOrder(root, "drawing", AfterDrawing);
    drawing.append_attribute((r + ":id").c_str()) = relationshipId.toUtf8().constData();
}

void Worksheet::updateDimension()
{
    pugi::xml_node dimension = firstChild(m_doc.document_element(), "dimension");
    if (!dimension)
        return;
    int firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
    for (const auto &[r, row] : m_rows)
        for (pugi::xml_node cell : row.children()) {
            if (localName(cell) != "c")
                continue;
            const int c = cellColumn(cell);
            firstRow = firstRow ? qMin(firstRow, r) : r;
            lastRow = qMax(lastRow, r);
            firstColumn = firstColumn ? qMin(firstColumn, c) : c;
            lastColumn = qMax(lastColumn, c);
        }
    const QString range = firstRow == 0 ? QStringLiteral("A1")
                          : firstRow == lastRow && firstColumn == lastColumn
                              ? cellReference(firstRow, firstColumn)
                              : cellReference(firstRow, firstColumn) + u':' + cellReference(lastRow, lastColumn);
    (dimension.attribute("ref") ? dimension.attribute("ref") : dimension.append_attribute("ref")) = range.toLatin1().constData();
}

QByteArray Worksheet::bytes()
{
    updateDimension();
    return xmlBytes(m_doc);
}
