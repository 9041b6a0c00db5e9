#pragma once

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

// Points of a record are decimal digits compared as signed 64-bit integers.
namespace Points {

// The value of a points text, or nothing when it is not a 64-bit integer.
std::optional<qint64> tryParse(const QString &text);

// As tryParse; throws "'%s' is not a valid integer value" for a text that is not one.
qint64 parse(const QString &text);

// The one order of records, in the Records page and the top list alike: by points, highest
// first, equal points keeping their order. pointsOf gives an item's points as a number; every
// item is read before any moves, so one that throws leaves the items as they were.
template<typename List, typename PointsOf>
void sortByPoints(List &items, PointsOf pointsOf)
{
    std::vector<std::pair<qint64, qsizetype>> keys;
    keys.reserve(size_t(items.size()));
    for (qsizetype i = 0; i < qsizetype(items.size()); ++i)
        keys.emplace_back(pointsOf(items[i]), i);
    std::stable_sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    List sorted;
    sorted.reserve(items.size());
    for (const auto &key : keys)
        sorted.push_back(std::move(items[key.second]));
    items = std::move(sorted);
}

} // namespace Points

// A decimal 32-bit integer as stored in the program's files; throws
// "'%s' is not a valid integer value" for anything else.
qint32 parseStoredInteger(const QString &text);
