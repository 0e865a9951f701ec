#pragma once
// The tests' messenger: records every message with its kind, caption and buttons, and answers questions
// from a script (No when it runs dry), so that no test ever waits on a modal box.

#include "data/Messenger.h"

#include <QList>
#include <QStringList>

class RecordingMessenger final : public Messenger
{
public:
    struct Message {
        Kind kind;
        QString text;
        QString caption;
        Buttons buttons = Buttons::YesNo; // of a question
    };

    explicit RecordingMessenger(QList<Answer> answers = {}) : m_answers(std::move(answers)) {}

    void warning(const QString &text, const QString &caption = QString()) override;
    void error(const QString &text, const QString &caption = QString()) override;
    void information(const QString &text, const QString &caption = QString()) override;
    Answer question(const QString &text, const QString &caption, Buttons buttons,
                    Kind icon = Kind::Question) override;

    void queueAnswer(Answer a) { m_answers.append(a); }
    const QList<Message> &messages() const { return m_messages; }
    QStringList texts() const;
    // One line a message: "Warning: text", "Question YesNo [caption]: text".
    QStringList log() const;
    void clear() { m_messages.clear(); }

private:
    QList<Message> m_messages;
    QList<Answer> m_answers;
};
