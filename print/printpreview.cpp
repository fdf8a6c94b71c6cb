#include "print/printpreview.h"

#include "logic/page/paintcoverplan.h"
#include "logic/page/previewmarks.h"
#include "logic/texts/accessibletexts.h"
#include "print/pageorigin.h"
#include "widgets/busycursor.h"

#include <QAction>
#include <QComboBox>
#include <QGraphicsView>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolButton>

namespace vellumark {

namespace {

void paintPreview(QPrinter &printer, const CoverPlan &plan)
{
    PreparePageOrigin(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    PaintCoverPlan(painter, plan);
    PaintPreviewMarks(painter, plan, PrintableSizeCm(PrintablePageLayout(printer)));
    painter.end();
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

std::optional<PrintOutcome> ShowPrintPreview(PrintJob &job, const CoverPlan &plan, bool askFirst,
                                             QWidget *parent, Language language)
{
    QPrinter &printer = job.printer();
    PreparePageOrigin(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintPreviewDialog"));
    nameUnnamedControls(&dialog, language);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&plan](QPrinter *previewed) {
                         const BusyCursor busy;
                         paintPreview(*previewed, plan);
                     });

    // Qt's own print button would always ask with its print dialog and
    // would skip the fit check: it goes through the print command's path.
    std::optional<PrintOutcome> outcome;
    const QList<QAction *> actions = dialog.findChildren<QAction *>();
    for (QAction *action : actions) {
        if (!QObject::disconnect(action, SIGNAL(triggered(bool)), &dialog, SLOT(_q_print())))
            continue;
        action->setObjectName(QStringLiteral("PreviewPrint"));
        QObject::connect(action, &QAction::triggered, &dialog, [&] {
            outcome = job.print(plan, askFirst, &dialog);
            if (outcome == PrintOutcome::Printed)
                dialog.accept();
        });
    }
    dialog.exec();
    return outcome;
}

} // namespace vellumark
