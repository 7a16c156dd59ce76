#pragma once

#include <QColor>
#include <QWidget>

// A drawn shape over other controls (selection frame, colour swatch, search frame, markers).
// It never takes the mouse unless told to.
class Shape : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Rectangle, Circle };

    explicit Shape(QWidget *parent = nullptr, Kind kind = Kind::Rectangle);

    void setPen(const QColor &color, int width);
    void setBrush(const QColor &color, Qt::BrushStyle style);
    [[nodiscard]] QColor brushColor() const { return m_brushColor; }
    [[nodiscard]] QColor penColor() const { return m_penColor; }

Q_SIGNALS:
    void contextPopup();

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    Kind m_kind;
    QColor m_penColor = Qt::black;
    int m_penWidth = 1;
    QColor m_brushColor = Qt::white;
    Qt::BrushStyle m_brushStyle = Qt::NoBrush;
};
