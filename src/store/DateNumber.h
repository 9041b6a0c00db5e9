#pragma once

#include <QDate>
#include <QString>

// Dates as the program stores them: whole days since 30 December 1899 (2 is 1 January 1900,
// 36526 is 1 January 2000). Dates run from the year 1 to the year 9999.
namespace DateNumber {

// An invalid date for numbers outside the years 1 to 9999.
QDate toDate(qint64 number);
inline qint64 fromDate(const QDate &date) { return QDate(1899, 12, 30).daysTo(date); }

// The date in the locale's short form (the system's unless set otherwise), always with a
// four-digit year; empty for an invalid date.
QString shortText(const QDate &date);
inline QString shortText(qint64 number) { return shortText(toDate(number)); }

// The date number of a stored decimal text; throws "'%s' is not a valid integer value".
qint64 parse(const QString &text);

} // namespace DateNumber
