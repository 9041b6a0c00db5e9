#pragma once

#include "keeping/KeepingContext.h"
#include "store/ListRows.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

// The rows of the visible record list: an empty first column, then points, date as shown and
// comment, drawn with the list line colours.
class RecordListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { EmptyColumn, PointsColumn, DateColumn, CommentColumn, ColumnCount };

    explicit RecordListModel(std::function<ListLineColors()> lineColors, QObject *parent = nullptr);

    // One row per records row (caption points; sub-items date text, comment, date number).
    void setRecords(const RowList &records);
    void clear();
    void setLineColors(std::function<ListLineColors()> lineColors) { m_lineColors = std::move(lineColors); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    RowList m_rows;
    QStringList m_titles;
    std::function<ListLineColors()> m_lineColors;
};
