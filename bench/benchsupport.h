#pragma once

#include <QElapsedTimer>
#include <QString>

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
    std::printf("| %s | %s | %s | %s | %.3f | %s |\n", qUtf8Printable(measure),
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

} // namespace vellumark::bench
