#pragma once

#include <QByteArray>
#include <QString>

// Outcome of replacing a file; error names the file and what went wrong.
struct FileWriteResult {
    QString error;
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// Replaces the file at path with bytes: they go into a temporary file in the same folder, which
// is flushed and synced to the disk and then renamed over path. Whatever fails (an unwritable
// folder, a full disk), the old file stays byte for byte as it was and no temporary is left.
// A new file gets the usual permissions, an existing one keeps its own.
[[nodiscard]] FileWriteResult writeFileSafely(const QString &path, const QByteArray &bytes);
