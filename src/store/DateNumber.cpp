#include "store/DateNumber.h"

#include "store/AppError.h"

#include <QLocale>
#include <QRegularExpression>

namespace DateNumber {

QDate toDate(qint64 number)
{
    const QDate origin(1899, 12, 30);
    if (number < origin.daysTo(QDate(1, 1, 1)) || number > origin.daysTo(QDate(9999, 12, 31)))
        return QDate();
    return origin.addDays(number);
}

QString shortText(const QDate &date)
{
    if (!date.isValid())
        return QString();
    // Short formats often carry a two-digit year; scores span decades, so show all four.
    static const QRegularExpression years(QStringLiteral("y+"));
    const QLocale locale;
    QString format = locale.dateFormat(QLocale::ShortFormat);
    format.replace(years, QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

qint64 parse(const QString &text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw AppError::notAnInteger(text);
    return value;
}

} // namespace DateNumber
