#include "entry/ui/OddsKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>

OddsKeyFilter::OddsKeyFilter(QLineEdit *field, std::function<int()> notation, Odds::Filter variant)
    : QObject(field), m_field(field), m_notation(std::move(notation)), m_variant(variant)
{
    field->installEventFilter(this);
}

bool OddsKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    if (text.size() != 1 || !text.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    return !Odds::FilterOddsKey(m_notation(), m_field->text(), m_field->cursorPosition(), text.at(0),
                                m_variant);
}
