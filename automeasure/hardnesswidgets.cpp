#include "automeasure/hardnesswidgets.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>

#include "base/numberparse.h"
#include "base/programerror.h"

double numberIn(const QLineEdit *field)
{
    const auto parsed = parseFloat(field->text());
    if (!parsed.ok())
        throw ProgramError(parsed.error);
    return parsed.value;
}

CircleSearch searchFromFields(const CircleWidgets &w)
{
    CircleSearch s;
    s.groups = numberIn(w.edTimes);
    s.radius = numberIn(w.edVideoLineR);
    s.autoCentre = w.cbAutoCenter->isChecked();
    if (s.autoCentre) {
        s.centreX = numberIn(w.Edit7);
        s.centreY = numberIn(w.Edit8);
    }
    s.innerPercent = w.ScrollBar1->value();
    s.outerPercent = w.ScrollBar2->value();
    s.threshold = w.ScrollBar3->value();
    s.outline = w.cbOutline->isChecked();
    s.subPixel = w.cbSubPixel->isChecked();
    return s;
}
