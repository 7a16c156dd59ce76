#pragma once

#include "base/canvas.h"

// What the display options decide about drawing the stored measurements: the drawing colour (the
// swatch Shape2), the label display mode (rgLabelDisplay, 0 to 5) and whether the photograph is
// hidden ("隱藏相片"). The picture refresh, the exported picture and the report read them.
class DisplayOptions {
public:
    virtual ~DisplayOptions() = default;
    [[nodiscard]] virtual TColor drawingColour() const = 0;
    [[nodiscard]] virtual int labelDisplayMode() const = 0;
    [[nodiscard]] virtual bool photoHidden() const = 0;
};

// Choosing the label display mode from elsewhere (the note field's Enter chooses "只顯示說明", 5).
// It takes effect at the next picture refresh, which the caller runs.
class LabelDisplayChoice {
public:
    virtual ~LabelDisplayChoice() = default;
    virtual void setLabelDisplayMode(int mode) = 0;
};
