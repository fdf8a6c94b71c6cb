#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace vellumark::bench {

// The median time of a run, in nanoseconds, over the given number of runs.
inline double medianNanoseconds(int runs, const std::function<void()> &run)
{
    std::vector<double> times;
    times.reserve(std::size_t(runs));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One row of the table every benchmark prints:
// measure | value | comparison | its value | ratio | target
inline void reportRow(const QString &measure, const QString &value, const QString &comparison,
                      const QString &comparisonValue, double ratio, const QString &target)
{
    std::printf("| %s | %s | %s | %s | %.3g | %s |\n", qUtf8Printable(measure),
                qUtf8Printable(value), qUtf8Printable(comparison), qUtf8Printable(comparisonValue),
                ratio, qUtf8Printable(target));
    std::fflush(stdout);
}

inline QString microseconds(double nanoseconds)
{
    return QString::number(nanoseconds / 1000.0, 'f', 1) + QStringLiteral(" µs");
}

inline QString milliseconds(double nanoseconds)
{
    return QString::number(nanoseconds / 1e6, 'f', 1) + QStringLiteral(" ms");
}

// Gradients with fine noise, so that the file is as large and as slow to
// decode as a photograph of that size; the noise is its grain, 0 to 255.
inline bool WriteLargeJpeg(const QString &path, QSize size, int grain = 48)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int noise = int(random.bounded(grain));
            line[x] = qRgb((x * 255 / size.width() + noise) & 0xFF,
                           (y * 255 / size.height() + noise) & 0xFF, ((x ^ y) + noise) & 0xFF);
        }
    }
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    return writer.write(picture);
}

// A photograph-like picture: smooth shading with grain, so that JPEG has
// real work to do.
inline QImage Photograph(int width, int height, quint32 seed)
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
inline Job best(int runs, const std::function<bool(const QString &)> &command, QTemporaryDir &dir)
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

inline QString describe(const Job &job)
{
    return QString::number(job.milliseconds, 'f', 0) + QStringLiteral(" ms, ")
        + QString::number(job.bytes / 1e6, 'f', 2) + QStringLiteral(" MB");
}

// Median wall time of a few runs, in milliseconds.
inline double MedianMilliseconds(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Peak resident memory of this process so far, in kB (VmHWM).
inline qint64 PeakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace vellumark::bench
