#pragma once

#include <QComboBox>

namespace vellumark {

// The one-line typology list of a cover slot. Every selection, whether the
// user makes it (also choosing the entry already shown) or code sets the
// index, is reported once through selected().
class TypologyList : public QComboBox
{
    Q_OBJECT

public:
    explicit TypologyList(const QString &name, QWidget *parent = nullptr);

signals:
    void selected(int index);

private:
    bool m_reportedChange = false;
};

} // namespace vellumark
