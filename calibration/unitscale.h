#pragma once

#include <QObject>
#include <QPointer>

#include "records/datasets.h"

class Dialogs;
class QComboBox;
class QLineEdit;
class QTableView;
class QWidget;
struct MainState;

// Maintenance of the unit and scale-set tables on the settings page "倍率設定", and the refills of
// the scale box's two lists. Built into `host` (which gets a layout):
//   unit panel  plUnitSet:  edUnitIndex, edUnitCode, edUnitName, edUnitValue; buttons BitBtn11 "新增",
//                           BitBtn12 "更新", BitBtn13 "刪除", bbtUnitSetRefresh "資料重整"; grid dbgUnitSet
//                           (editable in place: a posted cell goes straight to UnitSet, a refused one is
//                           shown through Dialogs::error)
//   scale panel plScaleSet: edScaleIndex, edScaleName, edScaleUnitCode, edScaleUnitName (read-only),
//                           edXLength, edXPixel, edYLength, edYPixel; buttons BitBtn2 "新增", BitBtn10
//                           "更新", BitBtn18 "刪除", bbtScaleSetRefresh "資料重整"; grid dbgScaleSet
//                           (whole rows, read-only)
// The grids and their datasets follow each other's current row. Moving qryScaleSet's row, by any
// means, sets MainState::ScaleX and ScaleY. A number field that holds no number stops an add or update
// with the parser's message through Dialogs::error before anything is written; every database error
// is shown the same way and stops the operation at that statement. Unit changes reread qryScaleSet as
// well, since its join drops the sets whose unit code no longer exists.
class UnitScaleController : public QObject {
    Q_OBJECT
public:
    UnitScaleController(MainState &state, Dialogs &dialogs, const Datasets &datasets, QWidget *host,
                        QObject *parent = nullptr);

    // The scale box's scale-set list and display-unit list, which the refills rebuild. Until they
    // are given, the refills still reposition the datasets and set the scale factors.
    void setLists(QComboBox *cbScaleSet, QComboBox *cbUnitSet);

public Q_SLOTS:
    void BitBtn11Click();
    void BitBtn12Click();
    void BitBtn13Click();
    void bbtUnitSetRefreshClick();
    void BitBtn2Click();
    void BitBtn10Click();
    void BitBtn18Click();
    void bbtScaleSetRefreshClick();

    // Fills the unit fields from qryUnitSet's current row.
    void qryUnitSetAfterScroll();
    // Refill of the display-unit list, keeping the entry shown when it still exists.
    void qryUnitSetAfterOpen();
    // Sets ScaleX and ScaleY from qryScaleSet's current row, then fills the scale fields.
    void qryScaleSetAfterScroll();
    // Refill of the scale-set list, keeping the name shown when it still exists; sets the factors.
    void qryScaleSetAfterOpen();
    void qryScaleSetAfterPost();

private:
    void buildUnitPanel(QWidget *panel);
    void buildScalePanel(QWidget *panel);
    void refillScaleSetList();
    // Reads the scale panel's number and lengths; shows the parser's message and returns false when
    // one is not a number.
    bool readScaleFields(QVariantMap &fields);
    void refreshUnits();
    void refreshScaleSets();
    void setScaleFactorsFromCurrentRow();

    MainState &m_state;
    Dialogs &m_dialogs;
    Datasets m_d;
    QWidget *m_host;
    QPointer<QComboBox> m_cbScaleSet;
    QPointer<QComboBox> m_cbUnitSet;

    QLineEdit *m_edUnitIndex = nullptr;
    QLineEdit *m_edUnitCode = nullptr;
    QLineEdit *m_edUnitName = nullptr;
    QLineEdit *m_edUnitValue = nullptr;
    QTableView *m_dbgUnitSet = nullptr;

    QLineEdit *m_edScaleIndex = nullptr;
    QLineEdit *m_edScaleName = nullptr;
    QLineEdit *m_edScaleUnitCode = nullptr;
    QLineEdit *m_edScaleUnitName = nullptr;
    QLineEdit *m_edXLength = nullptr;
    QLineEdit *m_edXPixel = nullptr;
    QLineEdit *m_edYLength = nullptr;
    QLineEdit *m_edYPixel = nullptr;
    QTableView *m_dbgScaleSet = nullptr;
};
