#pragma once

#include <functional>

#include <QString>

// Makes a folder refuse new files, or a file refuse writing, while the object lives, even for root
// (through the file system's immutable flag; a plain read-only mode otherwise). locked() tells
// whether it worked, so a test can skip where neither is possible.
class LockedFolder {
public:
    explicit LockedFolder(const QString &path);
    ~LockedFolder();
    LockedFolder(const LockedFolder &) = delete;
    LockedFolder &operator=(const LockedFolder &) = delete;

    [[nodiscard]] bool locked() const { return m_locked; }

private:
    QString m_path;
    bool m_immutable = false;
    bool m_readOnly = false;
    bool m_locked = false;
};

// Runs body with the process's file size limit at limitBytes, so writes beyond it fail as on a
// full disk; the limit is back before it returns.
void withFileSizeLimit(long limitBytes, const std::function<void()> &body);

// A small file system of its own (tmpfs) mounted on an empty folder while the object lives, so a
// test meets a real full disk (ENOSPC). Mounting needs root; mounted() is false otherwise and
// reason() says why, so the test can skip.
class FullDisk {
public:
    FullDisk(const QString &path, long bytes);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    [[nodiscard]] bool mounted() const { return m_mounted; }
    [[nodiscard]] QString reason() const { return m_reason; }
    // Takes every free byte with a filler file; the files already there stay.
    void fill();

private:
    QString m_path;
    bool m_mounted = false;
    QString m_reason;
};
