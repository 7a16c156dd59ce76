#include "records/workorders.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "acquire/picturefiles.h"
#include "base/programpaths.h"
#include "calibration/scalemath.h"
#include "display/picturerefresh.h"
#include "display/pictures.h"
#include "records/currentworkorder.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "records/sqlcatalogue.h"
#include "records/workorderlisting.h"
#include "records/workorderscale.h"
#include "records/workorderstore.h"
#include "ui/dialogs.h"
#include "ui/grids.h"
#include "ui/guarded.h"
#include "ui/recordnavigator.h"

namespace {

QList<DatasetColumn> workOrderColumns()
{
    return {{QStringLiteral("mIndex"), QStringLiteral("序號"), QString(), {}},
            {QStringLiteral("OperNo"), QStringLiteral("工單號碼"), QString(), {}},
            {QStringLiteral("OperName"), QStringLiteral("工作名稱"), QString(), {}},
            {QStringLiteral("OperatorID"), QStringLiteral("員工編號"), QString(), {}},
            {QStringLiteral("OperatorName"), QStringLiteral("姓名"), QString(), {}},
            {QStringLiteral("PicFullName"), QStringLiteral("檔案名稱"), QString(), {}}};
}

QString currentText(const Dataset &dataset, const QString &field)
{
    return dataset.isOpen() && !dataset.isEmpty() ? dataset.text(field) : QString();
}

}  // namespace

WorkOrdersController::WorkOrdersController(CurrentWorkOrder &workOrder, WorkOrderListing &listing,
                                           WorkOrderScale &scale, PictureFilesController &pictureFiles,
                                           Pictures &pictures, PictureRefresh &pictureRefresh,
                                           const ProgramPaths &paths, const Datasets &datasets, Dialogs &dialogs,
                                           const WorkOrderWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_workOrder(workOrder)
    , m_listing(listing)
    , m_scale(scale)
    , m_pictureFiles(pictureFiles)
    , m_pictures(pictures)
    , m_pictureRefresh(pictureRefresh)
    , m_paths(paths)
    , m_d(datasets)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    Dataset &titles = *m_d.qryTitle;
    showDataset(m_w.DBGrid5, titles, workOrderColumns(), GridEditing::InPlace, m_dialogs, this);
    QList<DatasetColumn> maintenance = workOrderColumns();
    maintenance += QList<DatasetColumn>{{QStringLiteral("ScaleName"), QStringLiteral("倍率組名稱"), QString(), {}},
                                        {QStringLiteral("ScaleX"), QStringLiteral("X軸比例"), QString(), {}},
                                        {QStringLiteral("ScaleY"), QStringLiteral("Y軸比例"), QString(), {}},
                                        {QStringLiteral("UnitName"), QStringLiteral("單位"), QString(), {}}};
    showDataset(m_w.DBGrid2, titles, maintenance, GridEditing::InPlace, m_dialogs, this);
    m_w.DBNavigator1->setDataset(titles, m_dialogs);

    m_workOrder.setNumber(m_w.fields.edWorkSheetID->text());
    connect(m_w.fields.edWorkSheetID, &QLineEdit::textChanged, this,
            [this](const QString &typed) { m_workOrder.setNumber(typed); });
    connect(m_w.btQryOperNo, &QPushButton::clicked, this, &WorkOrdersController::btQryOperNoClick);
    connect(m_w.bbtChangePic, &QPushButton::clicked, this, &WorkOrdersController::bbtChangePicClick);
    connect(m_w.bbtSaveTitle, &QPushButton::clicked, this, &WorkOrdersController::bbtSaveTitleClick);
    connect(m_w.bbtAdd, &QPushButton::clicked, this, &WorkOrdersController::bbtAddClick);
    connect(m_w.BitBtn16, &QPushButton::clicked, this, &WorkOrdersController::BitBtn16Click);
    connect(&m_pictureFiles, &PictureFilesController::pictureOpened, this, &WorkOrdersController::pictureOpened);

    connect(&titles, &Dataset::afterScroll, this, &WorkOrdersController::qryTitleAfterScroll);
    connect(&m_listing, &WorkOrderListing::settled, this, &WorkOrdersController::finishSelection);
    // A picture drawn into, committed or captured is no longer the file as it was read.
    connect(&m_pictures, &Pictures::cleanReplaced, this, [this] { m_shownPicture.clear(); });
}

void WorkOrdersController::bbtSaveTitleClick()
{
    guarded(m_dialogs, m_w.window, [this] { saveWorkOrder(); });
}

void WorkOrdersController::btQryOperNoClick()
{
    guarded(m_dialogs, m_w.window, [this] { m_listing.btQryOperNoClick(); });
}

void WorkOrdersController::bbtChangePicClick()
{
    guarded(m_dialogs, m_w.window, [this] { changePicture(); });
}

void WorkOrdersController::bbtAddClick()
{
    guarded(m_dialogs, m_w.window, [this] { newWorkOrder(); });
}

void WorkOrdersController::BitBtn16Click()
{
    guarded(m_dialogs, m_w.window, [this] {
        const WorkOrderFields &from = m_w.maintenance;
        const WorkOrderFields &to = m_w.fields;
        to.edWorkSheetID->setText(from.edWorkSheetID->text());
        to.edWorkSheetName->setText(from.edWorkSheetName->text());
        to.edStaffID->setText(from.edStaffID->text());
        to.edStaffName->setText(from.edStaffName->text());
        newWorkOrder();
    });
}

void WorkOrdersController::pictureOpened()
{
    guarded(m_dialogs, m_w.window, [this] {
        // The file was read just now, or failed to be and was reported: the scratch order that
        // names it is not to read it a second time.
        m_shownPicture = m_pictureFiles.saveDialogFileName();
        startWorkOrder(false);
    });
}

WorkOrderTitle WorkOrdersController::titleFromFields() const
{
    const Dataset &scales = *m_d.qryScaleSet;
    WorkOrderTitle t;
    t.OperNo = TemporaryWorkOrder;
    t.OperName = m_w.fields.edWorkSheetName->text();
    t.OperatorID = m_w.fields.edStaffID->text();
    t.OperatorName = m_w.fields.edStaffName->text();
    t.UnitName = currentText(*m_d.qryUnitSet, QStringLiteral("UnitName"));
    t.ScaleName = currentText(scales, QStringLiteral("ScaleName"));
    t.ScaleX = t.ScaleY = 1;
    if (scales.isOpen() && !scales.isEmpty()) {
        t.ScaleX = scaleFactor(scales.number(QStringLiteral("X_Length")), scales.number(QStringLiteral("X_Pixel")));
        t.ScaleY = scaleFactor(scales.number(QStringLiteral("Y_Length")), scales.number(QStringLiteral("Y_Pixel")));
    }
    return t;
}

void WorkOrdersController::startWorkOrder(bool insideCapture)
{
    m_pictureFiles.KeepTemporaryPicture(insideCapture);
    deleteWorkOrder(*m_d.qryX, TemporaryWorkOrder);
    m_w.fields.edWorkSheetID->setText(TemporaryWorkOrder);
    WorkOrderTitle title = titleFromFields();
    title.mIndex = 0;
    title.PicFullName = m_pictureFiles.saveDialogFileName();
    insertTitle(*m_d.qryX, title);
    m_listing.reopenWorkOrders(TemporaryWorkOrder);
}

void WorkOrdersController::saveWorkOrder()
{
    m_pictureFiles.KeepTemporaryPicture(false);
    // Saved under the number the list is read for, blanks at the ends trimmed: saved with them, the
    // order's measurements would never be listed again.
    const QString number = m_workOrder.number();
    if (titleExists(*m_d.qryX, number)) {
        m_dialogs.message(m_w.window, QStringLiteral("工單號碼 %1 已存在!!").arg(number));
        m_w.fields.edWorkSheetID->setFocus();
        return;
    }
    WorkOrderTitle title = titleFromFields();
    title.OperNo = number;
    title.PicFullName = m_pictureFiles.saveDialogFileName();
    renameWorkOrder(*m_d.qryX, TemporaryWorkOrder, title);
    m_listing.reopenWorkOrders(number);
    m_listing.btQryOperNoClick();
}

bool WorkOrdersController::scaleSetCorrected()
{
    Dataset &scales = *m_d.qryScaleSet;
    if (!scales.isOpen() || scales.isEmpty())
        return false;
    const QString name = scales.text(QStringLiteral("ScaleName"));
    const auto correct = [&](const QStringList &statement, const QString &message) {
        m_d.qryX->run(statement, {{QStringLiteral("_ScaleName"), name}});
        scales.close();
        scales.open();
        scales.locate(QStringLiteral("ScaleName"), name);
        m_dialogs.message(m_w.window, message);
        return true;
    };
    if (scales.number(QStringLiteral("X_Pixel")) == 0)
        return correct(Sql::ScaleXPixelToOne, QStringLiteral("\n比例校正錯誤!!!\n\nX軸像數不可為零!\n"));
    if (scales.number(QStringLiteral("X_Length")) == 0)
        return correct(Sql::ScaleXLengthToOne, QStringLiteral("\n比例校正錯誤!!!\n\nX軸長度不可為零!\n"));
    return false;
}

void WorkOrdersController::newWorkOrder()
{
    if (scaleSetCorrected())
        return;
    m_w.fields.edWorkSheetID->setText(TemporaryWorkOrder);
    Dataset &titles = *m_d.qryTitle;
    if (titles.isOpen() && titles.locate(QStringLiteral("OperNo"), TemporaryWorkOrder)) {
        m_w.window->setWindowTitle(QStringLiteral("Quillmont 1394  -   ") + TemporaryWorkOrder);
        return;
    }
    const int index = nextTitleIndex(*m_d.qryX);
    QString picture = m_dialogs.saveFileName(m_w.window, QString::fromLatin1(PictureFilesController::SaveFilter),
                                             m_pictureFiles.openDialogFileName(), m_paths.ProgramFolder);
    if (picture.isEmpty())
        picture = m_pictureFiles.openDialogFileName();
    else if (QFileInfo(picture).suffix().isEmpty())
        picture += QStringLiteral(".JPG");
    m_pictureFiles.setSaveDialogFileName(picture);
    WorkOrderTitle title = titleFromFields();
    title.mIndex = index;
    title.PicFullName = picture;
    insertTitle(*m_d.qryX, title);
    m_listing.reopenWorkOrders(TemporaryWorkOrder);
}

void WorkOrdersController::changePicture()
{
    const QString chosen = m_dialogs.openFileName(m_w.window, QString::fromLatin1(PictureFilesController::OpenFilter),
                                                  QString());
    if (chosen.isEmpty())
        return;
    m_pictureFiles.setSaveDialogFileName(chosen);
    m_shownPicture = m_pictureFiles.LoadPictureFile(chosen) ? chosen : QString();
    Dataset &titles = *m_d.qryTitle;
    titles.edit();
    titles.setField(QStringLiteral("PicFullName"), chosen);
    titles.post();
}

void WorkOrdersController::showInFields(const WorkOrderFields &fields)
{
    const Dataset &titles = *m_d.qryTitle;
    fields.edWorkSheetID->setText(titles.text(QStringLiteral("OperNo")));
    fields.edWorkSheetName->setText(titles.text(QStringLiteral("OperName")));
    fields.edStaffID->setText(titles.text(QStringLiteral("OperatorID")));
    fields.edStaffName->setText(titles.text(QStringLiteral("OperatorName")));
}

void WorkOrdersController::qryTitleAfterScroll()
{
    const Dataset &titles = *m_d.qryTitle;
    if (!titles.isOpen() || titles.isEmpty())
        return;
    showInFields(m_w.fields);
    showInFields(m_w.maintenance);
    m_scale.useScaleSetOf(titles.text(QStringLiteral("ScaleName")));
    m_pendingPicture = titles.text(QStringLiteral("PicFullName"));
    m_pictureFiles.setSaveDialogFileName(m_pendingPicture);
    m_w.lbFileName->setText(m_pendingPicture);
    m_selectionPending = true;
    if (!m_listing.batching())
        finishSelection();
}

void WorkOrdersController::finishSelection()
{
    if (!m_selectionPending)
        return;
    m_selectionPending = false;
    if (m_pendingPicture != m_shownPicture) {
        // A failed read is reported by the loading itself; the order's fields and scale stay set.
        const bool loaded = m_pictureFiles.LoadPictureFile(m_pendingPicture);
        m_shownPicture = loaded ? m_pendingPicture : QString();
    }
    m_pictures.hideCrosshair();
    m_pictureRefresh.RedrawPicture();
}
