#pragma once

#include <QApplication>

namespace vellumark {

// Shows the busy cursor over the whole program while it lives, and gives
// the previous cursor back however the scope is left.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace vellumark
