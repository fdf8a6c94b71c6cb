// The "90°" turn of a 6000 x 4000 picture against a plain copy of it, Qt's
// own turn and a loop of single-pixel reads and writes; and the command as
// it runs now, on a picture loaded from a JPEG file into the DVD panel.
#include "benchsupport.h"
#include "logic/pictures/loadedpicture.h"
#include "logic/pictures/rotatepicture.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTransform>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// The best of several runs, in milliseconds.
double bestOf(int runs, const std::function<QImage()> &work)
{
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QImage result = work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        if (result.isNull())
            std::puts("  (no result)");
    }
    return best;
}

QImage pixelLoop(const QImage &source)
{
    QImage turned(source.height(), source.width(), source.format());
    for (int y = 0; y < turned.height(); ++y)
        for (int x = 0; x < turned.width(); ++x)
            turned.setPixel(x, y, source.pixel(y, source.height() - 1 - x));
    return turned;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QImage source(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(source.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            line[x] = qRgb(x & 0xff, y & 0xff, (x ^ y) & 0xff);
    }

    // Interleaved runs, so that a busy moment of the machine hits all alike.
    const int runs = 15;
    double copy = 1e300;
    double turn = 1e300;
    double qt = 1e300;
    for (int run = 0; run < runs; ++run) {
        copy = std::min(copy, bestOf(1, [&] { return source.copy(); }));
        turn = std::min(turn, bestOf(1, [&] { return vellumark::QuarterTurnClockwise(source); }));
        qt = std::min(qt, bestOf(1, [&] { return source.transformed(QTransform().rotate(90)); }));
    }
    const double loop = bestOf(1, [&] { return pixelLoop(source); });

    // The DVD panel's box (5295 x 4815 twips) holds the picture as a click
    // loads it: the file's bytes and a copy for the screen.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    vellumark::bench::WriteLargeJpeg(path, source.size());
    vellumark::PictureBox dvdBox(QStringLiteral("Image7"));
    dvdBox.resize(353, 321);
    dvdBox.setFittable(true);
    const vellumark::LoadedPicture loaded
        = vellumark::LoadedPicture::fromFile(path, dvdBox.screenPixelsNeeded())
              .value_or(vellumark::LoadedPicture());
    dvdBox.setPicture(loaded);
    double loadedTurn = 1e300;
    for (int run = 0; run < runs; ++run) {
        loadedTurn = std::min(loadedTurn, bestOf(1, [&] {
                                  dvdBox.setPicture(dvdBox.picture().turnedClockwise());
                                  return dvdBox.picture().screenCopy();
                              }));
    }

    const bool same
        = vellumark::QuarterTurnClockwise(source) == source.transformed(QTransform().rotate(90));
    const auto ms
        = [](double value) { return QString::number(value, 'f', 1) + QStringLiteral(" ms"); };
    const QString floor = QStringLiteral("QImage::copy, 6000 × 4000 RGB32");
    vellumark::bench::reportRow(QStringLiteral("\"90°\" quarter turn"), ms(turn), floor, ms(copy),
                                turn / copy, QStringLiteral("<= 1.3"));
    const QSize shown = loaded.screenCopy().size();
    vellumark::bench::reportRow(QStringLiteral("\"90°\" on a loaded picture (screen copy %1 × %2)")
                                    .arg(shown.width())
                                    .arg(shown.height()),
                                ms(loadedTurn), floor, ms(copy), loadedTurn / copy,
                                QStringLiteral("<= 0.1"));
    vellumark::bench::reportRow(QStringLiteral("for comparison: QImage::transformed(90)"), ms(qt),
                                floor, ms(copy), qt / copy, QStringLiteral("—"));
    vellumark::bench::reportRow(QStringLiteral("for comparison: pixel()/setPixel() loop"), ms(loop),
                                floor, ms(copy), loop / copy, QStringLiteral("—"));
    if (!same)
        std::fputs("the quarter turn differs from Qt's\n", stderr);
    return same ? 0 : 1;
}
