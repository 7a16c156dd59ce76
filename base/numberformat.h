#pragma once

#include <QString>

// Formats value by a display pattern: "0" is a digit placeholder (at least that many digits),
// "#" an optional digit, "." the decimal point, a "," anywhere switches on thousands grouping of
// the integer part and is not printed, and every other character is copied literally ("\nCx:0.000,"
// prints a line break, "Cx:" and 1,234.500). Rounds to nearest, halves away from zero, on the
// 15-significant-digit decimal form of the value; a result that rounds to zero carries no sign.
// A non-finite value prints as "INF", "-INF" or "NAN" in place of the number, between the same
// literals ("=0.000" gives "=INF").
[[nodiscard]] QString formatFloat(const QString &pattern, double value);

// The general float-to-text form: the shortest text with up to 15 significant digits
// ("0.1", "12.5", "-3", "1E20", "1.5E-7"); "NAN", "INF" and "-INF" for the non-finite values.
[[nodiscard]] QString floatToText(double value);
