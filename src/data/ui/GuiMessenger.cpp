#include "data/ui/GuiMessenger.h"

#include <QApplication>
#include <QMessageBox>

namespace
{
QString captionOr(const QString &caption)
{
    return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}

// A window a box can stay with: not a splash screen, a tooltip or a popup, which go away by themselves.
bool canOwnBoxes(const QWidget *window)
{
    if (!window || !window->isVisible())
        return false;
    const Qt::WindowType type = window->windowType();
    return type != Qt::SplashScreen && type != Qt::ToolTip && type != Qt::Popup;
}
} // namespace

QWidget *GuiMessenger::owner() const
{
    for (QWidget *window : {QApplication::activeModalWidget(), QApplication::activeWindow()})
        if (canOwnBoxes(window))
            return window;
    return m_parent;
}

void GuiMessenger::warning(const QString &text, const QString &caption)
{
    QMessageBox::warning(owner(), captionOr(caption), text);
}

void GuiMessenger::error(const QString &text, const QString &caption)
{
    QMessageBox::critical(owner(), captionOr(caption), text);
}

void GuiMessenger::information(const QString &text, const QString &caption)
{
    QMessageBox::information(owner(), captionOr(caption), text);
}

Messenger::Answer GuiMessenger::question(const QString &text, const QString &caption, Buttons buttons,
                                         Kind icon)
{
    QMessageBox box(owner());
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
