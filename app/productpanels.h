#pragma once

#include "records/products.h"

class QBoxLayout;
class QFormLayout;
class QWidget;

// The product panel of the measuring panel: its rows go into the panel's form.
[[nodiscard]] ProductPanelWidgets buildProductPanel(QWidget *panel, QFormLayout *form);

// The product and part grids of the table maintenance page, each with its count, refresh button,
// fields and buttons, side by side in "plProducts", which is added to the page's layout.
[[nodiscard]] ProductGridWidgets buildProductGrids(QWidget *page, QBoxLayout *pageLayout);
