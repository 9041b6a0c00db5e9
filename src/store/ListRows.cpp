#include "store/ListRows.h"

#include "store/CommaText.h"

QString ListToCommaText(const RowList &rows)
{
    QStringList items;
    items.reserve(rows.size() * 2);
    for (const ListRow &row : rows) {
        items.append(row.caption);
        items.append(CommaText::fromList(row.subItems));
    }
    return CommaText::fromList(items);
}

void CommaTextToList(const QString &text, RowList &rows)
{
    const QStringList items = CommaText::toList(text);
    for (qsizetype i = 0; i < items.size(); i += 2) {
        ListRow row;
        row.caption = items[i];
        if (i + 1 < items.size())
            row.subItems = CommaText::toList(items[i + 1]);
        rows.append(std::move(row));
    }
}
