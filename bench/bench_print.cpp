// Printing two 6000 x 4000 JPEG covers (A+B) to a PDF file, exporting them
// to PDF and opening their print preview: time and size of the lean job,
// against the full-resolution job that printing made before; and the
// pictures held as a click loads them (the file's bytes, decoded for each
// page) against pictures held decoded at full size, as they were before.
#include "bench/benchsupport.h"
#include "logic/page/coverplan.h"
#include "logic/page/leanplan.h"
#include "logic/page/pdfexport.h"
#include "logic/pictures/loadedpicture.h"
#include "print/pageorigin.h"
#include "print/printjob.h"
#include "print/printpreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>

using vellumark::bench::best;
using vellumark::bench::describe;
using vellumark::bench::Job;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString coverA = dir.filePath(QStringLiteral("a.jpg"));
    const QString coverB = dir.filePath(QStringLiteral("b.jpg"));
    vellumark::bench::Photograph(6000, 4000, 1).save(coverA, "JPEG", 90);
    vellumark::bench::Photograph(6000, 4000, 2).save(coverB, "JPEG", 90);
    const QImage pictureA(coverA);
    const QImage pictureB(coverB);
    // A CD front's preview at its deepest zoom asks for this screen copy.
    const QSize screen(612, 612);
    const vellumark::LoadedPicture loadedA
        = vellumark::LoadedPicture::fromFile(coverA, screen).value_or(vellumark::LoadedPicture());
    const vellumark::LoadedPicture loadedB
        = vellumark::LoadedPicture::fromFile(coverB, screen).value_or(vellumark::LoadedPicture());

    // The user's page: A 12.1 x 12.1 cm, B 15 x 11.8 cm below it.
    vellumark::CoverPlanInput input;
    input.slotA = { QStringLiteral("12.1"),
                    QStringLiteral("12.1"),
                    QStringLiteral("2"),
                    QStringLiteral("2"),
                    true,
                    pictureA };
    input.slotB = { QStringLiteral("15"),
                    QStringLiteral("11.8"),
                    QStringLiteral("2"),
                    QStringLiteral("14.6"),
                    true,
                    pictureB };
    vellumark::CoverPlanInput loaded = input;
    loaded.slotA.picture = loadedA;
    loaded.slotB.picture = loadedB;

    const int runs = 3;
    auto print = [](const vellumark::CoverPlanInput &input, bool lean) {
        return [&input, lean](const QString &pdf) {
            vellumark::PrintJob job;
            job.setOutputFile(pdf);
            const vellumark::CoverPlan plan = vellumark::BuildCoverPlan(input);
            return job.print(lean ? vellumark::WithPrintResolution(plan) : plan, false, nullptr)
                == vellumark::PrintOutcome::Printed;
        };
    };
    auto exportPdf = [](const vellumark::CoverPlanInput &input, bool lean) {
        return [&input, lean](const QString &pdf) {
            vellumark::PrintJob job;
            job.setOutputFile(pdf + QStringLiteral(".printer.pdf"));
            const vellumark::CoverPlan plan = vellumark::BuildCoverPlan(input);
            return vellumark::ExportPdf(lean ? vellumark::WithPrintResolution(plan) : plan,
                                        job.exportPageLayout(), QStringLiteral("Vellumark"), pdf);
        };
    };
    const Job fullPrint = best(runs, print(input, false), dir);
    const Job heldPrint = best(runs, print(input, true), dir);
    const Job leanPrint = best(runs, print(loaded, true), dir);
    const Job fullExport = best(runs, exportPdf(input, false), dir);
    const Job heldExport = best(runs, exportPdf(input, true), dir);
    const Job leanExport = best(runs, exportPdf(loaded, true), dir);
    if (fullPrint.milliseconds < 0 || leanPrint.milliseconds < 0 || fullExport.milliseconds < 0
        || leanExport.milliseconds < 0 || heldPrint.milliseconds < 0
        || heldExport.milliseconds < 0) {
        std::puts("printing failed");
        return 1;
    }

    // The preview as the command opens it: resampling, the dialog, the page
    // drawn and the dialog shown once, then closed.
    const auto preview = [&](const vellumark::CoverPlanInput &pictures) {
        return vellumark::bench::MedianMilliseconds(runs, [&] {
            vellumark::PrintJob job;
            job.setOutputFile(dir.filePath(QStringLiteral("unused.pdf")));
            QTimer::singleShot(0, [] {
                if (QWidget *dialog = QApplication::activeModalWidget()) {
                    dialog->grab();
                    dialog->close();
                }
            });
            vellumark::ShowPrintPreview(
                job, vellumark::WithPrintResolution(vellumark::BuildCoverPlan(pictures)), false,
                vellumark::Language::English, nullptr);
        });
    };
    const double heldPreview = preview(input);
    const double leanPreview = preview(loaded);

    using vellumark::bench::reportRow;
    const QString covers = QStringLiteral("two 6000 × 4000 covers (A+B)");
    reportRow(QStringLiteral("print to a PDF file, ") + covers + QStringLiteral(": size"),
              describe(leanPrint), QStringLiteral("full-resolution job"), describe(fullPrint),
              double(leanPrint.bytes) / double(fullPrint.bytes), QStringLiteral("<= 0.25"));
    reportRow(QStringLiteral("print to a PDF file, ") + covers + QStringLiteral(": time"),
              describe(leanPrint), QStringLiteral("full-resolution job"), describe(fullPrint),
              leanPrint.milliseconds / fullPrint.milliseconds, QStringLiteral("—"));
    reportRow(QStringLiteral("export PDF, ") + covers + QStringLiteral(": size"),
              describe(leanExport), QStringLiteral("full-resolution export"), describe(fullExport),
              double(leanExport.bytes) / double(fullExport.bytes), QStringLiteral("<= 0.25"));
    reportRow(QStringLiteral("export PDF, ") + covers + QStringLiteral(": time"),
              describe(leanExport), QStringLiteral("full-resolution export"), describe(fullExport),
              leanExport.milliseconds / fullExport.milliseconds, QStringLiteral("—"));
    reportRow(QStringLiteral("opening the print preview, ") + covers,
              QString::number(leanPreview, 'f', 0) + QStringLiteral(" ms"),
              QStringLiteral("printing it to a PDF file"),
              QString::number(leanPrint.milliseconds, 'f', 0) + QStringLiteral(" ms"),
              leanPreview / leanPrint.milliseconds, QStringLiteral("<= 1.5"));
    const QString before = QStringLiteral("pictures held decoded, as before");
    reportRow(QStringLiteral("print to a PDF file, ") + covers
                  + QStringLiteral(", pictures decoded from their files' bytes"),
              describe(leanPrint), before, describe(heldPrint),
              leanPrint.milliseconds / heldPrint.milliseconds, QStringLiteral("<= 1"));
    reportRow(QStringLiteral("export PDF, ") + covers
                  + QStringLiteral(", pictures decoded from their files' bytes"),
              describe(leanExport), before, describe(heldExport),
              leanExport.milliseconds / heldExport.milliseconds, QStringLiteral("<= 1"));
    reportRow(QStringLiteral("opening the print preview, ") + covers
                  + QStringLiteral(", pictures decoded from their files' bytes"),
              QString::number(leanPreview, 'f', 0) + QStringLiteral(" ms"), before,
              QString::number(heldPreview, 'f', 0) + QStringLiteral(" ms"),
              leanPreview / heldPreview, QStringLiteral("<= 1"));
    return 0;
}
