#pragma once

#include <memory>

#include <QSqlDatabase>

#include "records/dataset.h"

// The named datasets the main window holds on the one connection, each created with its standing
// statement and destroyed with this object, which must therefore go before the connection does.
struct Datasets {
    explicit Datasets(const QSqlDatabase &db);
    Datasets(const Datasets &) = delete;
    Datasets &operator=(const Datasets &) = delete;

    const std::unique_ptr<Dataset> qryUnitSet;
    const std::unique_ptr<Dataset> qryScaleSet;
    const std::unique_ptr<Dataset> qryTitle;
    const std::unique_ptr<Dataset> qryMeasure;
    const std::unique_ptr<Dataset> qryProductData;
    const std::unique_ptr<Dataset> qryPrdOBJ;
    const std::unique_ptr<Dataset> qryX;  // scratch: every one-off statement and look-up
    const std::unique_ptr<Dataset> qryY;  // second scratch
};
