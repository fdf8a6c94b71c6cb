#pragma once

#include <QList>

class QAbstractButton;

namespace vellumark {

// Tab enters a group of exclusive option buttons at the checked one, from
// where the arrow keys choose within the group: only the checked button
// takes focus from Tab, the others from a click.
void TabEntersAtCheckedButton(const QList<QAbstractButton *> &group);

} // namespace vellumark
