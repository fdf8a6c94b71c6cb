#include "widgets/measurefield.h"

#include <QKeyEvent>

namespace vellumark {

MeasureField::MeasureField(const QString &name, QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(name);
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!m_inKeyPress) // a key press reports once, after it
            emit edited();
    });
}

void MeasureField::keyPressEvent(QKeyEvent *event)
{
    m_inKeyPress = true;
    QLineEdit::keyPressEvent(event);
    m_inKeyPress = false;
    emit edited();
}

} // namespace vellumark
