#pragma once

#include "keeping/ListRowsModel.h"

// The rows of the visible record list: an empty first column, then points, date as shown and
// comment, drawn with the list line colours.
class RecordListModel : public ListRowsModel
{
    Q_OBJECT

public:
    enum Column { EmptyColumn, PointsColumn, DateColumn, CommentColumn, ColumnCount };

    explicit RecordListModel(std::function<ListLineColors()> lineColors, QObject *parent = nullptr);

    // One row per records row (caption points; sub-items date text, comment, date number).
    void setRecords(const RowList &records) { setRows(records); }
    void clear() { setRows({}); }

protected:
    QString cellText(const ListRow &row, int column) const override;
    bool rightAligned(int column) const override;
};
