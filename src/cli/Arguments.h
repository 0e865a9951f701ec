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
