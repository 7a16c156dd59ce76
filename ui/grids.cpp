#include "ui/grids.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include "records/dataset.h"
#include "ui/dialogs.h"
#include "ui/guarded.h"

namespace {

// Keeps a grid's current row and its dataset's current row together, in both directions. Moving to
// the row that is already current does nothing, so the two never chase each other.
void followEachOther(QTableView *grid, Dataset &dataset, Dialogs &dialogs)
{
    auto selectDatasetRow = [grid, &dataset] {
        const int row = dataset.recNo();
        if (row < 0 || row >= grid->model()->rowCount() || grid->currentIndex().row() == row)
            return;
        grid->setCurrentIndex(grid->model()->index(row, qMax(0, grid->currentIndex().column())));
    };
    QObject::connect(&dataset, &Dataset::afterScroll, grid, selectDatasetRow);
    QObject::connect(grid->model(), &QAbstractItemModel::modelReset, grid, selectDatasetRow);
    // A click in the grid moves the dataset, whose reactions may fail.
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, &dataset,
                     [grid, &dataset, &dialogs](const QModelIndex &current) {
                         if (current.isValid())
                             guarded(dialogs, grid, [&] { dataset.moveTo(current.row()); });
                     });
}

}  // namespace

DatasetModel *showDataset(QTableView *grid, Dataset &dataset, QList<DatasetColumn> columns, GridEditing editing,
                          Dialogs &dialogs, QObject *owner)
{
    auto *model = new DatasetModel(&dataset, std::move(columns), owner);
    const bool inPlace = editing == GridEditing::InPlace;
    model->setEditable(inPlace);
    QObject::connect(model, &DatasetModel::error, grid, [grid, &dialogs](const QString &message) {
        dialogs.error(grid, message);
    });
    grid->setModel(model);
    grid->verticalHeader()->hide();
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(inPlace ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    if (!inPlace)
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    followEachOther(grid, dataset, dialogs);
    return model;
}

void fillList(QComboBox *list, const Dataset &rows, const QString &field)
{
    QStringList entries;
    entries.reserve(rows.recordCount());
    for (int row = 0; row < rows.recordCount(); ++row)
        entries << rows.value(row, field).toString();
    list->clear();
    list->addItems(entries);
}

void showInList(QComboBox *list, const QString &text)
{
    list->setCurrentIndex(list->findText(text));
}
