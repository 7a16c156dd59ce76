#pragma once

#include <QByteArray>
#include <QString>

// Big5 as Windows writes it (code page 950), through the C library's "CP950" table. A character
// Big5 cannot hold (an emoji, a simplified form) becomes "?"; unmappable, when given, receives how
// many did. Throws std::runtime_error when the C library has no CP950 table.
[[nodiscard]] QByteArray toBig5(const QString &text, int *unmappable = nullptr);

// Big5 bytes back to text; a byte sequence that is not Big5 becomes U+FFFD.
[[nodiscard]] QString fromBig5(const QByteArray &bytes);
