#pragma once

#include <QLabel>

class QMouseEvent;

// A result label over the picture: transparent text whose tag is its measurement's rIndex. Its
// mouse events go to the label reactions, which know which label they came from.
class MeasurementLabel : public QLabel {
    Q_OBJECT
public:
    explicit MeasurementLabel(QWidget *parent);
    [[nodiscard]] int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

Q_SIGNALS:
    void mouseDown(MeasurementLabel *label, QMouseEvent *event);
    void mouseMove(MeasurementLabel *label, QMouseEvent *event);
    void mouseUp(MeasurementLabel *label, QMouseEvent *event);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_tag = 0;
};

// The label's font colour as a stored colour value, and back.
[[nodiscard]] quint32 labelColor(const QLabel &label);
void setLabelColor(QLabel &label, quint32 color);
