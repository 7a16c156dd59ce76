#pragma once

#include <QString>

// A number read from an operator's field. `error` is empty on success; otherwise it holds the
// parser's message and `value` is the type's zero.
template <class T>
struct ParsedNumber {
    T value{};
    QString error;
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// Reads a whole number with optional sign, ignoring surrounding blanks, whatever the locale.
// Failure: "'abc' is not a valid integer value".
[[nodiscard]] ParsedNumber<int> parseInteger(const QString &text);
// Reads a finite number with "." as the decimal point, ignoring surrounding blanks, whatever the
// locale. Failure: "'abc' is not a valid floating point value".
[[nodiscard]] ParsedNumber<double> parseFloat(const QString &text);
