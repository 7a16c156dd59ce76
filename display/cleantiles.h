#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QImage>
#include <QRect>
#include <QSize>
#include <QVector>

#include "base/canvas.h"

// The clean picture's pixels where the visible picture may differ from it. The visible picture is
// the one whole buffer; a canvas drawing marks on it keeps each tile's clean pixels here just
// before its first write there (through watch()), so the clean picture is the visible one with
// these tiles put back, and putting them back costs only the tiles the marks reached.
//
// Kept pixels live in chunks that stay allocated from one refresh to the next; what a lighter
// refresh no longer needs is given back when it is restored.
class CleanTiles {
public:
    static constexpr int ShiftX = 5;
    static constexpr int ShiftY = 4;
    static constexpr int TileWidth = 1 << ShiftX;
    static constexpr int TileHeight = 1 << ShiftY;

    CleanTiles();
    CleanTiles(const CleanTiles &) = delete;
    CleanTiles &operator=(const CleanTiles &) = delete;

    // For a picture of this size, nothing kept, memory given back.
    void reset(QSize pictureSize);
    [[nodiscard]] QSize pictureSize() const { return m_size; }

    // For a canvas on `picture` (the visible picture, of pictureSize()): keeps a tile's pixels just
    // before the canvas first writes there.
    [[nodiscard]] const TileWatch &watch(QImage &picture);

    [[nodiscard]] bool empty() const { return m_kept.empty(); }
    [[nodiscard]] int keptCount() const { return int(m_kept.size()); }
    // Bytes of the kept pixels, and all that is held for them (chunks not in use included).
    [[nodiscard]] qint64 keptBytes() const { return qint64(m_kept.size()) * TileBytes; }
    [[nodiscard]] qint64 memoryBytes() const;

    // Puts every kept tile back into `picture` and forgets them: it is the clean picture again.
    // Returns the rectangles put back.
    QVector<QRect> restoreInto(QImage &picture);
    // Forgets every kept tile: the picture as it stands is the clean one.
    void forget();
    // Exchanges the kept pixels with the picture's: applied once the picture shows the clean
    // picture, applied again it shows what it showed before.
    void swapWith(QImage &picture);
    // Writes the kept tiles over `picture` (a copy of the visible one), leaving this unchanged.
    void copyInto(QImage &picture) const;

    // The kept pixel's B, G, R bytes, or nullptr when (x, y) lies in no kept tile.
    [[nodiscard]] const uchar *pixel(int x, int y) const;

private:
    static constexpr int ChunkTiles = 256;
    static constexpr qsizetype TileBytes = qsizetype(TileWidth) * TileHeight * 3;

    void keep(const QImage &picture, int tile);
    [[nodiscard]] uchar *slotBytes(std::int32_t slot) const;
    [[nodiscard]] QRect tileRect(int tile) const;
    void releaseUnused();

    QSize m_size;
    int m_columns = 0;
    std::vector<std::int32_t> m_slots;  // per tile: its slot, or -1 when not kept
    std::vector<int> m_kept;            // tiles kept, in the order they were
    std::vector<std::unique_ptr<uchar[]>> m_chunks;
    TileWatch m_watch;
    QImage *m_watched = nullptr;
};
