#pragma once
// The splash window shown while the windows are built.

#include <QWidget>

class QProgressBar;

class TFormSplash final : public QWidget
{
    Q_OBJECT
public:
    explicit TFormSplash(QWidget *parent = nullptr);
    void step(); // one more window built; the bar stays full once it reached its end

private:
    QProgressBar *m_bar;
};
