#pragma once

#include <QSpinBox>

// A pair of spin arrows with a position, as the platform's up-down control: each step of an arrow
// (a press, the wheel or an arrow key) is reported as a click in its direction; the position is
// shown but cannot be typed.
class UpDown : public QSpinBox {
    Q_OBJECT
public:
    explicit UpDown(QWidget *parent = nullptr);

    void stepBy(int steps) override;

Q_SIGNALS:
    // One click: increase is the increasing arrow.
    void clicked(bool increase);
};
