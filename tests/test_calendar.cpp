#include "services/Colcal.h"
#include "services/DateCal.h"
#include "services/ProgramDialogs.h"
#include "services/TransProg.h"

#include "support/Modal.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

namespace {

void showDate(TNewColorCalendar &grid, const QDate &date)
{
    grid.setDay(1);
    grid.SetYear(date.year());
    grid.SetMonth(date.month());
    grid.setDay(date.day());
    QCOMPARE(grid.date(), date);
}

// Types into the year field as a person does: select what is there, then key by key.
void typeYear(TCalForm &form, const QString &text)
{
    QSpinBox *edit = form.jahrEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

const QStringList DayKeys{"Day 1", "Day 2", "Day 3", "Day 4", "Day 5", "Day 6", "Day 7"};

} // namespace

class CalendarTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Date numbers and the calendar rules.
    void dateNumbers_data();
    void dateNumbers();
    void dateNumbersOutsideTheYears();
    void leapYears_data();
    void leapYears();
    void shortDateHasFourDigitYears_data();
    void shortDateHasFourDigitYears();

    // The month grid.
    void startsToday();
    void setParts_data();
    void setParts();
    void monthLayout_data();
    void monthLayout();
    void cellSizesFollowTheWidget();
    void clicks_data();
    void clicks();
    void arrowKeys_data();
    void arrowKeys();
    void colours();

    // The dialog.
    void dialogControls();
    void setDateShowsThatDate_data();
    void setDateShowsThatDate();
    void monthChoice_data();
    void monthChoice();
    void yearField_data();
    void yearField();
    void clickUpdatesTheDisplay();
    void dayNamesFromTheScript();
    void dayNamesWithoutScriptAreTheKeys();
    void endings_data();
    void endings();
    void enterAndEscapeDoNothing();
    void runCalendarStartsTodayForNoDate();
    void runCalendarCentresOnTheWindow();
    void dialogSeam();
};

void CalendarTest::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void CalendarTest::cleanup()
{
    SetActiveScriptPath(QString());
    QLocale::setDefault(QLocale::system());
}

void CalendarTest::dateNumbers_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("number");
    QTest::newRow("origin") << QDate(1899, 12, 30) << 0;
    QTest::newRow("31 December 1899") << QDate(1899, 12, 31) << 1;
    QTest::newRow("1 January 1900") << QDate(1900, 1, 1) << 2;
    QTest::newRow("1 March 1900, no 29 February") << QDate(1900, 3, 1) << 61;
    QTest::newRow("1 January 2000") << QDate(2000, 1, 1) << 36526;
    QTest::newRow("1 March 2000, after 29 February") << QDate(2000, 3, 1) << 36586;
    QTest::newRow("17 May 2004") << QDate(2004, 5, 17) << 38124;
    QTest::newRow("29 February 2024") << QDate(2024, 2, 29) << 45351;
    QTest::newRow("1 January of year 1") << QDate(1, 1, 1) << -693593;
    QTest::newRow("31 December 9999") << QDate(9999, 12, 31) << 2958465;
}

void CalendarTest::dateNumbers()
{
    QFETCH(QDate, date);
    QFETCH(int, number);
    QCOMPARE(DateToNumber(date), number);
    QCOMPARE(NumberToDate(number), date);
}

void CalendarTest::dateNumbersOutsideTheYears()
{
    QVERIFY(!NumberToDate(2958466).isValid());
    QVERIFY(!NumberToDate(-693594).isValid());
    QVERIFY(!NumberToDate(qint64(1) << 40).isValid());
}

void CalendarTest::leapYears_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("leap");
    QTest::newRow("1900") << 1900 << false;
    QTest::newRow("2000") << 2000 << true;
    QTest::newRow("2023") << 2023 << false;
    QTest::newRow("2024") << 2024 << true;
    QTest::newRow("2100") << 2100 << false;
    QTest::newRow("1") << 1 << false;
    QTest::newRow("4") << 4 << true;
    QTest::newRow("100") << 100 << false;
    QTest::newRow("400") << 400 << true;
    QTest::newRow("9996") << 9996 << true;
    QTest::newRow("9999") << 9999 << false;
}

void CalendarTest::leapYears()
{
    QFETCH(int, year);
    QFETCH(bool, leap);
    QCOMPARE(TNewColorCalendar::isLeapYear(year), leap);
    QCOMPARE(TNewColorCalendar::daysInMonth(year, 2), leap ? 29 : 28);
    QCOMPARE(TNewColorCalendar::daysInMonth(year, 2), QDate(year, 2, 1).daysInMonth());
}

void CalendarTest::shortDateHasFourDigitYears_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("US") << us << QDate(2004, 5, 17) << "5/17/2004";
    QTest::newRow("German") << german << QDate(2004, 5, 17) << "17.05.2004";
    QTest::newRow("German year 1") << german << QDate(1, 1, 1) << "01.01.0001";
    QTest::newRow("US year 9999") << us << QDate(9999, 12, 31) << "12/31/9999";
}

void CalendarTest::shortDateHasFourDigitYears()
{
    QFETCH(QLocale, locale);
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    QCOMPARE(ShortDateText(date), text);
}

void CalendarTest::startsToday()
{
    TNewColorCalendar grid;
    QCOMPARE(grid.date(), QDate::currentDate());
    QCOMPARE(grid.StartOfWeek(), 0);
}

void CalendarTest::setParts_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("value");
    QTest::addColumn<QDate>("result");

    QTest::newRow("31 Jan -> February, leap year") << QDate(2024, 1, 31) << "month" << 2 << QDate(2024, 2, 29);
    QTest::newRow("31 Jan -> February, other year") << QDate(2023, 1, 31) << "month" << 2 << QDate(2023, 2, 28);
    QTest::newRow("31 Jan -> February 1900") << QDate(1900, 1, 31) << "month" << 2 << QDate(1900, 2, 28);
    QTest::newRow("31 Jan -> February 2000") << QDate(2000, 1, 31) << "month" << 2 << QDate(2000, 2, 29);
    QTest::newRow("31 Mar -> April") << QDate(2024, 3, 31) << "month" << 4 << QDate(2024, 4, 30);
    QTest::newRow("15 Mar -> April keeps the day") << QDate(2024, 3, 15) << "month" << 4 << QDate(2024, 4, 15);
    QTest::newRow("month 0 ignored") << QDate(2024, 3, 15) << "month" << 0 << QDate(2024, 3, 15);
    QTest::newRow("month 13 ignored") << QDate(2024, 3, 15) << "month" << 13 << QDate(2024, 3, 15);
    QTest::newRow("month -1 ignored") << QDate(2024, 3, 15) << "month" << -1 << QDate(2024, 3, 15);
    QTest::newRow("December of 9999") << QDate(9999, 1, 31) << "month" << 12 << QDate(9999, 12, 31);

    QTest::newRow("29 Feb 2024 -> 2025") << QDate(2024, 2, 29) << "year" << 2025 << QDate(2025, 2, 28);
    QTest::newRow("29 Feb 2024 -> 2028") << QDate(2024, 2, 29) << "year" << 2028 << QDate(2028, 2, 29);
    QTest::newRow("29 Feb 2024 -> 1900") << QDate(2024, 2, 29) << "year" << 1900 << QDate(1900, 2, 28);
    QTest::newRow("29 Feb 2024 -> 2000") << QDate(2024, 2, 29) << "year" << 2000 << QDate(2000, 2, 29);
    QTest::newRow("29 Feb 2024 -> 202") << QDate(2024, 2, 29) << "year" << 202 << QDate(202, 2, 28);
    QTest::newRow("31 Dec -> year 9999") << QDate(2024, 12, 31) << "year" << 9999 << QDate(9999, 12, 31);
    QTest::newRow("1 Jan -> year 1") << QDate(2024, 1, 1) << "year" << 1 << QDate(1, 1, 1);
    QTest::newRow("year 0 ignored") << QDate(2024, 2, 29) << "year" << 0 << QDate(2024, 2, 29);
    QTest::newRow("negative year ignored") << QDate(2024, 2, 29) << "year" << -2024 << QDate(2024, 2, 29);
    QTest::newRow("year 10000 ignored") << QDate(2024, 2, 29) << "year" << 10000 << QDate(2024, 2, 29);

    QTest::newRow("day 31 of January") << QDate(2024, 1, 1) << "day" << 31 << QDate(2024, 1, 31);
    QTest::newRow("day 29 of February 2024") << QDate(2024, 2, 1) << "day" << 29 << QDate(2024, 2, 29);
    QTest::newRow("day 29 of February 2023 ignored") << QDate(2023, 2, 1) << "day" << 29 << QDate(2023, 2, 1);
    QTest::newRow("day 31 of April ignored") << QDate(2024, 4, 5) << "day" << 31 << QDate(2024, 4, 5);
    QTest::newRow("day 0 ignored") << QDate(2024, 4, 5) << "day" << 0 << QDate(2024, 4, 5);
    QTest::newRow("day 32 ignored") << QDate(2024, 1, 5) << "day" << 32 << QDate(2024, 1, 5);
}

void CalendarTest::setParts()
{
    QFETCH(QDate, start);
    QFETCH(QString, part);
    QFETCH(int, value);
    QFETCH(QDate, result);

    TNewColorCalendar grid;
    showDate(grid, start);
    QSignalSpy changes(&grid, &TNewColorCalendar::changed);
    if (part == QLatin1String("month"))
        grid.SetMonth(value);
    else if (part == QLatin1String("year"))
        grid.SetYear(value);
    else
        grid.setDay(value);
    QCOMPARE(grid.date(), result);
    QCOMPARE(changes.count(), result == start ? 0 : 1);
}

void CalendarTest::monthLayout_data()
{
    QTest::addColumn<QDate>("month");
    QTest::addColumn<int>("startOfWeek");
    QTest::addColumn<QPoint>("firstCell");
    QTest::addColumn<QPoint>("lastCell");

    // 1 September 2024 and 1 February 2015 are Sundays; 1 March 2024 is a Friday.
    QTest::newRow("Sunday 1st, weeks from Sunday") << QDate(2024, 9, 1) << 0 << QPoint(0, 1) << QPoint(1, 5);
    QTest::newRow("Sunday 1st, weeks from Monday") << QDate(2024, 9, 1) << 1 << QPoint(6, 1) << QPoint(0, 6);
    QTest::newRow("Sunday 1st, weeks from Saturday") << QDate(2024, 9, 1) << 6 << QPoint(1, 1) << QPoint(2, 5);
    QTest::newRow("February of four weeks") << QDate(2015, 2, 1) << 0 << QPoint(0, 1) << QPoint(6, 4);
    QTest::newRow("Friday 1st, 31 days, weeks from Saturday") << QDate(2024, 3, 1) << 6 << QPoint(6, 1) << QPoint(1, 6);
    QTest::newRow("Friday 1st, weeks from Monday") << QDate(2024, 3, 1) << 1 << QPoint(4, 1) << QPoint(6, 5);
}

void CalendarTest::monthLayout()
{
    QFETCH(QDate, month);
    QFETCH(int, startOfWeek);
    QFETCH(QPoint, firstCell);
    QFETCH(QPoint, lastCell);

    TNewColorCalendar grid;
    showDate(grid, month);
    grid.setStartOfWeek(startOfWeek);
    QCOMPARE(grid.cellOfDay(1), firstCell);
    QCOMPARE(grid.cellOfDay(month.daysInMonth()), lastCell);
    QCOMPARE(grid.weekdayOfColumn(firstCell.x()), month.dayOfWeek() % 7);
    for (int column = 0; column < 7; ++column)
        QCOMPARE(grid.weekdayOfColumn(column), (column + startOfWeek) % 7);

    // Every day stands once, in reading order; every other cell is empty.
    int expected = 0;
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 7; ++column) {
            const int day = grid.dayAt(column, row);
            if (row == 0) {
                QCOMPARE(day, 0);
                continue;
            }
            const int position = (row - 1) * 7 + column;
            const int first = (firstCell.y() - 1) * 7 + firstCell.x();
            const int last = (lastCell.y() - 1) * 7 + lastCell.x();
            if (position < first || position > last) {
                QCOMPARE(day, 0);
            } else {
                QCOMPARE(day, ++expected);
                QCOMPARE(grid.cellOfDay(day), QPoint(column, row));
            }
        }
    }
    QCOMPARE(expected, month.daysInMonth());
}

void CalendarTest::cellSizesFollowTheWidget()
{
    TNewColorCalendar grid;
    grid.resize(200, 150);
    QCOMPARE(grid.columnWidth(), 27); // (200 - 6) div 7
    QCOMPARE(grid.rowHeight(), 20);   // (150 - 6) div 7
    QCOMPARE(grid.cellRect(0, 0), QRect(0, 0, 27, 20));
    QCOMPARE(grid.cellRect(2, 3), QRect(56, 63, 27, 20));
    QCOMPARE(grid.cellAt(QPoint(56, 63)), QPoint(2, 3));
    QCOMPARE(grid.cellAt(QPoint(27, 5)), QPoint(-1, -1)); // a grid line
    QCOMPARE(grid.cellAt(QPoint(199, 5)), QPoint(-1, -1)); // right of the last column
    grid.resize(100, 71);
    QCOMPARE(grid.columnWidth(), 13);
    QCOMPARE(grid.rowHeight(), 9);
    QCOMPARE(grid.cellRect(6, 6), QRect(84, 60, 13, 9));
}

void CalendarTest::clicks_data()
{
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<int>("day");

    // September 2024 with weeks from Monday: day 1 at column 6 of row 1, day 30 at column 0 of row 6.
    QTest::newRow("a day") << QPoint(0, 3) << 9;
    QTest::newRow("day 1") << QPoint(6, 1) << 1;
    QTest::newRow("last day") << QPoint(0, 6) << 30;
    QTest::newRow("the selected day") << QPoint(2, 2) << 4;
    QTest::newRow("leading cell of August") << QPoint(0, 1) << 4;
    QTest::newRow("leading cell before day 1") << QPoint(5, 1) << 4;
    QTest::newRow("trailing cell of October") << QPoint(1, 6) << 4;
    QTest::newRow("last cell") << QPoint(6, 6) << 4;
    QTest::newRow("header") << QPoint(3, 0) << 4;
}

void CalendarTest::clicks()
{
    QFETCH(QPoint, cell);
    QFETCH(int, day);

    TNewColorCalendar grid;
    grid.resize(241, 106);
    showDate(grid, QDate(2024, 9, 4));
    grid.setStartOfWeek(1);
    grid.show();
    QSignalSpy changes(&grid, &TNewColorCalendar::changed);
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, grid.cellRect(cell.x(), cell.y()).center());
    QCOMPARE(grid.date(), QDate(2024, 9, day));
    QCOMPARE(changes.count(), day == 4 ? 0 : 1);

    // The right button selects nothing.
    QTest::mouseClick(&grid, Qt::RightButton, Qt::NoModifier, grid.cellRect(1, 2).center());
    QCOMPARE(grid.day(), day);
}

void CalendarTest::arrowKeys_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");

    // September 2024 with weeks from Monday, as in clicks().
    QTest::newRow("right") << 11 << int(Qt::Key_Right) << 12;
    QTest::newRow("left") << 11 << int(Qt::Key_Left) << 10;
    QTest::newRow("down") << 11 << int(Qt::Key_Down) << 18;
    QTest::newRow("up") << 11 << int(Qt::Key_Up) << 4;
    QTest::newRow("up from day 1 onto the header") << 1 << int(Qt::Key_Up) << 1;
    QTest::newRow("left from day 1 onto an empty cell") << 1 << int(Qt::Key_Left) << 1;
    QTest::newRow("right from day 1 off the grid") << 1 << int(Qt::Key_Right) << 1;
    QTest::newRow("left from the first column, no wrap") << 2 << int(Qt::Key_Left) << 2;
    QTest::newRow("right from the last column, no wrap") << 8 << int(Qt::Key_Right) << 8;
    QTest::newRow("up from the second row onto empty") << 3 << int(Qt::Key_Up) << 3;
    QTest::newRow("down from the last day off the grid") << 30 << int(Qt::Key_Down) << 30;
    QTest::newRow("down onto a trailing empty cell") << 24 << int(Qt::Key_Down) << 24;
    QTest::newRow("right from the last day onto empty") << 30 << int(Qt::Key_Right) << 30;
    QTest::newRow("other keys do nothing") << 15 << int(Qt::Key_Home) << 15;
}

void CalendarTest::arrowKeys()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);

    TNewColorCalendar grid;
    grid.resize(241, 106);
    showDate(grid, QDate(2024, 9, from));
    grid.setStartOfWeek(1);
    grid.show();
    QSignalSpy changes(&grid, &TNewColorCalendar::changed);
    QTest::keyClick(&grid, Qt::Key(key));
    QCOMPARE(grid.date(), QDate(2024, 9, to));
    QCOMPARE(changes.count(), from == to ? 0 : 1);
}

void CalendarTest::colours()
{
    TNewColorCalendar grid;
    grid.resize(241, 106);
    showDate(grid, QDate(2024, 9, 4));
    grid.setStartOfWeek(1);
    QCOMPARE(grid.MarkerColor(), grid.palette().color(QPalette::Highlight));
    QCOMPARE(grid.MarkerFontColor(), grid.palette().color(QPalette::HighlightedText));
    const QColor marker(200, 10, 20);
    const QColor markerText(0, 255, 0);
    grid.setMarkerColor(marker);
    grid.setMarkerFontColor(markerText);

    const QImage image = grid.grab().toImage();
    const auto cornerOf = [&](int column, int row) { return image.pixelColor(grid.cellRect(column, row).topLeft() + QPoint(2, 2)); };
    const QPoint selected = grid.cellOfDay(4);
    QCOMPARE(cornerOf(selected.x(), selected.y()), marker);
    QCOMPARE(cornerOf(3, 0), grid.palette().color(QPalette::Button));
    QCOMPARE(cornerOf(0, 1), grid.palette().color(QPalette::Base)); // empty
    QCOMPARE(cornerOf(0, 3), grid.palette().color(QPalette::Base)); // another day

    bool textInMarkerColour = false;
    const QRect cell = grid.cellRect(selected.x(), selected.y());
    for (int y = cell.top(); y <= cell.bottom() && !textInMarkerColour; ++y)
        for (int x = cell.left(); x <= cell.right() && !textInMarkerColour; ++x)
            textInMarkerColour = image.pixelColor(x, y) == markerText;
    QVERIFY(textInMarkerColour);

    grid.setMarkerColor(QColor());
    QCOMPARE(grid.MarkerColor(), grid.palette().color(QPalette::Highlight));
}

void CalendarTest::dialogControls()
{
    TCalForm form;
    QCOMPARE(form.objectName(), QStringLiteral("CalForm"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Please select date:"));
    QCOMPARE(form.size(), QSize(248, 179));
    QCOMPARE(form.minimumSize(), form.maximumSize());

    QCOMPARE(form.datumsBox()->geometry(), QRect(0, 0, 248, 153));
    QVERIFY(form.datumsBox()->font().bold());
    auto *monYearBox = form.findChild<QGroupBox *>(QStringLiteral("MonYearBox"));
    QVERIFY(monYearBox);
    QCOMPARE(monYearBox->title(), QStringLiteral("Month, Year"));
    QVERIFY(!monYearBox->font().bold());
    QCOMPARE(monYearBox->geometry(), QRect(0, 0, 241, 41));
    QCOMPARE(form.findChild<QWidget *>(QStringLiteral("DatumsBoxPanel"))->height(), 42);
    QCOMPARE(form.monthCombo()->pos(), QPoint(8, 16));
    QCOMPARE(form.monthCombo()->width(), 161);
    QVERIFY(form.monthCombo()->isEditable());
    QCOMPARE(form.jahrEdit()->geometry(), QRect(176, 16, 57, 22));
    QCOMPARE(form.jahrEdit()->singleStep(), 1);
    QCOMPARE(form.okButton()->geometry(), QRect(0, 154, 121, 25));
    QCOMPARE(form.okButton()->text(), QStringLiteral("OK"));
    QCOMPARE(form.cancelButton()->geometry(), QRect(128, 154, 120, 25));
    QCOMPARE(form.cancelButton()->text(), QStringLiteral("Cancel"));

    QStringList months;
    for (int i = 0; i < form.monthCombo()->count(); ++i)
        months.append(form.monthCombo()->itemText(i));
    QCOMPARE(months, QStringList({"January", "February", "March", "April", "May", "June", "July", "August",
                                  "September", "October", "November", "December"}));

    // The grid fills the group box below the month and year.
    TNewColorCalendar *grid = form.calendarField();
    QCOMPARE(grid->objectName(), QStringLiteral("CalendarField"));
    QCOMPARE(grid->parentWidget(), form.datumsBox());
    form.show();
    QVERIFY(grid->geometry().top() >= monYearBox->mapTo(form.datumsBox(), QPoint(0, 41)).y());
    QVERIFY(grid->geometry().bottom() < 153);
    QVERIFY(grid->width() >= 230);
    QVERIFY(grid->geometry().right() < 248);
    QVERIFY(grid->rowHeight() >= 10);
    QVERIFY(!grid->font().bold());
    QCOMPARE(grid->date(), QDate::currentDate());
}

void CalendarTest::setDateShowsThatDate_data()
{
    QTest::addColumn<QDate>("before");
    QTest::addColumn<QDate>("date");
    QTest::newRow("29 Feb 2024 from a year without one") << QDate(2023, 1, 31) << QDate(2024, 2, 29);
    QTest::newRow("29 Feb 2024 from 31 March 2023") << QDate(2023, 3, 31) << QDate(2024, 2, 29);
    QTest::newRow("29 Feb 2000 from 29 Feb 1996") << QDate(1996, 2, 29) << QDate(2000, 2, 29);
    QTest::newRow("31 Dec 9999") << QDate(2024, 2, 29) << QDate(9999, 12, 31);
    QTest::newRow("1 Jan of year 1") << QDate(2024, 2, 29) << QDate(1, 1, 1);
    QTest::newRow("17 May 2004") << QDate(2024, 5, 31) << QDate(2004, 5, 17);
}

void CalendarTest::setDateShowsThatDate()
{
    QFETCH(QDate, before);
    QFETCH(QDate, date);

    TCalForm form;
    form.SetDate(before);
    QCOMPARE(form.date(), before);
    form.SetDate(date);
    QCOMPARE(form.date(), date);
    QCOMPARE(form.jahrEdit()->value(), date.year());
    QCOMPARE(form.monthCombo()->currentIndex(), date.month() - 1);
    QCOMPARE(form.monthCombo()->currentText(), form.monthCombo()->itemText(date.month() - 1));
    QCOMPARE(form.datumsBox()->title(), QStringLiteral("Date: ") + ShortDateText(date));

    // A date outside the years of the calendar is ignored.
    form.SetDate(QDate(10000, 1, 1));
    form.SetDate(QDate());
    QCOMPARE(form.date(), date);
}

void CalendarTest::monthChoice_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("result");
    QTest::addColumn<QString>("shown");

    QTest::newRow("February in a leap year") << QDate(2024, 1, 31) << "February" << QDate(2024, 2, 29) << "February";
    QTest::newRow("February in another year") << QDate(2023, 1, 31) << "February" << QDate(2023, 2, 28) << "February";
    QTest::newRow("small letters") << QDate(2023, 1, 15) << "march" << QDate(2023, 3, 15) << "March";
    QTest::newRow("no month of that name") << QDate(2023, 1, 15) << "Smarch" << QDate(2023, 1, 15) << "January";
    QTest::newRow("nothing typed") << QDate(2023, 6, 15) << "" << QDate(2023, 6, 15) << "June";
}

// Types a month name into the combo box, then leaves it with Tab.
void CalendarTest::monthChoice()
{
    QFETCH(QDate, start);
    QFETCH(QString, typed);
    QFETCH(QDate, result);
    QFETCH(QString, shown);

    TCalForm form;
    form.SetDate(start);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QLineEdit *edit = form.monthCombo()->lineEdit();
    form.monthCombo()->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(!form.monthCombo()->hasFocus());
    QCOMPARE(form.date(), result);
    QCOMPARE(form.monthCombo()->currentText(), shown);
    QCOMPARE(form.monthCombo()->currentIndex(), result.month() - 1);
    QCOMPARE(form.datumsBox()->title(), QStringLiteral("Date: ") + ShortDateText(result));
    QCOMPARE(form.monthCombo()->count(), 12);
}

void CalendarTest::yearField_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("keys"); // typed text, or "up" / "down" for the arrows
    QTest::addColumn<QDate>("result");

    QTest::newRow("typed digit by digit") << QDate(2024, 5, 17) << "1999" << QDate(1999, 5, 17);
    QTest::newRow("29 February passes year 202") << QDate(2024, 2, 29) << "2024" << QDate(2024, 2, 28);
    QTest::newRow("29 February to 2025") << QDate(2024, 2, 29) << "2025" << QDate(2025, 2, 28);
    QTest::newRow("letters keep the date") << QDate(2024, 2, 29) << "abc" << QDate(2024, 2, 29);
    QTest::newRow("year 0 is ignored") << QDate(2024, 5, 17) << "0" << QDate(2024, 5, 17);
    QTest::newRow("a negative year is ignored") << QDate(2024, 5, 17) << "-5" << QDate(2024, 5, 17);
    QTest::newRow("above 9999 is ignored") << QDate(2024, 5, 17) << "10000" << QDate(1000, 5, 17);
    QTest::newRow("year 1") << QDate(2024, 5, 17) << "1" << QDate(1, 5, 17);
    QTest::newRow("December of 9999") << QDate(2024, 12, 31) << "9999" << QDate(9999, 12, 31);
    QTest::newRow("arrow up") << QDate(2024, 2, 29) << "up" << QDate(2025, 2, 28);
    QTest::newRow("arrow down") << QDate(2024, 3, 1) << "down" << QDate(2023, 3, 1);
    QTest::newRow("arrow up from 9999") << QDate(9999, 3, 1) << "up" << QDate(9999, 3, 1);
    QTest::newRow("arrow down from 1") << QDate(1, 3, 1) << "down" << QDate(1, 3, 1);
}

void CalendarTest::yearField()
{
    QFETCH(QDate, start);
    QFETCH(QString, keys);
    QFETCH(QDate, result);

    TCalForm form;
    form.SetDate(start);
    form.show();
    if (keys == QLatin1String("up"))
        QTest::keyClick(form.jahrEdit(), Qt::Key_Up);
    else if (keys == QLatin1String("down"))
        QTest::keyClick(form.jahrEdit(), Qt::Key_Down);
    else
        typeYear(form, keys);
    QCOMPARE(form.date(), result);
    QCOMPARE(form.datumsBox()->title(), QStringLiteral("Date: ") + ShortDateText(result));
    QCOMPARE(form.monthCombo()->currentIndex(), result.month() - 1);
}

void CalendarTest::clickUpdatesTheDisplay()
{
    TCalForm form;
    form.SetDate(QDate(2024, 9, 4));
    form.calendarField()->setStartOfWeek(1);
    form.show();
    TNewColorCalendar *grid = form.calendarField();
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->cellRect(0, 3).center());
    QCOMPARE(form.date(), QDate(2024, 9, 9));
    QCOMPARE(form.datumsBox()->title(), QStringLiteral("Date: 9/9/2024"));
    QCOMPARE(grid->accessibleName(), QStringLiteral("Monday, September 9, 2024"));
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(form.datumsBox()->title(), QStringLiteral("Date: 9/16/2024"));
}

void CalendarTest::dayNamesFromTheScript()
{
    TempProgramDir dir;
    dir.write(QStringLiteral("LScripts/German.lng"),
              "[CalForm]\r\nCaption=Bitte Datum w\xc3\xa4hlen:\r\nMonYearBox.Caption=Monat, Jahr\r\n"
              "MonthCombo.Items=Januar,Februar,M\xc3\xa4rz,April,Mai,Juni,Juli,August,September,Oktober,November,Dezember\r\n"
              "CancelButton.Caption=Abbrechen\r\n"
              "[Captions]\r\nDate=Datum\r\n"
              "[Short day names]\r\nDay 1=So\r\nDay 2=Mo\r\nDay 3=Di\r\nDay 4=Mi\r\nDay 5=Do\r\nDay 6=Fr\r\nDay 7=Sa\r\n");
    SetActiveScriptPath(dir.file(QStringLiteral("LScripts/German.lng")));

    TCalForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Bitte Datum wählen:"));
    QCOMPARE(form.cancelButton()->text(), QStringLiteral("Abbrechen"));
    QCOMPARE(form.monthCombo()->itemText(2), QStringLiteral("März"));
    QCOMPARE(form.jahrEdit()->accessibleName(), QStringLiteral("Monat, Jahr"));
    QCOMPARE(form.calendarField()->WeekDayNames(), QStringList({"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"}));
    form.SetDate(QDate(2024, 3, 1));
    QCOMPARE(form.datumsBox()->title(), QStringLiteral("Datum: 3/1/2024"));
    QCOMPARE(form.monthCombo()->currentText(), QStringLiteral("März"));
}

void CalendarTest::dayNamesWithoutScriptAreTheKeys()
{
    TCalForm form;
    QCOMPARE(form.calendarField()->WeekDayNames(), DayKeys);
    form.calendarField()->setStartOfWeek(1);
    QStringList headers;
    for (int column = 0; column < 7; ++column)
        headers.append(DayKeys.at(form.calendarField()->weekdayOfColumn(column)));
    QCOMPARE(headers, QStringList({"Day 2", "Day 3", "Day 4", "Day 5", "Day 6", "Day 7", "Day 1"}));
}

void CalendarTest::endings_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("OK") << "OKButton" << true;
    QTest::newRow("Cancel") << "CancelButton" << false;
    QTest::newRow("close box") << "close" << true;
}

// Through the modal call: start 17 May 2004 with weeks from Monday, click the 24th, then end.
void CalendarTest::endings()
{
    QFETCH(QString, ending);
    QFETCH(bool, accepted);

    bool acted = false;
    QString titleAtEnd;
    whenModal([&](QDialog *dialog) {
        auto *form = qobject_cast<TCalForm *>(dialog);
        QVERIFY(form);
        acted = true;
        QCOMPARE(form->date(), QDate(2004, 5, 17));
        TNewColorCalendar *grid = form->calendarField();
        QCOMPARE(grid->StartOfWeek(), 1);
        const QPoint cell = grid->cellOfDay(24);
        QCOMPARE(cell, QPoint(0, 5)); // 1 May 2004 is a Saturday, 24 May a Monday
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->cellRect(cell.x(), cell.y()).center());
        if (ending == QLatin1String("close"))
            form->close();
        else
            QTest::mouseClick(form->findChild<QPushButton *>(ending), Qt::LeftButton);
        titleAtEnd = form->windowTitle();
    });
    const std::optional<int> chosen = RunCalendar(nullptr, 38124, 1);
    QVERIFY(acted);
    if (accepted) {
        QCOMPARE(chosen, std::optional<int>(38131));
        QCOMPARE(titleAtEnd, QStringLiteral("Please select date:"));
    } else {
        QVERIFY(!chosen.has_value());
        QCOMPARE(titleAtEnd, QStringLiteral("---"));
    }
}

void CalendarTest::enterAndEscapeDoNothing()
{
    TCalForm form;
    form.SetDate(QDate(2024, 9, 4));
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    for (QWidget *target : {static_cast<QWidget *>(form.calendarField()), static_cast<QWidget *>(form.jahrEdit()),
                            static_cast<QWidget *>(form.monthCombo())}) {
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY2(form.isVisible(), qPrintable(target->objectName()));
    }
    QCOMPARE(form.windowTitle(), QStringLiteral("Please select date:"));
    QCOMPARE(form.date(), QDate(2024, 9, 4));
    QCOMPARE(form.result(), int(QDialog::Rejected));

    // Enter on a focused button presses that button.
    form.cancelButton()->setFocus();
    QTest::keyClick(form.cancelButton(), Qt::Key_Return);
    QVERIFY(!form.isVisible());
    QVERIFY(form.cancelled());
}

void CalendarTest::runCalendarStartsTodayForNoDate()
{
    QDate shown;
    int startOfWeek = -1;
    whenModal([&](QDialog *dialog) {
        auto *form = qobject_cast<TCalForm *>(dialog);
        shown = form->date();
        startOfWeek = form->calendarField()->StartOfWeek();
        form->okButton()->click();
    });
    const std::optional<int> chosen = RunCalendar(nullptr, 99999999, -1);
    QCOMPARE(shown, QDate::currentDate());
    QCOMPARE(startOfWeek, 0);
    QCOMPARE(chosen, std::optional<int>(DateToNumber(QDate::currentDate())));
}

void CalendarTest::runCalendarCentresOnTheWindow()
{
    QWidget window;
    window.setGeometry(60, 50, 700, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QPoint formCentre;
    whenModal([&](QDialog *dialog) {
        formCentre = dialog->frameGeometry().center();
        QCOMPARE(dialog->parentWidget(), &window);
        dialog->close();
    });
    QCOMPARE(RunCalendar(&window, 36526, 0), std::optional<int>(36526));
    QVERIFY((formCentre - window.frameGeometry().center()).manhattanLength() <= 2);
}

void CalendarTest::dialogSeam()
{
    QWidget window;
    window.show();
    ProgramDialogs program;
    program.setParentWindow(&window);
    whenModal([&](QDialog *dialog) {
        auto *form = qobject_cast<TCalForm *>(dialog);
        QVERIFY(form);
        QCOMPARE(dialog->parentWidget(), &window);
        QCOMPARE(form->calendarField()->StartOfWeek(), 3);
        QTest::keyClick(form->calendarField(), Qt::Key_Right);
        form->okButton()->click();
    });
    QCOMPARE(program.calendar(36526, 3), std::optional<int>(36527));
    whenModal([&](QDialog *dialog) { qobject_cast<TCalForm *>(dialog)->cancelButton()->click(); });
    QCOMPARE(program.calendar(36526, 3), std::nullopt);

    ScriptedDialogs scripted;
    scripted.answer(38124);
    scripted.answer(QVariant());
    QCOMPARE(scripted.calendar(36526, 1), std::optional<int>(38124));
    QCOMPARE(scripted.calendar(36526, 0), std::nullopt);
    QCOMPARE(scripted.asked().size(), 2);
    QCOMPARE(scripted.asked().at(0).dialog, QStringLiteral("calendar"));
    QCOMPARE(scripted.asked().at(0).text, QStringLiteral("36526"));
    QCOMPARE(scripted.asked().at(0).extra, QStringLiteral("1"));
}

QTEST_MAIN(CalendarTest)
#include "test_calendar.moc"
