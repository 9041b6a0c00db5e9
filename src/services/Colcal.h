#pragma once

#include <QColor>
#include <QDate>
#include <QPoint>
#include <QStringList>
#include <QWidget>

// A month grid of 7 columns and 7 rows: row 0 names the weekdays, rows 1 to 6 hold the days
// of the current month; cells before day 1 and after the last day stay empty. Column c shows
// weekday (c + StartOfWeek) mod 7, 0 being Sunday. The grid draws itself.
//
// The current date is a date of the proleptic Gregorian calendar in the years 1 to 9999; it
// starts as today. A change that would leave that range, or name no date, is ignored.
// Clicking a day or moving onto one with an arrow key selects it.
class TNewColorCalendar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Columns = 7;
    static constexpr int Rows = 7;
    static constexpr int MinYear = 1;
    static constexpr int MaxYear = 9999;

    explicit TNewColorCalendar(QWidget *parent = nullptr);

    int year() const { return m_year; }
    int month() const { return m_month; }
    int day() const { return m_day; }
    QDate date() const { return QDate(m_year, m_month, m_day); }

    // Ignored outside 1 to the number of days of the current month.
    void setDay(int day);
    // The day is first cut to the length of month m; ignored outside 1 to 12.
    void SetMonth(int month);
    // The day is first cut to the length of the current month in year y; ignored outside 1 to 9999.
    void SetYear(int year);

    // The weekday of the leftmost column, 0 (Sunday) to 6; any other value (such as the -1 of a
    // choice with nothing selected) means Sunday.
    int StartOfWeek() const { return m_startOfWeek; }
    void setStartOfWeek(int weekday);

    // Names of Sunday, Monday, ... Saturday, in this order; missing entries show empty.
    QStringList WeekDayNames() const { return m_weekDayNames; }
    void setWeekDayNames(const QStringList &names);

    // Background and text colour of the selected day; the palette's highlight colours until
    // set (an invalid colour returns to them).
    QColor MarkerColor() const;
    void setMarkerColor(const QColor &color);
    QColor MarkerFontColor() const;
    void setMarkerFontColor(const QColor &color);

    static bool isLeapYear(int year);
    static int daysInMonth(int year, int month);

    // Weekday (0 = Sunday) shown in column c.
    int weekdayOfColumn(int column) const;
    // Column of day 1 of the current month.
    int firstDayColumn() const;
    // The cell (x = column, y = row) that shows the day of the current month.
    QPoint cellOfDay(int day) const;
    // The day a cell shows; 0 for the header row, empty cells and cells off the grid.
    int dayAt(int column, int row) const;

    int columnWidth() const;
    int rowHeight() const;
    // The cell's rectangle in widget coordinates; grid lines of one pixel lie between cells.
    QRect cellRect(int column, int row) const;
    // The cell under a point, or (-1, -1).
    QPoint cellAt(const QPoint &position) const;

    QSize sizeHint() const override;

signals:
    // Raised by every change of the date that takes effect.
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void dateChanged();
    void selectCell(int column, int row);

    int m_year;
    int m_month;
    int m_day;
    int m_startOfWeek = 0;
    QStringList m_weekDayNames;
    QColor m_markerColor;
    QColor m_markerFontColor;
};
