#pragma once

#include <cstddef>
#include <cstdint>

#include <QString>

// A file in memory with a path the readers can open by name, for readers that take a path rather
// than bytes: nothing touches the disk and nothing is left behind.
class MemoryFile {
public:
    MemoryFile();
    ~MemoryFile();
    MemoryFile(const MemoryFile &) = delete;
    MemoryFile &operator=(const MemoryFile &) = delete;

    // Replaces the file's contents with data; the path stays the same.
    void assign(const std::uint8_t *data, std::size_t size);
    // A name that opens the file afresh, from its start, however often it is opened.
    [[nodiscard]] const QString &path() const { return m_path; }

private:
    int m_fd = -1;
    QString m_path;
};
