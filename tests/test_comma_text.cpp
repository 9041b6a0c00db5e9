#include "store/CommaText.h"
#include "store/ListRows.h"

#include <QTest>

class CommaTextTest : public QObject
{
    Q_OBJECT

private slots:
    void writes_data();
    void writes();
    void reads_data();
    void reads();
    void roundTrip_data();
    void roundTrip();
    void rowsRoundTrip();
    void defaultCategoryLine();
};

void CommaTextTest::writes_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("text");
    QTest::newRow("no items") << QStringList{} << "";
    QTest::newRow("one empty item") << QStringList{""} << "\"\"";
    QTest::newRow("empty item between") << QStringList{"a", "", "b"} << "a,,b";
    QTest::newRow("plain words") << QStringList{"Chess", "Go"} << "Chess,Go";
    QTest::newRow("blank quotes") << QStringList{"Category 1"} << "\"Category 1\"";
    QTest::newRow("comma quotes") << QStringList{"1,2"} << "\"1,2\"";
    QTest::newRow("quote doubled") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"";
    QTest::newRow("lone quote") << QStringList{"a\"b"} << "\"a\"\"b\"";
    QTest::newRow("tab quotes") << QStringList{"a\tb"} << "\"a\tb\"";
    QTest::newRow("umlaut plain") << QStringList{"Würfel"} << "Würfel";
    QTest::newRow("trailing empty") << QStringList{"a", ""} << "a,";
}

void CommaTextTest::writes()
{
    QFETCH(QStringList, items);
    QFETCH(QString, text);
    QCOMPARE(CommaText::fromList(items), text);
}

void CommaTextTest::reads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("two quotes") << "\"\"" << QStringList{""};
    QTest::newRow("empty between") << "a,,b" << QStringList{"a", "", "b"};
    QTest::newRow("trailing comma") << "a," << QStringList{"a", ""};
    QTest::newRow("leading comma") << ",a" << QStringList{"", "a"};
    QTest::newRow("unquoted blank splits") << "a b" << QStringList{"a", "b"};
    QTest::newRow("blanks around skipped") << "  a ,  b  " << QStringList{"a", "b"};
    QTest::newRow("quoted with comma") << "\"1,2\",x" << QStringList{"1,2", "x"};
    QTest::newRow("doubled quote") << "\"a\"\"b\"" << QStringList{"a\"b"};
    QTest::newRow("lower case") << "x" << QStringList{"x"};
    QTest::newRow("unclosed quote runs to end") << "\"abc" << QStringList{"abc"};
    QTest::newRow("text after closing quote") << "\"a\"b,c" << QStringList{"a", "b", "c"};
    QTest::newRow("NUL ends the text") << QString("a,b") + QChar(0) + ",c" << QStringList{"a", "b"};
}

void CommaTextTest::reads()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    QCOMPARE(CommaText::toList(text), items);
}

void CommaTextTest::roundTrip_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::newRow("mixed") << QStringList{"", " lead", "trail ", "a,b", "\"", "x y", "", "\r\n"};
    QTest::newRow("single quote") << QStringList{"\""};
    QTest::newRow("two empties") << QStringList{"", ""};
    QTest::newRow("nested comma text") << QStringList{CommaText::fromList({"10092543", "-2147483624", "16777215"})};
}

void CommaTextTest::roundTrip()
{
    QFETCH(QStringList, items);
    QCOMPARE(CommaText::toList(CommaText::fromList(items)), items);
}

void CommaTextTest::rowsRoundTrip()
{
    RowList rows{{"Chess", {"250", "17.05.2004", "won on time", "38124"}},
                 {"Go", {""}},
                 {"Card games", {}}};
    const QString text = ListToCommaText(rows);
    RowList back;
    CommaTextToList(text, back);
    QCOMPARE(back, rows);

    QCOMPARE(ListToCommaText({}), QString());
}

void CommaTextTest::defaultCategoryLine()
{
    RowList rows{{"Category 1", {"10092543", "-2147483624", "16777215"}},
                 {"Cards", {"10079487", "-2147483624", "16777215"}}};
    QCOMPARE(ListToCommaText(rows),
             QString("\"Category 1\",\"10092543,-2147483624,16777215\",Cards,\"10079487,-2147483624,16777215\""));
}

QTEST_APPLESS_MAIN(CommaTextTest)
#include "test_comma_text.moc"
