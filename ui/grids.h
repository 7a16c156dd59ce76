#pragma once

#include <QList>
#include <QString>

#include "records/datasetmodel.h"

class Dataset;
class Dialogs;
class QComboBox;
class QObject;
class QTableView;

enum class GridEditing {
    InPlace,   // cells are edited where they stand; a posted cell goes straight to the table
    ReadOnly,  // whole rows are picked, nothing is edited
};

// Shows dataset in grid through a model owned by `owner` (the controller, so the model goes before
// the dataset does), with these columns. The grid's current row and the dataset's follow each
// other both ways. An edit the model refuses (a value that is not of the column's type, a failed
// post) is shown through dialogs.error and writes nothing.
DatasetModel *showDataset(QTableView *grid, Dataset &dataset, QList<DatasetColumn> columns, GridEditing editing,
                          Dialogs &dialogs, QObject *owner);

// Rebuilds a list from one field of every row of `rows`, in their order.
void fillList(QComboBox *list, const Dataset &rows, const QString &field);
// Shows the entry with this text (none when it is not listed).
void showInList(QComboBox *list, const QString &text);
