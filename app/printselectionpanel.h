#pragma once

#include "app/coverslotpanel.h"
#include "logic/page/coverplan.h"

#include <QObject>

#include <optional>

class QRadioButton;
class QWidget;

namespace vellumark {

// The print selection under the thumbnails: one option for slot A, one for
// "A+B" and one for slot B, each under its bracket and caption.
class PrintSelectionPanel : public QObject
{
    Q_OBJECT

public:
    PrintSelectionPanel(QWidget *area, const ControlMakers &make);

    // Left to right: A, A+B, B.
    QList<QWidget *> options() const;
    // Selects the selection's option; none leaves the options as they are.
    void showSelection(std::optional<PrintSelection> selection);

signals:
    // An option was selected or lost its selection.
    void optionToggled(PrintSelection selection, bool selected);

private:
    QRadioButton *option(PrintSelection selection) const;

    QRadioButton *Option3 = nullptr;
    QRadioButton *Option4 = nullptr;
    QRadioButton *Option5 = nullptr;
};

} // namespace vellumark
