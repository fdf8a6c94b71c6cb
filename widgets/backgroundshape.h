#pragma once

#include <QColor>
#include <QWidget>

namespace vellumark {

// The decorative pattern laid over the window's background picture:
// fill style 0 solid, 1 transparent, 2 horizontal lines, 3 vertical lines,
// 4 upward diagonal, 5 downward diagonal, 6 cross, 7 diagonal cross, drawn
// in the fill colour.
class BackgroundShape : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int fillStyle READ fillStyle WRITE setFillStyle)
    Q_PROPERTY(QColor fillColor READ fillColor WRITE setFillColor)

public:
    explicit BackgroundShape(QWidget *parent = nullptr);

    int fillStyle() const { return m_fillStyle; }
    void setFillStyle(int style);
    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor &colour);

    static Qt::BrushStyle brushStyleFor(int fillStyle);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_fillStyle = 1;
    QColor m_fillColor = Qt::red;
};

// Colours are stored as red + 256 * green + 65536 * blue.
int ColourNumber(const QColor &colour);
QColor ColourFromNumber(int number);

} // namespace vellumark
