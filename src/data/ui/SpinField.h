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

// A field whose typed value is clamped to its range when the focus leaves it, with a hint of what it holds.
inline QSpinBox *clampedSpinField(QWidget *parent, const QString &name, int minimum, int maximum,
                                  const QString &hint = {})
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(minimum, maximum);
    s->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    s->setToolTip(hint);
    return s;
}
