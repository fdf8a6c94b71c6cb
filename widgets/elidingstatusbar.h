#pragma once

#include <QStatusBar>

namespace vellumark {

// A status bar for a window of fixed width: a message too long for it loses
// its middle to a "…" (the start says what happened, the end which file or
// printer) instead of being cut off, and its tooltip holds the whole text.
// currentMessage() is always the whole text.
class ElidingStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit ElidingStatusBar(QWidget *parent = nullptr);

    // The message as it is painted.
    QString shownText() const;
    // Where the message is painted.
    QRect messageRoom() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateToolTip();
};

} // namespace vellumark
