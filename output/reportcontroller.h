#pragma once

#include <QObject>
#include <QPrinter>
#include <QString>

#include "calibration/scalebox.h"
#include "output/reportlayout.h"

class CurrentWorkOrder;
class Dataset;
class Dialogs;
class DisplayOptions;
class PictureRefresh;
class Pictures;
class QAbstractButton;
class QAction;
class QLineEdit;
class QWidget;
struct ScaleValues;

struct ReportWidgets {
    QWidget *window = nullptr;
    QLineEdit *edPrintTitle = nullptr;  // the report title; none: the report has no title
    QAbstractButton *cbDisplayScaleGauge = nullptr;
    GaugeWidgets gauge;
};

// The inspection report (ShowReport, "列印"): the picture drawn anew, its own picture of the work
// order rendered from the database, the title block, one line per row of the measurement list and
// the count, on the report form. Previewed when "預覽列印" is checked, otherwise printed on the
// program's printer, the one the printer setup configures ("設定印表機"). "匯出PDF" writes the same
// report to a PDF file.
class ReportController : public QObject {
    Q_OBJECT
public:
    static constexpr const char *PdfFilter = "PDF File|*.pdf";

    ReportController(Pictures &pictures, const CurrentWorkOrder &workOrder, const ScaleValues &scale,
                     const DisplayOptions &options, PictureRefresh &refresh, Dataset &qryX, Dialogs &dialogs,
                     const ReportWidgets &widgets, QObject *parent = nullptr);

    // The check item "預覽列印", made with the menu after this controller.
    void attachPreviewItem(QAction *mmPreview) { m_mmPreview = mmPreview; }

    // Renders the report of the current work order onto the report form and previews or prints it.
    // Throws DatabaseError when the rows cannot be read, ProgramError when the printer refuses.
    void ShowReport();
    // Renders the report and writes it to path; throws as ShowReport and when the file cannot be
    // written.
    void exportPdf(const QString &path);

    [[nodiscard]] QPrinter &printer() { return m_printer; }

public Q_SLOTS:
    void Print1Click();
    void PrintSetup1Click();
    void mmExportPdfClick();

private:
    [[nodiscard]] ReportData prepareReport();
    [[nodiscard]] QImage reportPicture();

    Pictures &m_pictures;
    const CurrentWorkOrder &m_workOrder;
    const ScaleValues &m_scale;
    const DisplayOptions &m_options;
    PictureRefresh &m_refresh;
    Dataset &m_qryX;
    Dialogs &m_dialogs;
    ReportWidgets m_w;
    QAction *m_mmPreview = nullptr;
    // Kept for the program's life: what the printer setup chose is what the report prints on.
    QPrinter m_printer{QPrinter::HighResolution};
    QString m_pdfName;
};
