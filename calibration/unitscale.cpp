#include "calibration/unitscale.h"

#include <initializer_list>
#include <utility>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "base/numberformat.h"
#include "base/numberparse.h"
#include "calibration/scalemath.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "records/sqlcatalogue.h"
#include "ui/dialogs.h"
#include "ui/grids.h"
#include "ui/guarded.h"

namespace {

// The first refusal among an operation's fields; empty when all of them hold what they must.
QString firstError(std::initializer_list<QString> errors)
{
    for (const QString &error : errors) {
        if (!error.isEmpty())
            return error;
    }
    return QString();
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
    query.openWith(sql);
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

// A length typed into the unit grid must be a usable unit, as one typed into the unit panel.
QString unitLengthCheck(const QVariant &value)
{
    return unitLengthRefusal(value.toDouble());
}

}  // namespace

UnitScaleController::UnitScaleController(const Datasets &datasets, Dialogs &dialogs, const UnitScaleWidgets &widgets,
                                         QComboBox *cbScaleSet, QComboBox *cbUnitSet, QObject *parent)
    : QObject(parent)
    , m_d(datasets)
    , m_dialogs(dialogs)
    , m_w(widgets)
    , m_host(widgets.dbgUnitSet->parentWidget())
    , m_cbScaleSet(cbScaleSet)
    , m_cbUnitSet(cbUnitSet)
{
    showDataset(m_w.dbgUnitSet, *m_d.qryUnitSet,
                {{QStringLiteral("mIndex"), QStringLiteral("序號"), QString(), {}},
                 {QStringLiteral("UnitCode"), QStringLiteral("單位代號"), QString(), {}},
                 {QStringLiteral("UnitName"), QStringLiteral("單位名稱"), QString(), {}},
                 {QStringLiteral("mValue"), QStringLiteral("單位長度(mm)"), QString(), unitLengthCheck}},
                GridEditing::InPlace, m_dialogs, this);
    showDataset(m_w.dbgScaleSet, *m_d.qryScaleSet,
                {{QStringLiteral("S.mIndex"), QStringLiteral("序號"), QString(), {}},
                 {QStringLiteral("ScaleName"), QStringLiteral("倍率組名稱"), QString(), {}},
                 {QStringLiteral("S.UnitCode"), QStringLiteral("單位代號"), QString(), {}},
                 {QStringLiteral("UnitName"), QStringLiteral("單位名稱"), QString(), {}},
                 {QStringLiteral("X_Length"), QStringLiteral("X軸長度"), QString(), {}},
                 {QStringLiteral("X_Pixel"), QStringLiteral("X軸像數"), QString(), {}},
                 {QStringLiteral("Y_Length"), QStringLiteral("Y軸長度"), QString(), {}},
                 {QStringLiteral("Y_Pixel"), QStringLiteral("Y軸像數"), QString(), {}}},
                GridEditing::ReadOnly, m_dialogs, this);

    for (auto [button, slot] : {std::pair{m_w.BitBtn11, &UnitScaleController::BitBtn11Click},
                                {m_w.BitBtn12, &UnitScaleController::BitBtn12Click},
                                {m_w.BitBtn13, &UnitScaleController::BitBtn13Click},
                                {m_w.bbtUnitSetRefresh, &UnitScaleController::bbtUnitSetRefreshClick},
                                {m_w.BitBtn2, &UnitScaleController::BitBtn2Click},
                                {m_w.BitBtn10, &UnitScaleController::BitBtn10Click},
                                {m_w.BitBtn18, &UnitScaleController::BitBtn18Click},
                                {m_w.bbtScaleSetRefresh, &UnitScaleController::bbtScaleSetRefreshClick}})
        connect(button, &QPushButton::clicked, this, slot);

    Dataset *units = m_d.qryUnitSet.get();
    Dataset *scales = m_d.qryScaleSet.get();
    connect(units, &Dataset::afterScroll, this, &UnitScaleController::qryUnitSetAfterScroll);
    connect(units, &Dataset::afterOpen, this, &UnitScaleController::qryUnitSetAfterOpen);
    connect(scales, &Dataset::afterScroll, this, &UnitScaleController::qryScaleSetAfterScroll);
    connect(scales, &Dataset::afterOpen, this, &UnitScaleController::qryScaleSetAfterOpen);
    // A post in the scale sets or the measurements may change what the join lists.
    connect(scales, &Dataset::afterPost, this, &UnitScaleController::qryScaleSetAfterPost);
    connect(m_d.qryMeasure.get(), &Dataset::afterPost, this, &UnitScaleController::qryScaleSetAfterPost);
}

void UnitScaleController::BitBtn11Click()
{
    guarded(m_dialogs, m_host, [this] { keepingTheActiveSet([this] { addUnit(); }); });
}

void UnitScaleController::BitBtn12Click()
{
    guarded(m_dialogs, m_host, [this] { keepingTheActiveSet([this] { updateUnit(); }); });
}

void UnitScaleController::BitBtn13Click()
{
    guarded(m_dialogs, m_host, [this] { keepingTheActiveSet([this] { deleteUnit(); }); });
}

void UnitScaleController::bbtUnitSetRefreshClick()
{
    guarded(m_dialogs, m_host, [this] { keepingTheActiveSet([this] { refreshUnits(); }); });
}

void UnitScaleController::BitBtn2Click()
{
    guarded(m_dialogs, m_host, [this] { keepingTheActiveSet([this] { addScaleSet(); }); });
}

void UnitScaleController::BitBtn10Click()
{
    guarded(m_dialogs, m_host, [this] { keepingTheActiveSet([this] { updateScaleSet(); }); });
}

void UnitScaleController::BitBtn18Click()
{
    guarded(m_dialogs, m_host, [this] { keepingTheActiveSet([this] { deleteScaleSet(); }); });
}

void UnitScaleController::bbtScaleSetRefreshClick()
{
    guarded(m_dialogs, m_host, [this] { refreshScaleSetTable(); });
}

void UnitScaleController::refreshScaleSetTable()
{
    keepingTheActiveSet([this] { refreshScaleSets(); });
}

template <class Operation>
void UnitScaleController::keepingTheActiveSet(Operation &&operation)
{
    const QString active = m_cbScaleSet->currentText();
    operation();
    if (m_cbScaleSet->currentText() != active)
        Q_EMIT activeScaleSetReplaced();
}

QVariantMap UnitScaleController::readUnitFields() const
{
    const auto index = parseInteger(m_w.edUnitIndex->text());
    const auto length = parseFloat(m_w.edUnitValue->text());
    if (const QString error =
            firstError({index.error, length.error, length.ok() ? unitLengthRefusal(length.value) : QString()});
        !error.isEmpty())
        throw ProgramError(error);
    return {{QStringLiteral("_mIndex"), index.value},
            {QStringLiteral("_UnitCode"), m_w.edUnitCode->text()},
            {QStringLiteral("_UnitName"), m_w.edUnitName->text()},
            {QStringLiteral("_mValue"), length.value}};
}

bool UnitScaleController::refusedAsDuplicate(const QStringList &exists, const char *param, QLineEdit *field,
                                             const QString &message)
{
    Dataset &x = *m_d.qryX;
    x.openWith(exists, {{QString::fromLatin1(param), field->text()}});
    if (x.recordCount() < 1)
        return false;
    m_dialogs.message(m_host, message.arg(field->text()));
    field->setFocus();
    return true;
}

bool UnitScaleController::deletedAfterAsking(Dataset &rows, const char *key, const QString &question,
                                             const QStringList &remove)
{
    if (rows.recNo() < 0)
        return false;
    const QString value = rows.text(QString::fromLatin1(key));
    if (!m_dialogs.confirm(m_host, question.arg(value), QStringLiteral("確認"), Dialogs::Icon::Error))
        return false;
    m_d.qryX->run(remove, {{QStringLiteral("_") + QString::fromLatin1(key), value}});
    return true;
}

void UnitScaleController::addUnit()
{
    if (refusedAsDuplicate(Sql::UnitExists, "_UnitCode", m_w.edUnitCode,
                           QStringLiteral("這個單位代號(%1)已經存在\n請重新輸入單位代號!!")))
        return;
    m_d.qryX->run(Sql::UnitInsert, readUnitFields());
    refreshUnits();
}

void UnitScaleController::updateUnit()
{
    const QString oldCode = currentText(*m_d.qryUnitSet, QStringLiteral("UnitCode"));
    QVariantMap fields = readUnitFields();
    fields.insert(QStringLiteral("_OldUnitCode"), oldCode);
    m_d.qryX->run(Sql::UnitUpdate, fields);
    // The scale-set join depends on the units: a changed code takes its sets out of the lists.
    reopen(*m_d.qryScaleSet);
    reopen(*m_d.qryUnitSet);
    m_d.qryUnitSet->locate(QStringLiteral("UnitCode"), fields.value(QStringLiteral("_UnitCode")));
}

void UnitScaleController::deleteUnit()
{
    if (deletedAfterAsking(*m_d.qryUnitSet, "UnitCode", QStringLiteral("確定要刪除單位資料(%1)嗎？!!"), Sql::UnitDelete))
        refreshUnits();
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

QVariantMap UnitScaleController::readScaleFields() const
{
    const auto index = parseInteger(m_w.edScaleIndex->text());
    const auto xLength = parseFloat(m_w.edXLength->text());
    const auto xPixel = parseFloat(m_w.edXPixel->text());
    const auto yLength = parseFloat(m_w.edYLength->text());
    const auto yPixel = parseFloat(m_w.edYPixel->text());
    QString error = firstError({index.error, xLength.error, xPixel.error, yLength.error, yPixel.error});
    if (error.isEmpty())
        error = firstError({scaleRefusal(QStringLiteral("X"), xLength.value, xPixel.value),
                            scaleRefusal(QStringLiteral("Y"), yLength.value, yPixel.value)});
    if (!error.isEmpty())
        throw ProgramError(error);
    return {{QStringLiteral("_mIndex"), index.value},      {QStringLiteral("_UnitCode"), m_w.edScaleUnitCode->text()},
            {QStringLiteral("_X_Length"), xLength.value}, {QStringLiteral("_X_Pixel"), xPixel.value},
            {QStringLiteral("_Y_Length"), yLength.value}, {QStringLiteral("_Y_Pixel"), yPixel.value},
            {QStringLiteral("_ScaleName"), m_w.edScaleName->text()}};
}

void UnitScaleController::addScaleSet()
{
    if (refusedAsDuplicate(Sql::ScaleExists, "_ScaleName", m_w.edScaleName,
                           QStringLiteral("這個倍率組名稱(%1)已經存在\n請重新輸入倍率組名稱!!")))
        return;
    m_d.qryX->run(Sql::ScaleInsert, readScaleFields());
    refreshScaleSets();
}

void UnitScaleController::updateScaleSet()
{
    const QString oldName = currentText(*m_d.qryScaleSet, QStringLiteral("ScaleName"));
    QVariantMap fields = readScaleFields();
    fields.insert(QStringLiteral("_OldScaleName"), oldName);
    m_d.qryX->run(Sql::ScaleUpdate, fields);
    reopen(*m_d.qryScaleSet);
    m_d.qryScaleSet->locate(QStringLiteral("ScaleName"), fields.value(QStringLiteral("_ScaleName")));
}

void UnitScaleController::deleteScaleSet()
{
    if (deletedAfterAsking(*m_d.qryScaleSet, "ScaleName", QStringLiteral("確定要刪除倍率組資料(%1)嗎？!!"),
                           Sql::ScaleDelete))
        refreshScaleSets();
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
    const Dataset &units = *m_d.qryUnitSet;
    m_w.edUnitIndex->setText(integerText(units.field(QStringLiteral("mIndex"))));
    m_w.edUnitCode->setText(units.text(QStringLiteral("UnitCode")));
    m_w.edUnitName->setText(units.text(QStringLiteral("UnitName")));
    m_w.edUnitValue->setText(floatText(units.field(QStringLiteral("mValue"))));
}

void UnitScaleController::qryUnitSetAfterOpen()
{
    const QString shown = m_cbUnitSet->currentText();
    Dataset &x = *m_d.qryX;
    x.openWith(Sql::UnitNames);
    fillList(m_cbUnitSet, x, QStringLiteral("UnitName"));
    m_d.qryUnitSet->locate(QStringLiteral("UnitName"), shown);
    showInList(m_cbUnitSet, currentText(*m_d.qryUnitSet, QStringLiteral("UnitName")));
}

void UnitScaleController::qryScaleSetAfterScroll()
{
    const Dataset &scales = *m_d.qryScaleSet;
    m_w.edScaleIndex->setText(integerText(scales.field(QStringLiteral("S.mIndex"))));
    m_w.edScaleName->setText(scales.text(QStringLiteral("ScaleName")));
    m_w.edScaleUnitCode->setText(scales.text(QStringLiteral("S.UnitCode")));
    m_w.edScaleUnitName->setText(scales.text(QStringLiteral("UnitName")));
    m_w.edXLength->setText(floatText(scales.field(QStringLiteral("X_Length"))));
    m_w.edXPixel->setText(floatText(scales.field(QStringLiteral("X_Pixel"))));
    m_w.edYLength->setText(floatText(scales.field(QStringLiteral("Y_Length"))));
    m_w.edYPixel->setText(floatText(scales.field(QStringLiteral("Y_Pixel"))));
}

void UnitScaleController::qryScaleSetAfterOpen()
{
    refillScaleSetList();
}

void UnitScaleController::qryScaleSetAfterPost()
{
    refillScaleSetList();
}

void UnitScaleController::refillScaleSetList()
{
    const QString shown = m_cbScaleSet->currentText();
    Dataset &x = *m_d.qryX;
    x.openWith(Sql::ScaleList);
    fillList(m_cbScaleSet, x, QStringLiteral("ScaleName"));
    m_d.qryScaleSet->locate(QStringLiteral("ScaleName"), shown);
    showInList(m_cbScaleSet, currentText(*m_d.qryScaleSet, QStringLiteral("ScaleName")));
}
