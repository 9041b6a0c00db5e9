#include "store/AppError.h"
#include "store/DateNumber.h"
#include "support/Errors.h"

#include <QLocale>
#include <QTest>

class DateNumberTest : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void shortTextHasFourDigitYear();
    void parseRefusesNonNumbers();
};

void DateNumberTest::numbers_data()
{
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QDate>("date");
    QTest::newRow("1 January 1900") << qint64(2) << QDate(1900, 1, 1);
    QTest::newRow("1 January 2000") << qint64(36526) << QDate(2000, 1, 1);
    QTest::newRow("17 May 2004") << qint64(38124) << QDate(2004, 5, 17);
    QTest::newRow("2 November 2003") << qint64(37927) << QDate(2003, 11, 2);
    QTest::newRow("day zero") << qint64(0) << QDate(1899, 12, 30);
    QTest::newRow("before 1900") << qint64(-1) << QDate(1899, 12, 29);
}

void DateNumberTest::numbers()
{
    QFETCH(qint64, number);
    QFETCH(QDate, date);
    QCOMPARE(DateNumber::toDate(number), date);
    QCOMPARE(DateNumber::fromDate(date), number);
}

void DateNumberTest::shortTextHasFourDigitYear()
{
    const QStringList locales{"en_US", "de_DE", "en_GB", "fr_FR"};
    for (const QString &name : locales) {
        QLocale::setDefault(QLocale(name));
        const QString text = DateNumber::shortText(qint64(38124));
        QVERIFY2(text.contains("2004"), qPrintable(name + ": " + text));
    }
}

void DateNumberTest::parseRefusesNonNumbers()
{
    QCOMPARE(DateNumber::parse("38124"), qint64(38124));
    QCOMPARE(DateNumber::shortText(qint64(1) << 40), QString());
    QCOMPARE(errorOf([] { DateNumber::parse("17.05.2004"); }), QString("'17.05.2004' is not a valid integer value"));
}

QTEST_APPLESS_MAIN(DateNumberTest)
#include "test_date_number.moc"
