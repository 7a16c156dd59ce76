#include "calibration/unitscale.h"

#include <initializer_list>
#include <utility>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "app/state.h"
#include "app/widgets.h"
#include "base/numberformat.h"
#include "calibration/scalemath.h"
#include "records/dataset.h"
#include "records/datasetmodel.h"
#include "records/sqlcatalogue.h"

namespace {

using Params = std::initializer_list<std::pair<const char *, QVariant>>;

// Runs an operation of the panels; a database error is shown and ends it at that statement.
template <class Operation>
void reportingErrors(Dialogs &dialogs, QWidget *parent, Operation &&operation)
{
    try {
        operation();
    } catch (const DatabaseError &e) {
        dialogs.error(parent, e.message());
    }
}

// The first conversion error among an operation's number fields; empty when all hold numbers.
QString firstError(std::initializer_list<QString> errors)
{
    for (const QString &error : errors) {
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

// Gives the scratch query a fresh statement: nothing of its previous use survives.
void prepare(Dataset &query, const QStringList &sql, Params params)
{
    query.close();
    query.clearParams();
    query.setSql(sql);
    for (const auto &[name, value] : params)
        query.setParam(QString::fromLatin1(name), value);
}

void execute(Dataset &query, const QStringList &sql, Params params)
{
    prepare(query, sql, params);
    query.execSql();
}

void execute(Dataset &query, const QStringList &sql, const QVariantMap &params)
{
    query.close();
    query.clearParams();
    query.setSql(sql);
    for (auto it = params.begin(); it != params.end(); ++it)
        query.setParam(it.key(), it.value());
    query.execSql();
}

void reopen(Dataset &dataset)
{
    dataset.close();
    dataset.open();
}

// The current row's text, empty when the dataset is closed or has no rows.
QString currentText(const Dataset &dataset, const QString &field)
{
    return dataset.isOpen() && !dataset.isEmpty() ? dataset.text(field) : QString();
}

QString integerText(const QVariant &value)
{
    return value.isNull() ? QString() : QString::number(value.toInt());
}

QString floatText(const QVariant &value)
{
    return value.isNull() ? QString() : formatFloat(QStringLiteral("0.0000"), value.toDouble());
}

// Renumbers mIndex 1..n in the order of the statement; only rows whose number differs are written.
void renumber(Dataset &query, const QStringList &sql)
{
    prepare(query, sql, {});
    query.open();
    for (int row = 0; row < query.recordCount(); ++row) {
        query.moveTo(row);
        const QVariant index = query.field(QStringLiteral("mIndex"));
        if (index.isNull() || index.toInt() != row + 1) {
            query.edit();
            query.setField(QStringLiteral("mIndex"), row + 1);
            query.post();
        }
    }
}

// Rebuilds a list from one column of the rows the scratch query returns.
void fillList(QComboBox *list, const Dataset &query, const QString &field)
{
    QStringList entries;
    entries.reserve(query.recordCount());
    for (int row = 0; row < query.recordCount(); ++row)
        entries << query.value(row, field).toString();
    list->clear();
    list->addItems(entries);
}

void showInList(QComboBox *list, const QString &text)
{
    list->setCurrentIndex(list->findText(text));
}

// Keeps a grid's current row and its dataset's current row together, in both directions. Moving to
// the row that is already current does nothing, so the two never chase each other.
void followEachOther(QTableView *grid, Dataset *dataset)
{
    auto selectDatasetRow = [grid, dataset] {
        const int row = dataset->recNo();
        if (row < 0 || row >= grid->model()->rowCount() || grid->currentIndex().row() == row)
            return;
        grid->setCurrentIndex(grid->model()->index(row, qMax(0, grid->currentIndex().column())));
    };
    QObject::connect(dataset, &Dataset::afterScroll, grid, selectDatasetRow);
    QObject::connect(grid->model(), &QAbstractItemModel::modelReset, grid, selectDatasetRow);
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, dataset,
                     [dataset](const QModelIndex &current) {
                         if (current.isValid())
                             dataset->moveTo(current.row());
                     });
}

QTableView *makeGrid(QWidget *parent, const char *name, Dataset *dataset, const QList<DatasetColumn> &columns,
                     bool editable, Dialogs &dialogs)
{
    auto *grid = named<QTableView>(parent, name);
    auto *model = new DatasetModel(dataset, columns, grid);
    model->setEditable(editable);
    QObject::connect(model, &DatasetModel::error, grid,
                     [grid, &dialogs](const QString &message) { dialogs.error(grid, message); });
    grid->setModel(model);
    grid->verticalHeader()->hide();
    if (editable) {
        grid->setSelectionBehavior(QAbstractItemView::SelectItems);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
    } else {
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    followEachOther(grid, dataset);
    return grid;
}

QLineEdit *field(QWidget *panel, QFormLayout *form, const char *name, const QString &caption)
{
    auto *edit = named<QLineEdit>(panel, name);
    form->addRow(caption, edit);
    return edit;
}

}  // namespace

UnitScaleController::UnitScaleController(MainState &state, Dialogs &dialogs, const Datasets &datasets, QWidget *host,
                                         QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_d(datasets)
    , m_host(host)
{
    auto *layout = new QVBoxLayout(host);
    auto *unitRow = new QHBoxLayout;
    auto *unitPanel = named<QWidget>(host, "plUnitSet");
    buildUnitPanel(unitPanel);
    unitRow->addWidget(unitPanel);
    m_dbgUnitSet = makeGrid(host, "dbgUnitSet", m_d.qryUnitSet,
                            {{QStringLiteral("mIndex"), QStringLiteral("序號"), QString()},
                             {QStringLiteral("UnitCode"), QStringLiteral("單位代號"), QString()},
                             {QStringLiteral("UnitName"), QStringLiteral("單位名稱"), QString()},
                             {QStringLiteral("mValue"), QStringLiteral("單位長度(mm)"), QString()}},
                            true, m_dialogs);
    unitRow->addWidget(m_dbgUnitSet, 1);
    layout->addLayout(unitRow, 1);

    auto *scaleRow = new QHBoxLayout;
    auto *scalePanel = named<QWidget>(host, "plScaleSet");
    buildScalePanel(scalePanel);
    scaleRow->addWidget(scalePanel);
    m_dbgScaleSet = makeGrid(host, "dbgScaleSet", m_d.qryScaleSet,
                             {{QStringLiteral("S.mIndex"), QStringLiteral("序號"), QString()},
                              {QStringLiteral("ScaleName"), QStringLiteral("倍率組名稱"), QString()},
                              {QStringLiteral("S.UnitCode"), QStringLiteral("單位代號"), QString()},
                              {QStringLiteral("UnitName"), QStringLiteral("單位名稱"), QString()},
                              {QStringLiteral("X_Length"), QStringLiteral("X軸長度"), QString()},
                              {QStringLiteral("X_Pixel"), QStringLiteral("X軸像數"), QString()},
                              {QStringLiteral("Y_Length"), QStringLiteral("Y軸長度"), QString()},
                              {QStringLiteral("Y_Pixel"), QStringLiteral("Y軸像數"), QString()}},
                             false, m_dialogs);
    scaleRow->addWidget(m_dbgScaleSet, 1);
    layout->addLayout(scaleRow, 1);

    connect(m_d.qryUnitSet, &Dataset::afterScroll, this, &UnitScaleController::qryUnitSetAfterScroll);
    connect(m_d.qryUnitSet, &Dataset::afterOpen, this, &UnitScaleController::qryUnitSetAfterOpen);
    connect(m_d.qryScaleSet, &Dataset::afterScroll, this, &UnitScaleController::qryScaleSetAfterScroll);
    connect(m_d.qryScaleSet, &Dataset::afterOpen, this, &UnitScaleController::qryScaleSetAfterOpen);
    // A post in the scale sets or the measurements may change what the join lists.
    connect(m_d.qryScaleSet, &Dataset::afterPost, this, &UnitScaleController::qryScaleSetAfterPost);
    connect(m_d.qryMeasure, &Dataset::afterPost, this, &UnitScaleController::qryScaleSetAfterPost);
}

void UnitScaleController::buildUnitPanel(QWidget *panel)
{
    auto *form = new QFormLayout(panel);
    m_edUnitIndex = field(panel, form, "edUnitIndex", QStringLiteral("序號 : "));
    m_edUnitCode = field(panel, form, "edUnitCode", QStringLiteral("單位代號 : "));
    m_edUnitName = field(panel, form, "edUnitName", QStringLiteral("單位名稱 : "));
    m_edUnitValue = field(panel, form, "edUnitValue", QStringLiteral("單位長度 : "));
    auto *buttons = new QHBoxLayout;
    auto addButton = [&](const char *name, const QString &caption, void (UnitScaleController::*slot)()) {
        auto *button = named<QPushButton>(panel, name, caption);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    };
    addButton("BitBtn11", QStringLiteral("新增"), &UnitScaleController::BitBtn11Click);
    addButton("BitBtn12", QStringLiteral("更新"), &UnitScaleController::BitBtn12Click);
    addButton("BitBtn13", QStringLiteral("刪除"), &UnitScaleController::BitBtn13Click);
    addButton("bbtUnitSetRefresh", QStringLiteral("資料重整"), &UnitScaleController::bbtUnitSetRefreshClick);
    form->addRow(buttons);
}

void UnitScaleController::buildScalePanel(QWidget *panel)
{
    auto *form = new QFormLayout(panel);
    m_edScaleIndex = field(panel, form, "edScaleIndex", QStringLiteral("序號 : "));
    m_edScaleName = field(panel, form, "edScaleName", QStringLiteral("倍率組名稱 : "));
    m_edScaleUnitCode = field(panel, form, "edScaleUnitCode", QStringLiteral("單位代號 : "));
    m_edScaleUnitName = field(panel, form, "edScaleUnitName", QStringLiteral("單位名稱 : "));
    m_edScaleUnitName->setReadOnly(true);
    m_edXLength = field(panel, form, "edXLength", QStringLiteral("X 軸長度"));
    m_edXPixel = field(panel, form, "edXPixel", QStringLiteral("X 軸像數"));
    m_edYLength = field(panel, form, "edYLength", QStringLiteral("Y 軸長度"));
    m_edYPixel = field(panel, form, "edYPixel", QStringLiteral("Y 軸像數"));
    auto *buttons = new QHBoxLayout;
    auto addButton = [&](const char *name, const QString &caption, void (UnitScaleController::*slot)()) {
        auto *button = named<QPushButton>(panel, name, caption);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    };
    addButton("BitBtn2", QStringLiteral("新增"), &UnitScaleController::BitBtn2Click);
    addButton("BitBtn10", QStringLiteral("更新"), &UnitScaleController::BitBtn10Click);
    addButton("BitBtn18", QStringLiteral("刪除"), &UnitScaleController::BitBtn18Click);
    addButton("bbtScaleSetRefresh", QStringLiteral("資料重整"), &UnitScaleController::bbtScaleSetRefreshClick);
    form->addRow(buttons);
}

void UnitScaleController::setLists(QComboBox *cbScaleSet, QComboBox *cbUnitSet)
{
    m_cbScaleSet = cbScaleSet;
    m_cbUnitSet = cbUnitSet;
}

void UnitScaleController::BitBtn11Click()
{
    reportingErrors(m_dialogs, m_host, [&] {
        const QString code = m_edUnitCode->text();
        Dataset &x = *m_d.qryX;
        prepare(x, Sql::UnitExists, {{"_UnitCode", code}});
        x.open();
        if (x.recordCount() >= 1) {
            m_dialogs.message(m_host, QStringLiteral("這個單位代號(%1)已經存在\n請重新輸入單位代號!!").arg(code));
            m_edUnitCode->setFocus();
            return;
        }
        const auto index = parseInteger(m_edUnitIndex->text());
        const auto length = parseFloat(m_edUnitValue->text());
        if (const QString error = firstError({index.error, length.error}); !error.isEmpty()) {
            m_dialogs.error(m_host, error);
            return;
        }
        execute(x, Sql::UnitInsert,
                {{"_mIndex", index.value}, {"_UnitCode", code}, {"_UnitName", m_edUnitName->text()},
                 {"_mValue", length.value}});
        refreshUnits();
    });
}

void UnitScaleController::BitBtn12Click()
{
    reportingErrors(m_dialogs, m_host, [&] {
        const QString oldCode = currentText(*m_d.qryUnitSet, QStringLiteral("UnitCode"));
        const auto index = parseInteger(m_edUnitIndex->text());
        const auto length = parseFloat(m_edUnitValue->text());
        if (const QString error = firstError({index.error, length.error}); !error.isEmpty()) {
            m_dialogs.error(m_host, error);
            return;
        }
        const QString code = m_edUnitCode->text();
        execute(*m_d.qryX, Sql::UnitUpdate,
                {{"_mIndex", index.value}, {"_UnitCode", code}, {"_UnitName", m_edUnitName->text()},
                 {"_mValue", length.value}, {"_OldUnitCode", oldCode}});
        // The scale-set join depends on the units: a changed code takes its sets out of the lists.
        reopen(*m_d.qryScaleSet);
        reopen(*m_d.qryUnitSet);
        m_d.qryUnitSet->locate(QStringLiteral("UnitCode"), code);
    });
}

void UnitScaleController::BitBtn13Click()
{
    reportingErrors(m_dialogs, m_host, [&] {
        if (m_d.qryUnitSet->recNo() < 0)
            return;
        const QString code = m_d.qryUnitSet->text(QStringLiteral("UnitCode"));
        if (!m_dialogs.confirm(m_host, QStringLiteral("確定要刪除單位資料(%1)嗎？!!").arg(code), QStringLiteral("確認"),
                               Dialogs::Icon::Error))
            return;
        execute(*m_d.qryX, Sql::UnitDelete, {{"_UnitCode", code}});
        refreshUnits();
    });
}

void UnitScaleController::bbtUnitSetRefreshClick()
{
    reportingErrors(m_dialogs, m_host, [this] { refreshUnits(); });
}

void UnitScaleController::refreshUnits()
{
    const QString code = currentText(*m_d.qryUnitSet, QStringLiteral("UnitCode"));
    renumber(*m_d.qryX, Sql::UnitRenumber);
    // The scale sets are reread first: following a changed scale unit may move qryUnitSet's row.
    reopen(*m_d.qryScaleSet);
    reopen(*m_d.qryUnitSet);
    m_d.qryUnitSet->locate(QStringLiteral("UnitCode"), code);
}

bool UnitScaleController::readScaleFields(QVariantMap &fields)
{
    const auto index = parseInteger(m_edScaleIndex->text());
    const auto xLength = parseFloat(m_edXLength->text());
    const auto xPixel = parseFloat(m_edXPixel->text());
    const auto yLength = parseFloat(m_edYLength->text());
    const auto yPixel = parseFloat(m_edYPixel->text());
    if (const QString error = firstError({index.error, xLength.error, xPixel.error, yLength.error, yPixel.error});
        !error.isEmpty()) {
        m_dialogs.error(m_host, error);
        return false;
    }
    fields = {{QStringLiteral("_mIndex"), index.value},      {QStringLiteral("_UnitCode"), m_edScaleUnitCode->text()},
              {QStringLiteral("_X_Length"), xLength.value}, {QStringLiteral("_X_Pixel"), xPixel.value},
              {QStringLiteral("_Y_Length"), yLength.value}, {QStringLiteral("_Y_Pixel"), yPixel.value}};
    return true;
}

void UnitScaleController::BitBtn2Click()
{
    reportingErrors(m_dialogs, m_host, [&] {
        const QString name = m_edScaleName->text();
        Dataset &x = *m_d.qryX;
        prepare(x, Sql::ScaleExists, {{"_ScaleName", name}});
        x.open();
        if (x.recordCount() >= 1) {
            m_dialogs.message(m_host, QStringLiteral("這個倍率組名稱(%1)已經存在\n請重新輸入倍率組名稱!!").arg(name));
            m_edScaleName->setFocus();
            return;
        }
        QVariantMap fields;
        if (!readScaleFields(fields))
            return;
        fields.insert(QStringLiteral("_ScaleName"), name);
        execute(x, Sql::ScaleInsert, fields);
        refreshScaleSets();
    });
}

void UnitScaleController::BitBtn10Click()
{
    reportingErrors(m_dialogs, m_host, [&] {
        const QString oldName = currentText(*m_d.qryScaleSet, QStringLiteral("ScaleName"));
        QVariantMap fields;
        if (!readScaleFields(fields))
            return;
        const QString name = m_edScaleName->text();
        fields.insert(QStringLiteral("_ScaleName"), name);
        fields.insert(QStringLiteral("_OldScaleName"), oldName);
        execute(*m_d.qryX, Sql::ScaleUpdate, fields);
        reopen(*m_d.qryScaleSet);
        m_d.qryScaleSet->locate(QStringLiteral("ScaleName"), name);
    });
}

void UnitScaleController::BitBtn18Click()
{
    reportingErrors(m_dialogs, m_host, [&] {
        if (m_d.qryScaleSet->recNo() < 0)
            return;
        const QString name = m_d.qryScaleSet->text(QStringLiteral("ScaleName"));
        if (!m_dialogs.confirm(m_host, QStringLiteral("確定要刪除倍率組資料(%1)嗎？!!").arg(name), QStringLiteral("確認"),
                               Dialogs::Icon::Error))
            return;
        execute(*m_d.qryX, Sql::ScaleDelete, {{"_ScaleName", name}});
        refreshScaleSets();
    });
}

void UnitScaleController::bbtScaleSetRefreshClick()
{
    reportingErrors(m_dialogs, m_host, [this] { refreshScaleSets(); });
}

void UnitScaleController::refreshScaleSets()
{
    const QString name = currentText(*m_d.qryScaleSet, QStringLiteral("ScaleName"));
    renumber(*m_d.qryX, Sql::ScaleRenumber);
    reopen(*m_d.qryScaleSet);
    m_d.qryScaleSet->locate(QStringLiteral("ScaleName"), name);
}

void UnitScaleController::qryUnitSetAfterScroll()
{
    reportingErrors(m_dialogs, m_host, [&] {
        const Dataset &units = *m_d.qryUnitSet;
        m_edUnitIndex->setText(integerText(units.field(QStringLiteral("mIndex"))));
        m_edUnitCode->setText(units.text(QStringLiteral("UnitCode")));
        m_edUnitName->setText(units.text(QStringLiteral("UnitName")));
        m_edUnitValue->setText(floatText(units.field(QStringLiteral("mValue"))));
    });
}

void UnitScaleController::qryUnitSetAfterOpen()
{
    if (!m_cbUnitSet)
        return;
    reportingErrors(m_dialogs, m_host, [&] {
        const QString shown = m_cbUnitSet->currentText();
        Dataset &x = *m_d.qryX;
        prepare(x, Sql::UnitNames, {});
        x.open();
        fillList(m_cbUnitSet, x, QStringLiteral("UnitName"));
        m_d.qryUnitSet->locate(QStringLiteral("UnitName"), shown);
        showInList(m_cbUnitSet, currentText(*m_d.qryUnitSet, QStringLiteral("UnitName")));
    });
}

void UnitScaleController::qryScaleSetAfterScroll()
{
    reportingErrors(m_dialogs, m_host, [&] {
        setScaleFactorsFromCurrentRow();
        const Dataset &scales = *m_d.qryScaleSet;
        m_edScaleIndex->setText(integerText(scales.field(QStringLiteral("S.mIndex"))));
        m_edScaleName->setText(scales.text(QStringLiteral("ScaleName")));
        m_edScaleUnitCode->setText(scales.text(QStringLiteral("S.UnitCode")));
        m_edScaleUnitName->setText(scales.text(QStringLiteral("UnitName")));
        m_edXLength->setText(floatText(scales.field(QStringLiteral("X_Length"))));
        m_edXPixel->setText(floatText(scales.field(QStringLiteral("X_Pixel"))));
        m_edYLength->setText(floatText(scales.field(QStringLiteral("Y_Length"))));
        m_edYPixel->setText(floatText(scales.field(QStringLiteral("Y_Pixel"))));
    });
}

void UnitScaleController::qryScaleSetAfterOpen()
{
    reportingErrors(m_dialogs, m_host, [this] { refillScaleSetList(); });
}

void UnitScaleController::qryScaleSetAfterPost()
{
    reportingErrors(m_dialogs, m_host, [this] { refillScaleSetList(); });
}

void UnitScaleController::refillScaleSetList()
{
    if (m_cbScaleSet) {
        const QString shown = m_cbScaleSet->currentText();
        Dataset &x = *m_d.qryX;
        prepare(x, Sql::ScaleList, {});
        x.open();
        fillList(m_cbScaleSet, x, QStringLiteral("ScaleName"));
        m_d.qryScaleSet->locate(QStringLiteral("ScaleName"), shown);
        showInList(m_cbScaleSet, currentText(*m_d.qryScaleSet, QStringLiteral("ScaleName")));
    }
    setScaleFactorsFromCurrentRow();
}

void UnitScaleController::setScaleFactorsFromCurrentRow()
{
    const Dataset &scales = *m_d.qryScaleSet;
    if (!scales.isOpen())
        return;
    m_state.ScaleX = scaleFactor(scales.number(QStringLiteral("X_Length")), scales.number(QStringLiteral("X_Pixel")));
    m_state.ScaleY = scaleFactor(scales.number(QStringLiteral("Y_Length")), scales.number(QStringLiteral("Y_Pixel")));
}
