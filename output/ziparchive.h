#pragma once

#include <vector>

#include <QByteArray>
#include <QString>

// The parts of a zip archive held in memory, in archive order: a workbook is read whole, its XML
// parts edited, and written back as a new archive.
class ZipArchive {
public:
    struct Part {
        QString name;
        QByteArray data;
        bool stored = false;  // kept uncompressed (pictures that are compressed already)
    };

    // Reads every part of the archive in bytes; error says why it could not. A part whose data
    // does not match its checksum or its declared size is refused, and so is a part over 256 MB
    // or parts over 1 GB together, before any memory is taken for them.
    [[nodiscard]] static ZipArchive read(const QByteArray &bytes, QString *error);

    // Part names compare case-insensitively, as in a workbook package.
    [[nodiscard]] bool contains(const QString &name) const { return find(name) != nullptr; }
    [[nodiscard]] const Part *find(const QString &name) const;
    [[nodiscard]] Part *find(const QString &name);
    // Replaces the part of that name or appends a new one.
    void put(const QString &name, const QByteArray &data, bool stored = false);
    void remove(const QString &name);
    [[nodiscard]] const std::vector<Part> &parts() const { return m_parts; }

    // The archive in bytes; error set and empty bytes when libzip refuses.
    [[nodiscard]] QByteArray write(QString *error) const;

private:
    std::vector<Part> m_parts;
};
