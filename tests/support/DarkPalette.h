#pragma once
// A dark desktop palette for the life of the object, the one before it restored afterwards.

#include <QGuiApplication>
#include <QPalette>

class DarkPalette
{
public:
    static inline const QColor Base{30, 30, 30}, AlternateBase{45, 45, 45}, Window{50, 50, 50};
    static inline const QColor Text{230, 230, 230}, WindowText{200, 200, 200};

    DarkPalette() : m_before(QGuiApplication::palette())
    {
        QPalette dark = m_before;
        dark.setColor(QPalette::Base, Base);
        dark.setColor(QPalette::AlternateBase, AlternateBase);
        dark.setColor(QPalette::Window, Window);
        dark.setColor(QPalette::Text, Text);
        dark.setColor(QPalette::WindowText, WindowText);
        QGuiApplication::setPalette(dark);
    }
    ~DarkPalette() { QGuiApplication::setPalette(m_before); }
    DarkPalette(const DarkPalette &) = delete;
    DarkPalette &operator=(const DarkPalette &) = delete;

private:
    const QPalette m_before;
};
