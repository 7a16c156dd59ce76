#pragma once

#include <QObject>
#include <QVariantMap>

#include "calibration/unitscalepanels.h"

class Dataset;
class Dialogs;
class QComboBox;
class QLineEdit;
struct Datasets;

// Maintenance of the unit and scale-set tables on the settings page "倍率設定" and the refills of
// the scale box's two lists.
//
// The grids and their datasets follow each other's current row. The unit grid is edited in place:
// a posted cell goes straight to UnitSet, unless it is not of the column's type or, for a length, not
// above 0; then it is refused through Dialogs::error and nothing is written. A number field that holds
// no number, a unit length that is not above 0 and a scale set whose scale would not be finite and
// above 0 stop an add or update with a message before anything is written; every database error is
// shown the same way and stops the operation at that statement. Unit changes reread qryScaleSet as
// well, since its join drops the sets whose unit code no longer exists; when that drops the active
// set from the list, activeScaleSetReplaced() asks for the whole scale selection, so the scale, the
// gauge and the work order agree on the set the list now shows.
class UnitScaleController : public QObject {
    Q_OBJECT
public:
    UnitScaleController(const Datasets &datasets, Dialogs &dialogs, const UnitScaleWidgets &widgets,
                        QComboBox *cbScaleSet, QComboBox *cbUnitSet, QObject *parent = nullptr);

public Q_SLOTS:
    void BitBtn11Click();
    void BitBtn12Click();
    void BitBtn13Click();
    void bbtUnitSetRefreshClick();
    void BitBtn2Click();
    void BitBtn10Click();
    void BitBtn18Click();
    void bbtScaleSetRefreshClick();

public:
    // The scale-set refresh: renumbering, rereading the sets and the list, back on the set that was
    // current (after a ratio calibration wrote it); throws DatabaseError.
    void refreshScaleSetTable();

    // The reactions to the datasets. They run inside the operation that moved the dataset, so they
    // throw to its error boundary rather than having their own.
    // Fills the unit fields from qryUnitSet's current row.
    void qryUnitSetAfterScroll();
    // Refill of the display-unit list, keeping the entry shown when it still exists.
    void qryUnitSetAfterOpen();
    // Fills the scale fields from qryScaleSet's current row (the active scale follows the row itself).
    void qryScaleSetAfterScroll();
    // Refill of the scale-set list, keeping the name shown when it still exists.
    void qryScaleSetAfterOpen();
    void qryScaleSetAfterPost();

Q_SIGNALS:
    // The scale-set list no longer shows the set that was active before its tables were reread.
    void activeScaleSetReplaced();

private:
    void addUnit();
    void updateUnit();
    void deleteUnit();
    void addScaleSet();
    void updateScaleSet();
    void deleteScaleSet();
    // An add's existence test: true when `exists` finds the field's value, after saying so with
    // `message` (its %1 the value) and putting the focus back into the field.
    bool refusedAsDuplicate(const QStringList &exists, const char *param, QLineEdit *field, const QString &message);
    // Deletes the current row of `rows` by its `key` once the operator said Yes to `question`.
    bool deletedAfterAsking(Dataset &rows, const char *key, const QString &question, const QStringList &remove);
    // Runs an operation that rereads the lists, then reports a replaced active set.
    template <class Operation>
    void keepingTheActiveSet(Operation &&operation);
    void refreshUnits();
    void refreshScaleSets();
    // The unit fields as statement parameters; throws ProgramError with the refusal when one is off.
    [[nodiscard]] QVariantMap readUnitFields() const;
    [[nodiscard]] QVariantMap readScaleFields() const;

    void refillScaleSetList();

    const Datasets &m_d;
    Dialogs &m_dialogs;
    UnitScaleWidgets m_w;
    QWidget *m_host;
    QComboBox *m_cbScaleSet;
    QComboBox *m_cbUnitSet;
};
