#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>

// What every benchmark measures with: medians of repeated runs and the process's memory figures.
namespace bench {

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median milliseconds of running work `runs` times.
inline double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(std::move(times));
}

// A figure of /proc/self/status in KiB ("VmHWM:" the peak resident size, "VmRSS:" the present one);
// -1 when it cannot be read.
inline long statusKiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').value(0).toLong();
    return -1;
}

}  // namespace bench
