#pragma once

#include <QString>

// Where the program keeps its files. Set by the main window at start-up (later also by the settings
// file); every other part only reads it.
struct ProgramPaths {
    QString ProgramFolder;  // with a trailing separator; also the current directory
    QString WatchFolder;    // the picture folder the folder watch looks at
};
