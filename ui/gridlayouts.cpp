#include "ui/gridlayouts.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>

#include "base/color.h"
#include "base/programerror.h"
#include "base/programpaths.h"
#include "records/datasetmodel.h"
#include "ui/dialogs.h"
#include "ui/guarded.h"

namespace {

// A hidden section reports no size; the width it had in its layout is kept on the grid, one per
// column, so writing the layout again keeps it.
const char *const HiddenWidths = "quillmontHiddenWidths";

DatasetModel *modelOf(const QTableView &grid)
{
    return qobject_cast<DatasetModel *>(grid.model());
}

ColumnAlignment columnAlignment(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return ColumnAlignment::Right;
    if (alignment & Qt::AlignHCenter)
        return ColumnAlignment::Center;
    return ColumnAlignment::Left;
}

Qt::Alignment qtAlignment(ColumnAlignment alignment)
{
    switch (alignment) {
    case ColumnAlignment::Right: return Qt::AlignRight;
    case ColumnAlignment::Center: return Qt::AlignHCenter;
    case ColumnAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

ColumnLook lookFrom(const GridColumnLayout &layout)
{
    ColumnLook look;
    look.alignment = qtAlignment(layout.alignment);
    look.titleAlignment = qtAlignment(layout.titleAlignment);
    if (layout.color)
        look.color = fromTColor(*layout.color);
    QFont font;
    if (!layout.font.isEmpty() && font.fromString(layout.font))
        look.font = font;
    return look;
}

// The column of that field among columns, or a plain one showing it.
DatasetColumn columnFor(const QList<DatasetColumn> &columns, const QString &field)
{
    for (const DatasetColumn &column : columns) {
        if (column.field.compare(field, Qt::CaseInsensitive) == 0)
            return column;
    }
    return DatasetColumn{field, QString(), QString(), {}};
}

}  // namespace

GridLayout currentGridLayout(const QTableView &grid)
{
    const DatasetModel *model = modelOf(grid);
    if (!model)
        return {};
    const QHeaderView *header = grid.horizontalHeader();
    const QVariantList hiddenWidths = grid.property(HiddenWidths).toList();
    GridLayout layout;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        const DatasetColumn &column = model->columns().at(logical);
        GridColumnLayout c;
        c.field = column.field;
        c.title = column.title;
        c.visible = !header->isSectionHidden(logical);
        c.width = c.visible ? header->sectionSize(logical)
                            : (logical < hiddenWidths.size() ? hiddenWidths.at(logical).toInt() : 0);
        c.alignment = columnAlignment(column.look.alignment);
        c.titleAlignment = columnAlignment(column.look.titleAlignment);
        if (column.look.color)
            c.color = toTColor(*column.look.color);
        if (column.look.font)
            c.font = column.look.font->toString();
        layout.push_back(std::move(c));
    }
    return layout;
}

void applyGridLayout(QTableView &grid, const GridLayout &layout)
{
    DatasetModel *model = modelOf(grid);
    if (!model || layout.empty())
        return;
    QList<DatasetColumn> columns;
    for (const GridColumnLayout &c : layout) {
        DatasetColumn column = columnFor(model->columns(), c.field);
        column.field = c.field;
        column.title = c.title;
        column.look = lookFrom(c);
        columns.append(std::move(column));
    }
    model->setColumns(std::move(columns));

    // The model's order is now the display order: sections the operator had moved go back.
    QHeaderView *header = grid.horizontalHeader();
    QVariantList hiddenWidths;
    for (int logical = 0; logical < header->count(); ++logical) {
        if (const int visual = header->visualIndex(logical); visual != logical)
            header->moveSection(visual, logical);
        const GridColumnLayout &c = layout.at(std::size_t(logical));
        header->setSectionHidden(logical, false);
        header->resizeSection(logical, c.width);
        header->setSectionHidden(logical, !c.visible);
        hiddenWidths.append(c.width);
    }
    grid.setProperty(HiddenWidths, hiddenWidths);
}

QList<GridColumnName> gridColumnNames(const QTableView &grid)
{
    QList<GridColumnName> names;
    for (const GridColumnLayout &c : currentGridLayout(grid))
        names.append({c.field, c.title.isEmpty() ? c.field : c.title});
    return names;
}

GridLayoutFiles::GridLayoutFiles(const ProgramPaths &paths, Dialogs &dialogs, QWidget *window, QObject *parent)
    : QObject(parent)
    , m_paths(paths)
    , m_dialogs(dialogs)
    , m_window(window)
{
}

void GridLayoutFiles::attach(const QString &gridName, const QString &fileName)
{
    auto *grid = m_window->findChild<QTableView *>(gridName);
    if (!grid)
        throw ProgramError(QStringLiteral("No grid ") + gridName);
    m_grids.push_back({grid, fileName});
    grid->horizontalHeader()->setSectionsMovable(true);
    grid->viewport()->installEventFilter(this);
    grid->horizontalHeader()->viewport()->installEventFilter(this);
}

QString GridLayoutFiles::filePath(const QTableView &grid) const
{
    for (const Attached &a : m_grids) {
        if (a.grid == &grid)
            return m_paths.ProgramFolder + a.fileName;
    }
    return QString();
}

void GridLayoutFiles::restoreAll()
{
    QStringList damaged;
    for (const Attached &a : m_grids) {
        const GridLayoutResult read = readGridLayout(m_paths.ProgramFolder + a.fileName);
        if (!read.ok())
            damaged << read.error;
        else if (read.exists)
            applyGridLayout(*a.grid, read.columns);
    }
    if (!damaged.isEmpty())
        m_dialogs.error(m_window, damaged.join(u'\n'));
}

void GridLayoutFiles::writeLayout(const QTableView &grid) const
{
    const QString path = filePath(grid);
    if (path.isEmpty())
        return;
    if (const FileWriteResult written = writeGridLayout(path, currentGridLayout(grid)); !written.ok())
        throw ProgramError(written.error);
}

void GridLayoutFiles::GridMouseDown(QTableView *grid, QMouseEvent *event)
{
    guarded(m_dialogs, m_window, [&] {
        if (event->button() == Qt::RightButton)
            writeLayout(*grid);
    });
}

bool GridLayoutFiles::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    for (const Attached &a : m_grids) {
        if (watched == a.grid->viewport() || watched == a.grid->horizontalHeader()->viewport()) {
            GridMouseDown(a.grid, mouse);
            // The right button only keeps the layout; it neither moves the row nor a column.
            return mouse->button() == Qt::RightButton;
        }
    }
    return false;
}
