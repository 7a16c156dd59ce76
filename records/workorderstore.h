#pragma once

#include <QString>

#include "records/workordertitle.h"

class Dataset;

// The number of the scratch work order every new picture starts.
inline const QString TemporaryWorkOrder = QStringLiteral("TEMP");

// Storing work orders on the scratch dataset the window lends. Every function throws DatabaseError
// with the engine's words when a statement fails; statements already run stay done.

// Deletes the work order's measurements, then its title.
void deleteWorkOrder(Dataset &scratch, const QString &operNo);
// Inserts the title row.
void insertTitle(Dataset &scratch, const WorkOrderTitle &title);
// Whether a title with this number exists (numbers compare case-insensitively).
[[nodiscard]] bool titleExists(Dataset &scratch, const QString &operNo);
// Moves the measurements of `oldNumber` to the title's number, then renames and describes the title
// (name, operator, picture); its scale stays.
void renameWorkOrder(Dataset &scratch, const QString &oldNumber, const WorkOrderTitle &title);
// The mIndex of a work order made by hand: the last one in mIndex order plus 1, 1 for none.
[[nodiscard]] int nextTitleIndex(Dataset &scratch);
