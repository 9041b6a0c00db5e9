#pragma once

#include "keeping/ListRowsModel.h"

// The rows of the visible top list: the rank, then the sub-fields game, points, date, comment
// and the hidden date number, drawn with the list line colours.
class TopListModel : public ListRowsModel
{
    Q_OBJECT

public:
    enum Column { RankColumn, GameColumn, PointsColumn, DateColumn, CommentColumn, DateNoColumn, ColumnCount };

    explicit TopListModel(std::function<ListLineColors()> lineColors, QObject *parent = nullptr);

protected:
    QString cellText(const ListRow &row, int column) const override;
    bool rightAligned(int column) const override;
};
