#include "data/ui/GuiMessenger.h"

#include <QApplication>
#include <QMessageBox>

namespace
{
QString captionOr(const QString &caption)
{
    return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}
} // namespace

void GuiMessenger::warning(const QString &text, const QString &caption)
{
    QMessageBox::warning(m_parent, captionOr(caption), text);
}

void GuiMessenger::error(const QString &text, const QString &caption)
{
    QMessageBox::critical(m_parent, captionOr(caption), text);
}

void GuiMessenger::information(const QString &text, const QString &caption)
{
    QMessageBox::information(m_parent, captionOr(caption), text);
}

Messenger::Answer GuiMessenger::question(const QString &text, const QString &caption, Buttons buttons,
                                         Kind icon)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(captionOr(caption));
    box.setText(text);
    box.setIcon(icon == Kind::Warning ? QMessageBox::Warning : QMessageBox::Question);
    box.setStandardButtons(buttons == Buttons::YesNoCancel
                               ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                               : QMessageBox::Yes | QMessageBox::No);
    if (buttons == Buttons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::No;
    }
}

namespace
{
Messenger *g_messenger = nullptr;
}

Messenger &messenger()
{
    static GuiMessenger fallback;
    return g_messenger ? *g_messenger : fallback;
}

void setMessenger(Messenger *m)
{
    g_messenger = m;
}
