#pragma once

#include "automeasure/raysearch.h"

class PictureView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QStackedWidget;
class QWidget;
class Shape;
class UpDown;

// The page "Brinell" of the hardness panel: ball, load, impression, the result and its checks.
struct BrinellWidgets {
    QLineEdit *edD = nullptr;           // ball diameter, mm
    QLineEdit *eddd = nullptr;          // impression diameter, mm
    QLineEdit *edP = nullptr;           // load, Kg
    QLineEdit *edHb = nullptr;          // the hardness, or the words for none
    QLineEdit *edVideoLineW = nullptr;  // horizontal width of the impression
    QLineEdit *edVideoLineH = nullptr;  // vertical height
    QLineEdit *edHR = nullptr;          // the Rockwell estimate
    QLabel *lbHR = nullptr;             // its scale: "HRB", "HRC" or empty
    QLineEdit *edVideoLineR = nullptr;  // nominal radius
    QPushButton *bbtCalBrinell = nullptr;
    QPushButton *bbtAvgRadus = nullptr;
    QLabel *lbIsoRatio = nullptr;      // d / D against ISO 6506-1
    QLabel *lbIsoDiameters = nullptr;  // the two diameters against ISO 6506-1
    QLabel *lbFitCircle = nullptr;     // the fitted centre and residual of "精密"
};

// The page "自動": the settings of the search shared with "手動", detection and the guides.
struct CircleWidgets {
    QLineEdit *edVideoLineR = nullptr;  // the nominal radius, on the page "Brinell"
    QCheckBox *cbAutoCenter = nullptr;
    QLineEdit *Edit7 = nullptr;  // Cx
    QLineEdit *Edit8 = nullptr;  // Cy
    QScrollBar *ScrollBar1 = nullptr;  // inner percent, mirrored in Edit5
    QScrollBar *ScrollBar2 = nullptr;  // outer percent, mirrored in Edit6
    QScrollBar *ScrollBar3 = nullptr;  // threshold, mirrored in Edit12
    QLineEdit *Edit5 = nullptr;
    QLineEdit *Edit6 = nullptr;
    QLineEdit *Edit12 = nullptr;
    QLineEdit *edTimes = nullptr;  // groups of three rays
    QCheckBox *cbOutline = nullptr;
    QCheckBox *cbCircleGreen = nullptr;
    QCheckBox *cbCircleBlue = nullptr;
    QCheckBox *cbSubPixel = nullptr;  // "精密"
    QPushButton *BitBtn22 = nullptr;  // "計算"
    QPushButton *bbtStoreCircle = nullptr;  // "存圓"
    QLabel *lbDetection = nullptr;  // what the last detection found, or why it found nothing
    // On the picture's scroll box, where the picture stands at (2, 2).
    Shape *spCircleGreen = nullptr;
    Shape *spCircleBlue = nullptr;
    Shape *spCircle1 = nullptr;
    Shape *spCircle2 = nullptr;
};

// The page "手動": the width and height search and its frame.
struct WidthHeightWidgets {
    QLineEdit *lbedUpX = nullptr, *lbedUpY = nullptr, *lbedDnX = nullptr, *lbedDnY = nullptr;
    QLineEdit *lbedLtX = nullptr, *lbedLtY = nullptr, *lbedRtX = nullptr, *lbedRtY = nullptr;
    UpDown *UpDown1 = nullptr;  // top side
    UpDown *UpDown2 = nullptr;  // bottom side
    UpDown *UpDown3 = nullptr;  // right side
    UpDown *UpDown4 = nullptr;  // left side
    QCheckBox *cb10X = nullptr;
    QCheckBox *cbShowRect = nullptr;  // "範圍": the frame shown
    QPushButton *bbtCalWidHei = nullptr;
    QPushButton *BitBtn26 = nullptr;
    Shape *Shape3 = nullptr;  // the frame, on the picture's scroll box
};

// The hardness panel plHardTest and what it works on.
struct HardnessWidgets {
    QWidget *window = nullptr;
    QStackedWidget *plPC5 = nullptr;  // shows plMeasure or plHardTest
    QWidget *plMeasure = nullptr;
    QWidget *plHardTest = nullptr;
    PictureView *imgView = nullptr;
    BrinellWidgets brinell;
    CircleWidgets circle;
    WidthHeightWidgets widthHeight;
};

// The number in an operator's field; throws ProgramError with the parser's message otherwise.
[[nodiscard]] double numberIn(const QLineEdit *field);

// The search as the page "自動" holds it; throws ProgramError when a field it needs holds no
// number (the centre fields only count with cbAutoCenter).
[[nodiscard]] CircleSearch searchFromFields(const CircleWidgets &w);
