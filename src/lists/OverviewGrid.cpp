#include "lists/OverviewGrid.h"

#include "lists/OverviewBuild.h"
#include "platform/ColorValue.h"
#include "platform/ElidedText.h"

#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int GamesColumnCount = 4;
constexpr int PointsColumnCount = Overview::PlayerCount + 1;

QColor gridLineColor(const QWidget *view)
{
    QStyleOption option;
    option.initFrom(view);
    return QColor::fromRgba(QRgb(view->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, view)));
}

void drawCellText(QPainter *painter, const QRect &cell, const QString &text, bool right, const QColor &color)
{
    if (text.isEmpty())
        return;
    painter->save();
    painter->setClipRect(cell);
    painter->setPen(color);
    const QRect area = OverviewCell::textRect(cell);
    const QString shown = ElideToWidth(painter->fontMetrics(), text, area.width());
    // A shortened text starts at the left edge, whatever the column's alignment.
    const bool alignRight = right && shown == text;
    painter->drawText(area, Qt::AlignTop | (alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::TextSingleLine, shown);
    painter->restore();
}

} // namespace

OverviewGridModel::OverviewGridModel(Grid grid, QObject *parent)
    : QAbstractTableModel(parent), m_grid(grid), m_titles(grid == Grid::Games ? GamesColumnCount : PointsColumnCount)
{
}

void OverviewGridModel::setRows(RowList rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QString OverviewGridModel::cellText(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_titles.size())
        return QString();
    const ListRow &shown = m_rows[row];
    if (m_grid == Grid::Games) {
        switch (column) {
        case 0: return shown.caption;
        case 1: return shown.subItem(Overview::GameField);
        case 2: return shown.subItem(Overview::CategoryField);
        default: return QString();
        }
    }
    return shown.subItem(Overview::FirstPlayerField + column);
}

bool OverviewGridModel::rightAligned(int column) const
{
    return m_grid == Grid::Points && column < Overview::PlayerCount;
}

int OverviewGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(qMax<qsizetype>(1, m_rows.size()));
}

int OverviewGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant OverviewGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignTop | (rightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

QVariant OverviewGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_titles.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole)
        return m_titles[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignTop | (rightAligned(section) ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

bool OverviewGridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_titles.size()
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    m_titles[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags OverviewGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

namespace OverviewCell {

QColor background(const ListLineColors &colors, int gridRow, const QColor &ordinaryHeader, const QColor &ordinaryRow)
{
    if (!colors.alternating)
        return gridRow == 0 ? ordinaryHeader : ordinaryRow;
    if (gridRow == 0)
        return ColorValue::toColor(ColorValue::ButtonFace);
    return ColorValue::toColor(gridRow % 2 == 1 ? colors.color2 : colors.color1);
}

QRect textRect(const QRect &cell)
{
    return cell.adjusted(LeftGap, TopGap, -RightGap, 0);
}

} // namespace OverviewCell

OverviewCellDelegate::OverviewCellDelegate(std::function<ListLineColors()> lineColors, QObject *parent)
    : QStyledItemDelegate(parent), m_lineColors(std::move(lineColors))
{
}

void OverviewCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const ListLineColors colors = m_lineColors ? m_lineColors() : ListLineColors();
    const QPalette &palette = option.palette;
    painter->fillRect(option.rect, OverviewCell::background(colors, index.row() + 1, palette.color(QPalette::Button),
                                                            palette.color(QPalette::Base)));
    const auto *model = qobject_cast<const OverviewGridModel *>(index.model());
    const bool right = model && model->rightAligned(index.column());
    drawCellText(painter, option.rect, index.data().toString(), right, palette.color(QPalette::Text));
}

QSize OverviewCellDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return {0, OverviewGridView::CellHeight};
}

OverviewGridHeader::OverviewGridHeader(std::function<ListLineColors()> lineColors, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent), m_lineColors(std::move(lineColors))
{
}

void OverviewGridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const ListLineColors colors = m_lineColors ? m_lineColors() : ListLineColors();
    // The cell leaves room for the grid line at its right and bottom edge, as the data cells do.
    const QRect cell = rect.adjusted(0, 0, -OverviewGridView::GridLine, -OverviewGridView::GridLine);
    painter->fillRect(cell, OverviewCell::background(colors, 0, palette().color(QPalette::Button),
                                                     palette().color(QPalette::Base)));
    painter->save();
    painter->setPen(gridLineColor(parentWidget() ? parentWidget() : this));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->restore();
    const auto *grid = qobject_cast<const OverviewGridModel *>(model());
    const bool right = grid && grid->rightAligned(logicalIndex);
    drawCellText(painter, cell, model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString(), right,
                 palette().color(QPalette::ButtonText));
}

OverviewGridView::OverviewGridView(OverviewGridModel::Grid grid, std::function<ListLineColors()> lineColors, QWidget *parent)
    : QTableView(parent)
{
    m_model = new OverviewGridModel(grid, this);
    m_delegate = new OverviewCellDelegate(lineColors, this);
    m_header = new OverviewGridHeader(std::move(lineColors), this);
    setHorizontalHeader(m_header);
    setModel(m_model);
    setItemDelegate(m_delegate);

    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The program draws every cell alike; a chosen cell looks like any other.
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(false);

    QHeaderView *rowsHeader = verticalHeader();
    rowsHeader->hide();
    rowsHeader->setMinimumSectionSize(1);
    rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowsHeader->setDefaultSectionSize(CellHeight + GridLine);

    m_header->setHighlightSections(false);
    m_header->setSectionsClickable(false);
    m_header->setSectionsMovable(false);
    m_header->setStretchLastSection(false);
    m_header->setMinimumSectionSize(1);
    m_header->setSectionResizeMode(QHeaderView::Fixed);
    m_header->setFixedHeight(CellHeight + GridLine);
    applyWidths();
    // A reset of the model sets the header's sections up afresh.
    connect(m_model, &QAbstractItemModel::modelReset, this, &OverviewGridView::applyWidths);
}

void OverviewGridView::applyWidths()
{
    const QList<int> widths = cellWidths(m_model->grid());
    for (int column = 0; column < widths.size(); ++column)
        m_header->resizeSection(column, widths[column] + GridLine);
}

OverviewGridView::~OverviewGridView()
{
    // The delegate and header outlive the view's own part; nothing they draw may reach back.
    m_delegate->setLineColors(nullptr);
    m_header->setLineColors(nullptr);
}

QList<int> OverviewGridView::cellWidths(OverviewGridModel::Grid grid)
{
    if (grid == OverviewGridModel::Grid::Games)
        return {52, 140, 104, 64};
    return QList<int>(PointsColumnCount, 58);
}

int OverviewGridView::topRow() const
{
    return qMax(0, rowAt(0));
}
