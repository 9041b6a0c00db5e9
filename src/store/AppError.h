#pragma once

#include <QString>
#include <exception>

// The one error type of the program. It carries the message shown to the user and is
// caught only at the boundary of an event handler, where the general error box shows it.
class AppError : public std::exception
{
public:
    explicit AppError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    static AppError cannotOpen(const QString &path) { return AppError(QStringLiteral("Cannot open file %1").arg(path)); }
    static AppError cannotCreate(const QString &path) { return AppError(QStringLiteral("Cannot create file %1").arg(path)); }
    static AppError indexOutOfBounds(qsizetype index) { return AppError(QStringLiteral("List index out of bounds (%1)").arg(index)); }
    static AppError notAnInteger(const QString &text) { return AppError(QStringLiteral("'%1' is not a valid integer value").arg(text)); }
    static AppError invalidBitmap() { return AppError(QStringLiteral("Bitmap image is not valid")); }

private:
    QString m_message;
    QByteArray m_utf8;
};
