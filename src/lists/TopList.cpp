#include "lists/TopList.h"

#include "store/ProgressSteps.h"
#include "store/AppError.h"
#include "store/DateNumber.h"
#include "store/Points.h"

#include <QHash>

#include <algorithm>
#include <limits>
#include <vector>

namespace TopList {

namespace {

// The first record node of a game that holds points; null when the game has none.
const DataNode *firstRecord(const DataNode &game)
{
    if (game.children.empty())
        return nullptr;
    for (const DataNode &record : game.children.front().children) {
        // A record node has three children: points, date number, comment.
        if (record.children.size() < 3)
            throw AppError::indexOutOfBounds(qsizetype(record.children.size()));
        if (!record.children[0].text.isEmpty())
            return &record;
    }
    return nullptr;
}

} // namespace

RowList collectRows(const DataTree &tree, int category, const Progress &progress)
{
    // A player without games has no category nodes yet: an empty list.
    const std::vector<DataNode> *gameSlots = nullptr;
    if (!tree.isEmpty() && category >= 1 && size_t(category) <= tree.root().children.size())
        gameSlots = &tree.category(category).children;
    const qsizetype count = gameSlots ? qsizetype(gameSlots->size()) : 0;

    ProgressSteps bar(progress, count - 1);
    RowList rows;
    for (qsizetype i = 0; i < count; ++i) {
        bar.reach(i);
        const DataNode &game = (*gameSlots)[size_t(i)];
        if (game.text.isEmpty())
            continue;
        const DataNode *record = firstRecord(game);
        if (!record)
            continue;
        rows.append({QString(),
                     {game.text, record->children[0].text, QString(), record->children[2].text,
                      record->children[1].text}});
    }
    return rows;
}

int TopViewCompare(const ListRow &item1, const ListRow &item2)
{
    return Points::parse(item1.subItem(PointsField)) > Points::parse(item2.subItem(PointsField)) ? -1 : 1;
}

QString rankText(qsizetype position)
{
    return QStringLiteral("%1").arg(position + 1, 4, 10, QChar(u'0'));
}

void rankRows(RowList &rows)
{
    // The same order as TopViewCompare, with equal points in their first order. Every value is
    // read, the dates with the points, before anything moves, so a damaged one leaves the rows
    // as they were.
    QHash<QString, QString> dates;
    Points::sortByPoints(rows, [&dates](const ListRow &row) {
        const qint64 points = Points::parse(row.subItem(PointsField));
        const QString dateNumber = row.subItem(DateNoField);
        if (!dates.contains(dateNumber))
            dates.insert(dateNumber, DateNumber::shortText(DateNumber::parse(dateNumber)));
        return points;
    });
    for (qsizetype k = 0; k < rows.size(); ++k) {
        ListRow &row = rows[k];
        row.caption = rankText(k);
        while (row.subItems.size() < FieldCount)
            row.subItems.append(QString());
        row.subItems[DateField] = dates.value(row.subItems[DateNoField]);
    }
}

RowList buildRows(const DataTree &tree, int category, const Progress &progress)
{
    RowList rows = collectRows(tree, category, progress);
    rankRows(rows);
    return rows;
}

} // namespace TopList
