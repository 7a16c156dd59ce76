#pragma once

#include <QString>
#include <QStringList>

// The eleven measurement kinds in tool-button order; stored as AttribID = index + 1.
enum class MeasurementKind {
    Width,
    Height,
    PointToPoint,
    PointToLine,
    LineToLine,
    Circle,
    Angle,
    Arc,
    CircleToCircle,
    PointGroup,
    TextNote,
};

inline constexpr int KindCount = 11;

[[nodiscard]] inline int kindIndex(MeasurementKind kind) { return static_cast<int>(kind); }
// Index 0..10 to kind; callers check the range.
[[nodiscard]] inline MeasurementKind kindFromIndex(int index) { return static_cast<MeasurementKind>(index); }

// How many points the kind is computed from (a point group: the measured point and its line's two).
[[nodiscard]] int kindPointCount(MeasurementKind kind);
// The stored kind name ("寬度", …, "文字註解").
[[nodiscard]] QString kindName(MeasurementKind kind);
// The tool button's caption ("寬度", …, "註解").
[[nodiscard]] QString kindButtonCaption(MeasurementKind kind);
// The label and name prefix: one letter of "whdlprgacmt".
[[nodiscard]] QString kindPrefix(MeasurementKind kind);
// The kind descriptions, in kind order: tool-button hints and status-bar text.
[[nodiscard]] const QStringList &KindDescriptions();
