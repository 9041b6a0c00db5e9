#pragma once

#include "platform/ListLineColors.h"
#include "store/ListRows.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

// The two grids of the overview page: OVGamesGrid (No., game, category and an empty column) and
// OVPointsGrid (the ten players' points and the best player), one row per shown overview row.
// Like a string grid, each keeps one empty data row when no row is shown.
class OverviewGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Grid { Games, Points };

    explicit OverviewGridModel(Grid grid, QObject *parent = nullptr);

    Grid grid() const { return m_grid; }

    // The rows shown; none leaves the one empty data row.
    void setRows(RowList rows);
    const RowList &rows() const { return m_rows; }

    // The text of a data cell (row from 0) as the grid shows it.
    QString cellText(int row, int column) const;
    bool rightAligned(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    Grid m_grid;
    RowList m_rows;
    QStringList m_titles;
};

// How the program draws a cell of the overview grids.
namespace OverviewCell {

// Text starts 2 pixels right of the left edge or ends 3 pixels left of the right edge, 2 below the top.
constexpr int TopGap = 2;
constexpr int LeftGap = 2;
constexpr int RightGap = 3;

// The background of a cell: gridRow 0 is the header row, data rows count from 1. With
// alternating lines the header gets the button face, odd rows line colour 2, even rows line
// colour 1; otherwise header and rows keep their ordinary backgrounds.
QColor background(const ListLineColors &colors, int gridRow, const QColor &ordinaryHeader, const QColor &ordinaryRow);

// The rectangle the text is written into.
QRect textRect(const QRect &cell);

} // namespace OverviewCell

// Draws the data cells: background, then the text clipped to the cell.
class OverviewCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    OverviewCellDelegate(std::function<ListLineColors()> lineColors, QObject *parent);
    void setLineColors(std::function<ListLineColors()> lineColors) { m_lineColors = std::move(lineColors); }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    std::function<ListLineColors()> m_lineColors;
};

// The fixed header row, drawn as the data cells are.
class OverviewGridHeader : public QHeaderView
{
    Q_OBJECT

public:
    OverviewGridHeader(std::function<ListLineColors()> lineColors, QWidget *parent);
    void setLineColors(std::function<ListLineColors()> lineColors) { m_lineColors = std::move(lineColors); }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    std::function<ListLineColors()> m_lineColors;
};

// One of the two grids: fixed column widths, one header row, rows of 16 pixels and grid lines.
class OverviewGridView : public QTableView
{
    Q_OBJECT

public:
    // Cells are 16 pixels high; the grid line below each adds one.
    static constexpr int CellHeight = 16;
    static constexpr int GridLine = 1;

    OverviewGridView(OverviewGridModel::Grid grid, std::function<ListLineColors()> lineColors, QWidget *parent);
    ~OverviewGridView() override;

    OverviewGridModel *gridModel() const { return m_model; }
    // The cell widths of the columns (without the grid line).
    static QList<int> cellWidths(OverviewGridModel::Grid grid);
    // The row shown at the top.
    int topRow() const;

private:
    void applyWidths();

    OverviewGridModel *m_model;
    OverviewCellDelegate *m_delegate;
    OverviewGridHeader *m_header;
};
