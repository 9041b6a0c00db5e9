#pragma once

#include <QString>
#include <QStringList>
#include <exception>

// The one error type of the program, caught only at the boundary of an event handler, where
// the general error box shows it. It keeps its English format text ("Cannot open file %1") and
// the arguments apart, so that the text can be translated when it is shown.
class AppError : public std::exception
{
public:
    // Finds the shown text for an English format text; the format itself when none is set.
    using FormatLookup = QString (*)(const QString &format);

    explicit AppError(QString format, QStringList arguments = {});

    // The format translated by the lookup, its %1, %2 ... filled with the arguments.
    QString message() const;
    // The same in English, whatever the lookup.
    QString englishMessage() const { return fill(m_format, m_arguments); }
    const QString &format() const noexcept { return m_format; }
    const QStringList &arguments() const noexcept { return m_arguments; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // Set once by the language scripts; read by every message() after.
    static void setFormatLookup(FormatLookup lookup);

    // Replaces %1 ... %99 by the arguments in one pass: a placeholder without an argument, and
    // every placeholder in an argument, stay as they are.
    static QString fill(const QString &format, const QStringList &arguments);

    static AppError cannotOpen(const QString &path) { return AppError(QStringLiteral("Cannot open file %1"), {path}); }
    static AppError cannotCreate(const QString &path)
    {
        return AppError(QStringLiteral("Cannot create file %1"), {path});
    }
    static AppError indexOutOfBounds(qsizetype index)
    {
        return AppError(QStringLiteral("List index out of bounds (%1)"), {QString::number(index)});
    }
    static AppError notAnInteger(const QString &text)
    {
        return AppError(QStringLiteral("'%1' is not a valid integer value"), {text});
    }
    static AppError invalidBitmap() { return AppError(QStringLiteral("Bitmap image is not valid")); }

private:
    QString m_format;
    QStringList m_arguments;
    QByteArray m_utf8;
};
