#pragma once

#include <QIcon>
#include <QString>

namespace vellumark {

// The picture of a tool on the toolbar, drawn for its ID; an empty icon for
// tools that show their caption only.
QIcon ToolIcon(const QString &id);

} // namespace vellumark
