#pragma once

#include <optional>

#include <QString>

struct ExportRow;
struct ExportTitle;

// The measurement list's kind name for AttribID: "寬" … "文字註解"; "未知" when empty; "" for any
// other number.
[[nodiscard]] QString listKindName(std::optional<qint32> attribId);

// A scaled coordinate as the list holds it: rounded to four decimals.
[[nodiscard]] double listRounded(double value);

// A result as the list's calculated columns xVal1 … xVal3 show it: four decimals.
[[nodiscard]] QString listValueText(double value);

// The data layer's text form of a field, looked up by name case-insensitively: texts as stored,
// integers in decimal, floats in the general form; nothing when the row has no such field.
// A measurement row also has the list's calculated fields xAttribID, xVal1, xVal2, xVal3.
[[nodiscard]] std::optional<QString> fieldText(const ExportTitle &title, const QString &field);
[[nodiscard]] std::optional<QString> fieldText(const ExportRow &row, const QString &field);

// The message of a field a grid names but its row lacks.
[[nodiscard]] QString fieldNotFoundMessage(const QString &field);
