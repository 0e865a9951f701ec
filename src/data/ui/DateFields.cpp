#include "data/ui/DateFields.h"
#include "data/ui/SpinField.h"

#include <QHBoxLayout>
#include <QSpinBox>

DateFields::DateFields(const Names &names, const QDate &date, QWidget *parent, const QLocale &locale)
    : QWidget(parent)
{
    const std::array<Dates::Field, 3> order = Dates::fieldOrder(locale);
    m_first = order[0];
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    QWidget *previous = nullptr;
    // Made in the order they stand, so that Tab goes from one to the next as they are read.
    for (const Dates::Field f : order) {
        QSpinBox *s = nullptr;
        switch (f) {
        case Dates::Field::Month:
            s = m_month = clampedSpinField(this, names.month, 1, 12, QStringLiteral("Month"));
            break;
        case Dates::Field::Day:
            s = m_day = clampedSpinField(this, names.day, 1, 31, QStringLiteral("Day"));
            break;
        case Dates::Field::Year:
            s = m_year =
                clampedSpinField(this, names.year, Dates::FirstYear, Dates::LastYear, QStringLiteral("Year"));
            break;
        }
        row->addWidget(s);
        if (previous)
            setTabOrder(previous, s);
        previous = s;
    }
    setFocusProxy(first());
    setDate(date);
}

QSpinBox *DateFields::first() const
{
    return m_first == Dates::Field::Month ? m_month : m_first == Dates::Field::Day ? m_day : m_year;
}

void DateFields::setDate(const QDate &date)
{
    if (!date.isValid())
        return;
    m_month->setValue(date.month());
    m_day->setValue(date.day());
    m_year->setValue(date.year());
}

void DateFields::interpretText()
{
    for (QSpinBox *s : {m_month, m_day, m_year})
        s->interpretText();
}
