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
    // YesNoDefaultNo: Yes and No with No as the default button, for questions whose Yes loses data.
    enum class Buttons { YesNo, YesNoCancel, YesNoDefaultNo };

    virtual ~Messenger() = default;
    virtual void warning(const QString &text, const QString &caption = QString()) = 0;
    virtual void error(const QString &text, const QString &caption = QString()) = 0;
    virtual void information(const QString &text, const QString &caption = QString()) = 0;
    virtual Answer question(const QString &text, const QString &caption, Buttons buttons,
                            Kind icon = Kind::Question) = 0;
};

// Keeps the texts of the messages, one entry each, and answers every question No: for routines whose
// warnings a caller shows in its own way.  With echo on it also writes each text to stderr, one line
// each, as the command-line companion reports.
class CollectingMessenger final : public Messenger
{
public:
    explicit CollectingMessenger(bool echo = false) : m_echo(echo) {}
    void warning(const QString &text, const QString &caption = QString()) override;
    void error(const QString &text, const QString &caption = QString()) override;
    void information(const QString &text, const QString &caption = QString()) override;
    Answer question(const QString &text, const QString &caption, Buttons buttons,
                    Kind icon = Kind::Question) override;
    const QStringList &texts() const { return m_texts; }

private:
    void keep(const QString &text);
    bool m_echo;
    QStringList m_texts;
};
