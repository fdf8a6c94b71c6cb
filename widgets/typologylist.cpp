#include "widgets/typologylist.h"

#include <QTimer>

namespace vellumark {

TypologyList::TypologyList(const QString &name, QWidget *parent)
    : QComboBox(parent)
{
    setObjectName(name);
    // A change of index is reported at once. The user's choice is followed by
    // activated() in the same call; it is reported only when it changed
    // nothing, so that choosing the shown entry again re-runs the selection.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_reportedChange = true;
        QTimer::singleShot(0, this, [this] { m_reportedChange = false; });
        emit selected(index);
    });
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (m_reportedChange) {
            m_reportedChange = false;
            return;
        }
        emit selected(index);
    });
}

} // namespace vellumark
