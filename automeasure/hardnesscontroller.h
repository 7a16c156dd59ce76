#pragma once

#include <QObject>
#include <QString>

#include "automeasure/hardnesswidgets.h"

class Dialogs;
class MeasuringController;
class QAction;

// The hardness tool: the menu item "硬度計算" that swaps the side panels, and the page "Brinell":
// the hardness with its Rockwell estimate and ISO 6506-1 checks, the average radius, and the
// radius doubled into the impression diameter. Detection and the width and height search hand
// their diameters here.
class HardnessController : public QObject {
    Q_OBJECT
public:
    HardnessController(MeasuringController &measuring, Dialogs &dialogs, const HardnessWidgets &widgets,
                       QObject *parent = nullptr);

    // The menu item "硬度計算"; the controller reacts to it from now on.
    void attachMenu(QAction *mmHardness);
    // The last step of the window's start: a hardness tool left on by the settings is switched off.
    void leaveOffAtStart();

    // Where the impression diameter came from: the ISO check of the two diameters applies only to
    // a diameter that is their mean.
    enum class Source { Other, WidthAndHeight };
    // eddd takes text, found by the detection or the search; the hardness is the caller's next step.
    void setDiameter(const QString &text, Source source);
    // bbtCalBrinellClick's work: throws ProgramError when edP, edD or eddd holds no number, and
    // the results then stay as they were.
    void calculate();
    // bbtAvgRadusClick's work from edVideoLineW and edVideoLineH; throws as calculate().
    void averageRadius();

public Q_SLOTS:
    void mmHardnessClick(bool checked);
    void bbtCalBrinellClick();
    void bbtAvgRadusClick();
    void edVideoLineRChange(const QString &text);

private:
    void showChecks(double ball, double impression);

    MeasuringController &m_measuring;
    Dialogs &m_dialogs;
    HardnessWidgets m_w;
    QAction *m_mmHardness = nullptr;
    Source m_source = Source::Other;
};
