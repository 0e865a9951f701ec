#pragma once
// The error kinds every command catches at its boundary.  Each carries the text the user sees.

#include "data/Excerpt.h"

#include <QString>
#include <stdexcept>

class QuorvaneError : public std::runtime_error
{
public:
    explicit QuorvaneError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// A failure of the database engine or of the dataset layer (a bad filter text, a missing column...).
class DatabaseError : public QuorvaneError
{
public:
    using QuorvaneError::QuorvaneError;
};

// The file system refused a write (disk full, file too large): the message names the file and the
// cause, never the row that happened to be written.
class WriteError : public DatabaseError
{
public:
    using DatabaseError::DatabaseError;
};

// A text that does not read as a number.
class ConversionError : public QuorvaneError
{
public:
    using QuorvaneError::QuorvaneError;
    static ConversionError notFloat(const QString &text)
    {
        return ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(excerpt(text)));
    }
    static ConversionError notInteger(const QString &text)
    {
        return ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(excerpt(text)));
    }
};

// Day, month and year that do not form a date.
class DateError : public QuorvaneError
{
public:
    DateError() : QuorvaneError(QStringLiteral("Invalid argument to date encode")) {}
};

// A silent stop: the message was already shown.
class Abort : public QuorvaneError
{
public:
    Abort() : QuorvaneError(QString()) {}
};
