// The controllers of what leaves the station: the annotated picture, the report, the workbook and
// the CSV file.
#include "app/main.h"

#include <QCheckBox>
#include <QLineEdit>

#include "app/pages.h"
#include "display/pictureexport.h"
#include "output/reportcontroller.h"
#include "output/workorderexport.h"
#include "records/datasets.h"

void TfmMain::buildOutputs(const MeasuringPage &mp, const SettingsPage &sp)
{
    const Datasets &d = *m_datasets;
    const PictureExportWidgets picture{this, sp.pictureFile.lbFullFileName, sp.pictureFile.edJPEGQuality,
                                       mp.cbDisplayScaleGauge, mp.gauge};
    m_pictureExport = std::make_unique<PictureExportController>(m_pictures, m_workOrder, m_state.scale,
                                                                *m_displayOptions, *m_pictureRefresh, *m_pictureFiles,
                                                                *d.qryTitle, *d.qryX, m_dialogs, picture);
    const ReportWidgets report{this, sp.edPrintTitle, mp.cbDisplayScaleGauge, mp.gauge};
    m_report = std::make_unique<ReportController>(m_pictures, m_workOrder, m_state.scale, *m_displayOptions,
                                                  *m_pictureRefresh, *d.qryX, m_dialogs, report);
    const BrinellWidgets &b = mp.hardness.brinell;
    const WorkOrderExportWidgets exports{this, mp.scaleBox.cbScaleSet, mp.scaleBox.cbUnitSet, b.edHb, b.edHR,
                                         b.edVideoLineW, b.edVideoLineH, b.eddd};
    m_workOrderExport = std::make_unique<WorkOrderExportController>(m_state.paths, m_workOrder, m_pictures,
                                                                    *m_pictureExport, *d.qryX, m_dialogs, exports);
}
