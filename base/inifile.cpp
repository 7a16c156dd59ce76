#include "base/inifile.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include "base/encoding.h"
#include "base/numberformat.h"

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

// Well-formed UTF-8 (ASCII included); Big5 text with Chinese in it practically never is.
// Stateless, so a sequence cut off at the end counts as malformed.
bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

bool holdsLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(0));
}

void requireOneLine(const QString &what, const QString &text)
{
    if (holdsLineBreak(text))
        throw std::invalid_argument(what.toStdString() + " holds a line break: " + text.toStdString());
}

// The platform's reader drops one pair of matching quotes around a value.
QString unquoted(const QString &value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// The text to write so that reading it gives value back.
QString quotedIfNeeded(const QString &value)
{
    const bool blankAtEnd = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    if (blankAtEnd || unquoted(value) != value)
        return u'"' + value + u'"';
    return value;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The value of an ASCII digit in base 10 or 16, -1 for anything else.
int digitValue(QChar c, int base)
{
    if (isDigit(c))
        return c.unicode() - u'0';
    const char16_t lower = c.toLower().unicode();
    if (base == 16 && lower >= u'a' && lower <= u'f')
        return lower - u'a' + 10;
    return -1;
}

} // namespace

std::optional<int> iniInteger(QStringView text)
{
    // Decimal with an optional sign, or hexadecimal after "0x" or "$", nothing else around it.
    int base = 10;
    qsizetype i = 0;
    bool negative = false;
    if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        i = 2;
    } else if (text.startsWith(u'$')) {
        base = 16;
        i = 1;
    } else if (text.startsWith(u'+') || text.startsWith(u'-')) {
        negative = text.front() == u'-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i], base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

std::optional<double> iniFloat(QStringView text)
{
    // [sign] digits [. digits] [E [sign] digits], at least one digit before the exponent.
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    for (; i < n && isDigit(text[i]); ++i)
        ++digits;
    if (i < n && text[i] == u'.')
        for (++i; i < n && isDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        qsizetype exponentDigits = 0;
        for (; i < n && isDigit(text[i]); ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double value = text.toLatin1().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

IniParse IniFile::parse(const QByteArray &bytes)
{
    IniParse result;
    IniFile &doc = result.file;
    QByteArrayView body(bytes);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        result.error = QStringLiteral("UTF-16 text is not supported; save the file as UTF-8 or Big5");
        return result;
    }
    if (bytes.startsWith(Utf8Bom)) {
        doc.m_encoding = Encoding::Utf8WithBom;
        body = body.sliced(Utf8Bom.size());
    } else {
        doc.m_encoding = isUtf8(body) ? Encoding::Utf8 : Encoding::Big5;
    }

    bool lineEndSeen = false;
    qsizetype start = 0;
    while (start < body.size()) {
        const qsizetype newline = body.indexOf('\n', start);
        const qsizetype stop = newline < 0 ? body.size() : newline;
        qsizetype contentEnd = stop;
        if (newline >= 0 && stop > start && body[stop - 1] == '\r')
            --contentEnd;
        const QByteArrayView raw = body.sliced(start, contentEnd - start);
        const QString text = doc.m_encoding == Encoding::Big5 ? fromBig5(raw.toByteArray()) : QString::fromUtf8(raw);
        Line line = classify(text);
        line.raw = raw.toByteArray();
        if (newline >= 0) {
            line.end = contentEnd < stop ? QByteArray("\r\n") : QByteArray("\n");
            if (!lineEndSeen) {
                doc.m_lineEnd = contentEnd < stop ? LineEnd::CrLf : LineEnd::Lf;
                lineEndSeen = true;
            }
        }
        doc.m_lines.push_back(std::move(line));
        start = newline < 0 ? body.size() : newline + 1;
    }
    return result;
}

IniParse IniFile::load(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {IniFile(), QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString())};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {IniFile(), QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString())};
    IniParse parsed = parse(bytes);
    if (!parsed.ok())
        parsed.error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + parsed.error;
    return parsed;
}

IniFile::Line IniFile::classify(QString text)
{
    Line line;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u'[')) {
        line.kind = Kind::Section;
        const qsizetype close = trimmed.indexOf(u']');
        line.name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
    } else if (const qsizetype equals = trimmed.indexOf(u'='); equals > 0) {
        const QString key = trimmed.left(equals).trimmed();
        if (!key.isEmpty() && !key.startsWith(u';')) {
            line.kind = Kind::Key;
            line.name = key;
            line.value = unquoted(trimmed.mid(equals + 1).trimmed());
        }
    }
    line.text = std::move(text);
    return line;
}

std::optional<std::size_t> IniFile::findKey(QStringView section, QStringView key) const
{
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.kind == Kind::Section)
            inSection = line.name.compare(section, Qt::CaseInsensitive) == 0;
        else if (inSection && line.kind == Kind::Key && line.name.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

bool IniFile::valueExists(QStringView section, QStringView key) const
{
    return findKey(section, key).has_value();
}

QString IniFile::readString(QStringView section, QStringView key, const QString &fallback) const
{
    const auto at = findKey(section, key);
    return at ? m_lines[*at].value : fallback;
}

int IniFile::readInteger(QStringView section, QStringView key, int fallback) const
{
    const auto at = findKey(section, key);
    if (!at)
        return fallback;
    return iniInteger(m_lines[*at].value).value_or(fallback);
}

bool IniFile::readBool(QStringView section, QStringView key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

double IniFile::readFloat(QStringView section, QStringView key, double fallback) const
{
    const auto at = findKey(section, key);
    if (!at)
        return fallback;
    return iniFloat(m_lines[*at].value).value_or(fallback);
}

QByteArray IniFile::newLineEnd() const
{
    return m_lineEnd == LineEnd::CrLf ? QByteArray("\r\n") : QByteArray("\n");
}

void IniFile::insertLine(std::size_t at, const QString &text)
{
    Line line = classify(text);
    line.changed = true;
    line.end = newLineEnd();
    m_lines.insert(m_lines.begin() + std::ptrdiff_t(at), std::move(line));
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    requireOneLine(QStringLiteral("INI section"), section);
    requireOneLine(QStringLiteral("INI key"), key);
    requireOneLine(QStringLiteral("INI value"), value);
    if (section.contains(u']') || section.trimmed() != section || section.isEmpty())
        throw std::invalid_argument("unusable INI section name: " + section.toStdString());
    if (key.contains(u'=') || key.trimmed() != key || key.isEmpty() || key.startsWith(u';'))
        throw std::invalid_argument("unusable INI key: " + key.toStdString());
    const QString stored = quotedIfNeeded(value);

    if (const auto at = findKey(section, key)) {
        Line &line = m_lines[*at];
        if (line.value == value)
            return;  // keeps the line exactly as the file has it
        Line rewritten = classify(line.name + u'=' + stored);
        rewritten.changed = true;
        rewritten.end = line.end;
        line = std::move(rewritten);
        return;
    }

    // A new key goes after the last key of the first section of that name.
    std::size_t header = 0;
    while (header < m_lines.size() && !(m_lines[header].kind == Kind::Section &&
                                         m_lines[header].name.compare(section, Qt::CaseInsensitive) == 0))
        ++header;
    if (header == m_lines.size()) {
        insertLine(m_lines.size(), u'[' + section + u']');
        insertLine(m_lines.size(), key + u'=' + stored);
        return;
    }
    std::size_t after = header;
    for (std::size_t i = header + 1; i < m_lines.size() && m_lines[i].kind != Kind::Section; ++i) {
        if (m_lines[i].kind == Kind::Key)
            after = i;
    }
    insertLine(after + 1, key + u'=' + stored);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::writeFloat(const QString &section, const QString &key, double value)
{
    if (!std::isfinite(value))
        throw std::invalid_argument("INI value for " + key.toStdString() + " is not a finite number");
    writeString(section, key, floatToText(value));
}

IniBytes IniFile::serialize() const
{
    IniBytes out;
    if (m_encoding == Encoding::Utf8WithBom)
        out.bytes += Utf8Bom;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (!line.changed) {
            out.bytes += line.raw;
        } else if (m_encoding == Encoding::Big5) {
            int unmappable = 0;
            out.bytes += toBig5(line.text, &unmappable);
            if (unmappable > 0) {
                out.error = QStringLiteral("\"%1\" holds characters that the file's Big5 text cannot hold")
                                .arg(line.text);
                out.bytes.clear();
                return out;
            }
        } else {
            out.bytes += line.text.toUtf8();
        }
        // A last line without a line end gets one when lines follow it.
        out.bytes += line.end.isEmpty() && i + 1 < m_lines.size() ? newLineEnd() : line.end;
    }
    return out;
}

FileWriteResult IniFile::save(const QString &path) const
{
    const IniBytes bytes = serialize();
    if (!bytes.ok())
        return {QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), bytes.error)};
    return writeFileSafely(path, bytes.bytes);
}
