// Printing two 6000 x 4000 JPEG covers (A+B) to a PDF file, exporting them
// to PDF and opening their print preview: time and size of the lean job,
// against the full-resolution job that printing made before.
#include "bench/benchsupport.h"
#include "logic/page/coverplan.h"
#include "logic/page/leanplan.h"
#include "logic/page/pdfexport.h"
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

namespace {

// A photograph-like picture: smooth shading with grain, so that JPEG has
// real work to do.
QImage photograph(int width, int height, quint32 seed)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(32u));
            line[x] = qRgb((x * 255 / width + grain) & 0xff, (y * 255 / height + grain) & 0xff,
                           ((x + y) / 40 + grain) & 0xff);
        }
    }
    return picture;
}

struct Job
{
    double milliseconds = 1e300;
    qint64 bytes = 0;
};

// The best of a few runs of a command that writes a file.
Job best(int runs, const std::function<bool(const QString &)> &command, QTemporaryDir &dir)
{
    Job fastest;
    for (int run = 0; run < runs; ++run) {
        const QString pdf = dir.filePath(QStringLiteral("job%1.pdf").arg(run));
        QElapsedTimer timer;
        timer.start();
        if (!command(pdf))
            return Job { -1, 0 };
        fastest.milliseconds = std::min(fastest.milliseconds, timer.nsecsElapsed() / 1e6);
        fastest.bytes = QFileInfo(pdf).size();
        QFile::remove(pdf);
    }
    return fastest;
}

QString describe(const Job &job)
{
    return QString::number(job.milliseconds, 'f', 0) + QStringLiteral(" ms, ")
        + QString::number(job.bytes / 1e6, 'f', 2) + QStringLiteral(" MB");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString coverA = dir.filePath(QStringLiteral("a.jpg"));
    const QString coverB = dir.filePath(QStringLiteral("b.jpg"));
    photograph(6000, 4000, 1).save(coverA, "JPEG", 90);
    photograph(6000, 4000, 2).save(coverB, "JPEG", 90);
    const QImage pictureA(coverA);
    const QImage pictureB(coverB);

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

    const int runs = 3;
    auto print = [&](bool lean) {
        return [&input, lean](const QString &pdf) {
            vellumark::PrintJob job;
            job.setOutputFile(pdf);
            const vellumark::CoverPlan plan = vellumark::BuildCoverPlan(input);
            return job.print(lean ? vellumark::WithPrintResolution(plan) : plan, false, nullptr)
                == vellumark::PrintOutcome::Printed;
        };
    };
    auto exportPdf = [&](bool lean) {
        return [&input, lean](const QString &pdf) {
            vellumark::PrintJob job;
            job.setOutputFile(pdf + QStringLiteral(".printer.pdf"));
            const vellumark::CoverPlan plan = vellumark::BuildCoverPlan(input);
            return vellumark::ExportPdf(lean ? vellumark::WithPrintResolution(plan) : plan,
                                        job.exportPageLayout(), QStringLiteral("Vellumark"), pdf);
        };
    };
    const Job fullPrint = best(runs, print(false), dir);
    const Job leanPrint = best(runs, print(true), dir);
    const Job fullExport = best(runs, exportPdf(false), dir);
    const Job leanExport = best(runs, exportPdf(true), dir);
    if (fullPrint.milliseconds < 0 || leanPrint.milliseconds < 0 || fullExport.milliseconds < 0
        || leanExport.milliseconds < 0) {
        std::puts("printing failed");
        return 1;
    }

    // The preview as the command opens it: resampling, the dialog, the page
    // drawn and the dialog shown once, then closed.
    const double preview = vellumark::bench::MedianMilliseconds(runs, [&] {
        vellumark::PrintJob job;
        job.setOutputFile(dir.filePath(QStringLiteral("unused.pdf")));
        QTimer::singleShot(0, [] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                dialog->grab();
                dialog->close();
            }
        });
        vellumark::ShowPrintPreview(
            job, vellumark::WithPrintResolution(vellumark::BuildCoverPlan(input)), false,
            vellumark::Language::English, nullptr);
    });

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
              QString::number(preview, 'f', 0) + QStringLiteral(" ms"),
              QStringLiteral("printing it to a PDF file"),
              QString::number(leanPrint.milliseconds, 'f', 0) + QStringLiteral(" ms"),
              preview / leanPrint.milliseconds, QStringLiteral("<= 1.5"));
    return 0;
}
