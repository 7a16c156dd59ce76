#include "measure/kinds.h"

#include <array>

namespace {

struct KindTexts {
    const char *name;
    const char *caption;
    const char *prefix;
};

// In kind order; the prefixes spell "whdlprgacmt".
constexpr std::array<KindTexts, KindCount> kTexts{{
    {"寬度", "寬度", "w"},
    {"高度", "高度", "h"},
    {"點到點", "點到點", "d"},
    {"點到線", "點到線", "l"},
    {"線到線", "線到線", "p"},
    {"圓", "圓", "r"},
    {"夾角", "夾角", "g"},
    {"弧", "弧", "a"},
    {"圓到圓", "圓到圓", "c"},
    {"點群組", "點群組", "m"},
    {"文字註解", "註解", "t"},
}};

const KindTexts &textsOf(MeasurementKind kind)
{
    return kTexts.at(static_cast<std::size_t>(kindIndex(kind)));
}

}  // namespace

QString kindName(MeasurementKind kind)
{
    return QString::fromUtf8(textsOf(kind).name);
}

QString kindButtonCaption(MeasurementKind kind)
{
    return QString::fromUtf8(textsOf(kind).caption);
}

QString kindPrefix(MeasurementKind kind)
{
    return QString::fromUtf8(textsOf(kind).prefix);
}

const QStringList &KindDescriptions()
{
    static const QStringList descriptions{
        QString::fromUtf8("寬度測量:計算 P1 到 P2 間之水平距離。"),
        QString::fromUtf8("高度測量:計算 P1 到 P2 間之垂直距離。"),
        QString::fromUtf8("兩點距離:計算 P1 到 P2 間之最短距離。"),
        QString::fromUtf8("點到線:計算 P1 到 P2 與 P3 連成之直線的最短距離。"),
        QString::fromUtf8("線到線:計算直線上任一點 P1 到 P2 與 P3 連成之直線的最短距離。"),
        QString::fromUtf8("圓心半徑:由圓周上任三點 P1,P2,P3,計算出圓心座標及面積。"),
        QString::fromUtf8("夾角:計算由P1與P2連成之直線和P3與P4連成之直線相交之角度。"),
        QString::fromUtf8("弧:由P1開始經過P2，P3終點，逆時針所構成的弧，計算中心及弧長。"),
        QString::fromUtf8("圓到圓:計算 P1 到 P2 間之最短距離，P1與P2可由滑鼠直接點選或由擴充功能所量測之物件產生。"),
        QString::fromUtf8("點群組:計算多個點到直線間之距離，先選擇一條直線，接著連續使用滑鼠點擊畫面。"),
        QString::fromUtf8("註解:在畫面上置放文字說明物件，點即欲放置位置後輸入文字內容。"),
    };
    return descriptions;
}

int kindPointCount(MeasurementKind kind)
{
    switch (kind) {
    case MeasurementKind::Width:
    case MeasurementKind::Height:
    case MeasurementKind::PointToPoint:
    case MeasurementKind::CircleToCircle:
        return 2;
    case MeasurementKind::PointToLine:
    case MeasurementKind::LineToLine:
    case MeasurementKind::Circle:
    case MeasurementKind::Arc:
    case MeasurementKind::PointGroup:
        return 3;
    case MeasurementKind::Angle:
        return 4;
    case MeasurementKind::TextNote:
        return 1;
    }
    return 1;
}
