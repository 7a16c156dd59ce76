#pragma once

#include <array>

// The measurements picked for the quick statistic, indexed by label tag (a measurement's rIndex).
// Only tags 0 to Size - 1 fit; a later measurement cannot take part. Empty when the window starts.
// Written by the label reactions, read by the statistic and the picture refresh.
struct LabelSelection {
    static constexpr int Size = 1000;

    std::array<int, Size> LabelSelected{};
    std::array<double, Size> LabelSelectedValue{};
    int SelectedCount = 0;

    [[nodiscard]] static bool fits(int tag) { return tag >= 0 && tag < Size; }
    [[nodiscard]] bool isSelected(int tag) const { return fits(tag) && LabelSelected[std::size_t(tag)] != 0; }
};

// Clearing the whole selection, for the statistic's "全部清除": implemented by the selection's
// writer, which also gives the picked labels their stored colour again.
class SelectionClearing {
public:
    virtual ~SelectionClearing() = default;
    virtual void clearSelection() = 0;
};

// Where the statistic's minimum search starts, before each computation.
inline constexpr double HugeValue = 1e300;
