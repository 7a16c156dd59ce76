#pragma once

#include <array>

#include <QString>

// One measurement, field for field one RecDetail row. x[0], y[0] are x1, y1 (P1 in picture
// pixels) … x[3], y[3] are x4, y4; x[4]…x[7], y[4]…y[7] are x5…x8, y5…y8 (the same points scaled).
// Val[0] is Val1 … Val[5] is Val6.
struct MeasurementObject {
    QString OperNo;
    QString RecID;
    QString RecName;
    qint32 OBJIndex = 0;
    qint32 AttribID = 0;
    QString Attrib;
    std::array<double, 8> x{};
    std::array<double, 8> y{};
    std::array<double, 6> Val{};
    qint32 LabelX = 0;
    qint32 LabelY = 0;
    qint32 LabelSize = 0;
    quint32 Color = 0;
    QString OBJNote;
    QString MeasureName;
    qint32 rIndex = 0;
};
