#pragma once
// A progress line on stderr for long commands, rewritten in place; only when stderr is a terminal, so
// that redirected output stays clean.

#include <QString>

class ProgressLine
{
public:
    explicit ProgressLine(const QString &label);
    ~ProgressLine(); // ends the line when the command stopped before the last step
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    // Step done of total; the last step ends the line, so messages that follow start on a line of
    // their own.
    void update(int done, int total);

private:
    QString m_label;
    bool m_enabled;
    bool m_open = false;  // a line is written and not yet ended
    bool m_ended = false; // the last step was shown
    int m_shownPercent = -1;
};
