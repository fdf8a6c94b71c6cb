#pragma once

// Shared by the picture benchmarks: a large camera-like JPEG made on the
// spot, a clock, and the process's peak memory.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>

#include <algorithm>
#include <functional>
#include <vector>

namespace vellumark::bench {

// Gradients with fine noise, so that the file is as large and as slow to
// decode as a photograph of that size.
inline bool WriteLargeJpeg(const QString &path, QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int noise = int(random.bounded(48));
            line[x] = qRgb((x * 255 / size.width() + noise) & 0xFF,
                           (y * 255 / size.height() + noise) & 0xFF, ((x ^ y) + noise) & 0xFF);
        }
    }
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    return writer.write(picture);
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
