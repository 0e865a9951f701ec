#include "app/Messenger.h"

#include <cstdio>

void RecordingMessenger::warning(const QString &text, const QString &caption)
{
    m_messages.append({Kind::Warning, text, caption});
}

void RecordingMessenger::error(const QString &text, const QString &caption)
{
    m_messages.append({Kind::Error, text, caption});
}

void RecordingMessenger::information(const QString &text, const QString &caption)
{
    m_messages.append({Kind::Information, text, caption});
}

Messenger::Answer RecordingMessenger::question(const QString &text, const QString &caption, Buttons,
                                               Kind)
{
    m_messages.append({Kind::Question, text, caption});
    return m_answers.isEmpty() ? Answer::No : m_answers.takeFirst();
}

QStringList RecordingMessenger::texts() const
{
    QStringList out;
    for (const Message &m : m_messages)
        out << m.text;
    return out;
}

namespace {
void printLine(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    std::fprintf(stderr, "%s\n", t.toLocal8Bit().constData());
}
} // namespace

void StderrMessenger::warning(const QString &text, const QString &)
{
    m_texts << text;
    printLine(text);
}

void StderrMessenger::error(const QString &text, const QString &)
{
    m_texts << text;
    printLine(text);
}

void StderrMessenger::information(const QString &text, const QString &)
{
    m_texts << text;
    printLine(text);
}

Messenger::Answer StderrMessenger::question(const QString &text, const QString &, Buttons, Kind)
{
    m_texts << text;
    printLine(text);
    return Answer::No;
}
