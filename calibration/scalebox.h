#pragma once

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class Shape;

// The scale box "  倍率選擇 :  " of the measuring page: gbScaleBox with cbScaleSet (the scale-set
// list), dbedUnitName (read-only: the active set's unit code), cbUnitSet "單位顯示切換 : " (the
// display-unit list) and the hidden button bbtChangeUnitSet "變更倍率組".
struct ScaleBoxWidgets {
    QGroupBox *gbScaleBox = nullptr;
    QComboBox *cbScaleSet = nullptr;
    QLineEdit *dbedUnitName = nullptr;
    QComboBox *cbUnitSet = nullptr;
    QPushButton *bbtChangeUnitSet = nullptr;
};

// The scale gauge over the picture. Its two 50 x 8 bars spUnit0 and spUnit50 lie side by side from
// (12, 28) to (112, 36) of the picture's content widget (the picture sits at (2, 2)), so it spans 100
// picture pixels near the picture's top-left corner; lbUnit0 "0" is centred above x = 12, lbUnit100
// (the gauge's length in display units) above x = 112, and lbUnit ("Unit:" + display unit) sits below
// the bars from x = 12. Clicks go through it to the picture.
struct GaugeWidgets {
    Shape *spUnit0 = nullptr;
    Shape *spUnit50 = nullptr;
    QLabel *lbUnit0 = nullptr;
    QLabel *lbUnit100 = nullptr;
    QLabel *lbUnit = nullptr;
};

// Builds the scale box into host, which gets a layout.
[[nodiscard]] ScaleBoxWidgets buildScaleBox(QWidget *host);
// Builds the gauge on the picture's content widget, above what it holds already.
[[nodiscard]] GaugeWidgets buildGauge(QWidget *pictureContent);
// Sizes the gauge's captions to their texts and puts them back in their places.
void placeGaugeCaptions(const GaugeWidgets &gauge);
