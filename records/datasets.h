#pragma once

#include <QSqlDatabase>

class Dataset;
class QObject;

// The named datasets the main window holds on the one connection, with their standing statements.
struct Datasets {
    Dataset *qryUnitSet = nullptr;
    Dataset *qryScaleSet = nullptr;
    Dataset *qryTitle = nullptr;
    Dataset *qryMeasure = nullptr;
    Dataset *qryProductData = nullptr;
    Dataset *qryPrdOBJ = nullptr;
    Dataset *qryX = nullptr;  // scratch: every one-off statement and look-up
    Dataset *qryY = nullptr;  // second scratch
};

// Creates the eight datasets as children of parent, each named as above, with its standing SQL.
Datasets createDatasets(const QSqlDatabase &db, QObject *parent);
