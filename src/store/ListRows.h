#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A row of one of the program's lists: a caption followed by sub-item texts, read and
// written by position.
struct ListRow
{
    QString caption;
    QStringList subItems;

    QString subItem(qsizetype i) const { return i < subItems.size() ? subItems[i] : QString(); }
    bool operator==(const ListRow &) const = default;
};

using RowList = QList<ListRow>;

// For each row its caption and the comma text of its sub-items, all as one comma text.
QString ListToCommaText(const RowList &rows);

// Appends one row per pair of items of the text: caption, then sub-items read as comma text.
// A lone last item gives a row without sub-items.
void CommaTextToList(const QString &text, RowList &rows);
