#pragma once
// The command line of one command: positional arguments and options, each option taking a fixed
// number of values (--odds 2.10 3.40 3.10).

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Wrong usage: the caller prints the message and the usage text.
struct UsageError {
    QString message;
};

struct OptionSpec {
    QString name; // with its dashes: "--odds"
    int values;   // how many arguments follow it; 0 for a switch
};

// A number given on the command line, with "." or "," as its decimal mark whatever the locale: scripts
// write ".", people their locale's mark.  It never has group separators ("1,234" is 1.234).
// ConversionError "'%s' is not a valid floating point value" for a text that is no number.
double realArgument(const QString &text);
bool tryRealArgument(const QString &text, double *value);
// The text with the locale's decimal mark, for the routines that read a number as its window's field
// holds it ("2.5" is "2,5" in a "," locale); a text that is no number comes back as it is.
QString inLocaleNotation(const QString &text);

class Arguments
{
public:
    // UsageError for an unknown or repeated option, an option short of values, or a count of
    // positional arguments outside [minPositional, maxPositional].
    static Arguments parse(const QStringList &args, const QList<OptionSpec> &options, int minPositional,
                           int maxPositional);

    const QStringList &positional() const { return m_positional; }
    QString positional(int i, const QString &fallback = QString()) const
    {
        return m_positional.value(i, fallback);
    }
    bool has(const QString &option) const { return m_options.contains(option); }
    QStringList values(const QString &option) const { return m_options.value(option); }
    QString value(const QString &option, const QString &fallback = QString()) const;

private:
    QStringList m_positional;
    QHash<QString, QStringList> m_options;
};
