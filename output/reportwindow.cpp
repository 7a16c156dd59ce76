#include "output/reportwindow.h"

#include <QPrinter>

#include "base/programerror.h"
#include "ui/dialogs.h"

TfrmReport::TfrmReport(QWidget *owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(QStringLiteral("檢測報表"));
    hide();
}

TfrmReport &TfrmReport::of(QWidget *owner)
{
    if (auto *form = owner->findChild<TfrmReport *>(QStringLiteral("frmReport"), Qt::FindDirectChildrenOnly))
        return *form;
    return *new TfrmReport(owner);
}

void TfrmReport::print(QPrinter &printer) const
{
    if (const ReportResult printed = renderReport(printer, m_report); !printed.ok())
        throw ProgramError(printed.error);
}

void TfrmReport::preview(Dialogs &dialogs, QPrinter &printer) const
{
    // The preview draws when it likes, outside any reaction, so a printer that refuses the report
    // is reported from here.
    dialogs.printPreview(parentWidget(), printer, [this, &dialogs](QPrinter &target) {
        if (const ReportResult printed = renderReport(target, m_report); !printed.ok())
            dialogs.error(parentWidget(), printed.error);
    });
}

void TfrmReport::writePdf(const QString &path) const
{
    if (const FileWriteResult written = writeReportPdf(path, m_report); !written.ok())
        throw ProgramError(written.error);
}
