#pragma once

#include <functional>
#include <optional>

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

class Dataset;

// How a grid column's cells and title look beyond their texts; a grid layout file keeps it.
struct ColumnLook {
    Qt::Alignment alignment = Qt::AlignLeft;
    Qt::Alignment titleAlignment = Qt::AlignLeft;
    std::optional<QColor> color;  // the cells' background; none: the grid's own
    std::optional<QFont> font;    // the cells' font; none: the grid's own

    friend bool operator==(const ColumnLook &, const ColumnLook &) = default;
};

// One grid column: the dataset field it shows, its heading and, for numbers, a display pattern of
// formatFloat ("0.0000"); numbers without a pattern show in the general float form. `check`, when
// given, names what is wrong with a value typed into the column (empty: nothing).
struct DatasetColumn {
    QString field;
    QString title;
    QString format;
    std::function<QString(const QVariant &)> check;
    ColumnLook look{};
};

// A table model over a Dataset's rows, for the grids. It resets when the dataset's rows are replaced,
// refreshes a row when that row changes and announces rows the dataset puts in. When editable, an edit moves the dataset to the row, edits,
// sets the field and posts. Text typed into a number column is read as the column's type (an integer,
// a float with "." as the point) and must pass the column's check; a value that does not, and a
// refused post, write nothing: the edit is cancelled, reported through error() and returns false,
// so no exception leaves the model into the view that edits it.
// The edit role gives a number in full, so an editor never rounds what it shows back into the row.
// The dataset must outlive the model.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DatasetModel(Dataset *dataset, QList<DatasetColumn> columns, QObject *parent = nullptr);

    [[nodiscard]] Dataset *dataset() const { return m_dataset; }
    [[nodiscard]] const QList<DatasetColumn> &columns() const { return m_columns; }
    void setColumns(QList<DatasetColumn> columns);
    void setEditable(bool editable) { m_editable = editable; }
    [[nodiscard]] bool isEditable() const { return m_editable; }
    // The dataset's current row, for keeping a view's current index in step.
    [[nodiscard]] int currentRow() const;
    // The text of the last refused edit; empty after a successful one.
    [[nodiscard]] QString lastError() const { return m_lastError; }

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    void error(const QString &message);

private:
    void reset();
    void refreshRow(int row);
    bool refuse(const QString &message);

    Dataset *m_dataset;
    QList<DatasetColumn> m_columns;
    bool m_editable = false;
    QString m_lastError;
};
