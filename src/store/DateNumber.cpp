#include "store/DateNumber.h"

#include "store/AppError.h"

#include <QLocale>

namespace DateNumber {

QString shortText(const QDate &date)
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    // Short formats often carry a two-digit year; scores span decades, so show all four.
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return QLocale().toString(date, format);
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
