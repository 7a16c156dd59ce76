#pragma once

#include <QImage>
#include <QWidget>

// The capture window inside the preview host (TreeView1): shows the latest live frame, or the still
// frame after a grab, stretched to its own size. The device converts frames straight into its
// picture and then calls pictureChanged, so a live view allocates nothing per frame.
class CapturePreview : public QWidget {
    Q_OBJECT
public:
    explicit CapturePreview(QWidget *parent = nullptr);

    [[nodiscard]] QImage &picture() { return m_picture; }
    [[nodiscard]] const QImage &picture() const { return m_picture; }
    void pictureChanged() { update(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};
