#pragma once

#include "store/DataTree.h"
#include "store/ListRows.h"
#include "store/ProgressSteps.h"

#include <QString>


// The top list: the games of one category ranked by their best record. A row's caption is
// the rank; its sub-fields are, in this order, the game's name, the best record's points as
// stored, its date as shown, its comment and its date number.
namespace TopList {

enum Field { GameField, PointsField, DateField, CommentField, DateNoField, FieldCount };

// One unranked row per game of the category that has a name and a record, in tree order:
// empty caption; name, points of the first record, empty text, comment, date number.
// The progress bar runs from 0 to the number of game slots minus 1, one step per slot.
RowList collectRows(const DataTree &tree, int category, const Progress &progress = {});

// -1 when item1 has more points than item2, +1 in every other case; points are read as
// signed 64-bit integers. Throws "'%s' is not a valid integer value".
int TopViewCompare(const ListRow &item1, const ListRow &item2);

// Sorts the rows by TopViewCompare, equal points keeping their order, then numbers them
// and shows each date number as a date. A points text or date number that is no integer
// throws "'%s' is not a valid integer value" and leaves the rows unchanged.
void rankRows(RowList &rows);

// The rank of the row at position k counting from 0: k + 1 with at least four digits.
QString rankText(qsizetype position);

// collectRows, then rankRows: the rows "Create list" shows.
RowList buildRows(const DataTree &tree, int category, const Progress &progress = {});

} // namespace TopList
