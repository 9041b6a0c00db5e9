#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Points of a record are decimal digits compared as signed 64-bit integers.
namespace Points {

// The value of a points text, or nothing when it is not a 64-bit integer.
std::optional<qint64> tryParse(const QString &text);

// As tryParse; throws "'%s' is not a valid integer value" for a text that is not one.
qint64 parse(const QString &text);

} // namespace Points

// A decimal 32-bit integer as stored in the program's files; throws
// "'%s' is not a valid integer value" for anything else.
qint32 parseStoredInteger(const QString &text);
