#include "tests/output/officereader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <pugixml.hpp>

QString convertWithOffice(const QStringList &files, const QString &format, const QString &outDir)
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        return QStringLiteral("LibreOffice (soffice) is not installed; scripts/setup.sh installs it");
    QTemporaryDir profile;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QStringList arguments{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                          QStringLiteral("--headless"), QStringLiteral("--convert-to"), format,
                          QStringLiteral("--outdir"), outDir};
    process.start(office, arguments + files);
    if (!process.waitForFinished(180'000))
        return QStringLiteral("soffice did not finish: ") + process.errorString();
    const QString output = QString::fromLocal8Bit(process.readAll());
    for (const QString &file : files) {
        const QString converted = QDir(outDir).filePath(QFileInfo(file).completeBaseName() + u'.' + format);
        if (!QFile::exists(converted))
            return QStringLiteral("soffice wrote no %1: %2").arg(converted, output);
    }
    return {};
}

namespace {

QString paragraphsText(const pugi::xml_node &cell)
{
    const pugi::xpath_query text("string(.)");
    QStringList texts;
    for (pugi::xml_node p : cell.children("text:p"))
        texts.append(QString::fromStdString(text.evaluate_string(p)));
    return texts.join(u'\n');
}

}  // namespace

OfficeSheet OfficeSheet::load(const QString &fodsPath, QString *error)
{
    OfficeSheet sheet;
    pugi::xml_document doc;
    QFile file(fodsPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return sheet;
    }
    const QByteArray bytes = file.readAll();
    if (!doc.load_buffer(bytes.constData(), size_t(bytes.size()))) {
        *error = QStringLiteral("not XML: ") + fodsPath;
        return sheet;
    }
    std::map<QString, QString> backgrounds;
    for (pugi::xpath_node style : doc.select_nodes("//style:style[style:table-cell-properties/@fo:background-color]")) {
        const QString colour = QString::fromUtf8(style.node().child("style:table-cell-properties").attribute("fo:background-color").value());
        if (colour != u"transparent")
            backgrounds[QString::fromUtf8(style.node().attribute("style:name").value())] = colour;
    }
    const pugi::xml_node table = doc.select_node("//table:table").node();
    if (!table) {
        *error = QStringLiteral("no table in ") + fodsPath;
        return sheet;
    }
    std::vector<QString> columnStyles;
    for (pugi::xml_node column : table.children("table:table-column"))
        for (int i = 0; i < column.attribute("table:number-columns-repeated").as_int(1) && columnStyles.size() < 1024; ++i)
            columnStyles.push_back(QString::fromUtf8(column.attribute("table:default-cell-style-name").value()));
    int row = 0;
    for (pugi::xpath_node rowPath : table.select_nodes(".//table:table-row")) {
        const pugi::xml_node rowNode = rowPath.node();
        const int repeatRows = rowNode.attribute("table:number-rows-repeated").as_int(1);
        int column = 0;
        for (pugi::xml_node cellNode : rowNode.children()) {
            const std::string_view name = cellNode.name();
            if (name != "table:table-cell" && name != "table:covered-table-cell")
                continue;
            const int repeatColumns = cellNode.attribute("table:number-columns-repeated").as_int(1);
            QString styleName = QString::fromUtf8(cellNode.attribute("table:style-name").value());
            if (styleName.isEmpty() && size_t(column) < columnStyles.size())
                styleName = columnStyles[size_t(column)];
            OfficeCell cell{QString::fromUtf8(cellNode.attribute("office:value-type").value()), paragraphsText(cellNode),
                            QString::fromUtf8(cellNode.attribute("office:value").value()),
                            backgrounds.count(styleName) ? backgrounds[styleName] : QString()};
            for (pugi::xml_node frame : cellNode.children("draw:frame"))
                sheet.m_images.append({row + 1, column + 1, QString::fromUtf8(frame.attribute("svg:width").value()),
                                       QString::fromUtf8(frame.attribute("svg:height").value())});
            // Equal neighbours are written once with a repeat count; the huge repeats only fill the
            // empty rest of the sheet.
            if (repeatRows <= 64 && repeatColumns <= 64 && (!cell.type.isEmpty() || !cell.background.isEmpty()))
                for (int r = 0; r < repeatRows; ++r)
                    for (int c = 0; c < repeatColumns; ++c)
                        sheet.m_cells[{row + r + 1, column + c + 1}] = cell;
            column += repeatColumns;
        }
        row += repeatRows;
    }
    for (pugi::xpath_node frame : table.select_nodes("table:shapes/draw:frame"))
        sheet.m_images.append({0, 0, QString::fromUtf8(frame.node().attribute("svg:width").value()),
                               QString::fromUtf8(frame.node().attribute("svg:height").value())});
    return sheet;
}

OfficeCell OfficeSheet::cell(int row, int column) const
{
    const auto found = m_cells.find({row, column});
    return found == m_cells.end() ? OfficeCell{} : found->second;
}
