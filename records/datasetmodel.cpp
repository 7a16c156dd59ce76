#include "records/datasetmodel.h"

#include "base/numberformat.h"
#include "base/numberparse.h"
#include "records/dataset.h"

namespace {

bool isFloatType(QMetaType type)
{
    return type.id() == QMetaType::Double || type.id() == QMetaType::Float;
}

bool isIntegerType(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

bool isFloat(const QVariant &value)
{
    return isFloatType(value.metaType());
}

bool isInteger(const QVariant &value)
{
    return isIntegerType(value.metaType());
}

// Typed text in the column's own type; the parser's message when it is not one.
QVariant typedValue(const QVariant &value, QMetaType type, QString &error)
{
    if (value.metaType().id() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    if (isIntegerType(type)) {
        const auto parsed = parseInteger(text);
        error = parsed.error;
        return parsed.value;
    }
    if (isFloatType(type)) {
        const auto parsed = parseFloat(text);
        error = parsed.error;
        return parsed.value;
    }
    return value;
}

}  // namespace

DatasetModel::DatasetModel(Dataset *dataset, QList<DatasetColumn> columns, QObject *parent)
    : QAbstractTableModel(parent)
    , m_dataset(dataset)
    , m_columns(std::move(columns))
{
    connect(m_dataset, &Dataset::rowsReplaced, this, &DatasetModel::reset);
    connect(m_dataset, &Dataset::rowChanged, this, &DatasetModel::refreshRow);
    connect(m_dataset, &Dataset::rowsAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows(QModelIndex(), first, last); });
    connect(m_dataset, &Dataset::rowsInserted, this, [this] { endInsertRows(); });
}

void DatasetModel::setColumns(QList<DatasetColumn> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    endResetModel();
}

int DatasetModel::currentRow() const
{
    return m_dataset->recNo();
}

void DatasetModel::reset()
{
    // The dataset announces new rows only after it has them; views re-read everything either way.
    beginResetModel();
    endResetModel();
}

void DatasetModel::refreshRow(int row)
{
    if (row < 0 || row >= rowCount() || m_columns.isEmpty())
        return;
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_dataset->recordCount();
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const DatasetColumn &column = m_columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        break;
    case Qt::TextAlignmentRole:
        return int(column.look.alignment | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return column.look.color ? QVariant(*column.look.color) : QVariant();
    case Qt::FontRole:
        return column.look.font ? QVariant(*column.look.font) : QVariant();
    default:
        return {};
    }
    // A grid asks for every column of every row; a column the statement lacks shows empty.
    if (m_dataset->fieldIndex(column.field) < 0)
        return {};
    const QVariant value = m_dataset->value(index.row(), column.field);
    if (value.isNull())
        return value;
    // Editors get numbers as their full text: a spin box would round a float to its decimals.
    if (role == Qt::EditRole && isFloat(value))
        return floatToText(value.toDouble());
    if (role == Qt::EditRole && isInteger(value))
        return QString::number(value.toLongLong());
    if (role == Qt::EditRole)
        return value;
    if (!column.format.isEmpty() && (isFloat(value) || isInteger(value)))
        return formatFloat(column.format, value.toDouble());
    if (isFloat(value))
        return floatToText(value.toDouble());
    return value.toString();
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section >= 0 && section < columnCount())
        return int(m_columns.at(section).look.titleAlignment | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (orientation != Qt::Horizontal)
        return section + 1;
    if (section < 0 || section >= columnCount())
        return {};
    // A column without a title of its own is headed by its field.
    const DatasetColumn &column = m_columns.at(section);
    return column.title.isEmpty() ? column.field : column.title;
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid() && index.column() < columnCount()) {
        const QString &field = m_columns.at(index.column()).field;
        if (m_dataset->fieldIndex(field) >= 0 && !m_dataset->isCalculatedField(field))
            flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const DatasetColumn &column = m_columns.at(index.column());
    QString refusal;
    const QVariant typed = typedValue(value, m_dataset->fieldType(column.field), refusal);
    if (refusal.isEmpty() && column.check)
        refusal = column.check(typed);
    if (!refusal.isEmpty())
        return refuse(refusal);
    try {
        m_dataset->moveTo(index.row());
        m_dataset->edit();
        m_dataset->setField(column.field, typed);
        m_dataset->post();
    } catch (const ProgramError &e) {
        // The post failed, or a reaction to the dataset's move did: nothing of the edit stays.
        m_dataset->cancel();
        return refuse(e.message());
    }
    m_lastError.clear();
    return true;
}

bool DatasetModel::refuse(const QString &message)
{
    m_lastError = message;
    Q_EMIT error(m_lastError);
    return false;
}
