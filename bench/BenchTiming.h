#pragma once

// The timing the benchmark figures share.

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <limits>

namespace corvane::bench {

// The best wall time of `repeat` runs (at least one), in milliseconds.
inline double bestOf(int repeat, const std::function<void()> &run)
{
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < std::max(repeat, 1); ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

} // namespace corvane::bench
