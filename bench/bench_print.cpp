// Printing two 6000 x 4000 JPEG covers (A+B) to a PDF file: the time from
// the plan to the finished file, and the file's size.
#include "benchsupport.h"
#include "dialogs/printjob.h"
#include "logic/coverplan.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>

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

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString coverA = dir.filePath(QStringLiteral("a.jpg"));
    const QString coverB = dir.filePath(QStringLiteral("b.jpg"));
    photograph(6000, 4000, 1).save(coverA, "JPEG", 90);
    photograph(6000, 4000, 2).save(coverB, "JPEG", 90);

    QElapsedTimer timer;
    timer.start();
    const QImage pictureA(coverA);
    const QImage pictureB(coverB);
    const double loading = timer.nsecsElapsed() / 1e6;

    vellumark::CoverPlanInput input;
    input.slotA = { QStringLiteral("12.1"),
                    QStringLiteral("12.1"),
                    QStringLiteral("2"),
                    QStringLiteral("2"),
                    true,
                    pictureA };
    input.slotB = { QStringLiteral("12.1"),
                    QStringLiteral("12.1"),
                    QStringLiteral("2"),
                    QStringLiteral("14.6"),
                    true,
                    pictureB };

    const int runs = 3;
    double best = 1e300;
    qint64 size = 0;
    for (int run = 0; run < runs; ++run) {
        const QString pdf = dir.filePath(QStringLiteral("page%1.pdf").arg(run));
        vellumark::PrintJob job;
        job.setOutputFile(pdf);
        timer.restart();
        const bool printed = job.print(vellumark::BuildCoverPlan(input), false, nullptr);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        size = QFileInfo(pdf).size();
        if (!printed) {
            std::puts("printing failed");
            return 1;
        }
    }

    vellumark::bench::reportRow(QStringLiteral("printing two 6000 × 4000 covers (A+B) to PDF"),
                                QString::number(best, 'f', 0) + QStringLiteral(" ms, ")
                                    + QString::number(size / 1e6, 'f', 1) + QStringLiteral(" MB"),
                                QStringLiteral("loading both pictures"),
                                QString::number(loading, 'f', 0) + QStringLiteral(" ms"),
                                best / loading, QStringLiteral("—"));
    return 0;
}
