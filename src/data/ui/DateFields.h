#pragma once
// The three whole-number fields a date is typed into: month (1 to 12), day (1 to 31) and year (four
// digits), standing and tabbed through in the order of the locale's short date format, so that a date
// typed field after field is the date meant (day first under de_DE).  The fields keep the names each
// dialog gives them, so that code and tests find the month, the day and the year by name in any order.

#include "data/Dates.h"

#include <QWidget>

class QSpinBox;

class DateFields final : public QWidget
{
    Q_OBJECT
public:
    struct Names {
        QString month, day, year;
    };
    // Starts at date; the year field takes the years of Dates::FirstYear to Dates::LastYear.
    DateFields(const Names &names, const QDate &date, QWidget *parent = nullptr,
               const QLocale &locale = QLocale());

    QSpinBox *month() const { return m_month; }
    QSpinBox *day() const { return m_day; }
    QSpinBox *year() const { return m_year; }
    // The field that stands first: the one a label leads to.
    QSpinBox *first() const;

    // Shows a date; an invalid date leaves the fields as they are.
    void setDate(const QDate &date);
    // Takes what is still being typed into the fields, clamped to their ranges.
    void interpretText();

private:
    QSpinBox *m_month = nullptr;
    QSpinBox *m_day = nullptr;
    QSpinBox *m_year = nullptr;
    Dates::Field m_first = Dates::Field::Month;
};
