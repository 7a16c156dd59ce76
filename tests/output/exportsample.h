#pragma once

#include <QList>

#include "output/exportdata.h"

// A work order with rows of several kinds, as both export tests use it.
[[nodiscard]] ExportTitle sampleTitle();
[[nodiscard]] QList<ExportRow> sampleRows();
