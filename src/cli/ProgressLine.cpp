#include "cli/ProgressLine.h"

#include <cstdio>
#include <unistd.h>

ProgressLine::ProgressLine(const QString &label) : m_label(label), m_enabled(isatty(STDERR_FILENO) == 1) {}

ProgressLine::~ProgressLine()
{
    if (m_open)
        std::fputs("\n", stderr);
}

void ProgressLine::update(int done, int total)
{
    if (!m_enabled || m_ended || total <= 0)
        return;
    // Rewritten once per percent: a terminal is slow next to one step of a command.
    const int percent = static_cast<int>(100LL * done / total);
    if (percent == m_shownPercent && done < total)
        return;
    m_shownPercent = percent;
    std::fprintf(stderr, "\r%s: %d of %d (%d%%)", m_label.toLocal8Bit().constData(), done, total, percent);
    m_open = true;
    if (done >= total) {
        std::fputs("\n", stderr);
        m_open = false;
        m_ended = true;
    }
    std::fflush(stderr);
}
