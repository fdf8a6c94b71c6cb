#pragma once

#include <QLineEdit>

namespace vellumark {

// A size or position field. It keeps any text as typed and reports
// edited() after every key press, once the key has taken effect (arrow keys
// and modifier keys alone included), and after every change the user makes
// without a key press (pasting or cutting with the mouse, dropping text,
// undo from the context menu). Changes made by code are not reported.
class MeasureField : public QLineEdit
{
    Q_OBJECT

public:
    explicit MeasureField(const QString &name, QWidget *parent = nullptr);

signals:
    void edited();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_inKeyPress = false;
};

} // namespace vellumark
