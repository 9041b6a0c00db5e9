#include "store/CommaText.h"

namespace CommaText {

namespace {

bool needsQuotes(const QString &item)
{
    for (const QChar c : item) {
        const char16_t u = c.unicode();
        if (u == 0)
            return false;
        if (u <= 32 || u == u'"' || u == u',')
            return true;
    }
    return false;
}

bool isBlankOrControl(char16_t u) { return u >= 1 && u <= 32; }

} // namespace

QString fromList(const QStringList &items)
{
    if (items.isEmpty())
        return QString();
    if (items.size() == 1 && items.first().isEmpty())
        return QStringLiteral("\"\"");
    QString text;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += u',';
        const QString &item = items[i];
        if (needsQuotes(item)) {
            text += u'"';
            for (const QChar c : item) {
                if (c == u'"')
                    text += u'"';
                text += c;
            }
            text += u'"';
        } else {
            text += item;
        }
    }
    return text;
}

QStringList toList(const QString &input)
{
    // The text ends at its first NUL.
    const qsizetype nul = input.indexOf(QChar(0));
    const QStringView text = nul < 0 ? QStringView(input) : QStringView(input).left(nul);
    const qsizetype n = text.size();
    auto at = [&](qsizetype i) { return text[i].unicode(); };

    QStringList items;
    qsizetype i = 0;
    while (i < n && isBlankOrControl(at(i)))
        ++i;
    while (i < n) {
        QString item;
        if (at(i) == u'"') {
            ++i;
            while (i < n) {
                if (at(i) == u'"') {
                    if (i + 1 < n && at(i + 1) == u'"') {
                        item += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i];
                ++i;
            }
        } else {
            const qsizetype start = i;
            while (i < n && at(i) > 32 && at(i) != u',')
                ++i;
            item = text.mid(start, i - start).toString();
        }
        items.append(item);
        while (i < n && isBlankOrControl(at(i)))
            ++i;
        if (i < n && at(i) == u',') {
            if (i == n - 1)
                items.append(QString());
            ++i;
            while (i < n && isBlankOrControl(at(i)))
                ++i;
        }
    }
    return items;
}

} // namespace CommaText
