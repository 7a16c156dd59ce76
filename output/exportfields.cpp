#include "output/exportfields.h"

#include <QStringList>

#include "base/numberformat.h"
#include "output/exportdata.h"

QString listKindName(std::optional<qint32> attribId)
{
    static const QStringList names{
        QStringLiteral("寬"),     QStringLiteral("高"),   QStringLiteral("點到點"),
        QStringLiteral("點到線"), QStringLiteral("線到線"), QStringLiteral("圓心半徑"),
        QStringLiteral("夾角"),   QStringLiteral("弧"),   QStringLiteral("圓心距"),
        QStringLiteral("點群組"), QStringLiteral("文字註解"),
    };
    if (!attribId)
        return QStringLiteral("未知");
    if (*attribId < 1 || *attribId > names.size())
        return {};
    return names[*attribId - 1];
}

double listRounded(double value)
{
    return listValueText(value).toDouble();
}

QString listValueText(double value)
{
    return formatFloat(QStringLiteral("0.0000"), value);
}

std::optional<QString> fieldText(const ExportTitle &title, const QString &field)
{
    const QString f = field.toLower();
    if (f == u"mindex")
        return QString::number(title.mIndex);
    if (f == u"operno")
        return title.OperNo;
    if (f == u"opername")
        return title.OperName;
    if (f == u"operatorid")
        return title.OperatorID;
    if (f == u"operatorname")
        return title.OperatorName;
    if (f == u"picfullname")
        return title.PicFullName;
    if (f == u"unitname")
        return title.UnitName;
    if (f == u"scalename")
        return title.ScaleName;
    if (f == u"scalex")
        return floatToText(title.ScaleX);
    if (f == u"scaley")
        return floatToText(title.ScaleY);
    return std::nullopt;
}

namespace {

// x1…x8 and y1…y8: the axis letter and the point number 1…8.
std::optional<QString> coordinateText(const ExportRow &row, const QString &f)
{
    if (f.size() != 2 || (f[0] != u'x' && f[0] != u'y') || f[1] < u'1' || f[1] > u'8')
        return std::nullopt;
    const int i = f[1].unicode() - u'1';
    const double value = f[0] == u'x' ? row.x[size_t(i)] : row.y[size_t(i)];
    return floatToText(i >= 4 ? listRounded(value) : value);
}

}  // namespace

std::optional<QString> fieldText(const ExportRow &row, const QString &field)
{
    const QString f = field.toLower();
    if (auto coordinate = coordinateText(row, f))
        return coordinate;
    if (f.size() == 4 && f.startsWith(u"val") && f[3] >= u'1' && f[3] <= u'6')
        return floatToText(row.Val[size_t(f[3].unicode() - u'1')]);
    if (f.size() == 5 && f.startsWith(u"xval") && f[4] >= u'1' && f[4] <= u'3')
        return listValueText(row.Val[size_t(3 + f[4].unicode() - u'1')]);
    if (f == u"operno")
        return row.OperNo;
    if (f == u"recid")
        return row.RecID;
    if (f == u"recname")
        return row.RecName;
    if (f == u"measurename")
        return row.MeasureName;
    if (f == u"objindex")
        return QString::number(row.OBJIndex);
    if (f == u"attribid")
        return row.AttribID ? QString::number(*row.AttribID) : QString();
    if (f == u"xattribid")
        return listKindName(row.AttribID);
    if (f == u"attrib")
        return row.Attrib;
    if (f == u"labelx")
        return QString::number(row.LabelX);
    if (f == u"labely")
        return QString::number(row.LabelY);
    if (f == u"labelsize")
        return QString::number(row.LabelSize);
    if (f == u"color")
        return QString::number(row.Color);
    if (f == u"objnote")
        return row.OBJNote;
    if (f == u"rindex")
        return QString::number(row.rIndex);
    return std::nullopt;
}

QString fieldNotFoundMessage(const QString &field)
{
    return QStringLiteral("Field '%1' not found").arg(field);
}
