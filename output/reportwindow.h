#pragma once

#include <QWidget>

#include "output/reportlayout.h"

class Dialogs;
class QPrinter;

// The report form "檢測報表" (frmReport): made on first use as a child of the main window, found
// again by its name and kept until the program ends. It holds the report of the last run, which
// it previews, prints or writes as a PDF; it is never shown itself.
class TfrmReport : public QWidget {
    Q_OBJECT
public:
    explicit TfrmReport(QWidget *owner);

    // The form of owner, made when it has none yet.
    [[nodiscard]] static TfrmReport &of(QWidget *owner);

    void setReport(ReportData report) { m_report = std::move(report); }
    [[nodiscard]] const ReportData &report() const { return m_report; }

    // The report on printer; throws ProgramError when the printer does not take it.
    void print(QPrinter &printer) const;
    // The preview of the report, from which the operator may print it on printer.
    void preview(Dialogs &dialogs, QPrinter &printer) const;
    // The report as a PDF file; throws ProgramError when the file cannot be written (an earlier
    // file of that name is then as it was).
    void writePdf(const QString &path) const;

private:
    ReportData m_report;
};
