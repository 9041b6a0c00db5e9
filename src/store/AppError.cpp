#include "store/AppError.h"

#include <atomic>

namespace {

std::atomic<AppError::FormatLookup> formatLookup{nullptr};

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

} // namespace

AppError::AppError(QString format, QStringList arguments)
    : m_format(std::move(format)), m_arguments(std::move(arguments)), m_utf8(englishMessage().toUtf8())
{
}

QString AppError::message() const
{
    const FormatLookup lookup = formatLookup.load();
    return fill(lookup ? lookup(m_format) : m_format, m_arguments);
}

void AppError::setFormatLookup(FormatLookup lookup)
{
    formatLookup.store(lookup);
}

QString AppError::fill(const QString &format, const QStringList &arguments)
{
    if (arguments.isEmpty())
        return format;
    QString text;
    text.reserve(format.size());
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format.at(i);
        if (c != u'%' || i + 1 >= format.size() || !isAsciiDigit(format.at(i + 1))) {
            text += c;
            ++i;
            continue;
        }
        // Up to two digits name the argument, counted from 1.
        qsizetype end = i + 1;
        int number = 0;
        while (end < format.size() && end < i + 3 && isAsciiDigit(format.at(end)))
            number = number * 10 + (format.at(end++).unicode() - u'0');
        if (number >= 1 && number <= arguments.size())
            text += arguments.at(number - 1);
        else
            text += QStringView(format).sliced(i, end - i);
        i = end;
    }
    return text;
}
