#include "output/spreadsheettemplate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "base/safefile.h"
#include "output/ziparchive.h"

namespace {

constexpr int ConversionTimeoutMs = 120'000;

const char *const ContentTypesXml =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
    R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
    R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
    R"(</Types>)";

const char *const PackageRelsXml =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
    R"(</Relationships>)";

const char *const WorkbookXml =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<bookViews><workbookView/></bookViews>)"
    R"(<sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets>)"
    R"(<calcPr calcId="0"/>)"
    R"(</workbook>)";

const char *const WorkbookRelsXml =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
    R"(</Relationships>)";

// A Traditional Chinese default face of 12 points, as the workbooks of the station always had.
const char *const StylesXml =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<fonts count="1"><font><sz val="12"/><name val="新細明體"/><family val="1"/><charset val="136"/></font></fonts>)"
    R"(<fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills>)"
    R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
    R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
    R"(<cellXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs>)"
    R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
    R"(</styleSheet>)";

// Rows of 16.5 points are 22 pixels: a picture 480 pixels high covers 22 of them.
const char *const SheetXml =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<dimension ref="A1"/>)"
    R"(<sheetViews><sheetView workbookViewId="0"/></sheetViews>)"
    R"(<sheetFormatPr defaultRowHeight="16.5" customHeight="1"/>)"
    R"(<sheetData/>)"
    R"(<pageMargins left="0.75" right="0.75" top="1" bottom="1" header="0.5" footer="0.5"/>)"
    R"(</worksheet>)";

QString writeBytes(const QString &path, const QByteArray &bytes)
{
    // Not QSaveFile alone: it loses a write error that only shows when its buffer is flushed.
    return writeFileSafely(path, bytes).error;
}

// Converts the legacy template with LibreOffice into a scratch folder and moves the result into
// place, so an interrupted conversion never leaves a broken template behind.
QString convertLegacy(const QString &legacy, const QString &target, const QString &officeProgram)
{
    QTemporaryDir scratch(QFileInfo(target).absolutePath() + QStringLiteral("/.convert-XXXXXX"));
    if (!scratch.isValid())
        return QStringLiteral("%1: %2").arg(QFileInfo(target).absolutePath(), scratch.errorString());
    QProcess office;
    // A private profile keeps the conversion apart from a LibreOffice the operator has open.
    office.start(officeProgram, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(scratch.filePath(QStringLiteral("profile"))).toString(),
                                 QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("xlsx"),
                                 QStringLiteral("--outdir"), scratch.path(), legacy});
    if (!office.waitForStarted())
        return QStringLiteral("%1: %2").arg(officeProgram, office.errorString());
    if (!office.waitForFinished(ConversionTimeoutMs)) {
        office.kill();
        office.waitForFinished();
        return QStringLiteral("%1 did not finish converting %2").arg(officeProgram, QDir::toNativeSeparators(legacy));
    }
    const QString converted = scratch.filePath(QFileInfo(legacy).completeBaseName() + QStringLiteral(".xlsx"));
    if (!QFileInfo::exists(converted))
        return QStringLiteral("%1 could not convert %2: %3").arg(officeProgram, QDir::toNativeSeparators(legacy),
                                                                  QString::fromLocal8Bit(office.readAllStandardError()).trimmed());
    QFile file(converted);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: %2").arg(converted, file.errorString());
    return writeBytes(target, file.readAll());
}

}  // namespace

QString templateMissingMessage(const QString &path)
{
    return QStringLiteral("範本檔案不存在!! (%1)").arg(QDir::toNativeSeparators(path));
}

QString findOfficeProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

QString writeDefaultTemplate(const QString &path)
{
    ZipArchive archive;
    archive.put(QStringLiteral("[Content_Types].xml"), ContentTypesXml);
    archive.put(QStringLiteral("_rels/.rels"), PackageRelsXml);
    archive.put(QStringLiteral("xl/workbook.xml"), WorkbookXml);
    archive.put(QStringLiteral("xl/_rels/workbook.xml.rels"), WorkbookRelsXml);
    archive.put(QStringLiteral("xl/styles.xml"), QByteArray(StylesXml));
    archive.put(QStringLiteral("xl/worksheets/sheet1.xml"), SheetXml);
    QString error;
    const QByteArray bytes = archive.write(&error);
    return bytes.isEmpty() ? error : writeBytes(path, bytes);
}

TemplateLookup findTemplate(const QString &programFolder, const QString &officeProgram)
{
    const QDir folder(programFolder);
    const QString path = folder.absoluteFilePath(QString::fromLatin1(TemplateFileName));
    if (QFileInfo::exists(path))
        return {path, {}};
    const QString legacy = folder.absoluteFilePath(QString::fromLatin1(LegacyTemplateFileName));
    if (!QFileInfo::exists(legacy))
        return {{}, templateMissingMessage(path)};
    if (officeProgram.isEmpty() || !QFileInfo(officeProgram).isExecutable())
        return {{}, templateMissingMessage(path) + QStringLiteral("\n轉換 %1 需要 LibreOffice (soffice)").arg(QDir::toNativeSeparators(legacy))};
    if (const QString error = convertLegacy(legacy, path, officeProgram); !error.isEmpty())
        return {{}, templateMissingMessage(path) + u'\n' + error};
    return {path, {}};
}
