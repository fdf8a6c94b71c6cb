// Moving a filled cover's picture in its preview box, and what printing a
// filled cover sends: one drag step on a 6000 x 4000 picture against
// drawing the box from the full picture; the print job of A+B filled
// beside the same job stretched.
#include "bench/benchsupport.h"
#include "logic/page/coverplan.h"
#include "logic/page/leanplan.h"
#include "logic/page/picturefit.h"
#include "logic/pictures/loadedpicture.h"
#include "print/printjob.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void send(QWidget *widget, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The faster of three jobs printing the page to a PDF file.
vellumark::bench::Job printed(const vellumark::CoverPlanInput &input, QTemporaryDir &dir)
{
    return vellumark::bench::best(
        3,
        [&input](const QString &pdf) {
            vellumark::PrintJob job;
            job.setOutputFile(pdf);
            return job.print(vellumark::WithPrintResolution(vellumark::BuildCoverPlan(input)),
                             false, nullptr)
                == vellumark::PrintOutcome::Printed;
        },
        dir);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    using namespace vellumark;
    // The pictures as a click loads them: their files' bytes and a copy
    // for the screen, from which drags draw.
    QTemporaryDir dir;
    const QString fileA = dir.filePath(QStringLiteral("a.jpg"));
    const QString fileB = dir.filePath(QStringLiteral("b.jpg"));
    bench::Photograph(6000, 4000, 1).save(fileA, "JPEG", 90);
    bench::Photograph(6000, 4000, 2).save(fileB, "JPEG", 90);
    const QImage picture(fileA);

    // Slot A's preview for a CD front: 2295 twips square.
    PictureBox box(QStringLiteral("Image1"));
    box.resize(153, 153);
    box.setFittable(true);
    box.setFitMode(FitMode::Fill);
    box.setCoverShape({ QSizeF(12.1, 12.1), 0 });
    const LoadedPicture loadedA
        = LoadedPicture::fromFile(fileA, box.screenPixelsNeeded()).value_or(LoadedPicture());
    box.setPicture(loadedA);
    box.show();
    QImage screen(box.size(), QImage::Format_ARGB32_Premultiplied);
    box.render(&screen);

    // A drag to and fro across the box, one step a run.
    const QPointF middle(76, 76);
    send(&box, QEvent::MouseButtonPress, middle, Qt::LeftButton);
    int step = 0;
    const double dragStep = bench::MedianMilliseconds(101, [&] {
        const double x = 20 + (step++ % 20) * 6;
        send(&box, QEvent::MouseMove, QPointF(x, 76), Qt::LeftButton);
        box.render(&screen);
    });
    send(&box, QEvent::MouseButtonRelease, QPointF(20, 76), Qt::NoButton);

    // The same box drawn from the full picture: resampled as finely as the
    // copy is, and by the painter's own sampling, which skips most pixels.
    const FittedPicture fitted = FitPicture(picture.size(), QRectF(0, 0, 12.1, 12.1), box.fit());
    const double fromFull = bench::MedianMilliseconds(11, [&] {
        QPainter painter(&screen);
        painter.drawImage(
            screen.rect(),
            picture.copy(fitted.source.toAlignedRect())
                .scaled(screen.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    });
    const double sampledFromFull = bench::MedianMilliseconds(11, [&] {
        QPainter painter(&screen);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(screen.width() / 12.1, screen.height() / 12.1);
        painter.drawImage(fitted.target, picture, fitted.source);
    });

    // Print jobs: A 12.1 x 12.1 cm and B 15 x 11.8 cm, both 6000 x 4000.
    CoverPlanInput input;
    input.slotA = { QStringLiteral("12.1"),
                    QStringLiteral("12.1"),
                    QStringLiteral("2"),
                    QStringLiteral("2"),
                    false,
                    loadedA };
    input.slotB
        = { QStringLiteral("15"),
            QStringLiteral("11.8"),
            QStringLiteral("2"),
            QStringLiteral("14.6"),
            false,
            LoadedPicture::fromFile(fileB, box.screenPixelsNeeded()).value_or(LoadedPicture()) };
    const bench::Job stretched = printed(input, dir);
    input.fitA = input.fitB = { FitMode::Fill, {} };
    const bench::Job filled = printed(input, dir);
    input.fitA = input.fitB = { FitMode::Fill, { kMostZoom, QPointF(0.3, 0.4) } };
    const bench::Job zoomed = printed(input, dir);
    if (stretched.milliseconds < 0 || filled.milliseconds < 0 || zoomed.milliseconds < 0) {
        std::puts("printing failed");
        return 1;
    }

    using bench::reportRow;
    reportRow(QStringLiteral("one drag step, 6000 × 4000 picture filling a CD front's preview"),
              QString::number(dragStep, 'f', 3) + QStringLiteral(" ms"),
              QStringLiteral("drawing the box from the full picture, finely resampled"),
              QString::number(fromFull, 'f', 3) + QStringLiteral(" ms"), dragStep / fromFull,
              QStringLiteral("<= 0.05"));
    reportRow(QStringLiteral("one drag step, as above"),
              QString::number(dragStep, 'f', 3) + QStringLiteral(" ms"),
              QStringLiteral("the painter sampling the full picture (coarse)"),
              QString::number(sampledFromFull, 'f', 3) + QStringLiteral(" ms"),
              dragStep / sampledFromFull, QStringLiteral("—"));
    reportRow(QStringLiteral("print to a PDF file, two 6000 × 4000 covers (A+B) filled"),
              bench::describe(filled), QStringLiteral("the same stretched"),
              bench::describe(stretched), double(filled.bytes) / double(stretched.bytes),
              QStringLiteral("<= 1"));
    reportRow(QStringLiteral("print to a PDF file, A+B filled at 400 %"), bench::describe(zoomed),
              QStringLiteral("the same stretched"), bench::describe(stretched),
              double(zoomed.bytes) / double(stretched.bytes), QStringLiteral("<= 1"));
    return 0;
}
