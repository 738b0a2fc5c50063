#pragma once

#include <QtGlobal>

// Whether a job that has done `done` of `total` steps in `elapsedMs` is expected to last longer
// than `limitMs` in all. The first 50 ms are too short to tell: a job that is over by then needs
// no window, and one that is not is judged at its next step.
inline bool expectedToLastLonger(qint64 elapsedMs, qint64 done, qint64 total, qint64 limitMs) {
    if (elapsedMs >= limitMs)
        return true;
    if (elapsedMs < 50 || done <= 0)
        return false;
    return elapsedMs * total / done > limitMs;
}
