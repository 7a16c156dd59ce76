#pragma once

class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

// The unit and scale-set panels of the settings page "倍率設定":
//   unit panel  plUnitSet:  edUnitIndex, edUnitCode, edUnitName, edUnitValue; buttons BitBtn11 "新增",
//                           BitBtn12 "更新", BitBtn13 "刪除", bbtUnitSetRefresh "資料重整"; grid dbgUnitSet
//   scale panel plScaleSet: edScaleIndex, edScaleName, edScaleUnitCode, edScaleUnitName (read-only),
//                           edXLength, edXPixel, edYLength, edYPixel; buttons BitBtn2 "新增", BitBtn10
//                           "更新", BitBtn18 "刪除", bbtScaleSetRefresh "資料重整"; grid dbgScaleSet
struct UnitScaleWidgets {
    QLineEdit *edUnitIndex = nullptr;
    QLineEdit *edUnitCode = nullptr;
    QLineEdit *edUnitName = nullptr;
    QLineEdit *edUnitValue = nullptr;
    QPushButton *BitBtn11 = nullptr;
    QPushButton *BitBtn12 = nullptr;
    QPushButton *BitBtn13 = nullptr;
    QPushButton *bbtUnitSetRefresh = nullptr;
    QTableView *dbgUnitSet = nullptr;

    QLineEdit *edScaleIndex = nullptr;
    QLineEdit *edScaleName = nullptr;
    QLineEdit *edScaleUnitCode = nullptr;
    QLineEdit *edScaleUnitName = nullptr;
    QLineEdit *edXLength = nullptr;
    QLineEdit *edXPixel = nullptr;
    QLineEdit *edYLength = nullptr;
    QLineEdit *edYPixel = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *BitBtn10 = nullptr;
    QPushButton *BitBtn18 = nullptr;
    QPushButton *bbtScaleSetRefresh = nullptr;
    QTableView *dbgScaleSet = nullptr;
};

// Builds both panels with their grids into host, which gets a layout.
[[nodiscard]] UnitScaleWidgets buildUnitScalePanels(QWidget *host);
