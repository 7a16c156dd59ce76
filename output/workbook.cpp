#include "output/workbook.h"

namespace {

constexpr const char *DrawingType = "application/vnd.openxmlformats-officedocument.drawing+xml";
constexpr const char *SpreadsheetDrawingNs = "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";

// The value of an element's relationship id attribute ("r:id" under whatever prefix).
QString relationshipIdOf(const pugi::xml_node &node)
{
    for (pugi::xml_attribute attribute : node.attributes())
        if (std::string_view(attribute.name()).ends_with(":id"))
            return QString::fromUtf8(attribute.value());
    return {};
}

void setAttribute(pugi::xml_node node, const char *name, const char *value)
{
    (node.attribute(name) ? node.attribute(name) : node.append_attribute(name)) = value;
}

void setCount(pugi::xml_node list)
{
    int count = 0;
    for (pugi::xml_node child : list.children())
        count += child.type() == pugi::node_element ? 1 : 0;
    (list.attribute("count") ? list.attribute("count") : list.append_attribute("count")) = count;
}

int elementCount(const pugi::xml_node &list, std::string_view local)
{
    int count = 0;
    for (pugi::xml_node child : list.children())
        count += localName(child) == local ? 1 : 0;
    return count;
}

QByteArray anchorXml(const QString &imageId, int id, QSize pixels, int row, int column)
{
    // One sheet pixel is 9525 EMU at 96 dpi; a one-cell anchor keeps the picture's own size
    // whatever the heights of the rows it covers.
    const QByteArray cx = QByteArray::number(qint64(pixels.width()) * 9525);
    const QByteArray cy = QByteArray::number(qint64(pixels.height()) * 9525);
    return "<xdr:oneCellAnchor xmlns:xdr=\"" + QByteArray(SpreadsheetDrawingNs)
           + "\" xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" xmlns:r=\""
           + QByteArray(ooxml::RelationshipsNs) + "\">"
           + "<xdr:from><xdr:col>" + QByteArray::number(column - 1) + "</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>"
           + QByteArray::number(row - 1) + "</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from>"
           + "<xdr:ext cx=\"" + cx + "\" cy=\"" + cy + "\"/>"
           + "<xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"" + QByteArray::number(id) + "\" name=\"Picture "
           + QByteArray::number(id - 1) + "\"/><xdr:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></xdr:cNvPicPr></xdr:nvPicPr>"
           + "<xdr:blipFill><a:blip r:embed=\"" + imageId.toUtf8() + "\"/><a:stretch><a:fillRect/></a:stretch></xdr:blipFill>"
           + "<xdr:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"" + cx + "\" cy=\"" + cy + "\"/></a:xfrm>"
           + "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></xdr:spPr></xdr:pic><xdr:clientData/></xdr:oneCellAnchor>";
}

}  // namespace

bool Workbook::open(const QByteArray &bytes, QString *error)
{
    error->clear();
    m_archive = ZipArchive::read(bytes, error);
    if (!error->isEmpty() || !m_types.load(m_archive, error))
        return false;
    Relationships packageRels;
    if (!packageRels.load(m_archive, QString(), error))
        return false;
    m_workbookPart = packageRels.targetOfType(ooxml::OfficeDocumentRel);
    const ZipArchive::Part *workbook = m_archive.find(m_workbookPart);
    if (!workbook) {
        *error = QStringLiteral("the package has no workbook part");
        return false;
    }
    if (!parseXml(workbook->data, m_workbook, m_workbookPart, error) || !m_workbookRels.load(m_archive, m_workbookPart, error))
        return false;

    // Sheet 1 is the first sheet in the workbook's own order, whatever its part is called.
    const pugi::xml_node firstSheet = firstChild(firstChild(m_workbook.document_element(), "sheets"), "sheet");
    m_sheetPart = m_workbookRels.targetOfId(relationshipIdOf(firstSheet));
    const ZipArchive::Part *sheet = m_archive.find(m_sheetPart);
    if (!sheet) {
        *error = QStringLiteral("the workbook has no first sheet");
        return false;
    }
    if (!m_sheet.load(sheet->data, m_sheetPart, error) || !m_sheetRels.load(m_archive, m_sheetPart, error))
        return false;

    m_stylesPart = m_workbookRels.targetOfType(ooxml::StylesRel);
    const ZipArchive::Part *styles = m_archive.find(m_stylesPart);
    if (!styles) {
        *error = QStringLiteral("the workbook has no styles part");
        return false;
    }
    return parseXml(styles->data, m_styles, m_stylesPart, error);
}

int Workbook::filledStyle(int baseStyle, quint32 colour)
{
    const auto key = std::make_pair(baseStyle, colour);
    if (const auto found = m_filledStyles.find(key); found != m_filledStyles.end())
        return found->second;

    pugi::xml_node sheet = m_styles.document_element();
    pugi::xml_node fills = firstChild(sheet, "fills");
    if (!fills)
        fills = insertInOrder(sheet, "fills", {"borders", "cellStyleXfs", "cellXfs", "cellStyles", "dxfs", "tableStyles", "colors", "extLst"});
    const int fillId = elementCount(fills, "fill");
    // Spreadsheet colours are written red, green, blue; ours hold red in the low byte.
    const QByteArray argb = "FF" + QByteArray::number((colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF), 16).toUpper().rightJustified(6, '0');
    pugi::xml_node pattern = fills.append_child(childName(fills, "fill").c_str()).append_child(childName(fills, "patternFill").c_str());
    pattern.append_attribute("patternType") = "solid";
    pattern.append_child(childName(fills, "fgColor").c_str()).append_attribute("rgb") = argb.constData();
    pattern.append_child(childName(fills, "bgColor").c_str()).append_attribute("indexed") = 64;
    setCount(fills);

    pugi::xml_node xfs = firstChild(sheet, "cellXfs");
    if (!xfs)
        xfs = insertInOrder(sheet, "cellXfs", {"cellStyles", "dxfs", "tableStyles", "colors", "extLst"});
    pugi::xml_node base;
    int index = 0;
    for (pugi::xml_node xf : xfs.children())
        if (localName(xf) == "xf" && index++ == baseStyle)
            base = xf;
    pugi::xml_node clone = base ? xfs.append_copy(base) : xfs.append_child(childName(xfs, "xf").c_str());
    if (!base)
        for (const char *name : {"numFmtId", "fontId", "borderId", "xfId"})
            clone.append_attribute(name) = 0;
    setAttribute(clone, "fillId", QByteArray::number(fillId).constData());
    setAttribute(clone, "applyFill", "1");
    setCount(xfs);
    const int style = elementCount(xfs, "xf") - 1;
    m_filledStyles.emplace(key, style);
    return style;
}

bool Workbook::addPicture(const QByteArray &data, const QString &extension, QSize pixels, int row, int column, QString *error)
{
    const QString media = freePartName(m_archive, QStringLiteral("xl/media/image"), u'.' + extension);
    m_archive.put(media, data, true);
    m_types.ensureDefault(extension, extension == u"png" ? "image/png" : "image/jpeg");

    // A sheet that has drawings already gets the picture in the same drawing part.
    QString drawingPart = m_sheetRels.targetOfId(m_sheet.drawingId());
    pugi::xml_document drawing;
    if (drawingPart.isEmpty() || !m_archive.contains(drawingPart)) {
        drawingPart = freePartName(m_archive, QStringLiteral("xl/drawings/drawing"), QStringLiteral(".xml"));
        drawing.append_child("xdr:wsDr").append_attribute("xmlns:xdr") = SpreadsheetDrawingNs;
        m_sheet.setDrawing(m_sheetRels.add(ooxml::DrawingRel, drawingPart));
        m_types.setOverride(drawingPart, DrawingType);
    } else if (!parseXml(m_archive.find(drawingPart)->data, drawing, drawingPart, error)) {
        return false;
    }
    Relationships drawingRels;
    if (!drawingRels.load(m_archive, drawingPart, error))
        return false;
    const QString imageId = drawingRels.add(ooxml::ImageRel, media);

    int lastId = 1;
    for (pugi::xpath_node shape : drawing.select_nodes("//*[local-name()='cNvPr']"))
        lastId = qMax(lastId, shape.node().attribute("id").as_int());
    pugi::xml_document anchor;
    const QByteArray xml = anchorXml(imageId, lastId + 1, pixels, row, column);
    if (!anchor.load_buffer(xml.constData(), size_t(xml.size()))) {
        *error = QStringLiteral("the picture anchor could not be built");
        return false;
    }
    drawing.document_element().append_copy(anchor.document_element());
    m_archive.put(drawingPart, xmlBytes(drawing));
    drawingRels.store(m_archive);
    return true;
}

bool Workbook::dropCachedResults(QString *error)
{
    m_sheet.dropFormulaValues();
    for (pugi::xml_node sheet : firstChild(m_workbook.document_element(), "sheets").children()) {
        const QString part = m_workbookRels.targetOfId(relationshipIdOf(sheet));
        ZipArchive::Part *stored = part.compare(m_sheetPart, Qt::CaseInsensitive) == 0 ? nullptr : m_archive.find(part);
        if (!stored)
            continue;
        Worksheet other;
        if (!other.load(stored->data, part, error))
            return false;
        other.dropFormulaValues();
        stored->data = other.bytes();
    }
    // The chain lists formula cells that may now hold plain values; spreadsheet programs rebuild it.
    const QString chain = m_workbookRels.targetOfType(ooxml::CalcChainRel);
    if (!chain.isEmpty()) {
        m_archive.remove(chain);
        m_types.removeOverride(chain);
        m_workbookRels.removeType(ooxml::CalcChainRel);
    }
    pugi::xml_node root = m_workbook.document_element();
    pugi::xml_node calcPr = firstChild(root, "calcPr");
    if (!calcPr)
        calcPr = insertInOrder(root, "calcPr", {"oleSize", "customWorkbookViews", "pivotCaches", "smartTagPr", "smartTagTypes",
                                                "webPublishing", "fileRecoveryPr", "webPublishObjects", "extLst"});
    setAttribute(calcPr, "fullCalcOnLoad", "1");
    return true;
}

QByteArray Workbook::save(QString *error)
{
    if (!dropCachedResults(error))
        return {};
    m_archive.put(m_sheetPart, m_sheet.bytes());
    m_sheetRels.store(m_archive);
    m_archive.put(m_stylesPart, xmlBytes(m_styles));
    m_archive.put(m_workbookPart, xmlBytes(m_workbook));
    m_workbookRels.store(m_archive);
    m_types.store(m_archive);
    return m_archive.write(error);
}
