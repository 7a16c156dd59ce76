#pragma once

#include <functional>
#include <vector>

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

#include "acquire/picturefile.h"

class Canvas;

// The picture pair and the cursor crosshair. The visible picture (shown by imgView) holds every
// mark drawn into it; the clean picture (imgTemp) the same picture without marks. Both are 24-bit
// (QImage::Format_BGR888). The crosshair is XORed onto the visible picture and taken off before
// anything else touches it, so it is never part of a mark, a copy or a saved file.
//
// This is the one writer of both pictures and of the crosshair. The buffers are kept: replacing a
// picture by one of the same size, restoring the clean picture and committing copy into them and
// never allocate. Every change is announced, with the rectangles to repaint where only those changed.
// Failures to get memory for a new size throw ProgramError.
class Pictures : public QObject {
    Q_OBJECT
public:
    explicit Pictures(QObject *parent = nullptr);

    [[nodiscard]] const QImage &view() const { return m_view; }
    [[nodiscard]] const QImage &clean() const { return m_clean; }

    // Draws marks on the visible picture with the drawing rules of Canvas.
    void draw(const std::function<void(Canvas &)> &drawing);

    // Reads a new picture into the visible picture's buffer (`read` reuses it when the size is
    // unchanged) and makes the clean picture its copy. When `read` fails, both pictures are as they
    // were, marks included, even when it had written into the buffer before it failed.
    PictureResult load(const std::function<PictureResult(QImage &into)> &read);
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

Q_SIGNALS:
    // Drawn into; the visible picture's size is unchanged.
    void viewChanged(const QVector<QRect> &rects);
    // New contents, perhaps of another size.
    void viewReplaced();
    void cleanReplaced();

private:
    // What the visible picture holds beyond the clean one, kept while a read may overwrite it.
    struct Marks {
        struct Span {
            int y;
            int from;  // byte offset in the row
            QByteArray bytes;
        };
        std::vector<Span> spans;
        bool kept = false;  // the visible picture kept whole: it is not the clean one's size
        QImage whole;
    };

    [[nodiscard]] Marks saveMarks() const;
    void putBack(const Marks &marks);
    void xorCrosshair(QPoint at);
    void viewNowClean();

    QImage m_view;
    QImage m_clean;
    QRect m_marked;  // where the visible picture may differ from the clean one
    bool m_crosshairDrawn = false;
    QPoint m_crosshairPos;
    QString m_currentPicturePath;
};
