#pragma once

#include <functional>

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

#include "acquire/picturefile.h"
#include "base/canvas.h"
#include "display/cleantiles.h"

class QPainter;

// The picture pair and the cursor crosshair. The visible picture (shown by imgView) holds every
// mark drawn into it; the clean picture (imgTemp) the same picture without marks. Both are 24-bit
// (QImage::Format_BGR888). The crosshair is XORed onto the visible picture and taken off before
// anything else touches it, so it is never part of a mark, a copy or a saved file.
//
// The two share one buffer: the visible picture is whole, and the clean one is the visible one
// with the clean pixels of the tiles marks were drawn on put back (CleanTiles keeps them as the
// marks are drawn). So a picture costs its memory once however much is drawn on it, and restoring
// the clean picture costs only the tiles the marks reached. The clean picture has a buffer of its
// own only while the visible one shows something else entirely (the blank picture of an open
// error).
//
// This is the one writer of both pictures and of the crosshair. Every change is announced, with
// the rectangles to repaint where only those changed. Failures to get memory for a new size throw
// ProgramError.
class Pictures : public QObject {
    Q_OBJECT
public:
    explicit Pictures(QObject *parent = nullptr);

    [[nodiscard]] const QImage &view() const { return m_view; }

    // The clean picture, read without a buffer of its own: its size, a pixel (0x00BBGGRR; 0
    // outside), a copy (a whole new picture: for a test or a one-off), or painted for a control.
    [[nodiscard]] QSize cleanSize() const;
    [[nodiscard]] TColor cleanPixel(int x, int y) const;
    [[nodiscard]] QImage cleanCopy() const;
    void paintClean(QPainter &painter, const QRect &rect) const;
    // Runs `use` with the clean picture as a whole picture without copying it: for its duration
    // the visible picture's buffer holds the clean picture (`use` must not touch this object).
    void withClean(const std::function<void(const QImage &clean)> &use);

    // Draws marks on the visible picture with the drawing rules of Canvas.
    void draw(const std::function<void(Canvas &)> &drawing);

    // How a read leaves the picture it was given when it fails.
    enum class FailedRead { MayHaveWritten, LeavesItAsItWas };
    // Reads a new picture, which both pictures then show. When `read` fails, both pictures are as
    // they were, marks included. A read that leaves its picture as it was on failure is given the
    // visible picture itself, whose buffer it fills when the size fits, so a picture replaced by
    // another never takes its memory twice; any other read is given an empty picture to fill. The
    // read gives a 24-bit picture, as the picture file readers do.
    PictureResult load(const std::function<PictureResult(QImage &into)> &read,
                       FailedRead failedRead = FailedRead::MayHaveWritten);
    // Both pictures become copies of `picture` (a captured frame, a prepared picture).
    void replace(const QImage &picture);
    // The visible picture becomes a white width x height picture; the clean one stays (an open error).
    void showBlank(int width, int height);
    // The clean picture takes the visible one, marks and all: they survive every refresh ("儲存").
    void commit();
    // The visible picture goes back to the clean one: the first step of a picture refresh.
    void restoreClean();

    // The XOR crosshair (white pen) through `at` over the whole visible picture, moved from where it
    // was; hideCrosshair takes it off. Replacing the visible picture takes it off too.
    void moveCrosshair(QPoint at);
    void hideCrosshair();
    [[nodiscard]] bool crosshairDrawn() const { return m_crosshairDrawn; }
    [[nodiscard]] QPoint crosshairPos() const { return m_crosshairPos; }

    // The file last written for the current picture: the kept or captured picture, or the
    // annotated copy. Set by whoever writes it.
    [[nodiscard]] const QString &currentPicturePath() const { return m_currentPicturePath; }
    void setCurrentPicturePath(const QString &path) { m_currentPicturePath = path; }

    // Memory the clean picture's pixels take beyond the visible one: its kept tiles or its own buffer.
    [[nodiscard]] qint64 cleanExtraBytes() const;

Q_SIGNALS:
    // Drawn into; the visible picture's size is unchanged.
    void viewChanged(const QVector<QRect> &rects);
    // New contents, perhaps of another size.
    void viewReplaced();
    void cleanReplaced();

private:
    [[nodiscard]] bool cleanIsOwn() const { return !m_ownClean.isNull(); }
    void takeNewPicture();

    QImage m_view;
    CleanTiles m_tiles;  // the clean pixels under the marks, while the clean picture shares m_view
    QImage m_ownClean;   // the clean picture while the visible one is another picture
    bool m_crosshairDrawn = false;
    QPoint m_crosshairPos;
    QString m_currentPicturePath;
};
