#pragma once
// Every message box goes through a Messenger: the desktop program shows real boxes, the
// command-line companion writes to stderr, tests record the texts and answer from a script.

#include <QList>
#include <QString>
#include <QStringList>

class Messenger
{
public:
    enum class Kind { Warning, Error, Information, Question };
    enum class Answer { Yes, No, Cancel, Ok };
    enum class Buttons { YesNo, YesNoCancel };

    virtual ~Messenger() = default;
    virtual void warning(const QString &text, const QString &caption = QString()) = 0;
    virtual void error(const QString &text, const QString &caption = QString()) = 0;
    virtual void information(const QString &text, const QString &caption = QString()) = 0;
    virtual Answer question(const QString &text, const QString &caption, Buttons buttons,
                            Kind icon = Kind::Question) = 0;
};

// Records every message; answers questions from a queue (No when it runs dry).
class RecordingMessenger final : public Messenger
{
public:
    struct Message {
        Kind kind;
        QString text;
        QString caption;
    };

    void warning(const QString &text, const QString &caption = QString()) override;
    void error(const QString &text, const QString &caption = QString()) override;
    void information(const QString &text, const QString &caption = QString()) override;
    Answer question(const QString &text, const QString &caption, Buttons buttons,
                    Kind icon = Kind::Question) override;

    void queueAnswer(Answer a) { m_answers.append(a); }
    const QList<Message> &messages() const { return m_messages; }
    QStringList texts() const;
    void clear() { m_messages.clear(); }

private:
    QList<Message> m_messages;
    QList<Answer> m_answers;
};

// Writes messages to stderr, one line each; questions are answered No.
class StderrMessenger final : public Messenger
{
public:
    void warning(const QString &text, const QString &caption = QString()) override;
    void error(const QString &text, const QString &caption = QString()) override;
    void information(const QString &text, const QString &caption = QString()) override;
    Answer question(const QString &text, const QString &caption, Buttons buttons,
                    Kind icon = Kind::Question) override;
    QStringList texts() const { return m_texts; }

private:
    QStringList m_texts;
};
