#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include "base/safefile.h"
#include "output/exportdata.h"

class QPagedPaintDevice;

// What the inspection report ("檢測報表") shows, gathered by the window that prints it.
struct ReportData {
    QString title;      // the print title (edPrintTitle)
    QString operNo;     // 工單號碼 (edWorkSheetID)
    QString operName;   // 工單名稱 (edWorkSheetName)
    QString staffId;    // 員工代號 (edStaffID)
    QString staffName;  // 員工姓名 (edStaffName)
    QString dateText;   // the date and time of printing, as the window words it
    QImage picture;     // the report picture (renderReportPicture), at its own size
    QList<ExportRow> rows;  // the measurement list, in list order
    int labelMode = 0;      // in mode 5 ("只顯示說明") the 距離/半徑 column shows the note
};

// The picture's size on the page, in layout pixels (96 per inch): a width over 700 is brought to
// 700 and the height scaled with it, then a height over 700 likewise (1400 x 700 gives 700 x 350,
// 800 x 1600 gives 350 x 700).
[[nodiscard]] QSize fitReportPicture(QSize picture);

struct [[nodiscard]] ReportResult {
    int pages = 0;
    QString error;  // empty on success
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// Lays the report out on the device (a printer or a PDF writer), A4 portrait with 10 mm margins:
// the title band once; on every page the column-header band with the picture and the twelve
// headings; a detail line per row; the summary "共(n)筆" at the end. Positions are layout pixels
// at 96 per inch whatever the device's resolution. The texts are set in TrueType faces that carry
// the Chinese characters, so a PDF's text can be searched and copied.
ReportResult renderReport(QPagedPaintDevice &device, const ReportData &data);

// The report as a PDF file at path, replacing an earlier file only once the new one is complete.
[[nodiscard]] FileWriteResult writeReportPdf(const QString &path, const ReportData &data);
