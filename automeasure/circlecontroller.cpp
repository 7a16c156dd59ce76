#include "automeasure/circlecontroller.h"

#include <array>
#include <cmath>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

#include "automeasure/circledetect.h"
#include "automeasure/hardnesscontroller.h"
#include "base/numberformat.h"
#include "base/numberparse.h"
#include "calibration/scalevalues.h"
#include "display/pictures.h"
#include "measure/kinds.h"
#include "measure/measuring.h"
#include "ui/guarded.h"
#include "ui/pictureview.h"
#include "ui/shape.h"

namespace {

constexpr double Pi = 3.141592653589793;
// The scroll box shows the picture at (2, 2): shapes over it stand that much further right and down.
constexpr int PictureOffset = 2;

QRect onPicture(const GuideBox &box)
{
    return {box.left + PictureOffset, box.top + PictureOffset, box.size, box.size};
}

} // namespace

CircleDetectionController::CircleDetectionController(const ScaleValues &scale, Pictures &pictures,
                                                     MeasuringController &measuring, HardnessController &hardness,
                                                     Dialogs &dialogs, const HardnessWidgets &widgets,
                                                     QObject *parent)
    : QObject(parent)
    , m_scale(scale)
    , m_pictures(pictures)
    , m_measuring(measuring)
    , m_hardness(hardness)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    const CircleWidgets &c = m_w.circle;
    connect(c.BitBtn22, &QPushButton::clicked, this, &CircleDetectionController::BitBtn22Click);
    connect(c.bbtStoreCircle, &QPushButton::clicked, this, &CircleDetectionController::bbtStoreCircleClick);
    connect(c.ScrollBar1, &QScrollBar::valueChanged, this, &CircleDetectionController::ScrollBar1Change);
    connect(c.ScrollBar2, &QScrollBar::valueChanged, this, &CircleDetectionController::ScrollBar2Change);
    connect(c.ScrollBar3, &QScrollBar::valueChanged, this, &CircleDetectionController::ScrollBar3Change);
    connect(c.Edit5, &QLineEdit::returnPressed, this, &CircleDetectionController::Edit5KeyPress);
    connect(c.Edit6, &QLineEdit::returnPressed, this, &CircleDetectionController::Edit6KeyPress);
    connect(c.Edit12, &QLineEdit::returnPressed, this, &CircleDetectionController::Edit12KeyPress);
    connect(c.cbCircleGreen, &QCheckBox::toggled, this, &CircleDetectionController::cbCircleGreenClick);
    connect(c.cbCircleBlue, &QCheckBox::toggled, this, &CircleDetectionController::cbCircleBlueClick);
    connect(c.edTimes, &QLineEdit::editingFinished, this, &CircleDetectionController::edTimesExit);
    // The guides follow what places them, so they never show limits the search would not use.
    for (QLineEdit *field : {c.edVideoLineR, c.Edit7, c.Edit8})
        connect(field, &QLineEdit::textChanged, this, [this] { guarded(m_dialogs, m_w.window, [this] { updateGuides(); }); });
    connect(c.cbAutoCenter, &QCheckBox::toggled, this, [this] { guarded(m_dialogs, m_w.window, [this] { updateGuides(); }); });
    connect(m_w.imgView, &PictureView::resized, this, [this] { guarded(m_dialogs, m_w.window, [this] { updateGuides(); }); });
    connect(m_w.imgView, &PictureView::mouseDown, this, &CircleDetectionController::imgViewMouseDown);
    connect(m_w.imgView, &PictureView::mouseMove, this, &CircleDetectionController::imgViewMouseMove);
    connect(m_w.imgView, &PictureView::mouseUp, this, &CircleDetectionController::imgViewMouseUp);
    connect(&m_measuring, &MeasuringController::circleDetectionReset, this,
            &CircleDetectionController::circleDetectionReset);
    c.bbtStoreCircle->setEnabled(false);
}

void CircleDetectionController::attachMenu(QAction *mmCircle)
{
    m_mmCircle = mmCircle;
    connect(mmCircle, &QAction::toggled, this, &CircleDetectionController::mmCircleClick);
}

void CircleDetectionController::BitBtn22Click()
{
    guarded(m_dialogs, m_w.window, [this] { detect(); });
}

void CircleDetectionController::bbtStoreCircleClick()
{
    guarded(m_dialogs, m_w.window, [this] { storeCircle(); });
}

void CircleDetectionController::detect()
{
    const CircleSearch search = searchFromFields(m_w.circle);
    m_pictures.restoreClean();
    const CircleDetection found = detectCircle(rowsOf(m_pictures.view()), search, m_scale.ScaleX, m_scale.ScaleY);
    m_pictures.draw([&](Canvas &canvas) { markEdges(canvas, found.marks); });
    showResult(found, search.subPixel);
    if (!found.found())
        return;
    m_detected = FittedCircle{found.centre, found.radius};
    m_w.circle.bbtStoreCircle->setEnabled(true);
    m_hardness.setDiameter(formatFloat(QStringLiteral("0.000"), found.diameter), HardnessController::Source::Other);
    m_hardness.calculate();
}

void CircleDetectionController::showResult(const CircleDetection &found, bool subPixel)
{
    QLabel *status = m_w.circle.lbDetection;
    QLabel *fit = m_w.brinell.lbFitCircle;
    fit->clear();
    if (!found.found()) {
        forgetCircle();
        status->setText(detectionStatusText(found.status));
        status->setStyleSheet(QStringLiteral("color: #c00000;"));
        return;
    }
    status->setStyleSheet(QString());
    if (!subPixel) {
        status->setText(QStringLiteral("邊緣點 %1，圓 %2 組").arg(found.edges.size()).arg(found.groupsUsed));
        return;
    }
    status->setText(QStringLiteral("邊緣點 %1，剔除 %2").arg(found.edges.size()).arg(found.outliers));
    const QString number = QStringLiteral("0.000");
    fit->setText(QStringLiteral("圓心 (%1, %2)  殘差 %3 px")
                     .arg(formatFloat(number, found.centre.x() * m_scale.ScaleX),
                          formatFloat(number, found.centre.y() * m_scale.ScaleY), formatFloat(number, found.residual)));
}

void CircleDetectionController::storeCircle()
{
    if (!m_detected)
        return;
    const FittedCircle circle = *m_detected;
    // Three points 120° apart give back the circle's centre and radius when clicked.
    std::array<QPointF, 3> points;
    for (int k = 0; k < 3; ++k) {
        const double theta = 2 * Pi * k / 3;
        points[std::size_t(k)] =
            circle.centre + QPointF(circle.radius * std::cos(theta), circle.radius * std::sin(theta));
    }
    m_measuring.measurePoints(kindIndex(MeasurementKind::Circle), points);
    // Stored once: a second press would store the same impression twice.
    forgetCircle();
}

void CircleDetectionController::forgetCircle()
{
    m_detected.reset();
    m_w.circle.bbtStoreCircle->setEnabled(false);
}

void CircleDetectionController::pictureOpened()
{
    guarded(m_dialogs, m_w.window, [this] {
        forgetCircle();
        m_w.circle.lbDetection->clear();
        m_w.brinell.lbFitCircle->clear();
    });
}

void CircleDetectionController::ScrollBar1Change(int position)
{
    guarded(m_dialogs, m_w.window, [&] {
        m_w.circle.Edit5->setText(QString::number(position));
        updateGuides();
    });
}

void CircleDetectionController::ScrollBar2Change(int position)
{
    guarded(m_dialogs, m_w.window, [&] {
        m_w.circle.Edit6->setText(QString::number(position));
        updateGuides();
    });
}

void CircleDetectionController::ScrollBar3Change(int position)
{
    guarded(m_dialogs, m_w.window, [&] { m_w.circle.Edit12->setText(QString::number(position)); });
}

void CircleDetectionController::Edit5KeyPress()
{
    guarded(m_dialogs, m_w.window, [this] { setFromField(m_w.circle.ScrollBar1, m_w.circle.Edit5); });
}

void CircleDetectionController::Edit6KeyPress()
{
    guarded(m_dialogs, m_w.window, [this] { setFromField(m_w.circle.ScrollBar2, m_w.circle.Edit6); });
}

void CircleDetectionController::Edit12KeyPress()
{
    guarded(m_dialogs, m_w.window, [this] { setFromField(m_w.circle.ScrollBar3, m_w.circle.Edit12); });
}

void CircleDetectionController::setFromField(QScrollBar *bar, const QLineEdit *field)
{
    // The bar keeps to its range; a value outside it stops at the nearer end.
    bar->setValue(wholePixel(numberIn(field)));
}

void CircleDetectionController::cbCircleGreenClick(bool checked)
{
    guarded(m_dialogs, m_w.window, [&] {
        m_w.circle.spCircleGreen->setVisible(checked);
        updateGuides();
    });
}

void CircleDetectionController::cbCircleBlueClick(bool checked)
{
    guarded(m_dialogs, m_w.window, [&] {
        m_w.circle.spCircleBlue->setVisible(checked);
        updateGuides();
    });
}

void CircleDetectionController::updateGuides()
{
    const CircleWidgets &c = m_w.circle;
    // While a field is being typed it may hold no number yet: the guides wait where they are.
    const auto radius = parseFloat(c.edVideoLineR->text());
    const auto cx = parseFloat(c.Edit7->text());
    const auto cy = parseFloat(c.Edit8->text());
    if (!radius.ok() || (c.cbAutoCenter->isChecked() && !(cx.ok() && cy.ok())))
        return;
    CircleSearch search;
    search.radius = radius.value;
    search.autoCentre = c.cbAutoCenter->isChecked();
    search.centreX = cx.value;
    search.centreY = cy.value;
    const QImage &view = m_pictures.view();
    const SearchRange range = searchRange(search, m_scale.ScaleX, m_scale.ScaleY, view.width(), view.height());
    c.spCircleGreen->setGeometry(onPicture(guideCircle(range, c.ScrollBar1->value(), false)));
    c.spCircleBlue->setGeometry(onPicture(guideCircle(range, c.ScrollBar2->value(), true)));
}

void CircleDetectionController::edTimesExit()
{
    guarded(m_dialogs, m_w.window, [this] {
        const auto groups = parseFloat(m_w.circle.edTimes->text());
        if (groups.ok() && groups.value > 100)
            m_w.circle.edTimes->setText(QStringLiteral("100"));
    });
}

void CircleDetectionController::mmCircleClick(bool checked)
{
    guarded(m_dialogs, m_w.window, [&] {
        m_w.circle.spCircle1->setVisible(checked);
        m_w.circle.spCircle2->setVisible(checked);
        for (Shape *shape : {m_w.circle.spCircle1, m_w.circle.spCircle2})
            shape->raise();
        m_measuring.setCircleDetection(checked);
        m_freeCircle = 0;
        m_stretching = false;
    });
}

void CircleDetectionController::imgViewMouseDown(QMouseEvent *event)
{
    guarded(m_dialogs, m_w.window, [&] {
        if (!m_mmCircle || !m_mmCircle->isChecked() || event->button() == Qt::RightButton
            || (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
            return;
        m_freeCentre = QPointF(event->position().toPoint());
        m_stretching = true;
        placeFreeCircle(m_freeCentre);
    });
}

void CircleDetectionController::imgViewMouseMove(QMouseEvent *event)
{
    guarded(m_dialogs, m_w.window, [&] {
        if (m_stretching)
            placeFreeCircle(QPointF(event->position().toPoint()));
    });
}

void CircleDetectionController::imgViewMouseUp(QMouseEvent *event)
{
    guarded(m_dialogs, m_w.window, [&] {
        if (!m_stretching)
            return;
        placeFreeCircle(QPointF(event->position().toPoint()));
        m_stretching = false;
        m_freeCircle = 1 - m_freeCircle;
    });
}

void CircleDetectionController::circleDetectionReset()
{
    m_freeCircle = 0;
    m_stretching = false;
}

void CircleDetectionController::placeFreeCircle(QPointF at)
{
    // The circle is centred where the button went down and reaches the pointer.
    const double r = std::hypot(at.x() - m_freeCentre.x(), at.y() - m_freeCentre.y());
    Shape *shape = m_freeCircle == 0 ? m_w.circle.spCircle1 : m_w.circle.spCircle2;
    shape->setGeometry(wholePixel(m_freeCentre.x() - r) + PictureOffset, wholePixel(m_freeCentre.y() - r) + PictureOffset,
                       wholePixel(2 * r + 1), wholePixel(2 * r + 1));
}
