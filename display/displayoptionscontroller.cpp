#include "display/displayoptionscontroller.h"

#include <algorithm>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "base/color.h"
#include "ui/dialogs.h"
#include "ui/guarded.h"
#include "ui/pictureview.h"
#include "ui/shape.h"

namespace {

constexpr int LabelDisplayModes = 6;

}  // namespace

DisplayOptionsController::DisplayOptionsController(Dialogs &dialogs, const DisplayOptionWidgets &widgets,
                                                   QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    // Toggled rather than clicked: the options follow their boxes also when other parts (the live
    // view, the settings file) check or uncheck them.
    connect(m_w.cbCross, &QCheckBox::toggled, this, &DisplayOptionsController::cbCrossClick);
    connect(m_w.CheckBox1, &QCheckBox::toggled, this, &DisplayOptionsController::CheckBox1Click);
    connect(m_w.cbDisplayScaleGauge, &QCheckBox::toggled, this, &DisplayOptionsController::cbDisplayScaleGaugeClick);
    connect(m_w.cbPhotoHide, &QCheckBox::toggled, this, &DisplayOptionsController::cbPhotoHideClick);
    connect(m_w.SpeedButton6, &QAbstractButton::clicked, this, &DisplayOptionsController::SpeedButton6Click);
    connect(m_w.Shape2, &Shape::contextPopup, this, &DisplayOptionsController::Shape2ContextPopup);
    connect(m_w.sbLabelFont, &QAbstractButton::clicked, this, &DisplayOptionsController::Panel19Click);
    connect(m_w.Panel87, &QPushButton::clicked, this, &DisplayOptionsController::Panel87Click);
    connect(m_w.Panel85, &QPushButton::clicked, this, &DisplayOptionsController::Panel85Click);
    connect(m_w.Panel89, &QPushButton::clicked, this, &DisplayOptionsController::Panel89Click);
    connect(m_w.Panel90, &QPushButton::clicked, this, &DisplayOptionsController::Panel90Click);
    for (QObject *watched : std::initializer_list<QObject *>{m_w.Panel19, m_w.Panel20, m_w.Shape2, m_w.Panel88})
        watched->installEventFilter(this);
    // The marks over the picture are shown exactly when their boxes are checked, from the start.
    cbCrossClick();
    CheckBox1Click();
}

TColor DisplayOptionsController::drawingColour() const
{
    return toTColor(m_w.Shape2->brushColor());
}

int DisplayOptionsController::labelDisplayMode() const
{
    return std::max(0, m_w.rgLabelDisplay->checkedId());
}

bool DisplayOptionsController::photoHidden() const
{
    return m_w.cbPhotoHide->isChecked();
}

void DisplayOptionsController::setLabelDisplayMode(int mode)
{
    if (QAbstractButton *item = m_w.rgLabelDisplay->button(mode); item && mode < LabelDisplayModes)
        item->setChecked(true);
}

void DisplayOptionsController::cbCrossClick()
{
    guarded(m_dialogs, m_w.window, [this] {
        const bool on = m_w.cbCross->isChecked();
        if (on) {
            // Through the middle of the picture as it is now; a picture of another size later
            // keeps the cross where it is until the box is checked again.
            const QRect surface = m_w.imgView->geometry();
            m_w.plVert->setGeometry(surface.left() + surface.width() / 2, surface.top(), 1, surface.height());
            m_w.plHorz->setGeometry(surface.left(), surface.top() + surface.height() / 2, surface.width(), 1);
            m_w.plVert->raise();
            m_w.plHorz->raise();
        }
        m_w.plVert->setVisible(on);
        m_w.plHorz->setVisible(on);
    });
}

void DisplayOptionsController::CheckBox1Click()
{
    guarded(m_dialogs, m_w.window, [this] { m_w.spRedPoint->setVisible(m_w.CheckBox1->isChecked()); });
}

void DisplayOptionsController::cbDisplayScaleGaugeClick()
{
    guarded(m_dialogs, m_w.window, [this] { Q_EMIT gaugeVisibilityChosen(m_w.cbDisplayScaleGauge->isChecked()); });
}

void DisplayOptionsController::cbPhotoHideClick()
{
    guarded(m_dialogs, m_w.window, [this] { Q_EMIT redrawRequested(); });
}

void DisplayOptionsController::SpeedButton6Click()
{
    guarded(m_dialogs, m_w.window, [this] { chooseDrawingColour(); });
}

void DisplayOptionsController::Shape2ContextPopup()
{
    guarded(m_dialogs, m_w.window, [this] { chooseDrawingColour(); });
}

void DisplayOptionsController::chooseDrawingColour()
{
    QColor colour = m_w.Shape2->brushColor();
    if (m_dialogs.chooseColor(m_w.window, colour))
        m_w.Shape2->setBrush(colour, Qt::SolidPattern);
}

void DisplayOptionsController::Panel19Click()
{
    guarded(m_dialogs, m_w.window, [this] {
        QFont font = m_w.Panel19->font();
        if (m_dialogs.chooseFont(m_w.window, font))
            m_w.Panel19->setFont(font);
    });
}

void DisplayOptionsController::Panel87Click()
{
    guarded(m_dialogs, m_w.window, [this] {
        setLabelDisplayMode(5);
        Q_EMIT redrawRequested();
    });
}

void DisplayOptionsController::collapseSidePanel()
{
    m_w.Panel3->setFixedWidth(16);
    m_w.Panel85->setProperty("tag", 1);
    m_w.Panel85->setText(QStringLiteral("<"));
}

void DisplayOptionsController::Panel85Click()
{
    guarded(m_dialogs, m_w.window, [this] { sizeSidePanel(m_w.Panel85->property("tag").toInt()); });
}

void DisplayOptionsController::Panel89Click()
{
    guarded(m_dialogs, m_w.window, [this] { sizeSidePanel(2); });
}

void DisplayOptionsController::Panel90Click()
{
    guarded(m_dialogs, m_w.window, [this] { sizeSidePanel(3); });
}

void DisplayOptionsController::sizeSidePanel(int tag)
{
    // The strip's tag says the width to open to; an open panel's tag is 0, so the next press closes it.
    static constexpr int widths[] = {16, 280, 320, 384};
    if (tag < 0 || tag > 3)
        return;
    m_w.Panel3->setFixedWidth(widths[tag]);
    m_w.Panel85->setText(tag == 0 ? QStringLiteral("<") : QStringLiteral(">"));
    m_w.Panel85->setProperty("tag", tag == 0 ? 1 : 0);
}

bool DisplayOptionsController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress
        || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return QObject::eventFilter(watched, event);
    if (watched == m_w.Panel88)
        Panel85Click();
    else if (watched == m_w.Panel19 || watched == m_w.Panel20)
        Panel19Click();
    // The swatch lies on the font sample's frame but a left click on it is no font choice: it
    // goes no further (its right button has the colour dialog).
    return true;
}
