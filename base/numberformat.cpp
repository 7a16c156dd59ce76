#include "base/numberformat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr int kSignificant = 15;

// A non-negative decimal number: Digits[0] has the place value 10^Exponent, later digits follow
// downwards. Places not covered by Digits are zero. No digits means zero.
struct Decimal {
    std::string Digits;
    int Exponent = 0;

    [[nodiscard]] int digitAt(int place) const
    {
        const int index = Exponent - place;
        if (index < 0 || index >= int(Digits.size()))
            return 0;
        return Digits[std::size_t(index)] - '0';
    }
    [[nodiscard]] bool isZero() const
    {
        return std::all_of(Digits.begin(), Digits.end(), [](char c) { return c == '0'; });
    }
};

// The magnitude of a finite value as its 15 significant digits. std::to_chars ignores the locale,
// which keeps "." the decimal point whatever the process has set.
Decimal significantDigits(double value)
{
    Decimal result;
    if (value == 0.0)
        return result;
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                         std::chars_format::scientific, kSignificant - 1);
    if (ec != std::errc())
        return result;
    const std::string text(buffer.data(), end);
    const std::size_t e = text.find('e');
    result.Digits.reserve(kSignificant);
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            result.Digits.push_back(text[i]);
    }
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    result.Exponent = exponent;
    return result;
}

// Rounds to the given number of decimals, halves away from zero.
Decimal roundToDecimals(Decimal number, int decimals)
{
    if (number.Digits.empty())
        return number;
    const long long keep = (long long)number.Exponent + decimals + 1;
    if (keep >= (long long)number.Digits.size())
        return number;
    if (keep < 0)
        return {};
    const bool up = number.Digits[std::size_t(keep)] >= '5';
    number.Digits.resize(std::size_t(keep));
    if (up) {
        int i = int(keep) - 1;
        while (i >= 0 && number.Digits[std::size_t(i)] == '9')
            number.Digits[std::size_t(i--)] = '0';
        if (i >= 0) {
            ++number.Digits[std::size_t(i)];
        } else {
            number.Digits.insert(number.Digits.begin(), '1');
            ++number.Exponent;
        }
    }
    return number;
}

QString nonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

bool isPlaceholder(QChar c) { return c == u'0' || c == u'#'; }
bool isQuote(QChar c) { return c == u'"' || c == u'\''; }

// Copies the quoted text that starts at `quote` literally; returns the index of its closing quote.
qsizetype copyQuoted(const QString &pattern, qsizetype quote, QString &out)
{
    const qsizetype close = pattern.indexOf(pattern[quote], quote + 1);
    const qsizetype stop = close < 0 ? pattern.size() : close;
    out += QStringView(pattern).mid(quote + 1, stop - quote - 1);
    return stop;
}

// What the pattern asks for, gathered before any output is produced.
struct PatternShape {
    int IntegerPlaceholders = 0;
    // Place (counted from the units, 1-based) of the leftmost "0" before the point; leading zeros
    // are printed from there on.
    int IntegerZeros = 0;
    int FractionPlaceholders = 0;
    // 1-based index of the last "0" after the point: decimals printed even when zero.
    int FractionZeros = 0;
    bool Grouping = false;
};

PatternShape analyse(const QString &pattern)
{
    PatternShape shape;
    bool afterPoint = false;
    int integerSeen = 0;
    int firstIntegerZero = -1;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (isQuote(c)) {
            const qsizetype close = pattern.indexOf(c, i + 1);
            i = close < 0 ? pattern.size() : close;
        } else if (c == u',') {
            shape.Grouping = true;
        } else if (c == u'.') {
            afterPoint = true;
        } else if (isPlaceholder(c)) {
            if (afterPoint) {
                ++shape.FractionPlaceholders;
                if (c == u'0')
                    shape.FractionZeros = shape.FractionPlaceholders;
            } else {
                if (c == u'0' && firstIntegerZero < 0)
                    firstIntegerZero = integerSeen;
                ++integerSeen;
            }
        }
    }
    shape.IntegerPlaceholders = integerSeen;
    if (firstIntegerZero >= 0)
        shape.IntegerZeros = integerSeen - firstIntegerZero;
    return shape;
}

// A value without digits ("INF", "NAN") takes the place of the pattern's number; the literal text
// around it stays, so a caption still reads "=INF" rather than losing its "=".
QString formatNonFinite(const QString &pattern, double value)
{
    QString out;
    bool numberWritten = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (isQuote(c)) {
            i = copyQuoted(pattern, i, out);
        } else if (isPlaceholder(c) || c == u'.') {
            if (!numberWritten)
                out += nonFiniteText(value);
            numberWritten = true;
        } else if (c != u',') {
            out += c;
        }
    }
    return out;
}

} // namespace

QString formatFloat(const QString &pattern, double value)
{
    if (pattern.isEmpty())
        return floatToText(value);
    if (!std::isfinite(value))
        return formatNonFinite(pattern, value);

    const PatternShape shape = analyse(pattern);
    const Decimal number = roundToDecimals(significantDigits(value), shape.FractionPlaceholders);
    const bool zero = number.isZero();
    const bool negative = value < 0 && !zero;

    const int significantIntegers = zero || number.Exponent < 0 ? 0 : number.Exponent + 1;
    const int integerDigits = std::max(significantIntegers, shape.IntegerZeros);
    int decimals = shape.FractionZeros;
    for (int place = shape.FractionPlaceholders; place > decimals; --place) {
        if (number.digitAt(-place) != 0) {
            decimals = place;
            break;
        }
    }

    QString out;
    out.reserve(pattern.size() + integerDigits + integerDigits / 3 + 2);
    auto putIntegerDigit = [&](int place) {
        out += QChar(u'0' + number.digitAt(place));
        if (shape.Grouping && place > 0 && place % 3 == 0)
            out += u',';
    };
    // The sign and the integer digits that have no placeholder of their own go at the first
    // placeholder (or the point when the pattern has no integer placeholders), so "00" prints 1234
    // whole and literals between placeholders stay where they are.
    bool integerStarted = false;
    auto startInteger = [&](int lowestPlace) {
        if (integerStarted)
            return;
        integerStarted = true;
        if (negative)
            out += u'-';
        for (int place = integerDigits - 1; place >= lowestPlace; --place)
            putIntegerDigit(place);
    };

    bool afterPoint = false;
    int integerPlace = shape.IntegerPlaceholders;
    int fractionIndex = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (isQuote(c)) {
            i = copyQuoted(pattern, i, out);
        } else if (c == u',') {
            continue;
        } else if (c == u'.') {
            if (afterPoint)
                continue;
            afterPoint = true;
            startInteger(0);
            if (decimals > 0)
                out += u'.';
        } else if (isPlaceholder(c)) {
            if (!afterPoint) {
                --integerPlace;
                if (!integerStarted)
                    startInteger(integerPlace);
                else if (integerPlace < integerDigits)
                    putIntegerDigit(integerPlace);
            } else {
                startInteger(0);
                ++fractionIndex;
                if (fractionIndex <= decimals)
                    out += QChar(u'0' + number.digitAt(-fractionIndex));
            }
        } else {
            out += c;
        }
    }
    return out;
}

QString floatToText(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    Decimal number = significantDigits(value);
    if (number.isZero())
        return QStringLiteral("0");
    while (number.Digits.size() > 1 && number.Digits.back() == '0')
        number.Digits.pop_back();

    std::string out;
    if (value < 0)
        out += '-';
    const int exponent = number.Exponent;
    const int count = int(number.Digits.size());
    if (exponent >= kSignificant || exponent < -4) {
        out += number.Digits[0];
        if (count > 1) {
            out += '.';
            out.append(number.Digits, 1);
        }
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent < 0) {
        out += "0.";
        out.append(std::size_t(-exponent - 1), '0');
        out += number.Digits;
    } else {
        for (int place = exponent; place >= 0; --place)
            out += char('0' + number.digitAt(place));
        if (count > exponent + 1) {
            out += '.';
            out.append(number.Digits, std::size_t(exponent + 1));
        }
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}
