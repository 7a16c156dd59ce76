#pragma once

#include <QPushButton>

// A flat button of a narrow strip: its caption is drawn squeezed to the button's width when it is
// wider, so a caption such as "<<<-" is seen whole on a strip 16 pixels wide. text() is the caption
// as given.
class StripButton : public QPushButton {
    Q_OBJECT
public:
    explicit StripButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
