#include "cli/Arguments.h"

#include "data/Errors.h"
#include "data/Excerpt.h"
#include "data/Numbers.h"

namespace
{
const OptionSpec *findOption(const QList<OptionSpec> &options, const QString &name)
{
    for (const OptionSpec &o : options)
        if (o.name == name)
            return &o;
    return nullptr;
}
} // namespace

bool tryRealArgument(const QString &text, double *value)
{
    // A price reads the same way: with either mark, in any locale.
    return Numbers::tryParsePrice(text, value);
}

double realArgument(const QString &text)
{
    double v = 0;
    if (!tryRealArgument(text, &v))
        throw ConversionError::notFloat(text);
    return v;
}

QString inLocaleNotation(const QString &text)
{
    double v = 0;
    if (!tryRealArgument(text, &v))
        return text;
    QString t = text;
    const QChar mark = Numbers::decimalSeparator();
    return t.replace(QLatin1Char('.'), mark).replace(QLatin1Char(','), mark);
}

Arguments Arguments::parse(const QStringList &args, const QList<OptionSpec> &options, int minPositional,
                           int maxPositional)
{
    Arguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            parsed.m_positional << arg;
            continue;
        }
        // --name=value is the same as --name value for an option of one value.
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? arg : arg.left(eq);
        const OptionSpec *spec = findOption(options, name);
        if (!spec)
            throw UsageError{QStringLiteral("Unknown option %1.").arg(excerpt(name))};
        if (parsed.m_options.contains(name))
            throw UsageError{QStringLiteral("The option %1 is given twice.").arg(name)};
        QStringList values;
        if (eq >= 0) {
            if (spec->values != 1)
                throw UsageError{QStringLiteral("The option %1 takes %2 values, not one after '='.")
                                     .arg(name)
                                     .arg(spec->values)};
            values << arg.mid(eq + 1);
        } else {
            if (i + spec->values >= args.size())
                throw UsageError{
                    QStringLiteral("The option %1 needs %2 value(s).").arg(name).arg(spec->values)};
            values = args.mid(i + 1, spec->values);
            i += spec->values;
        }
        parsed.m_options.insert(name, values);
    }
    if (parsed.m_positional.size() < minPositional)
        throw UsageError{QStringLiteral("Too few arguments.")};
    if (parsed.m_positional.size() > maxPositional)
        throw UsageError{
            QStringLiteral("Unexpected argument '%1'.").arg(parsed.m_positional.value(maxPositional))};
    return parsed;
}

QString Arguments::value(const QString &option, const QString &fallback) const
{
    const auto it = m_options.constFind(option);
    return it == m_options.constEnd() || it->isEmpty() ? fallback : it->constFirst();
}
