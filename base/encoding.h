#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Text in the Windows station's Big5 code page (950), the form its settings and CSV files use.
// Both directions go through glibc's "CP950" table and never stop part-way: a character that has
// no form on the other side is replaced and the rest is converted.

// The Big5 bytes of text. Each character Big5 cannot hold (simplified forms, emoji, …) becomes
// one "?"; unmappable, when given, receives how many did.
[[nodiscard]] QByteArray toBig5(QStringView text, qsizetype *unmappable = nullptr);

// The text of Big5 bytes. A byte that starts no valid Big5 character becomes U+FFFD; a lead byte
// followed by an ASCII byte that cannot complete it keeps that ASCII character.
[[nodiscard]] QString fromBig5(QByteArrayView bytes);

// True when bytes are well-formed UTF-8 (ASCII included): no overlong forms, no surrogates.
[[nodiscard]] bool isUtf8(QByteArrayView bytes);
