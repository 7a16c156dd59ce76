#include "base/gridlayout.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

namespace {

const QString Magic = QStringLiteral("QuillmontGridLayout");
constexpr int FormatVersion = 1;
constexpr int MaxWidth = 100000;
constexpr int FieldCount = 8;

// Stateless, so a sequence cut off at the end counts as malformed.
bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

std::optional<QString> unescaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i].unicode()) {
        case u'\\': out += u'\\'; break;
        case u't': out += u'\t'; break;
        case u'n': out += u'\n'; break;
        case u'r': out += u'\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

QString alignmentText(ColumnAlignment alignment)
{
    switch (alignment) {
    case ColumnAlignment::Right: return QStringLiteral("right");
    case ColumnAlignment::Center: return QStringLiteral("center");
    case ColumnAlignment::Left: break;
    }
    return QStringLiteral("left");
}

std::optional<ColumnAlignment> alignmentFrom(const QString &text)
{
    if (text == u"left")
        return ColumnAlignment::Left;
    if (text == u"right")
        return ColumnAlignment::Right;
    if (text == u"center")
        return ColumnAlignment::Center;
    return std::nullopt;
}

QString colorText(const std::optional<TColor> &color)
{
    if (!color)
        return QStringLiteral("-");
    const TColor c = *color;
    const TColor rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    return QStringLiteral("%1").arg(rgb, 6, 16, QChar(u'0')).toUpper();
}

// Reads "-" (the grid's own colour) or RRGGBB into color; false for anything else.
bool colorFrom(const QString &text, std::optional<TColor> &color)
{
    if (text == u"-") {
        color.reset();
        return true;
    }
    bool ok = false;
    const uint rgb = text.toUInt(&ok, 16);
    if (!ok || text.size() != 6 || text.startsWith(u'+') || text.startsWith(u'-'))
        return false;
    color = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
}

// One column line, or what is wrong with it.
std::optional<GridColumnLayout> columnFrom(const QString &line, QString &problem)
{
    const QStringList parts = line.split(u'\t');
    if (parts.size() != FieldCount) {
        problem = QStringLiteral("expected %1 tab-separated fields, found %2").arg(FieldCount).arg(parts.size());
        return std::nullopt;
    }
    GridColumnLayout column;
    const auto field = unescaped(parts[0]);
    const auto font = unescaped(parts[6]);
    const auto title = unescaped(parts[7]);
    if (!field || !font || !title) {
        problem = QStringLiteral("a text holds an unknown escape");
        return std::nullopt;
    }
    column.field = *field;
    column.font = *font;
    column.title = *title;

    bool ok = false;
    column.width = parts[1].toInt(&ok, 10);
    if (!ok || column.width < 0 || column.width > MaxWidth || parts[1].startsWith(u'+') || parts[1] != parts[1].trimmed()) {
        problem = QStringLiteral("width \"%1\" is not a whole number from 0 to %2").arg(parts[1]).arg(MaxWidth);
        return std::nullopt;
    }
    if (parts[2] != u"1" && parts[2] != u"0") {
        problem = QStringLiteral("visible \"%1\" is neither 1 nor 0").arg(parts[2]);
        return std::nullopt;
    }
    column.visible = parts[2] == u"1";
    const auto alignment = alignmentFrom(parts[3]);
    const auto titleAlignment = alignmentFrom(parts[4]);
    if (!alignment || !titleAlignment) {
        problem = QStringLiteral("alignment \"%1\" is not left, right or center")
                      .arg(alignment ? parts[4] : parts[3]);
        return std::nullopt;
    }
    column.alignment = *alignment;
    column.titleAlignment = *titleAlignment;
    if (!colorFrom(parts[5], column.color)) {
        problem = QStringLiteral("colour \"%1\" is neither six hexadecimal digits nor -").arg(parts[5]);
        return std::nullopt;
    }
    return column;
}

GridLayoutResult damaged(const QString &fileName, int lineNumber, const QString &problem)
{
    GridLayoutResult result;
    result.exists = true;
    result.error = lineNumber > 0
        ? QStringLiteral("%1, line %2: %3").arg(fileName).arg(lineNumber).arg(problem)
        : QStringLiteral("%1: %2").arg(fileName, problem);
    return result;
}

} // namespace

QString gridLayoutPath(const QString &programFolder, const QString &gridName)
{
    return programFolder + gridName + QStringLiteral(".pos");
}

QByteArray gridLayoutText(const GridLayout &columns)
{
    QString text = QStringLiteral("%1\t%2\t%3\n").arg(Magic).arg(FormatVersion).arg(columns.size());
    for (const GridColumnLayout &c : columns) {
        const QStringList parts{escaped(c.field),
                                QString::number(std::clamp(c.width, 0, MaxWidth)),
                                c.visible ? QStringLiteral("1") : QStringLiteral("0"),
                                alignmentText(c.alignment),
                                alignmentText(c.titleAlignment),
                                colorText(c.color),
                                escaped(c.font),
                                escaped(c.title)};
        text += parts.join(u'\t') + u'\n';
    }
    return text.toUtf8();
}

GridLayoutResult parseGridLayout(const QByteArray &bytes, const QString &fileName)
{
    if (!isUtf8(bytes))
        return damaged(fileName, 0, QStringLiteral("not UTF-8 text"));
    QString text = QString::fromUtf8(bytes);
    if (!text.endsWith(u'\n'))
        return damaged(fileName, 0, QStringLiteral("the file is cut off (no line end after the last line)"));
    text.chop(1);
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }

    const QStringList head = lines.front().split(u'\t');
    if (head.size() != 3 || head[0] != Magic)
        return damaged(fileName, 1, QStringLiteral("not a grid layout file"));
    bool ok = false;
    const int version = head[1].toInt(&ok);
    if (!ok || version != FormatVersion)
        return damaged(fileName, 1, QStringLiteral("format version \"%1\" is not %2").arg(head[1]).arg(FormatVersion));
    const qsizetype count = head[2].toLongLong(&ok);
    if (!ok || count < 0)
        return damaged(fileName, 1, QStringLiteral("column count \"%1\" is not a number").arg(head[2]));
    if (count != lines.size() - 1)
        return damaged(fileName, 0, QStringLiteral("%1 columns announced, %2 found").arg(count).arg(lines.size() - 1));

    GridLayoutResult result;
    result.exists = true;
    result.columns.reserve(std::size_t(count));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString problem;
        auto column = columnFrom(lines[i], problem);
        if (!column)
            return damaged(fileName, int(i + 1), problem);
        result.columns.push_back(std::move(*column));
    }
    return result;
}

GridLayoutResult readGridLayout(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    const QString name = QDir::toNativeSeparators(path);
    if (!file.open(QIODevice::ReadOnly))
        return damaged(name, 0, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return damaged(name, 0, file.errorString());
    return parseGridLayout(bytes, name);
}

FileWriteResult writeGridLayout(const QString &path, const GridLayout &columns)
{
    return writeFileSafely(path, gridLayoutText(columns));
}
