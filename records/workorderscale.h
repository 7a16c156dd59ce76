#pragma once

#include <QString>

// What the work orders and the measurement list ask of the active scale, whose owner alone writes
// the scale values.
class WorkOrderScale {
public:
    virtual ~WorkOrderScale() = default;
    // A work order was selected: its scale set becomes the active one when the set still exists
    // (the scale-set list shows it; otherwise the set in force stays), and the read-out captions, the
    // scale and the unit factor are taken from the active set.
    virtual void useScaleSetOf(const QString &scaleName) = 0;
    // The measurement list moved: lengths are measured with the scale the work order recorded, the
    // scale-set list and the unit factor stay. A scale that is not finite and above 0 is not used.
    virtual void useWorkOrderScale(double scaleX, double scaleY) = 0;
    // The name of the display unit, as the unit captions show it.
    [[nodiscard]] virtual QString displayUnitName() const = 0;
};
