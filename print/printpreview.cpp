#include "print/printpreview.h"

#include "logic/page/fitcheck.h"
#include "logic/page/paintcoverplan.h"
#include "logic/page/previewmarks.h"
#include "logic/texts/accessibletexts.h"
#include "logic/texts/messagetexts.h"
#include "print/pageorigin.h"
#include "widgets/busycursor.h"

#include <QAction>
#include <QComboBox>
#include <QGraphicsView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>
#include <QToolButton>

namespace vellumark {

namespace {

void paintPreview(QPrinter &printer, const CoverPlan &plan)
{
    QPainter painter;
    if (!BeginAtPageOrigin(painter, printer))
        return;
    PaintCoverPlan(painter, plan);
    PaintPreviewMarks(painter, plan, PrintableSizeCm(PrintablePageLayout(printer)));
    painter.end();
}

// Qt's print button, known by its text in Qt's own translation.
QAction *qtPrintAction(QPrintPreviewDialog &dialog)
{
    const QString text = QPrintPreviewDialog::tr("Print");
    const QList<QAction *> actions = dialog.findChildren<QAction *>();
    for (QAction *action : actions) {
        if (action->text() == text && action->objectName() != u"PreviewPrint")
            return action;
    }
    return nullptr;
}

// Qt names the preview's tools, not its page field, its page view nor the
// button that shows the tools a narrow window has no room for.
void nameUnnamedControls(QWidget *dialog, Language language)
{
    const AccessibleTexts &texts = AccessibleTextsOf(language);
    for (QLineEdit *field : dialog->findChildren<QLineEdit *>()) {
        if (!qobject_cast<QComboBox *>(field->parentWidget()))
            field->setAccessibleName(texts.pageNumber);
    }
    for (QGraphicsView *view : dialog->findChildren<QGraphicsView *>())
        view->setAccessibleName(texts.previewedPage);
    for (QToolButton *button : dialog->findChildren<QToolButton *>()) {
        if (button->objectName() == u"qt_toolbar_ext_button")
            button->setAccessibleName(texts.moreTools);
    }
}

} // namespace

QAction *RoutePrintButton(QPrintPreviewDialog &dialog, const std::function<void()> &print)
{
    const QList<QAction *> actions = dialog.findChildren<QAction *>();
    for (QAction *action : actions) {
        // Qt's button prints through a private slot; where undoing that
        // connection takes, the button is ours.
        if (!QObject::disconnect(action, SIGNAL(triggered(bool)), &dialog, SLOT(_q_print())))
            continue;
        action->setObjectName(QStringLiteral("PreviewPrint"));
        QObject::connect(action, &QAction::triggered, &dialog, print);
        return action;
    }
    // Qt prints some other way here: its button goes, ours comes.
    QAction *theirs = qtPrintAction(dialog);
    auto *ours = new QAction(&dialog);
    ours->setObjectName(QStringLiteral("PreviewPrint"));
    ours->setText(theirs ? theirs->text() : QPrintPreviewDialog::tr("Print"));
    if (theirs) {
        ours->setIcon(theirs->icon());
        ours->setShortcuts(theirs->shortcuts());
        theirs->setShortcuts({});
        theirs->setVisible(false);
        theirs->setEnabled(false);
    }
    QObject::connect(ours, &QAction::triggered, &dialog, print);
    if (auto *toolbar = dialog.findChild<QToolBar *>())
        toolbar->insertAction(theirs && toolbar->actions().contains(theirs) ? theirs : nullptr,
                              ours);
    else
        dialog.addAction(ours);
    return ours;
}

std::optional<PrintOutcome> ShowPrintPreview(PrintJob &job, const CoverPlan &plan, bool askFirst,
                                             Language language, QWidget *parent)
{
    QPrinter &printer = job.printer();
    printer.setFullPage(true); // the preview shows the whole sheet
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintPreviewDialog"));

    // What the fit check would ask, said at once: the hatching alone shows
    // little of a cover that runs far past the paper.
    auto *cutWords = new QLabel(&dialog);
    cutWords->setObjectName(QStringLiteral("PreviewCutOff"));
    cutWords->setWordWrap(true);
    cutWords->setMargin(6);
    if (dialog.layout())
        dialog.layout()->addWidget(cutWords);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&plan, cutWords, language](QPrinter *previewed) {
                         const BusyCursor busy;
                         paintPreview(*previewed, plan);
                         const QList<CutOff> cuts
                             = CutOffs(plan, PrintableSizeCm(PrintablePageLayout(*previewed)));
                         cutWords->setText(CutOffWarning(language, cuts));
                         cutWords->setVisible(!cuts.isEmpty());
                     });

    std::optional<PrintOutcome> outcome;
    RoutePrintButton(dialog, [&] {
        outcome = job.print(plan, askFirst, &dialog);
        if (outcome == PrintOutcome::Printed)
            dialog.accept();
    });
    nameUnnamedControls(&dialog, language);
    dialog.exec();
    return outcome;
}

} // namespace vellumark
