#include "data/Messenger.h"

#include <cstdio>

void CollectingMessenger::keep(const QString &text)
{
    m_texts << text;
    if (!m_echo)
        return;
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

void CollectingMessenger::warning(const QString &text, const QString &)
{
    keep(text);
}

void CollectingMessenger::error(const QString &text, const QString &)
{
    keep(text);
}

void CollectingMessenger::information(const QString &text, const QString &)
{
    keep(text);
}

Messenger::Answer CollectingMessenger::question(const QString &text, const QString &, Buttons, Kind)
{
    keep(text);
    return Answer::No;
}
