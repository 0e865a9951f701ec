#include "support/RecordingMessenger.h"

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

Messenger::Answer RecordingMessenger::question(const QString &text, const QString &caption, Buttons buttons,
                                               Kind)
{
    m_messages.append({Kind::Question, text, caption, buttons});
    return m_answers.isEmpty() ? Answer::No : m_answers.takeFirst();
}

QStringList RecordingMessenger::texts() const
{
    QStringList out;
    for (const Message &m : m_messages)
        out << m.text;
    return out;
}

namespace
{
QString buttonsName(Messenger::Buttons buttons)
{
    switch (buttons) {
    case Messenger::Buttons::YesNo:
        return QStringLiteral("YesNo");
    case Messenger::Buttons::YesNoCancel:
        return QStringLiteral("YesNoCancel");
    case Messenger::Buttons::YesNoDefaultNo:
        break;
    }
    return QStringLiteral("YesNo, No default");
}
} // namespace

QStringList RecordingMessenger::log() const
{
    QStringList out;
    for (const Message &m : m_messages) {
        switch (m.kind) {
        case Kind::Warning:
            out << QStringLiteral("Warning: ") + m.text;
            break;
        case Kind::Error:
            out << QStringLiteral("Error: ") + m.text;
            break;
        case Kind::Information:
            out << QStringLiteral("Information: ") + m.text;
            break;
        case Kind::Question:
            out << QStringLiteral("Question %1 [%2]: %3").arg(buttonsName(m.buttons), m.caption, m.text);
            break;
        }
    }
    return out;
}
