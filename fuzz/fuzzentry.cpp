#include "fuzz/fuzzentry.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include <QCoreApplication>

namespace {

// Longer inputs than these only slow the search down: the seeds are a few kilobytes at most.
constexpr std::array<FuzzEntry, 6> Entries{{
    {"settings", fuzzSettings, 4 * 1024},
    {"gridlayout", fuzzGridLayout, 16 * 1024},
    {"template", fuzzSpreadsheetTemplate, 64 * 1024},
    {"workbookparts", fuzzWorkbookParts, 64 * 1024},
    {"jpeg", fuzzJpeg, 64 * 1024},
    {"bmp", fuzzBitmap, 64 * 1024},
}};

QtMessageHandler defaultHandler = nullptr;

// Broken files make Qt's readers warn on every input; only what Qt means as fatal is shown.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        defaultHandler(type, context, message);
}

}  // namespace

std::span<const FuzzEntry> fuzzEntries()
{
    return Entries;
}

const FuzzEntry *findFuzzEntry(std::string_view name)
{
    for (const FuzzEntry &entry : Entries)
        if (name == entry.name)
            return &entry;
    return nullptr;
}

void prepareFuzzing(int &argc, char **argv)
{
    // The image readers find their plugins through the application object, so it lives as long
    // as the process.
    static QCoreApplication application(argc, argv);
    defaultHandler = qInstallMessageHandler(quietHandler);
}

void fuzzFailure(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: expectation failed: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}
