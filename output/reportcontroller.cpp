#include "output/reportcontroller.h"

#include <QAbstractButton>
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "calibration/scalevalues.h"
#include "display/displayoptions.h"
#include "display/pictureexport.h"
#include "display/picturerefresh.h"
#include "display/pictures.h"
#include "output/exportsource.h"
#include "output/reportpicture.h"
#include "output/reportwindow.h"
#include "records/currentworkorder.h"
#include "records/measurementobject.h"
#include "ui/dialogs.h"
#include "ui/guarded.h"

ReportController::ReportController(Pictures &pictures, const CurrentWorkOrder &workOrder, const ScaleValues &scale,
                                   const DisplayOptions &options, PictureRefresh &refresh, Dataset &qryX,
                                   Dialogs &dialogs, const ReportWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_pictures(pictures)
    , m_workOrder(workOrder)
    , m_scale(scale)
    , m_options(options)
    , m_refresh(refresh)
    , m_qryX(qryX)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
}

void ReportController::Print1Click()
{
    guarded(m_dialogs, m_w.window, [this] { ShowReport(); });
}

void ReportController::PrintSetup1Click()
{
    guarded(m_dialogs, m_w.window, [this] { m_dialogs.printerSetup(m_w.window, m_printer); });
}

void ReportController::mmExportPdfClick()
{
    guarded(m_dialogs, m_w.window, [this] {
        QString chosen = m_dialogs.saveFileName(m_w.window, QString::fromLatin1(PdfFilter), m_pdfName, QDir::currentPath());
        if (chosen.isEmpty())
            return;
        if (QFileInfo(chosen).suffix().isEmpty())
            chosen += QStringLiteral(".pdf");
        m_pdfName = chosen;
        exportPdf(QDir::current().absoluteFilePath(chosen));
    });
}

void ReportController::ShowReport()
{
    TfrmReport &form = TfrmReport::of(m_w.window);
    form.setReport(prepareReport());
    if (m_mmPreview && m_mmPreview->isChecked())
        form.preview(m_dialogs, m_printer);
    else
        form.print(m_printer);
}

void ReportController::exportPdf(const QString &path)
{
    TfrmReport &form = TfrmReport::of(m_w.window);
    form.setReport(prepareReport());
    form.writePdf(path);
}

ReportData ReportController::prepareReport()
{
    // The redraw reads the list anew and renumbers the rows, which the report then shows.
    m_refresh.RedrawPicture();
    ReportData data;
    data.title = m_w.edPrintTitle ? m_w.edPrintTitle->text() : QString();
    data.operNo = m_workOrder.number();
    const ExportTitle title = readExportTitle(m_qryX, m_workOrder.number());
    data.operName = title.OperName;
    data.staffId = title.OperatorID;
    data.staffName = title.OperatorName;
    data.dateText = QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    data.picture = reportPicture();
    data.rows = readExportRows(m_qryX, m_workOrder.number());
    data.labelMode = m_options.labelDisplayMode();
    return data;
}

QImage ReportController::reportPicture()
{
    ReportPictureOptions options;
    options.pen = m_options.drawingColour();
    options.scale = {m_scale.UnitFactor, m_scale.ScaleX, m_scale.ScaleY};
    options.labelMode = m_options.labelDisplayMode();
    options.face = labelFace();
    if (m_w.cbDisplayScaleGauge->isChecked())
        options.gauge = gaugeAsShown(m_w.gauge);
    const QList<MeasurementObject> rows = readDrawnMeasurements(m_qryX, m_workOrder.number());
    QImage picture;
    m_pictures.withClean([&](const QImage &clean) { picture = renderReportPicture(clean, rows, options); });
    return picture;
}
