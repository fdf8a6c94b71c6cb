#pragma once

#include "logic/page/coverplan.h"
#include "logic/settings/programsettings.h"

#include <QObject>

#include <functional>

class QStatusBar;
class QWidget;

namespace vellumark {

struct CutOff;
struct WindowState;
enum class PrintOutcome;
class PrintJob;

// The commands that put the page on paper or into a file: print, print
// preview, PDF export, printer set-up and calibration. Each says in the
// status bar what it did, in the window's language.
class PrintCommands : public QObject
{
    Q_OBJECT

public:
    // What the window holds for the page now: slots, selection and DVD.
    using PageSource = std::function<CoverPlanInput()>;

    PrintCommands(ProgramSettings settings, const WindowState &state, PageSource page,
                  QStatusBar *status, QWidget *window);

    void print();
    void showPreview();
    void exportPdf();
    void setUpPrinter();
    void calibrate();

private:
    // The page as the window holds it now, pictures at print resolution.
    CoverPlan currentPlan() const;
    bool printerSetupFirst() const;
    bool askToPrintCutOff(const QList<CutOff> &cuts, QWidget *parent);
    void reportOutcome(PrintOutcome outcome, const CoverPlan &plan);
    void sayCalibrationPageOutcome(PrintOutcome outcome);
    void say(const QString &message);

    ProgramSettings m_settings;
    const WindowState &m_state;
    PageSource m_page;
    QStatusBar *m_status;
    QWidget *m_window;
    // The program's one printer, a child of the window.
    PrintJob *m_printJob;
};

} // namespace vellumark
