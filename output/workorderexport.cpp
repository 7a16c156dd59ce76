#include "output/workorderexport.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableView>

#include "base/programpaths.h"
#include "display/pictureexport.h"
#include "display/pictures.h"
#include "output/exportsource.h"
#include "output/spreadsheetexport.h"
#include "output/spreadsheettemplate.h"
#include "records/currentworkorder.h"
#include "ui/dialogs.h"
#include "ui/gridlayouts.h"
#include "ui/guarded.h"

WorkOrderExportController::WorkOrderExportController(const ProgramPaths &paths, const CurrentWorkOrder &workOrder,
                                                     const Pictures &pictures, PictureExportController &pictureExport,
                                                     Dataset &qryX, Dialogs &dialogs,
                                                     const WorkOrderExportWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_paths(paths)
    , m_workOrder(workOrder)
    , m_pictures(pictures)
    , m_pictureExport(pictureExport)
    , m_qryX(qryX)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
}

void WorkOrderExportController::mmExcel2Click()
{
    guarded(m_dialogs, m_w.window, [this] { (void)exportSpreadsheet(); });
}

void WorkOrderExportController::CSV1Click()
{
    guarded(m_dialogs, m_w.window, [this] { (void)exportCsv(); });
}

QString WorkOrderExportController::exportSpreadsheet()
{
    // The workbook takes the name of the picture saved for it; without one there is nothing to name
    // it after, so a cancelled save ends the export.
    const PictureExportController::Saved picture = m_pictureExport.savePicture();
    if (picture.cleanPath.isEmpty())
        return {};
    const TemplateLookup found = findTemplate(m_paths.ProgramFolder, findOfficeProgram());
    if (!found.ok()) {
        m_dialogs.message(m_w.window, found.error);
        return {};
    }
    SpreadsheetInput input;
    input.title = readExportTitle(m_qryX, m_workOrder.number());
    input.rows = readExportRows(m_qryX, m_workOrder.number());
    input.picturePath = picture.annotatedPath;
    input.pictureViewHeight = m_pictures.view().height();
    input.scaleSetText = m_w.cbScaleSet->currentText();
    input.unitSetText = m_w.cbUnitSet->currentText();
    input.hardness = {m_w.edHb->text(), m_w.edHR->text(), m_w.edVideoLineW->text(), m_w.edVideoLineH->text(),
                      m_w.eddd->text()};
    // Named after the picture as the operator named it; the annotated one goes inside.
    const QString path = spreadsheetPathFor(picture.cleanPath);
    if (const QString error = writeSpreadsheet(found.path, path, input); !error.isEmpty())
        throw ProgramError(error);
    m_dialogs.message(m_w.window, QString::fromUtf8(SavedMessage));
    if (m_mmOpenExcel && m_mmOpenExcel->isChecked())
        m_dialogs.openDocument(path);
    return path;
}

QString WorkOrderExportController::exportCsv()
{
    QString chosen = m_dialogs.saveFileName(m_w.window, QString::fromLatin1(CsvFilter), m_csvName, QStringLiteral("."));
    if (chosen.isEmpty())
        return {};
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".CSV");
    m_csvName = chosen;
    const QString path = QDir::current().absoluteFilePath(chosen);
    const CsvBuffer buffer = buildCsvBuffer(workOrderColumns(), readExportTitle(m_qryX, m_workOrder.number()),
                                            measurementColumns(), readExportRows(m_qryX, m_workOrder.number()));
    if (!buffer.ok())
        throw ProgramError(buffer.error);
    const CsvWriteResult written = writeCsvFile(path, buffer.text);
    if (!written.ok())
        throw ProgramError(written.error);
    if (written.unmappable > 0)
        m_dialogs.message(m_w.window, QStringLiteral("有 %1 個字元無法以 Big5 寫入，檔案中以 \"?\" 代替").arg(written.unmappable));
    m_dialogs.openDocument(path);
    return path;
}

QList<GridColumn> WorkOrderExportController::workOrderColumns() const
{
    return gridColumns("DBGrid2", workOrderGridColumns());
}

QList<GridColumn> WorkOrderExportController::measurementColumns() const
{
    return gridColumns("dbgRecDetail", measurementGridColumns());
}

QList<GridColumn> WorkOrderExportController::gridColumns(const char *grid, QList<GridColumn> designed) const
{
    const auto *view = m_w.window->findChild<QTableView *>(QString::fromLatin1(grid));
    if (!view)
        return designed;
    QList<GridColumn> columns;
    for (const GridColumnName &column : gridColumnNames(*view))
        columns.append({column.field, column.title});
    return columns;
}
