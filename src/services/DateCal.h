#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

#include <optional>

class QComboBox;
class QGroupBox;
class QPushButton;
class QSpinBox;
class QWidget;
class TNewColorCalendar;

// Date numbers: whole days since 30 December 1899 (1 is 31 December 1899, 2 is 1 January 1900).
int DateToNumber(const QDate &date);
// An invalid date for numbers outside the years 1 to 9999.
QDate NumberToDate(qint64 number);
// The date in the system's short date form, always with a four-digit year.
QString ShortDateText(const QDate &date);

// The calendar dialog: a month grid, a month choice and a year field. OK and the close box
// accept the shown date; Cancel sets the title to "---" and closes.
class TCalForm : public QDialog
{
    Q_OBJECT

public:
    explicit TCalForm(QWidget *parent = nullptr);

    // Shows the date: year first, so that 29 February of a leap year survives, then month and
    // day; the year field follows. A date outside the years 1 to 9999 is ignored.
    void SetDate(const QDate &date);
    QDate date() const;

    // True once Cancel was pressed.
    bool cancelled() const { return m_cancelled; }

    TNewColorCalendar *calendarField() const { return m_calendarField; }
    QGroupBox *datumsBox() const { return m_datumsBox; }
    QComboBox *monthCombo() const { return m_monthCombo; }
    QSpinBox *jahrEdit() const { return m_jahrEdit; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private slots:
    void CalendarFieldChange();
    void MonthComboChange(int index);
    void MonthComboEditChange(const QString &text);
    void MonthComboEditDone();
    void JahrEditChange(const QString &text);
    void OKButtonClick();
    void CancelButtonClick();

private:
    void FormCreate();
    void DateDisplay();
    void showDateCaption();

    QGroupBox *m_datumsBox = nullptr;
    QComboBox *m_monthCombo = nullptr;
    QSpinBox *m_jahrEdit = nullptr;
    TNewColorCalendar *m_calendarField = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    bool m_cancelled = false;
    bool m_displaying = false;
    bool m_typingMonth = false;
};

// Creates the calendar dialog, centres it on the window (or the screen without one), shows the
// date of the start date number (today when it names no date of the years 1 to 9999) with weeks
// beginning on firstWeekday (0 = Sunday), and returns the chosen date number; nothing when the
// dialog was cancelled. The dialog is destroyed before returning.
std::optional<int> RunCalendar(QWidget *parent, int startDateNumber, int firstWeekday);
