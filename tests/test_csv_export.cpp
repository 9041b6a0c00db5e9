// CSV files of the records list and the top list, written through the real main window.
#include "app/MainForm.h"
#include "keeping/MaintenancePage.h"
#include "keeping/RecordsPage.h"
#include "services/CsvExport.h"
#include "services/ListCsvExport.h"
#include "lists/TopPage.h"
#include "support/StartedWindow.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>
#include <QToolButton>

namespace {

const QString CsvFilter = QStringLiteral("CSV files (*.csv)|*.csv");
const QByteArray TopHeader = "No.,Game,Points,Date,Comment\r\n";

struct Window
{
    TempProgramDir dir;
    std::unique_ptr<StartedWindow> started;

    // The shipped language scripts named are copied into the folder first.
    explicit Window(const QStringList &scripts = {}, const QString &language = QStringLiteral("English"))
    {
        for (const QString &script : scripts)
            QFile::copy(QStringLiteral(TALLIMO_DATA "/LScripts/") + script, dir.file(QStringLiteral("LScripts/") + script));
        QDir().mkpath(dir.file(QStringLiteral("Out")));
        started = std::make_unique<StartedWindow>(dir, language);
        dialogs().clearLog();
    }

    TMainForm &form() const { return *started->form; }
    ScriptedDialogs &dialogs() const { return started->dialogs; }
    QToolButton *button(const char *name) const
    {
        auto *found = form().findChild<QToolButton *>(QLatin1String(name));
        if (!found)
            qFatal("no button %s", name);
        return found;
    }

    // Adds a game with records "points/date number/comment" and shows it.
    void addGame(const QString &name, const QStringList &records = {}) const
    {
        PlayerSession &session = form().session();
        const int slot = session.addGame(1, name);
        QList<StoredRecord> rows;
        for (const QString &record : records) {
            const QStringList parts = record.split(u'/');
            rows.append({parts.value(0), parts.value(1), parts.value(2)});
        }
        if (!rows.isEmpty())
            session.storeRecords({1, slot}, rows);
        form().FillGamesList();
    }

    // The top list built and exported to the answered path (empty: Cancel).
    void exportTop(const QString &answer) const
    {
        button("TopUpdateButton")->click();
        dialogs().answerFile(answer);
        button("TopExpCSVButton")->click();
    }
    void exportRecords(const QString &answer) const
    {
        dialogs().answerFile(answer);
        button("RecListExpCSVButton")->click();
    }
    QString path(const QString &relative) const { return dir.file(QStringLiteral("Out/") + relative); }
    QByteArray read(const QString &relative) const { return dir.read(QStringLiteral("Out/") + relative); }
    // What a CSV file holds: the UTF-8 byte-order mark, then the lines.
    static QByteArray csv(const QByteArray &lines) { return CsvExport::Utf8Mark + lines; }
    QStringList written() const { return QDir(dir.file(QStringLiteral("Out"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
};

} // namespace

class CsvExportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void line_data();
    void line();
    void pathRule_data();
    void pathRule();
    void topListBytes_data();
    void topListBytes();
    void recordsListDropsFirstField();
    void recordsButtonFollowsRows();
    void headersInActiveLanguage();
    void chosenNameGetsCsv_data();
    void chosenNameGetsCsv();
    void replacesWithoutAsking();
    void cannotCreate_data();
    void cannotCreate();
    void cancelWritesNothing();
    void dialogKeepsCsvFilter();
};

void CsvExportTest::initTestCase()
{
    // Dates shown as 24.12.2004.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void CsvExportTest::line_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("expected");
    QTest::newRow("comma") << QStringList{"a,b"} << "\"a,b\"";
    QTest::newRow("quote doubled") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"";
    QTest::newRow("bare") << QStringList{"0001", "Chess", "300"} << "0001,Chess,300";
    QTest::newRow("blank") << QStringList{"good game"} << "\"good game\"";
    QTest::newRow("tab") << QStringList{"a\tb"} << "\"a\tb\"";
    QTest::newRow("control character") << QStringList{QStringLiteral("a\x01")} << QStringLiteral("\"a\x01\"");
    QTest::newRow("letters beyond ASCII stay bare") << QStringList{"M\u00fchle"} << "M\u00fchle";
    QTest::newRow("empty last field") << QStringList{"0001", ""} << "0001,";
    QTest::newRow("empty fields") << QStringList{"", ""} << ",";
    QTest::newRow("one empty field") << QStringList{""} << "";
}

void CsvExportTest::line()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, expected);
    QCOMPARE(CsvExport::line(fields), expected);
}

void CsvExportTest::pathRule_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no full stop") << "/home/anna/results" << "/home/anna/results.csv";
    QTest::newRow("own extension kept") << "/home/anna/results.txt" << "/home/anna/results.txt";
    QTest::newRow("csv kept") << "/home/anna/results.csv" << "/home/anna/results.csv";
    // A full stop in a folder name is no extension of the file.
    QTest::newRow("dotted folder") << "/home/anna.b/results" << "/home/anna.b/results.csv";
    QTest::newRow("dotted folder, own extension") << "/home/anna.b/results.txt" << "/home/anna.b/results.txt";
    QTest::newRow("full stop inside the name") << "/home/anna/club.2004" << "/home/anna/club.2004";
}

void CsvExportTest::pathRule()
{
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    QCOMPARE(CsvExport::pathFor(chosen), expected);
}

void CsvExportTest::topListBytes_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<QByteArray>("row");
    QTest::newRow("comment with a comma") << "Chess" << "a,b" << QByteArray("0001,Chess,300,24.12.2004,\"a,b\"");
    QTest::newRow("comment with a quote") << "Chess" << "say \"hi\"" << QByteArray("0001,Chess,300,24.12.2004,\"say \"\"hi\"\"\"");
    QTest::newRow("comment with a blank") << "Chess" << "good game" << QByteArray("0001,Chess,300,24.12.2004,\"good game\"");
    QTest::newRow("bare comment") << "Chess" << "good" << QByteArray("0001,Chess,300,24.12.2004,good");
    QTest::newRow("empty comment ends with a comma") << "Chess" << "" << QByteArray("0001,Chess,300,24.12.2004,");
    QTest::newRow("game name with a blank") << "Big Chess" << "" << QByteArray("0001,\"Big Chess\",300,24.12.2004,");
    QTest::newRow("letters beyond ASCII") << "M\u00fchle" << "" << QByteArray("0001,M\xc3\xbchle,300,24.12.2004,");
}

void CsvExportTest::topListBytes()
{
    QFETCH(QString, game);
    QFETCH(QString, comment);
    QFETCH(QByteArray, row);
    Window w;
    w.addGame(game, {"300/38345/" + comment, "20/38000/other"});
    w.addGame("Go", {"75/38000/"});
    w.exportTop(w.path("top.csv"));
    QVERIFY(w.dialogs().errors().isEmpty());
    // Ranks stay bare, every line ends with CR LF, there is no byte-order mark.
    QCOMPARE(w.read("top.csv"), Window::csv(TopHeader + row + "\r\n0002,Go,75,14.01.2004,\r\n"));
}

void CsvExportTest::recordsListDropsFirstField()
{
    Window w;
    w.addGame("Chess", {"120/38000/", "250/38345/won on time", "80/38001/blitz"});
    w.exportRecords(w.path("records.csv"));
    QVERIFY(w.dialogs().errors().isEmpty());
    QCOMPARE(w.read("records.csv"), Window::csv("Points,Date,Comment\r\n"
                                                "250,24.12.2004,\"won on time\"\r\n"
                                                "120,14.01.2004,\r\n"
                                                "80,15.01.2004,blitz\r\n"));
}

void CsvExportTest::recordsButtonFollowsRows()
{
    Window w;
    QToolButton *csv = w.button("RecListExpCSVButton");
    QVERIFY(!csv->isEnabled());
    w.addGame("Go");
    QVERIFY(!csv->isEnabled());
    w.addGame("Chess", {"120/38000/"});
    QCOMPARE(w.form().maintenancePage().recordsPage().title(), QString("Chess"));
    QVERIFY(csv->isEnabled());
    QVERIFY(w.form().maintenancePage().recordsPage().records().size() == 1);
    // The top list's button follows its own list, not this one.
    QVERIFY(!w.button("TopExpCSVButton")->isEnabled());
}

void CsvExportTest::headersInActiveLanguage()
{
    Window w({"English.lng", "German.lng"}, QStringLiteral("German"));
    QVERIFY(w.dialogs().errors().isEmpty());
    w.addGame("Schach", {"300/38345/schön"});
    w.exportTop(w.path("top.csv"));
    w.exportRecords(w.path("records.csv"));
    QVERIFY(w.dialogs().errors().isEmpty());
    // The byte-order mark first, so that a spreadsheet reads the umlaut as UTF-8.
    QCOMPARE(w.read("top.csv"), QByteArray("\xEF\xBB\xBFNr.,Spiel,Punkte,Datum,Kommentar\r\n"
                                           "0001,Schach,300,24.12.2004,sch\xC3\xB6n\r\n"));
    QCOMPARE(w.read("records.csv"), Window::csv("Punkte,Datum,Kommentar\r\n300,24.12.2004,sch\xC3\xB6n\r\n"));
}

void CsvExportTest::chosenNameGetsCsv_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no full stop") << "results" << "results.csv";
    QTest::newRow("own extension") << "results.txt" << "results.txt";
    QTest::newRow("dotted folder") << "my.lists/results" << "my.lists/results.csv";
}

void CsvExportTest::chosenNameGetsCsv()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    Window w;
    QDir().mkpath(w.path("my.lists"));
    w.addGame("Chess", {"300/38345/"});
    w.exportTop(w.path(chosen));
    QVERIFY(w.dialogs().errors().isEmpty());
    QCOMPARE(w.read(written), Window::csv(TopHeader + "0001,Chess,300,24.12.2004,\r\n"));
    QCOMPARE(w.written().size(), chosen.contains(u'/') ? 1 : 2); // the file, and the folder beside it
}

void CsvExportTest::replacesWithoutAsking()
{
    Window w;
    w.addGame("Chess", {"300/38345/"});
    w.exportTop(w.path("top.csv"));
    w.addGame("Go", {"400/38345/"});
    w.exportTop(w.path("top.csv"));
    QCOMPARE(w.read("top.csv"), Window::csv(TopHeader + "0001,Go,400,24.12.2004,\r\n0002,Chess,300,24.12.2004,\r\n"));
    QVERIFY(w.dialogs().messages().isEmpty());
    QVERIFY(w.dialogs().errors().isEmpty());
    QCOMPARE(w.dialogs().pendingAnswers(), 0);
    QCOMPARE(w.written(), QStringList{"top.csv"}); // no file left over from the atomic write
}

void CsvExportTest::cannotCreate_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::newRow("folder missing") << "missing/top.csv";
    QTest::newRow("name of a folder") << "taken.csv";
}

void CsvExportTest::cannotCreate()
{
    QFETCH(QString, chosen);
    Window w;
    QDir().mkpath(w.path("taken.csv"));
    w.addGame("Chess", {"300/38345/"});
    w.exportTop(w.path(chosen));
    QCOMPARE(w.dialogs().errors(), QStringList{"Cannot create file " + w.path(chosen)});
    QCOMPARE(w.written(), QStringList{"taken.csv"});
    QVERIFY(QFileInfo(w.path("taken.csv")).isDir());

    // The records list's export reports the same way.
    w.dialogs().clearLog();
    w.exportRecords(w.path(chosen));
    QCOMPARE(w.dialogs().errors(), QStringList{"Cannot create file " + w.path(chosen)});
}

void CsvExportTest::cancelWritesNothing()
{
    Window w;
    w.addGame("Chess", {"300/38345/"});
    w.exportTop(QString());
    w.exportRecords(QString());
    QCOMPARE(w.dialogs().askedOf("save").size(), 2);
    QVERIFY(w.dialogs().errors().isEmpty());
    QVERIFY(w.written().isEmpty());
    QCOMPARE(QDir(w.dir.path()).entryList(QDir::Files), QStringList{});
}

void CsvExportTest::dialogKeepsCsvFilter()
{
    Window w;
    w.addGame("Chess", {"300/38345/"});
    w.form().saveDialog().setFilter(QStringLiteral("Exchange files (*.tex)|*.tex"));
    w.exportRecords(w.path("records.csv"));
    QCOMPARE(w.dialogs().askedOf("save").last().text, CsvFilter);
    QCOMPARE(w.form().saveDialog().filter(), CsvFilter);

    // The next task that shows the shared dialog without setting a filter sees the CSV filter.
    w.dialogs().answerFile(w.path("next"));
    QCOMPARE(w.form().saveDialog().execute(), w.path("next"));
    QCOMPARE(w.dialogs().askedOf("save").last().text, CsvFilter);
    QVERIFY(QFile::exists(w.path("records.csv")));
}

QTEST_MAIN(CsvExportTest)
#include "test_csv_export.moc"
