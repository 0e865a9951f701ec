#pragma once
// Paces the progress display of a long command: at the start, at the end, and otherwise at most about
// 30 times a second.  Repainting after every match of a big league would cost more than the work.

#include <QElapsedTimer>

class ProgressPacer
{
public:
    // Whether the progress at done of total is worth showing now.
    bool due(int done, int total)
    {
        if (!m_clock.isValid() || done >= total || m_clock.elapsed() >= IntervalMs) {
            m_clock.restart();
            return true;
        }
        return false;
    }

private:
    static constexpr qint64 IntervalMs = 33;
    QElapsedTimer m_clock;
};
