#include "app/printselectionpanel.h"

#include "logic/twips.h"

#include <QLabel>
#include <QRadioButton>

namespace vellumark {

PrintSelectionPanel::PrintSelectionPanel(QWidget *area, const ControlMakers &make)
    : QObject(area)
{
    // The thumbnails' captions and brackets.
    make.label(QStringLiteral("Label1"), QRect(720, 4560, 735, 180), Qt::AlignCenter, area)
        ->setText(QStringLiteral("A"));
    make.label(QStringLiteral("Label18"), QRect(2040, 4560, 1695, 180), Qt::AlignCenter, area)
        ->setText(QStringLiteral("A+B"));
    make.label(QStringLiteral("Label16"), QRect(4320, 4560, 735, 180), Qt::AlignCenter, area)
        ->setText(QStringLiteral("B"));
    const struct
    {
        const char *name;
        int x1, y1, x2, y2;
    } brackets[] = {
        { "Line1", 607, 4755, 1455, 4755 },   { "Line2", 607, 4755, 607, 5040 },
        { "Line3", 1455, 4755, 1455, 4800 },  { "Line4", 720, 4755, 720, 4800 },
        { "Line5", 2040, 4755, 3735, 4755 },  { "Line7", 2040, 4755, 2040, 4800 },
        { "Line11", 3735, 4755, 3735, 4800 }, { "Line12", 2882, 4755, 2882, 5040 },
        { "Line13", 4320, 4755, 5167, 4755 }, { "Line14", 4320, 4755, 4320, 4800 },
        { "Line15", 5055, 4755, 5055, 4800 }, { "Line16", 5167, 4755, 5167, 5040 },
    };
    for (const auto &b : brackets)
        make.line(QString::fromLatin1(b.name), b.x1, b.y1, b.x2, b.y2, false, area);

    auto makeOption = [this, area](const QString &name, int left, PrintSelection selection) {
        auto *option = new QRadioButton(area);
        option->setObjectName(name);
        option->setGeometry(TwipsRect(left, 5040, 195, 195));
        // The button is as small as the indicator: shrink it to fit.
        option->setStyleSheet(
            QStringLiteral("QRadioButton { spacing: 0px; }"
                           "QRadioButton::indicator { width: 11px; height: 11px; }"));
        connect(option, &QRadioButton::toggled, this,
                [this, selection](bool on) { emit optionToggled(selection, on); });
        return option;
    };
    Option3 = makeOption(QStringLiteral("Option3"), 510, PrintSelection::SlotA);
    Option5 = makeOption(QStringLiteral("Option5"), 2785, PrintSelection::BothSlots);
    Option4 = makeOption(QStringLiteral("Option4"), 5070, PrintSelection::SlotB);
    Option5->setChecked(true);
}

QList<QWidget *> PrintSelectionPanel::options() const
{
    return { Option3, Option5, Option4 };
}

QRadioButton *PrintSelectionPanel::option(PrintSelection selection) const
{
    switch (selection) {
    case PrintSelection::SlotA:
        return Option3;
    case PrintSelection::SlotB:
        return Option4;
    case PrintSelection::BothSlots:
        break;
    }
    return Option5;
}

void PrintSelectionPanel::showSelection(std::optional<PrintSelection> selection)
{
    if (selection)
        option(*selection)->setChecked(true);
}

} // namespace vellumark
