#pragma once

#include <vector>

#include <QList>
#include <QObject>
#include <QString>

#include "base/gridlayout.h"

class Dialogs;
class QMouseEvent;
class QTableView;
class QWidget;
struct ProgramPaths;

// Column layouts of the grids that show a dataset through a DatasetModel (ui/grids.h). Other grids
// have no layout: reading gives none and applying changes nothing.

// The grid's columns as they stand, in display order: field, title, width, visibility, alignments,
// colour and font.
[[nodiscard]] GridLayout currentGridLayout(const QTableView &grid);

// Replaces the grid's columns by the layout's, in its order. A column keeps the display pattern and
// check of the grid's column of the same field; a field the grid did not show gets a plain column.
// An empty layout changes nothing, so the grid never loses all its columns.
void applyGridLayout(QTableView &grid, const GridLayout &layout);

// A column as an export names it.
struct GridColumnName {
    QString field;
    QString title;
    friend bool operator==(const GridColumnName &, const GridColumnName &) = default;
};

// Every column of the grid in display order, hidden ones included, as the layout in force has them;
// a column without a title is named by its field.
[[nodiscard]] QList<GridColumnName> gridColumnNames(const QTableView &grid);

// The grids whose layout is kept in a ".pos" file in the program folder. A right press on an
// attached grid (its "<grid>MouseDown" reaction: DBGrid3MouseDown, dbgUnitSetMouseDown, …) writes
// the grid's layout to its file at once; restoreAll() gives every grid the layout of its file at
// start-up. The operator arranges an attached grid by dragging and sizing its columns.
class GridLayoutFiles : public QObject {
    Q_OBJECT
public:
    GridLayoutFiles(const ProgramPaths &paths, Dialogs &dialogs, QWidget *window, QObject *parent = nullptr);

    // Keeps the layout of the window's grid named gridName in fileName, in the program folder.
    // Grids are restored in the order they are attached. Throws ProgramError when the window has
    // no such grid.
    void attach(const QString &gridName, const QString &fileName);

    // Each attached grid whose file exists takes its layout; a missing file leaves the grid as it
    // was designed. A damaged or unreadable file leaves its grid as designed too: the others are
    // restored all the same and every damaged file is named in one error message at the end.
    // Throws nothing for a file, so the start-up goes on.
    void restoreAll();

    // Writes the attached grid's layout as it stands; throws ProgramError naming the file when the
    // write fails (the file then holds the layout it had).
    void writeLayout(const QTableView &grid) const;

    [[nodiscard]] QString filePath(const QTableView &grid) const;

public Q_SLOTS:
    void GridMouseDown(QTableView *grid, QMouseEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Attached {
        QTableView *grid;
        QString fileName;
    };

    const ProgramPaths &m_paths;
    Dialogs &m_dialogs;
    QWidget *m_window;
    std::vector<Attached> m_grids;
};
