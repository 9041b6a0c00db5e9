#include "services/DateCal.h"

#include "services/Colcal.h"
#include "services/TransProg.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

namespace {

const QDate DateNumberOrigin(1899, 12, 30);

const QString CancelledTitle = QStringLiteral("---");

// Centres the window, frame included, on the other window; on the screen without one.
void centerOn(QWidget *window, const QWidget *on)
{
    window->winId(); // the platform window knows the frame
    const QRect area = on ? on->frameGeometry()
                          : (window->screen() ? window->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.left() + area.width() / 2 - size.width() / 2, area.top() + area.height() / 2 - size.height() / 2);
}

QFont withWeight(QFont font, bool bold)
{
    font.setBold(bold);
    return font;
}

} // namespace

int DateToNumber(const QDate &date)
{
    return int(DateNumberOrigin.daysTo(date));
}

QDate NumberToDate(qint64 number)
{
    const qint64 first = DateNumberOrigin.daysTo(QDate(TNewColorCalendar::MinYear, 1, 1));
    const qint64 last = DateNumberOrigin.daysTo(QDate(TNewColorCalendar::MaxYear, 12, 31));
    if (number < first || number > last)
        return QDate();
    return DateNumberOrigin.addDays(number);
}

QString ShortDateText(const QDate &date)
{
    static const QRegularExpression years(QStringLiteral("y+"));
    const QLocale locale;
    QString format = locale.dateFormat(QLocale::ShortFormat);
    format.replace(years, QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

TCalForm::TCalForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("CalForm"));
    setWindowTitle(QStringLiteral("Please select date:"));
    setFixedSize(248, 179);

    m_datumsBox = new QGroupBox(QStringLiteral("Date"), this);
    m_datumsBox->setObjectName(QStringLiteral("DatumsBox"));
    m_datumsBox->setGeometry(0, 0, 248, 153);
    m_datumsBox->setFont(withWeight(font(), true));
    auto *boxLayout = new QVBoxLayout(m_datumsBox);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    boxLayout->setSpacing(0);

    auto *panel = new QWidget(m_datumsBox);
    panel->setObjectName(QStringLiteral("DatumsBoxPanel"));
    panel->setFixedHeight(42);
    boxLayout->addWidget(panel);

    auto *monYearBox = new QGroupBox(QStringLiteral("Month, Year"), panel);
    monYearBox->setObjectName(QStringLiteral("MonYearBox"));
    monYearBox->setGeometry(0, 0, 241, 41);
    monYearBox->setFont(withWeight(font(), false));

    m_monthCombo = new QComboBox(monYearBox);
    m_monthCombo->setObjectName(QStringLiteral("MonthCombo"));
    m_monthCombo->setEditable(true);
    m_monthCombo->setInsertPolicy(QComboBox::NoInsert);
    // A month is chosen by its whole name; completing a prefix would choose months on the way.
    m_monthCombo->setCompleter(nullptr);
    m_monthCombo->addItems({QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                            QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"),
                            QStringLiteral("July"), QStringLiteral("August"), QStringLiteral("September"),
                            QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")});
    m_monthCombo->setGeometry(8, 16, 161, m_monthCombo->sizeHint().height());
    m_monthCombo->setMaxVisibleItems(12);

    m_jahrEdit = new QSpinBox(monYearBox);
    m_jahrEdit->setObjectName(QStringLiteral("JahrEdit"));
    m_jahrEdit->setGeometry(176, 16, 57, 22);
    m_jahrEdit->setRange(INT_MIN, INT_MAX);
    m_jahrEdit->setSingleStep(1);

    m_calendarField = new TNewColorCalendar(m_datumsBox);
    m_calendarField->setObjectName(QStringLiteral("CalendarField"));
    m_calendarField->setFont(withWeight(font(), false));
    boxLayout->addWidget(m_calendarField, 1);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setGeometry(0, 154, 121, 25);
    m_okButton->setAutoDefault(false);

    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setGeometry(128, 154, 120, 25);
    m_cancelButton->setAutoDefault(false);

    setTabOrder(m_monthCombo, m_jahrEdit);
    setTabOrder(m_jahrEdit, m_calendarField);
    setTabOrder(m_calendarField, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    m_calendarField->setFocus();

    connect(m_calendarField, &TNewColorCalendar::changed, this, &TCalForm::CalendarFieldChange);
    connect(m_monthCombo, &QComboBox::currentIndexChanged, this, &TCalForm::MonthComboChange);
    connect(m_monthCombo, &QComboBox::editTextChanged, this, &TCalForm::MonthComboEditChange);
    connect(m_monthCombo->lineEdit(), &QLineEdit::editingFinished, this, &TCalForm::MonthComboEditDone);
    connect(m_jahrEdit, &QSpinBox::textChanged, this, &TCalForm::JahrEditChange);
    connect(m_okButton, &QPushButton::clicked, this, &TCalForm::OKButtonClick);
    connect(m_cancelButton, &QPushButton::clicked, this, &TCalForm::CancelButtonClick);

    FormCreate();
}

void TCalForm::FormCreate()
{
    TranslateForm(this);
    // The month and year fields have no labels of their own; their group names them.
    const QString monthYear = findChild<QGroupBox *>(QStringLiteral("MonYearBox"))->title();
    m_monthCombo->setAccessibleName(monthYear);
    m_jahrEdit->setAccessibleName(monthYear);
    QStringList names;
    for (int n = 1; n <= 7; ++n)
        names.append(LngText(QStringLiteral("Short day names"), QStringLiteral("Day %1").arg(n)));
    m_calendarField->setWeekDayNames(names);
    m_jahrEdit->setValue(m_calendarField->year());
    DateDisplay();
}

void TCalForm::SetDate(const QDate &date)
{
    if (!date.isValid() || date.year() < TNewColorCalendar::MinYear || date.year() > TNewColorCalendar::MaxYear)
        return;
    m_calendarField->SetYear(date.year());
    m_calendarField->SetMonth(date.month());
    m_calendarField->setDay(date.day());
    m_jahrEdit->setValue(date.year());
    DateDisplay();
}

QDate TCalForm::date() const
{
    return m_calendarField->date();
}

void TCalForm::DateDisplay()
{
    m_displaying = true;
    showDateCaption();
    const int index = m_calendarField->month() - 1;
    m_monthCombo->setCurrentIndex(index);
    if (m_monthCombo->currentText() != m_monthCombo->itemText(index))
        m_monthCombo->setEditText(m_monthCombo->itemText(index));
    m_displaying = false;
}

void TCalForm::showDateCaption()
{
    m_datumsBox->setTitle(LngText(QStringLiteral("Captions"), QStringLiteral("Date")) + QStringLiteral(": ")
                          + ShortDateText(date()));
}

void TCalForm::CalendarFieldChange()
{
    if (m_typingMonth)
        showDateCaption();
    else
        DateDisplay();
}

void TCalForm::MonthComboChange(int index)
{
    if (m_displaying || !isVisible() || index < 0)
        return;
    m_calendarField->SetMonth(index + 1);
    DateDisplay();
}

void TCalForm::MonthComboEditChange(const QString &text)
{
    if (m_displaying || !isVisible())
        return;
    // A typed name that matches a month chooses it; the typed text stays until editing ends.
    const int index = m_monthCombo->findText(text.trimmed(), Qt::MatchFixedString);
    if (index < 0)
        return;
    m_typingMonth = true;
    m_calendarField->SetMonth(index + 1);
    m_typingMonth = false;
}

void TCalForm::MonthComboEditDone()
{
    if (!m_displaying)
        DateDisplay();
}

void TCalForm::JahrEditChange(const QString &text)
{
    bool ok = false;
    int year = m_jahrEdit->locale().toInt(text.trimmed(), &ok);
    if (!ok)
        year = text.trimmed().toInt(&ok);
    m_calendarField->SetYear(ok ? year : 0);
    DateDisplay();
}

void TCalForm::OKButtonClick()
{
    accept();
}

void TCalForm::CancelButtonClick()
{
    m_cancelled = true;
    setWindowTitle(CancelledTitle);
    reject();
}

void TCalForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter presses the button that has the focus and nothing else.
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()); button && button->isEnabled())
            button->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TCalForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!focusWidget())
        m_calendarField->setFocus();
}

std::optional<int> RunCalendar(QWidget *parent, int startDateNumber, int firstWeekday)
{
    TCalForm form(parent);
    centerOn(&form, parent ? parent->window() : nullptr);
    const QDate start = NumberToDate(startDateNumber);
    form.SetDate(start.isValid() ? start : QDate::currentDate());
    form.calendarField()->setStartOfWeek(firstWeekday);
    form.exec();
    if (form.cancelled())
        return std::nullopt;
    return DateToNumber(form.date());
}
