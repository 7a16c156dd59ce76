#pragma once

// The active scale: length per pixel of the active scale set on each axis (in that set's unit), the
// millimetres of that unit and of the display unit, and their ratio, which turns a stored length into
// the display unit. ActiveScaleController is the one writer; measuring, labels and the read-outs read
// it. A scale it sets is always finite and above 0.
struct ScaleValues {
    double ScaleX = 1;
    double ScaleY = 1;
    double ScaleUnitLength = 1;
    double DisplayUnitLength = 1;
    double UnitFactor = 1;
};
