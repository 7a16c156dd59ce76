#include "lockedfolder.h"

#include <csignal>

#include <QFile>
#include <QFileDevice>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

bool setImmutable(const QString &path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

bool refusesNewFiles(const QString &path)
{
    QFile probe(path + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        return false;
    }
    return true;
}

} // namespace

LockedFolder::LockedFolder(const QString &path) : m_path(path)
{
    m_immutable = setImmutable(path, true);
    if (!m_immutable)
        m_readOnly = QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    m_locked = refusesNewFiles(path);
}

LockedFolder::~LockedFolder()
{
    if (m_immutable)
        setImmutable(m_path, false);
    if (m_readOnly)
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void withFileSizeLimit(long limitBytes, const std::function<void()> &body)
{
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    // Without this the kernel ends the process instead of failing the write.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = rlim_t(limitBytes);
    ::setrlimit(RLIMIT_FSIZE, &limited);
    body();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
}
