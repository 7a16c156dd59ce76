#include "fuzz/workbookparts.h"

#include <array>

#include "output/ziparchive.h"

namespace {

constexpr std::array<const char *, 8> PartNames{
    "[Content_Types].xml",
    "_rels/.rels",
    "xl/workbook.xml",
    "xl/_rels/workbook.xml.rels",
    "xl/worksheets/sheet1.xml",
    "xl/styles.xml",
    "xl/worksheets/_rels/sheet1.xml.rels",
    "xl/drawings/drawing1.xml",
};

}  // namespace

QByteArray workbookFromParts(QByteArrayView input)
{
    ZipArchive archive;
    qsizetype start = 0;
    for (const char *name : PartNames) {
        if (start > input.size())
            break;
        qsizetype end = input.indexOf('\0', start);
        if (end < 0)
            end = input.size();
        if (end > start)
            archive.put(QString::fromLatin1(name), input.sliced(start, end - start).toByteArray());
        start = end + 1;
    }
    QString error;
    return archive.write(&error);
}

QByteArray partsOfWorkbook(const QByteArray &package)
{
    QString error;
    const ZipArchive archive = ZipArchive::read(package, &error);
    if (!error.isEmpty())
        return {};
    QByteArray joined;
    qsizetype lastPresent = 0;
    for (std::size_t i = 0; i < PartNames.size(); ++i) {
        if (i > 0)
            joined += '\0';
        if (const ZipArchive::Part *part = archive.find(QString::fromLatin1(PartNames[i]))) {
            joined += part->data;
            lastPresent = joined.size();
        }
    }
    joined.truncate(lastPresent);
    return joined;
}
