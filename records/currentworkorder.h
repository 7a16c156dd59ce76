#pragma once

#include <QString>

// The current work order number: the number in the work order field with the blanks at both ends
// trimmed, once, here. Every measurement is stored under it and the measurement list is read for it,
// so a number typed as "WO1 " stores the rows the list then shows. The work order field's reaction
// is the one writer; everyone else reads number().
class CurrentWorkOrder {
public:
    void setNumber(const QString &typed) { m_number = typed.trimmed(); }
    [[nodiscard]] const QString &number() const { return m_number; }
    [[nodiscard]] bool isEmpty() const { return m_number.isEmpty(); }

private:
    QString m_number;
};
