#pragma once

#include <QColor>
#include <QWidget>

namespace vellumark {

// A straight line between two points given in twips of its parent, drawn
// one pixel wide. It takes no mouse input, so what lies below stays
// clickable.
class LineItem : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int X1 READ x1 WRITE setX1)
    Q_PROPERTY(int Y1 READ y1 WRITE setY1)
    Q_PROPERTY(int X2 READ x2 WRITE setX2)
    Q_PROPERTY(int Y2 READ y2 WRITE setY2)

public:
    LineItem(const QString &name, int x1, int y1, int x2, int y2, QColor colour, QWidget *parent);

    int x1() const { return m_x1; }
    int y1() const { return m_y1; }
    int x2() const { return m_x2; }
    int y2() const { return m_y2; }
    void setX1(int twips);
    void setY1(int twips);
    void setX2(int twips);
    void setY2(int twips);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void place();

    int m_x1;
    int m_y1;
    int m_x2;
    int m_y2;
    QColor m_colour;
};

} // namespace vellumark
