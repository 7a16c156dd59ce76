#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringView>

#include "base/safefile.h"

struct IniParse;
struct IniBytes;

// A Windows private-profile (INI) document: "[Section]" lines, each followed by "Key=Value"
// lines. Reading follows the platform's INI functions: section and key names match in any letter
// case, a value is the text after the first "=" without surrounding blanks and without one pair
// of matching quotes around it, the first matching key wins (searching every section of that name
// in file order), and lines before the first section belong to none.
//
// Writing changes only the lines it must: a key that is there gets its line rewritten (keeping
// the file's spelling of the key) unless it already holds that value; a new key goes after the
// last key of the first section of that name; a new section goes at the end. Every other line —
// comments, blank lines, unknown keys and sections, odd text — comes back byte for byte with its
// own line end.
//
// Files may be UTF-8 (with or without a byte-order mark) or Big5; well-formed UTF-8 is taken as
// UTF-8, anything else as Big5. Line ends may be CRLF or LF. A rewritten file keeps its encoding,
// its mark and its line ends (new lines take the first line end of the file); a new document is
// UTF-8 without a mark, with LF line ends. UTF-16 files are refused.
class IniFile {
public:
    enum class Encoding { Utf8, Utf8WithBom, Big5 };
    enum class LineEnd { Lf, CrLf };

    // An empty new document.
    IniFile() = default;

    // The document held by bytes; fails only for an encoding it cannot read.
    [[nodiscard]] static IniParse parse(const QByteArray &bytes);
    // The document in the file at path. A missing file is an empty document, not an error; a
    // file that exists but cannot be read fails with the system's reason.
    [[nodiscard]] static IniParse load(const QString &path);

    [[nodiscard]] Encoding encoding() const { return m_encoding; }
    [[nodiscard]] LineEnd lineEnd() const { return m_lineEnd; }

    [[nodiscard]] bool valueExists(QStringView section, QStringView key) const;
    // The value, or fallback when the key is absent; a key with an empty value reads as "".
    [[nodiscard]] QString readString(QStringView section, QStringView key, const QString &fallback) const;
    // The value as a 32-bit integer (decimal with optional sign, or hexadecimal after "0x" or
    // "$"); fallback when absent or not such a number.
    [[nodiscard]] int readInteger(QStringView section, QStringView key, int fallback) const;
    // True for any integer other than 0; fallback when the value is no integer.
    [[nodiscard]] bool readBool(QStringView section, QStringView key, bool fallback) const;
    // The value as a finite number with "." as the decimal point and an optional exponent;
    // fallback when absent or not such a number.
    [[nodiscard]] double readFloat(QStringView section, QStringView key, double fallback) const;

    // Stores value verbatim; a value with blanks at either end or with matching quotes around it
    // is written inside double quotes so it reads back the same. Section, key and value must not
    // hold line breaks, a key no "=" and a section no "]": such calls throw std::invalid_argument.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);  // decimal
    void writeBool(const QString &section, const QString &key, bool value);    // "1" or "0"
    // The general float-to-text form ("36", "0.004", "1E20"); non-finite values throw
    // std::invalid_argument, since nothing could read them back.
    void writeFloat(const QString &section, const QString &key, double value);

    // The document's bytes; fails when a changed line holds characters the file's Big5 encoding
    // cannot hold, naming them.
    [[nodiscard]] IniBytes serialize() const;
    // Serialises and replaces the file at path safely: on any failure the old file is unchanged.
    [[nodiscard]] FileWriteResult save(const QString &path) const;

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        QByteArray raw;  // the bytes as read, without the line end; unused once changed
        QByteArray end;  // "\r\n", "\n", or empty for a last line without one
        QString text;    // decoded
        bool changed = false;
        Kind kind = Kind::Other;
        QString name;  // section name or key, trimmed
        QString value; // key's value as read
    };

    static Line classify(QString text);
    [[nodiscard]] std::optional<std::size_t> findKey(QStringView section, QStringView key) const;
    [[nodiscard]] QByteArray newLineEnd() const;
    void insertLine(std::size_t at, const QString &text);

    std::vector<Line> m_lines;
    Encoding m_encoding = Encoding::Utf8;
    LineEnd m_lineEnd = LineEnd::Lf;
};

struct IniParse {
    IniFile file;
    QString error;
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

struct IniBytes {
    QByteArray bytes;
    QString error;
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// The integer and float grammars of the readers above, for values already trimmed.
[[nodiscard]] std::optional<int> iniInteger(QStringView text);
[[nodiscard]] std::optional<double> iniFloat(QStringView text);
