#include "store/LineText.h"

namespace LineText {

namespace {

bool breaksLine(char16_t c)
{
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

} // namespace

QString withoutBreaks(const QString &text)
{
    qsizetype first = 0;
    while (first < text.size() && !breaksLine(text[first].unicode()))
        ++first;
    if (first == text.size())
        return text;
    QString clean = text;
    for (qsizetype i = first; i < clean.size(); ++i)
        if (breaksLine(clean[i].unicode()))
            clean[i] = u' ';
    return clean;
}

QString oneLine(const QString &text)
{
    const QString clean = withoutBreaks(text);
    qsizetype start = 0;
    qsizetype end = clean.size();
    while (start < end && clean[start] == u' ')
        ++start;
    while (end > start && clean[end - 1] == u' ')
        --end;
    return start == 0 && end == clean.size() ? clean : clean.mid(start, end - start);
}

} // namespace LineText
