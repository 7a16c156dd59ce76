#include "base/safefile.h"

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QSaveFile>

#include <unistd.h>

namespace {

FileWriteResult failure(const QString &path, const QString &reason)
{
    return {QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason)};
}

} // namespace

FileWriteResult writeFileSafely(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(path, reason);
    }
    // QSaveFile syncs before renaming too but ignores a failure there; a file that did not reach
    // the disk must not replace the old one.
    if (::fsync(file.handle()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        file.cancelWriting();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return {};
}
