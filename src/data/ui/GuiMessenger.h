#pragma once
// Message boxes of the desktop program.

#include "data/Messenger.h"

class QWidget;

class GuiMessenger final : public Messenger
{
public:
    explicit GuiMessenger(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    void warning(const QString &text, const QString &caption = QString()) override;
    void error(const QString &text, const QString &caption = QString()) override;
    void information(const QString &text, const QString &caption = QString()) override;
    Answer question(const QString &text, const QString &caption, Buttons buttons,
                    Kind icon = Kind::Question) override;

private:
    QWidget *m_parent;
};

// The program's one messenger: real boxes in the program, a recording one in tests.
Messenger &messenger();
void setMessenger(Messenger *m);
