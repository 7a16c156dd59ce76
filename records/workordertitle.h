#pragma once

#include <QString>

// A work order: one RecTitle row, as the statements write it and the exports read it.
struct WorkOrderTitle {
    qint32 mIndex = 0;
    QString OperNo;
    QString OperName;
    QString OperatorID;
    QString OperatorName;
    QString PicFullName;
    QString UnitName;
    QString ScaleName;
    double ScaleX = 0;
    double ScaleY = 0;
};
