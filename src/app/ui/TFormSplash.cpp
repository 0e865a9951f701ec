#include "app/ui/TFormSplash.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

TFormSplash::TFormSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormSplash"));
    setFixedSize(314, 282);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    setCursor(Qt::BusyCursor);

    auto *layout = new QVBoxLayout(this);
    auto *picture = new QLabel(QStringLiteral("Quorvane"), this);
    picture->setAlignment(Qt::AlignCenter);
    QFont big = picture->font();
    big.setPointSize(28);
    big.setBold(true);
    picture->setFont(big);
    layout->addWidget(picture, 1);
    auto *loading = new QLabel(QStringLiteral("Loading..."), this);
    QFont bold = loading->font();
    bold.setBold(true);
    loading->setFont(bold);
    layout->addWidget(loading);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 17);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    layout->addWidget(m_bar);

    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormSplash::step()
{
    m_bar->setValue(qMin(m_bar->value() + 1, m_bar->maximum()));
    repaint();
}
