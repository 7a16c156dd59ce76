#pragma once

#include <QString>

// The template every workbook is filled from lives in the program folder under this name.
inline constexpr const char *TemplateFileName = "Measure_Empty.xlsx";
// An older template in the binary format; it is converted once when LibreOffice is at hand.
inline constexpr const char *LegacyTemplateFileName = "Measure_Empty.xls";

// Writes the project's own template: one empty sheet whose rows are 22 pixels high, so a picture
// placed at A4 ends above the row the export puts below it. error is empty on success.
[[nodiscard]] QString writeDefaultTemplate(const QString &path);

// The template to fill: the .xlsx in programFolder, or the legacy .xls there converted once into
// it with officeProgram (LibreOffice's soffice). error carries the operator's message otherwise:
// "範本檔案不存在!! (<path>)", naming what is missing.
struct TemplateLookup {
    QString path;
    QString error;
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};
[[nodiscard]] TemplateLookup findTemplate(const QString &programFolder, const QString &officeProgram);

// LibreOffice's program as found on the search path; empty when it is not installed.
[[nodiscard]] QString findOfficeProgram();

// "範本檔案不存在!! (%s)" for that path.
[[nodiscard]] QString templateMissingMessage(const QString &path);
