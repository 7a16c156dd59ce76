#pragma once

#include <QObject>

#include "display/displayoptions.h"

class Dialogs;
class PictureView;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QEvent;
class QLabel;
class QPushButton;
class QWidget;
class Shape;

// The display options: the check boxes above the picture, the drawing colour, the label font, the
// label display mode and the width of the side panel.
struct DisplayOptionWidgets {
    QWidget *window = nullptr;
    QCheckBox *cbCross = nullptr;  // "十字標": the centre cross plVert, plHorz over imgView
    QWidget *plVert = nullptr;
    QWidget *plHorz = nullptr;
    PictureView *imgView = nullptr;
    QCheckBox *CheckBox1 = nullptr;  // "小紅點": the red point spRedPoint
    Shape *spRedPoint = nullptr;
    QCheckBox *cbDisplayScaleGauge = nullptr;  // "比例尺"
    QCheckBox *cbPhotoHide = nullptr;          // "隱藏相片"
    Shape *Shape2 = nullptr;                   // the drawing-colour swatch
    QAbstractButton *SpeedButton6 = nullptr;   // chooses the drawing colour
    QLabel *Panel19 = nullptr;                 // the label font sample "字型    自動"
    QWidget *Panel20 = nullptr;                // its frame, around the swatch too
    QAbstractButton *sbLabelFont = nullptr;    // chooses the label font
    QButtonGroup *rgLabelDisplay = nullptr;    // "顯示設定": the six modes, ids 0 to 5
    QPushButton *Panel87 = nullptr;            // "只顯示修正值"
    QWidget *Panel3 = nullptr;                 // the side panel
    QWidget *Panel88 = nullptr;                // the strip on its left edge
    QPushButton *Panel85 = nullptr;            // "<": its tag says the width to open to
    QPushButton *Panel89 = nullptr;            // "("
    QPushButton *Panel90 = nullptr;            // "<<<-"
};

// The reactions of the display options. The options live in their controls; the picture refresh
// reads them through DisplayOptions, and the note field chooses a mode through LabelDisplayChoice.
// Options that change what the stored measurements look like ask for a refresh.
class DisplayOptionsController : public QObject, public DisplayOptions, public LabelDisplayChoice {
    Q_OBJECT
public:
    DisplayOptionsController(Dialogs &dialogs, const DisplayOptionWidgets &widgets, QObject *parent = nullptr);

    [[nodiscard]] TColor drawingColour() const override;
    [[nodiscard]] int labelDisplayMode() const override;
    [[nodiscard]] bool photoHidden() const override;
    void setLabelDisplayMode(int mode) override;

    // The side panel as the window starts: collapsed to its strip, the next "<" opening it.
    void collapseSidePanel();

public Q_SLOTS:
    void cbCrossClick();
    void CheckBox1Click();
    void cbDisplayScaleGaugeClick();
    void cbPhotoHideClick();
    void SpeedButton6Click();
    void Shape2ContextPopup();
    void Panel19Click();
    void Panel87Click();
    void Panel85Click();
    void Panel89Click();
    void Panel90Click();

Q_SIGNALS:
    // The stored measurements are to be drawn again (the photograph hidden or shown, a mode chosen).
    void redrawRequested();
    // "比例尺" checked or unchecked: the gauge's owner shows or hides it.
    void gaugeVisibilityChosen(bool visible);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void chooseDrawingColour();
    void sizeSidePanel(int tag);

    Dialogs &m_dialogs;
    DisplayOptionWidgets m_w;
};
