#include "output/ziparchive.h"

#include <algorithm>
#include <memory>

#include <zip.h>

namespace {

// A part or a whole package beyond these is no workbook the export fills. The sizes an archive
// declares are not trusted: a few bytes can claim gigabytes, and data grows only as it is read.
constexpr qint64 MaxPartBytes = qint64(256) << 20;
constexpr qint64 MaxArchiveBytes = qint64(1) << 30;
constexpr qint64 ReadChunkBytes = qint64(1) << 16;

QString zipErrorText(zip_error_t *error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

struct ZipCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct SourceFreer {
    void operator()(zip_source_t *source) const { zip_source_free(source); }
};

}  // namespace

ZipArchive ZipArchive::read(const QByteArray &bytes, QString *error)
{
    ZipArchive result;
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &zerror);
    if (!source) {
        *error = zipErrorText(&zerror);
        zip_error_fini(&zerror);
        return {};
    }
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open_from_source(source, ZIP_RDONLY, &zerror));
    if (!archive) {
        zip_source_free(source);
        *error = zipErrorText(&zerror);
        zip_error_fini(&zerror);
        return {};
    }
    zip_error_fini(&zerror);
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &stat) != 0) {
            *error = QString::fromLocal8Bit(zip_strerror(archive.get()));
            return {};
        }
        const QString name = QString::fromUtf8(stat.name);
        if (name.endsWith(u'/'))
            continue;  // folders carry no part
        const qint64 room = std::min(MaxPartBytes, MaxArchiveBytes - total);
        if (stat.size > zip_uint64_t(room)) {
            *error = QStringLiteral("the part %1 is too large (%2 bytes, at most %3)").arg(name).arg(stat.size).arg(room);
            return {};
        }
        zip_file_t *file = zip_fopen_index(archive.get(), zip_uint64_t(i), 0);
        if (!file) {
            *error = QString::fromLocal8Bit(zip_strerror(archive.get()));
            return {};
        }
        QByteArray data;
        data.reserve(qsizetype(std::min<zip_uint64_t>(stat.size, ReadChunkBytes)));
        zip_int64_t got = 0;
        do {
            const qsizetype at = data.size();
            // One byte past the declared size shows an entry that holds more than it says, and
            // reading to the end makes libzip check the part's checksum.
            const qint64 want = std::min<qint64>(ReadChunkBytes, qint64(stat.size) + 1 - at);
            data.resize(at + qsizetype(want));
            got = zip_fread(file, data.data() + at, zip_uint64_t(want));
            data.resize(at + qsizetype(std::max<zip_int64_t>(got, 0)));
        } while (got > 0 && zip_uint64_t(data.size()) <= stat.size);
        QString problem;
        if (got < 0)
            problem = QString::fromLocal8Bit(zip_file_strerror(file));
        else if (zip_uint64_t(data.size()) != stat.size)
            problem = QStringLiteral("the part %1 holds %2 bytes, not the %3 its entry gives").arg(name).arg(data.size()).arg(stat.size);
        zip_fclose(file);
        if (!problem.isEmpty()) {
            *error = problem;
            return {};
        }
        total += data.size();
        result.m_parts.push_back({name, data, stat.comp_method == ZIP_CM_STORE});
    }
    return result;
}

const ZipArchive::Part *ZipArchive::find(const QString &name) const
{
    for (const Part &part : m_parts)
        if (part.name.compare(name, Qt::CaseInsensitive) == 0)
            return &part;
    return nullptr;
}

ZipArchive::Part *ZipArchive::find(const QString &name)
{
    return const_cast<Part *>(std::as_const(*this).find(name));
}

void ZipArchive::put(const QString &name, const QByteArray &data, bool stored)
{
    if (Part *part = find(name)) {
        part->data = data;
        part->stored = stored;
        return;
    }
    m_parts.push_back({name, data, stored});
}

void ZipArchive::remove(const QString &name)
{
    std::erase_if(m_parts, [&](const Part &part) { return part.name.compare(name, Qt::CaseInsensitive) == 0; });
}

QByteArray ZipArchive::write(QString *error) const
{
    zip_error_t zerror;
    zip_error_init(&zerror);
    std::unique_ptr<zip_source_t, SourceFreer> target(zip_source_buffer_create(nullptr, 0, 0, &zerror));
    zip_t *raw = target ? zip_open_from_source(target.get(), ZIP_TRUNCATE, &zerror) : nullptr;
    if (!raw) {
        *error = zipErrorText(&zerror);
        zip_error_fini(&zerror);
        return {};
    }
    zip_error_fini(&zerror);
    // The buffer source must outlive the archive that writes into it.
    zip_source_keep(target.get());
    std::unique_ptr<zip_t, ZipCloser> archive(raw);
    for (const Part &part : m_parts) {
        // libzip reads the data only when the archive is closed; m_parts stays untouched till then.
        zip_source_t *source = zip_source_buffer(archive.get(), part.data.constData(), zip_uint64_t(part.data.size()), 0);
        const zip_int64_t index = source ? zip_file_add(archive.get(), part.name.toUtf8().constData(), source,
                                                        ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE)
                                         : -1;
        if (index < 0) {
            if (source)
                zip_source_free(source);
            *error = QString::fromLocal8Bit(zip_strerror(archive.get()));
            return {};
        }
        if (zip_set_file_compression(archive.get(), zip_uint64_t(index), part.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) != 0) {
            *error = QString::fromLocal8Bit(zip_strerror(archive.get()));
            return {};
        }
    }
    if (zip_close(archive.get()) != 0) {
        *error = QString::fromLocal8Bit(zip_strerror(archive.get()));
        return {};
    }
    archive.release();  // closed and freed by zip_close

    zip_source_t *src = target.get();
    zip_stat_t stat;
    if (zip_source_open(src) != 0 || zip_source_stat(src, &stat) != 0) {
        *error = zipErrorText(zip_source_error(src));
        return {};
    }
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t got = zip_source_read(src, bytes.data(), stat.size);
    zip_source_close(src);
    if (got != zip_int64_t(stat.size)) {
        *error = zipErrorText(zip_source_error(src));
        return {};
    }
    return bytes;
}
