// A user's scores through the real windows: damaged files cost no intact record and are reported
// once, every text typed reaches the files as one clean line, and what was typed is kept.

#include "keeping/CategoryPage.h"
#include "keeping/CategoryPanel.h"
#include "keeping/MaintenancePage.h"
#include "keeping/RecordsPage.h"
#include "store/LineText.h"
#include "store/PlayerFiles.h"
#include "support/KeepingSteps.h"
#include "support/StartedWindow.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include "support/RecordsFileLines.h"

#include <QTest>
#include <QToolButton>

namespace {


QStringList wholeGame(const QString &name, const QString &points)
{
    return {"2|" + name, "3|Records", "4|Record0", "5|" + points, "5|38124", "5|", "3|GameComment", "4|", "3|PicIndex",
            "4|-1"};
}

const QStringList otherCategories{"1|Category 2", "1|Category 3", "1|Category 4", "1|Category 5"};

// Category 1 holds the given lines, then the intact game Go with 5 points.
QByteArray recordsWith(const QStringList &before)
{
    return recordsFileOf(QStringList{"0|Root", "1|Category 1"} + before + wholeGame("Go", "5") + otherCategories);
}

const QByteArray goodPlayerFile = "\"Category 1\",\"10092543,-2147483624,16777215\",\"Category 2\","
                                  "\"10079487,-2147483624,16777215\",\"Category 3\",\"10066431,-2147483624,16777215\","
                                  "\"Category 4\",\"16751001,-2147483624,16777215\",\"Category 5\","
                                  "\"16763955,-2147483624,16777215\"\r\n\r\n\r\nAnna\r\n";

QList<StoredRecord> recordsOf(StartedWindow &s, const QString &game, int category = 1)
{
    const DataTree &tree = s.form->player().dataView;
    if (!tree.hasGames())
        return {};
    const auto &games = tree.category(category).children;
    for (size_t i = 0; i < games.size(); ++i)
        if (games[i].text == game)
            return tree.readRecords(category, int(i));
    return {};
}

QStringList keptCopies(const TempProgramDir &dir)
{
    return QDir(dir.dataDir()).entryList({"*.damaged-*"}, QDir::Files, QDir::Name);
}

} // namespace

class ScoreIntegrityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void damagedFilesAcrossStartsAndExits_data();
    void damagedFilesAcrossStartsAndExits();
    void damagedGameKeepsItsRecordsThroughTheWindows();
    void textsReachTheFilesAsOneLine_data();
    void textsReachTheFilesAsOneLine();
    void typedCommentKeptAtChangeOfGameAndExit();
    void typedCommentStaysWithItsGameWhenAGameIsAdded();
    void categoryPageShowsTheSelectedCategory();
};

void ScoreIntegrityTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void ScoreIntegrityTest::damagedFilesAcrossStartsAndExits_data()
{
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<QByteArray>("playerFile"); // "<none>": no player file
    QTest::addColumn<QString>("problem");       // a part of the one message at the first start
    QTest::addColumn<int>("copies");            // files kept as they were

    const QByteArray records = recordsWith({});
    QTest::newRow("player file missing") << records << QByteArray("<none>") << "Cannot open file" << 1;
    QTest::newRow("player file of three lines") << records << QByteArray("\r\n\r\nAnna\r\n")
                                                << "List index out of bounds (-1)" << 2;
    QTest::newRow("player picture not a bitmap")
        << records << QByteArray(goodPlayerFile).replace("\r\n\r\nAnna", "\r\n41424344\r\nAnna")
        << "Bitmap image is not valid" << 2;
    QTest::newRow("colour not a number") << records << QByteArray(goodPlayerFile).replace("10079487", "blue")
                                         << "'blue' is not a valid integer value" << 2;
    QTest::newRow("too few categories")
        << records << QByteArray("\"Category 1\",\"10092543,-2147483624,16777215\"\r\n\r\n\r\nAnna\r\n")
        << "List index out of bounds (1)" << 2;
    QTest::newRow("a line too deep before an intact game")
        << recordsWith(QStringList{"2|Chess", "3|Records", "5|lost"}) << goodPlayerFile << "Invalid level (5)" << 2;
    QTest::newRow("a record without its fields")
        << recordsWith(QStringList{"2|Chess", "3|Records", "4|Record1", "4|Record0", "5|7", "5|38124", "5|",
                                   "3|GameComment", "4|", "3|PicIndex", "4|-1"})
        << goodPlayerFile << "Game \"Chess\" in Category 1: 1 damaged records could not be read." << 2;
    QTest::newRow("a comment without its text")
        << recordsWith(QStringList{"2|Chess", "3|Records", "3|GameComment", "3|PicIndex", "4|-1"}) << goodPlayerFile
        << "Game \"Chess\" in Category 1 was repaired" << 2;
    QTest::newRow("a picture the player file lacks")
        << recordsWith(QStringList{"2|Chess", "3|Records", "3|GameComment", "4|", "3|PicIndex", "4|3"}) << goodPlayerFile
        << "Game \"Chess\" in Category 1 was repaired" << 2;
}

void ScoreIntegrityTest::damagedFilesAcrossStartsAndExits()
{
    QFETCH(QByteArray, records);
    QFETCH(QByteArray, playerFile);
    QFETCH(QString, problem);
    QFETCH(int, copies);
    TempProgramDir dir;
    dir.write("Data/Records1.dat", records);
    if (playerFile != "<none>")
        dir.write("Data/PlyData1.dat", playerFile);

    QByteArray savedPlayer;
    QByteArray savedRecords;
    for (int start = 1; start <= 3; ++start) {
        StartedWindow s(dir);
        const QStringList errors = s.dialogs.errors();
        if (start == 1) {
            // One message says what was damaged and where the files are kept as they were.
            QCOMPARE(errors.size(), 1);
            QVERIFY2(errors[0].contains(problem), qPrintable(errors[0]));
            QVERIFY(errors[0].contains("They have been kept unchanged as:"));
        } else {
            QCOMPARE(errors, QStringList());
        }
        // The intact game is there with its record at every start, and the player is whole.
        QCOMPARE(recordsOf(s, "Go"), (QList<StoredRecord>{{"5", "38124", ""}}));
        QCOMPARE(s.form->player().catListView.size(), 5);
        QVERIFY(s.exit());
        QCOMPARE(keptCopies(dir).size(), copies);
        if (start >= 2) {
            // Nothing grows from one start and exit to the next.
            QCOMPARE(dir.read("Data/PlyData1.dat"), savedPlayer);
            QCOMPARE(dir.read("Data/Records1.dat"), savedRecords);
        }
        savedPlayer = dir.read("Data/PlyData1.dat");
        savedRecords = dir.read("Data/Records1.dat");
    }
    // The copy of the records file holds it as it was.
    const QStringList kept = keptCopies(dir).filter("Records1.dat.damaged-");
    QCOMPARE(kept.size(), 1);
    QCOMPARE(dir.read("Data/" + kept.first()), records);
}

void ScoreIntegrityTest::damagedGameKeepsItsRecordsThroughTheWindows()
{
    // Before, one record node without its fields stopped the game from showing, and the next
    // record added stored only what the list held.
    TempProgramDir dir;
    dir.write("Data/Records1.dat",
              recordsFileOf(QStringList{"0|Root", "1|Category 1", "2|Chess", "3|Records", "4|Record2", "5|250", "5|38124", "5|won",
                                 "4|Record1", "4|Record0", "5|120", "5|37927", "5|", "3|GameComment", "4|Blitz",
                                 "3|PicIndex", "4|-1"}
                     + otherCategories));
    dir.write("Data/PlyData1.dat", goodPlayerFile);
    {
        StartedWindow s(dir);
        QCOMPARE(s.dialogs.errors().size(), 1);
        selectGame(s, "Chess");
        QCOMPARE(s.form->maintenancePage().recordsPage().records().size(), 2);
        addRecord(s, "300", 40000);
        QCOMPARE(recordsOf(s, "Chess"),
                 (QList<StoredRecord>{{"300", "40000", ""}, {"250", "38124", "won"}, {"120", "37927", ""}}));
        QCOMPARE(s.dialogs.errors().size(), 1);
        QVERIFY(s.exit());
    }
    StartedWindow s(dir);
    QCOMPARE(s.dialogs.errors(), QStringList());
    QCOMPARE(recordsOf(s, "Chess").size(), 3);
    QCOMPARE(keptCopies(dir).size(), 2);
}

void ScoreIntegrityTest::textsReachTheFilesAsOneLine_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("line break") << "Card\r\ngames";
    QTest::newRow("lone CR") << "Card\rgames";
    QTest::newRow("lone LF") << "Card\ngames";
    QTest::newRow("TAB") << "Card\tgames";
    QTest::newRow("NUL") << QString::fromUtf16(u"Card\0games", 10);
    QTest::newRow("leading blanks") << "   Card games";
    QTest::newRow("quotes") << "\"Card\" games";
    QTest::newRow("commas") << "Card, games,";
    QTest::newRow("10,000 characters") << QString(10000, u'x');
    QTest::newRow("non-Latin letters") << QString::fromUtf8("Карты 牌 ゲーム");
    QTest::newRow("line separator") << QString::fromUtf16(u"Card\u2028games");
}

void ScoreIntegrityTest::textsReachTheFilesAsOneLine()
{
    // Every entry point that writes a user's text into a line of a file: game name, record
    // comment, game comment, category name, player name (player file and settings).
    QFETCH(QString, typed);
    TempProgramDir dir;
    QString game;
    QString comment;
    QStringList commentLines;
    QString category;
    QString player;
    {
        StartedWindow s(dir);
        MaintenancePage &page = s.form->maintenancePage();
        addGame(s, typed + u'1');
        QCOMPARE(s.dialogs.errors(), QStringList());
        game = page.title();
        QCOMPARE(game, LineText::oneLine(typed + u'1'));

        s.dialogs.answer(QStringLiteral("42"));
        button(s, "NumEditButton")->click();
        s.dialogs.answer(40000);
        button(s, "DateEditButton")->click();
        auto *commentEdit = s.form->findChild<QLineEdit *>("RecCommentEdit");
        commentEdit->setText(typed);
        comment = LineText::oneLine(commentEdit->text());
        button(s, "RecordAddButton")->click();

        auto *memo = s.form->findChild<QPlainTextEdit *>("GameCommentMemo");
        memo->setPlainText(typed + u'\n' + typed);
        for (const QString &line : memo->toPlainText().split(u'\n'))
            commentLines.append(LineText::oneLine(line));
        button(s, "GameCommentAddButton")->click();

        auto *categoryName = page.categoryPage().catTitleEdit();
        categoryName->setText(typed);
        const QString enteredCategory = categoryName->text();
        button(s, "CatApplyButton")->click();
        category = s.form->CategoryPanelOf(1)->text();
        QCOMPARE(category, LineText::oneLine(enteredCategory));
        QCOMPARE(categoryName->text(), category);

        s.dialogs.answer(typed);
        button(s, "PlayerRenameButton")->click();
        player = s.form->playerName(1);
        QCOMPARE(player, LineText::oneLine(typed));
        QVERIFY(s.exit());
    }
    // Every file the program wrote has each value on a line of its own.
    QCOMPARE(dir.read("Data/PlyData1.dat").count("\r\n"), 4); // no picture line: the four fixed lines
    const QByteArray settings = dir.read("Data/TALLIMO.INI");
    QVERIFY(!settings.contains('\0'));
    QCOMPARE(settings.count('\n'), settings.count("\r\n"));
    QCOMPARE(settings.count('\r'), settings.count("\r\n"));

    StartedWindow s(dir);
    QCOMPARE(s.dialogs.errors(), QStringList());
    QCOMPARE(s.form->player().playerData, QList<QByteArray>()); // no junk line in the picture store
    QCOMPARE(recordsOf(s, game), (QList<StoredRecord>{{"42", "40000", comment}}));
    selectGame(s, game);
    QCOMPARE(s.form->maintenancePage().recordsPage().gameCommentLines(), commentLines);
    QCOMPARE(s.form->CategoryPanelOf(1)->text(), category);
    QCOMPARE(s.form->playerName(1), player);
    // The settings file reads back what it was given, up to the length a value may have.
    QCOMPARE(storedSetting(dir, "Player 1", "Name"), player.left(2047));
}

void ScoreIntegrityTest::typedCommentKeptAtChangeOfGameAndExit()
{
    TempProgramDir dir;
    {
        StartedWindow s(dir);
        addGame(s, "Chess");
        addGame(s, "Go");
        auto *memo = s.form->findChild<QPlainTextEdit *>("GameCommentMemo");
        selectGame(s, "Chess");
        memo->setPlainText("Blitz only");
        selectGame(s, "Go"); // not confirmed: kept as if it was
        memo->setPlainText("Handicap");
        QVERIFY(s.exit());
    }
    StartedWindow s(dir);
    selectGame(s, "Chess");
    auto *memo = s.form->findChild<QPlainTextEdit *>("GameCommentMemo");
    QCOMPARE(memo->toPlainText(), QString("Blitz only"));
    selectGame(s, "Go");
    QCOMPARE(memo->toPlainText(), QString("Handicap"));
    // A comment emptied and confirmed is stored as empty.
    memo->clear();
    button(s, "GameCommentAddButton")->click();
    selectGame(s, "Chess");
    selectGame(s, "Go");
    QVERIFY(memo->toPlainText().isEmpty());
}

void ScoreIntegrityTest::typedCommentStaysWithItsGameWhenAGameIsAdded()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    addGame(s, "Chess");
    auto *memo = s.form->findChild<QPlainTextEdit *>("GameCommentMemo");
    memo->setPlainText("Blitz only"); // not confirmed
    // No free slot: Go is put before Chess, which moves one place on.
    addGame(s, "Go");
    QVERIFY(s.dialogs.errors().isEmpty());
    QVERIFY(memo->toPlainText().isEmpty());
    selectGame(s, "Chess");
    QCOMPARE(memo->toPlainText(), QString("Blitz only"));
    selectGame(s, "Go");
    QVERIFY(memo->toPlainText().isEmpty());
}

void ScoreIntegrityTest::categoryPageShowsTheSelectedCategory()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    CategoryPage &properties = s.form->maintenancePage().categoryPage();
    QTest::mouseClick(s.form->CategoryPanelOf(2), Qt::LeftButton);
    QCOMPARE(s.form->currentCategory(), 2);
    QCOMPARE(properties.catTitleEdit()->text(), QString("Category 2"));
    properties.catTitleEdit()->setText("Cards");
    button(s, "CatApplyButton")->click();
    const RowList &categories = s.form->player().catListView;
    QCOMPARE(categories[0].caption, QString("Category 1"));
    QCOMPARE(categories[0].subItem(0), QString::number(DefaultCategoryColor(1)));
    QCOMPARE(categories[1].caption, QString("Cards"));
    QCOMPARE(categories[1].subItem(0), QString::number(DefaultCategoryColor(2)));
    QTest::mouseClick(s.form->CategoryPanelOf(1), Qt::LeftButton);
    QCOMPARE(properties.catTitleEdit()->text(), QString("Category 1"));
}

QTEST_MAIN(ScoreIntegrityTest)
#include "test_score_integrity.moc"
