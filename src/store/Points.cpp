#include "store/Points.h"

#include "store/AppError.h"

namespace Points {

std::optional<qint64> tryParse(const QString &text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

qint64 parse(const QString &text)
{
    if (const auto value = tryParse(text))
        return *value;
    throw AppError::notAnInteger(text);
}

} // namespace Points

qint32 parseStoredInteger(const QString &text)
{
    bool ok = false;
    const qint32 value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw AppError::notAnInteger(text);
    return value;
}
