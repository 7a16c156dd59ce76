#pragma once

#include <array>

#include <QPoint>
#include <QString>

#include "measure/clicks.h"
#include "measure/measurementobject.h"

// The values every part of the main window shares. One instance lives in TfmMain; the
// controllers get a reference to it.
struct MainState {
    QString ProgramFolder;  // with a trailing separator
    QString WatchFolder;
    QString CurrentPicturePath;

    ClickState clicks;  // CurrentKind, PointX, PointY, PointCount
    bool CrosshairDrawn = false;
    QPoint crosshairPos;

    // Active scale: length per pixel in the scale set's unit, and the display unit's factor.
    double ScaleX = 1;
    double ScaleY = 1;
    double ScaleUnitLength = 1;
    double DisplayUnitLength = 1;
    double UnitFactor = 1;

    MeasurementObject CurrentMeasurement;

    // Measurements picked for the quick statistic, indexed by label tag.
    std::array<int, 1000> LabelSelected{};
    std::array<double, 1000> LabelSelectedValue{};
    int SelectedCount = 0;

    static constexpr double HugeValue = 1e300;
};
