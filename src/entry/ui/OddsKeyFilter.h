#pragma once
// Filters the keys typed into an odds field before they are inserted, with the notation its chooser
// shows and the key filter of its dialog.  Keys that insert no character (arrows, Delete, shortcuts) pass.

#include "entry/Odds.h"

#include <QObject>
#include <functional>

class QLineEdit;

class OddsKeyFilter final : public QObject
{
public:
    OddsKeyFilter(QLineEdit *field, std::function<int()> notation, Odds::Filter variant);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_field;
    std::function<int()> m_notation;
    Odds::Filter m_variant;
};
