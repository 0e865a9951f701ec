#pragma once
// Message boxes of the desktop program.  Each box belongs to the window the user is working in (the
// modal dialog on top, else the active window), so that closing it brings that window back rather than
// the main window; the parent given here is for messages while no window of the program is active.

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

    // The window the next box belongs to.
    QWidget *owner() const;

private:
    QWidget *m_parent;
};

// The program's one messenger: real boxes in the program, a recording one in tests.
Messenger &messenger();
void setMessenger(Messenger *m);
