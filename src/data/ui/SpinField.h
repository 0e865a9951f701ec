#pragma once
// A whole-number field with its range, as the dialogs build them.

#include <QSpinBox>

inline QSpinBox *spinField(QWidget *parent, const QString &name, int minimum, int maximum, int value)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(minimum, maximum);
    s->setValue(value);
    return s;
}
