#include "services/Colcal.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int GridLines = TNewColorCalendar::Columns - 1;

int positiveModulo(int value, int divisor)
{
    const int rest = value % divisor;
    return rest < 0 ? rest + divisor : rest;
}

QStringList localeDayNames()
{
    QStringList names;
    const QLocale locale;
    names.append(locale.dayName(7, QLocale::ShortFormat));
    for (int weekday = 1; weekday <= 6; ++weekday)
        names.append(locale.dayName(weekday, QLocale::ShortFormat));
    return names;
}

} // namespace

TNewColorCalendar::TNewColorCalendar(QWidget *parent)
    : QWidget(parent)
{
    const QDate today = QDate::currentDate();
    m_year = today.year();
    m_month = today.month();
    m_day = today.day();
    m_weekDayNames = localeDayNames();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QLocale().toString(date(), QLocale::LongFormat));
}

bool TNewColorCalendar::isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int TNewColorCalendar::daysInMonth(int year, int month)
{
    static constexpr int Lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : Lengths[month - 1];
}

void TNewColorCalendar::setDay(int day)
{
    if (day < 1 || day > daysInMonth(m_year, m_month) || day == m_day)
        return;
    m_day = day;
    dateChanged();
}

void TNewColorCalendar::SetMonth(int month)
{
    if (month < 1 || month > 12 || month == m_month)
        return;
    m_day = qMin(m_day, daysInMonth(m_year, month));
    m_month = month;
    dateChanged();
}

void TNewColorCalendar::SetYear(int year)
{
    if (year < MinYear || year > MaxYear || year == m_year)
        return;
    m_day = qMin(m_day, daysInMonth(year, m_month));
    m_year = year;
    dateChanged();
}

void TNewColorCalendar::dateChanged()
{
    setAccessibleName(QLocale().toString(date(), QLocale::LongFormat));
    update();
    emit changed();
}

void TNewColorCalendar::setStartOfWeek(int weekday)
{
    if (weekday < 0 || weekday > 6)
        weekday = 0;
    if (weekday == m_startOfWeek)
        return;
    m_startOfWeek = weekday;
    update();
}

void TNewColorCalendar::setWeekDayNames(const QStringList &names)
{
    m_weekDayNames = names;
    update();
}

QColor TNewColorCalendar::MarkerColor() const
{
    return m_markerColor.isValid() ? m_markerColor : palette().color(QPalette::Highlight);
}

void TNewColorCalendar::setMarkerColor(const QColor &color)
{
    m_markerColor = color;
    update();
}

QColor TNewColorCalendar::MarkerFontColor() const
{
    return m_markerFontColor.isValid() ? m_markerFontColor : palette().color(QPalette::HighlightedText);
}

void TNewColorCalendar::setMarkerFontColor(const QColor &color)
{
    m_markerFontColor = color;
    update();
}

int TNewColorCalendar::weekdayOfColumn(int column) const
{
    return (column + m_startOfWeek) % 7;
}

int TNewColorCalendar::firstDayColumn() const
{
    const int weekdayOfFirst = QDate(m_year, m_month, 1).dayOfWeek() % 7; // 0 = Sunday
    return positiveModulo(weekdayOfFirst - m_startOfWeek, 7);
}

QPoint TNewColorCalendar::cellOfDay(int day) const
{
    const int position = firstDayColumn() + day - 1;
    return QPoint(position % Columns, 1 + position / Columns);
}

int TNewColorCalendar::dayAt(int column, int row) const
{
    if (column < 0 || column >= Columns || row < 1 || row >= Rows)
        return 0;
    const int day = (row - 1) * Columns + column - firstDayColumn() + 1;
    return day >= 1 && day <= daysInMonth(m_year, m_month) ? day : 0;
}

int TNewColorCalendar::columnWidth() const
{
    return qMax(0, (width() - GridLines) / Columns);
}

int TNewColorCalendar::rowHeight() const
{
    return qMax(0, (height() - GridLines) / Rows);
}

QRect TNewColorCalendar::cellRect(int column, int row) const
{
    return QRect(column * (columnWidth() + 1), row * (rowHeight() + 1), columnWidth(), rowHeight());
}

QPoint TNewColorCalendar::cellAt(const QPoint &position) const
{
    const int w = columnWidth() + 1;
    const int h = rowHeight() + 1;
    if (position.x() < 0 || position.y() < 0 || w <= 1 || h <= 1)
        return QPoint(-1, -1);
    const int column = position.x() / w;
    const int row = position.y() / h;
    // The pixel after a cell is the grid line; it belongs to no cell.
    if (column >= Columns || row >= Rows || position.x() % w == w - 1 || position.y() % h == h - 1)
        return QPoint(-1, -1);
    return QPoint(column, row);
}

QSize TNewColorCalendar::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int cellWidth = metrics.horizontalAdvance(QStringLiteral("00")) * 2;
    const int cellHeight = metrics.height() + 4;
    return QSize(Columns * cellWidth + GridLines, Rows * cellHeight + GridLines);
}

void TNewColorCalendar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colors = palette();
    painter.fillRect(rect(), colors.color(QPalette::Mid));

    // A grid too small for the font gets a smaller one, so that the numbers stay whole.
    QFont normal = font();
    if (QFontMetrics(normal).height() > rowHeight() && rowHeight() >= 6)
        normal.setPixelSize(rowHeight() - 1);
    QFont bold = normal;
    bold.setBold(true);
    const QPoint selected = cellOfDay(m_day);
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            const QRect cell = cellRect(column, row);
            QString text;
            QColor background = colors.color(QPalette::Base);
            QColor foreground = colors.color(QPalette::Text);
            if (row == 0) {
                text = m_weekDayNames.value(weekdayOfColumn(column));
                background = colors.color(QPalette::Button);
                foreground = colors.color(QPalette::ButtonText);
                painter.setFont(bold);
            } else {
                painter.setFont(normal);
                if (const int day = dayAt(column, row)) {
                    text = QString::number(day);
                    if (QPoint(column, row) == selected) {
                        background = MarkerColor();
                        foreground = MarkerFontColor();
                    }
                }
            }
            painter.fillRect(cell, background);
            if (!text.isEmpty()) {
                painter.setPen(foreground);
                painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, text);
            }
        }
    }
    if (hasFocus()) {
        painter.setPen(QPen(colors.color(QPalette::HighlightedText), 1, Qt::DotLine));
        painter.drawRect(cellRect(selected.x(), selected.y()).adjusted(1, 1, -2, -2));
    }
}

void TNewColorCalendar::selectCell(int column, int row)
{
    if (const int day = dayAt(column, row))
        setDay(day);
}

void TNewColorCalendar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint cell = cellAt(event->position().toPoint());
    selectCell(cell.x(), cell.y());
}

void TNewColorCalendar::keyPressEvent(QKeyEvent *event)
{
    const QPoint cell = cellOfDay(m_day);
    switch (event->key()) {
    case Qt::Key_Left:
        selectCell(cell.x() - 1, cell.y());
        break;
    case Qt::Key_Right:
        selectCell(cell.x() + 1, cell.y());
        break;
    case Qt::Key_Up:
        selectCell(cell.x(), cell.y() - 1);
        break;
    case Qt::Key_Down:
        selectCell(cell.x(), cell.y() + 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}
