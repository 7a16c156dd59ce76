#include "lockedfolder.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

bool setImmutable(const QString &path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
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
    if (!QFileInfo(path).isDir())
        return !QFile(path).open(QIODevice::ReadWrite);
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

FullDisk::FullDisk(const QString &path, long bytes) : m_path(path)
{
    const QByteArray options = "size=" + QByteArray::number(qlonglong(bytes)) + ",mode=0700";
    m_mounted = ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                        options.constData()) == 0;
    if (!m_mounted)
        m_reason = QStringLiteral("cannot mount a small tmpfs here (%1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
}

FullDisk::~FullDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
}

void FullDisk::fill()
{
    const int fd = ::open(QFile::encodeName(m_path + QStringLiteral("/.filler")).constData(),
                          O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0)
        return;
    const QByteArray block(512, 'f');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    ::close(fd);
}
