#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "output/csvexport.h"

class CurrentWorkOrder;
class Dataset;
class Dialogs;
class PictureExportController;
class Pictures;
class QAction;
class QComboBox;
class QLineEdit;
class QWidget;
struct ProgramPaths;

struct WorkOrderExportWidgets {
    QWidget *window = nullptr;
    QComboBox *cbScaleSet = nullptr;
    QComboBox *cbUnitSet = nullptr;
    // The hardness results, written on every workbook.
    QLineEdit *edHb = nullptr;
    QLineEdit *edHR = nullptr;
    QLineEdit *edVideoLineW = nullptr;
    QLineEdit *edVideoLineH = nullptr;
    QLineEdit *eddd = nullptr;
};

// The current work order leaving the station as files: the workbook ("匯出Excel", mmExcel2Click),
// filled from the template beside the program and saved beside the annotated picture, and the CSV
// file ("匯出CSV", CSV1Click) with the columns of the work-order grid DBGrid2 and the measurement
// grid dbgRecDetail as their layouts stand, in Big5. The rows come from the database.
class WorkOrderExportController : public QObject {
    Q_OBJECT
public:
    static constexpr const char *CsvFilter = "CSV File|*.CSV";

    WorkOrderExportController(const ProgramPaths &paths, const CurrentWorkOrder &workOrder, const Pictures &pictures,
                              PictureExportController &pictureExport, Dataset &qryX, Dialogs &dialogs,
                              const WorkOrderExportWidgets &widgets, QObject *parent = nullptr);

    // The check item "開啟EXCEL": the finished workbook is opened on the desktop when it is checked.
    void attachOpenItem(QAction *mmOpenExcel) { m_mmOpenExcel = mmOpenExcel; }

    // Saves the annotated picture through the save-as, then the workbook named after it; the
    // workbook's path, or empty when the operator cancelled or the template is missing (the
    // operator was told). Throws ProgramError or DatabaseError on a failure.
    [[nodiscard]] QString exportSpreadsheet();
    // Writes the CSV file the operator names; its path, or empty when cancelled. Throws as above.
    [[nodiscard]] QString exportCsv();

    // The two grids' columns as the window shows them, or as designed where it has no such grid.
    [[nodiscard]] QList<GridColumn> workOrderColumns() const;
    [[nodiscard]] QList<GridColumn> measurementColumns() const;

public Q_SLOTS:
    void mmExcel2Click();
    void CSV1Click();

private:
    [[nodiscard]] QList<GridColumn> gridColumns(const char *grid, QList<GridColumn> designed) const;

    const ProgramPaths &m_paths;
    const CurrentWorkOrder &m_workOrder;
    const Pictures &m_pictures;
    PictureExportController &m_pictureExport;
    Dataset &m_qryX;
    Dialogs &m_dialogs;
    WorkOrderExportWidgets m_w;
    QAction *m_mmOpenExcel = nullptr;
    QString m_csvName;
};
