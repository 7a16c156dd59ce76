#pragma once

class QStackedWidget;
class QWidget;
struct MeasuringPage;

// The hardness panel plHardTest ("硬度計算") for the side panel's stack `sides`: the page
// "Brinell" with its fields and the pages "手動" and "自動", and the guide and free circles over
// the picture. Fills p.hardness and the side outputs of p.measuring; the picture area must be built.
[[nodiscard]] QWidget *buildHardnessPanel(MeasuringPage &p, QStackedWidget *sides);
