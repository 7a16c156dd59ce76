#include "display/cleantiles.h"

#include <algorithm>
#include <cstring>

namespace {

// Calls copy(pictureRow, tileRow, bytes) for each row of the tile's part inside the picture.
template <class Bits, class Copy>
void forEachRow(const QRect &r, Bits *pictureBits, qsizetype stride, uchar *tile, Copy copy)
{
    const std::size_t bytes = std::size_t(r.width()) * 3;
    for (int y = 0; y < r.height(); ++y)
        copy(pictureBits + (r.top() + y) * stride + qsizetype(r.left()) * 3,
             tile + qsizetype(y) * CleanTiles::TileWidth * 3, bytes);
}

}  // namespace

CleanTiles::CleanTiles()
{
    m_watch.shiftX = ShiftX;
    m_watch.shiftY = ShiftY;
    m_watch.keep = [this](int tile) { keep(*m_watched, tile); };
}

void CleanTiles::reset(QSize pictureSize)
{
    m_size = pictureSize;
    m_columns = (pictureSize.width() + TileWidth - 1) / TileWidth;
    const int rows = (pictureSize.height() + TileHeight - 1) / TileHeight;
    m_slots.assign(std::size_t(std::max(0, m_columns * rows)), -1);
    m_kept.clear();
    m_chunks.clear();
    m_watch.columns = m_columns;
    m_watch.tileSlots = m_slots.data();
}

const TileWatch &CleanTiles::watch(QImage &picture)
{
    Q_ASSERT(picture.size() == m_size);
    m_watched = &picture;
    return m_watch;
}

qint64 CleanTiles::memoryBytes() const
{
    return qint64(m_chunks.size()) * ChunkTiles * TileBytes;
}

uchar *CleanTiles::slotBytes(std::int32_t slot) const
{
    return m_chunks[std::size_t(slot / ChunkTiles)].get() + qsizetype(slot % ChunkTiles) * TileBytes;
}

QRect CleanTiles::tileRect(int tile) const
{
    const QRect whole((tile % m_columns) * TileWidth, (tile / m_columns) * TileHeight, TileWidth, TileHeight);
    return whole & QRect(QPoint(0, 0), m_size);
}

void CleanTiles::keep(const QImage &picture, int tile)
{
    const auto slot = std::int32_t(m_kept.size());
    if (std::size_t(slot / ChunkTiles) >= m_chunks.size())
        m_chunks.push_back(std::make_unique<uchar[]>(std::size_t(ChunkTiles * TileBytes)));
    uchar *bytes = slotBytes(slot);
    forEachRow(tileRect(tile), picture.constBits(), picture.bytesPerLine(), bytes,
               [](const uchar *from, uchar *to, std::size_t n) { std::memcpy(to, from, n); });
    m_slots[std::size_t(tile)] = slot;
    m_kept.push_back(tile);
}

QVector<QRect> CleanTiles::restoreInto(QImage &picture)
{
    QVector<QRect> rects;
    rects.reserve(qsizetype(m_kept.size()));
    uchar *bits = picture.bits();
    // Row by row through the picture rather than in the order the marks reached the tiles.
    std::sort(m_kept.begin(), m_kept.end());
    for (const int tile : m_kept) {
        const QRect r = tileRect(tile);
        forEachRow(r, bits, picture.bytesPerLine(), slotBytes(m_slots[std::size_t(tile)]),
                   [](uchar *to, const uchar *from, std::size_t n) { std::memcpy(to, from, n); });
        rects.append(r);
    }
    forget();
    return rects;
}

void CleanTiles::forget()
{
    for (const int tile : m_kept)
        m_slots[std::size_t(tile)] = -1;
    releaseUnused();
    m_kept.clear();
}

void CleanTiles::releaseUnused()
{
    // The chunks this round needed stay for the next; more were kept for a heavier one before.
    const std::size_t needed = (m_kept.size() + ChunkTiles - 1) / ChunkTiles;
    if (m_chunks.size() > needed)
        m_chunks.resize(needed);
}

void CleanTiles::swapWith(QImage &picture)
{
    uchar *bits = picture.bits();
    for (const int tile : m_kept) {
        forEachRow(tileRect(tile), bits, picture.bytesPerLine(), slotBytes(m_slots[std::size_t(tile)]),
                   [](uchar *a, uchar *b, std::size_t n) { std::swap_ranges(a, a + n, b); });
    }
}

void CleanTiles::copyInto(QImage &picture) const
{
    uchar *bits = picture.bits();
    for (const int tile : m_kept) {
        forEachRow(tileRect(tile), bits, picture.bytesPerLine(), slotBytes(m_slots[std::size_t(tile)]),
                   [](uchar *to, const uchar *from, std::size_t n) { std::memcpy(to, from, n); });
    }
}

const uchar *CleanTiles::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_size.width() || y >= m_size.height())
        return nullptr;
    const std::int32_t slot = m_slots[std::size_t((y >> ShiftY) * m_columns + (x >> ShiftX))];
    if (slot < 0)
        return nullptr;
    return slotBytes(slot) + qsizetype(y & (TileHeight - 1)) * TileWidth * 3 + qsizetype(x & (TileWidth - 1)) * 3;
}
