// Export and import of one player's data: the exchange file, its checks, and the
// "Im- / Export" page driven through the real main window.
#include "keeping/GamesListModel.h"
#include "keeping/MaintenancePage.h"
#include "keeping/RecordsPage.h"
#include "services/CsvExport.h"
#include "lists/ImportExportPage.h"
#include "lists/PlayerExchange.h"
#include "platform/RadioGroup.h"
#include "store/AtomicFileGroup.h"
#include "store/DataTree.h"
#include "support/StoredPlayers.h"
#include "store/TextFile.h"
#include "support/Errors.h"
#include "support/StartedWindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

const QString NegativeCount =
    QStringLiteral("The number of record lines in this file is negative. The file is not imported.");
const QString OverwriteQuestion = QStringLiteral("The data file for this player already exists. Overwrite?");
const QString UnsavedQuestion = QStringLiteral(
    "The data of this player that have not been saved yet will be replaced by the imported data. Continue?");

// The notices of a finished export and import, in English.
QString exportedNotice(const QString &name, const QString &path)
{
    return QStringLiteral("The data of %1 were exported to %2.").arg(name, QDir::toNativeSeparators(path));
}
QString importedNotice(const QString &path, const QString &name)
{
    return QStringLiteral("The file %1 was imported as the data of %2.").arg(QDir::toNativeSeparators(path), name);
}

QString recordsFile(int player) { return QStringLiteral("Data/Records%1.dat").arg(player); }
QString playerFile(int player) { return QStringLiteral("Data/PlyData%1.dat").arg(player); }

// Player files as the program writes them: one game with two records, a category list and a name.
void savePlayer(const TempProgramDir &dir, int player, const QString &game, const QString &name)
{
    PlayerState state;
    state.dataView.fresh();
    const int slot = state.dataView.addGame(1, game);
    QList<StoredRecord> records{{"120", "37927", "close game"}, {"250", "38124", ""}};
    state.dataView.StoreRecords(1, slot, records);
    for (int n = 1; n <= 5; ++n)
        state.catListView.append({QStringLiteral("Category %1").arg(n),
                                  {QString::number(DefaultCategoryColor(n)), QString::number(DefaultTitleFieldColor),
                                   QString::number(DefaultGamesListColor)}});
    StoredPlayers window;
    window.names[size_t(player - 1)] = name;
    window.save(PlayerFiles(dir.dataDir()), player, state, {});
}

// Bytes that no text conversion keeps: Windows-1252 letters, a TAB, blanks at the end of a line.
const QByteArray OddRecords = QByteArray("Root\r\n\tCategory 1\r\n\t\tM\xFCller \r\n\t\t\tRecords\r\n\t\t\t\t99\t\r\n");
const QByteArray OddPlayer = QByteArray("\r\n\"Kat \xE9\",\"1,2,3\"\r\n\r\n\r\nJ\xFCrgen \xA7 \r\n");

struct Page
{
    explicit Page(StartedWindow &s) : window(s), page(s.form->importExportPage())
    {
        window.dialogs.acknowledgeInformation();
    }
    QString nameOf(int player) const { return page.playerCombo()->itemText(player - 1); }

    void chooseTask(int task) { page.taskBox()->button(task)->click(); }
    // The path through FindPathButton, answered by the scripted dialog.
    void choosePath(const QString &path)
    {
        window.dialogs.answerFile(path);
        page.findPathButton()->click();
    }
    void choosePlayer(int player) { page.playerCombo()->setCurrentIndex(player - 1); }
    void exportPlayer(int player, const QString &path)
    {
        chooseTask(ImportExportPage::Export);
        choosePath(path);
        choosePlayer(player);
        page.exportButton()->click();
    }
    // answer: to a question the import asks; none is expected when it is invalid.
    void importPlayer(int player, const QString &path, const QVariant &answer = QVariant())
    {
        chooseTask(ImportExportPage::Import);
        choosePath(path);
        choosePlayer(player);
        if (answer.isValid())
            window.dialogs.answer(answer);
        page.importButton()->click();
    }
    QProgressBar *progress() const { return window.form->findChild<QProgressBar *>(QStringLiteral("ProgBar")); }

    StartedWindow &window;
    ImportExportPage &page;
};

QStringList dataFiles(const TempProgramDir &dir)
{
    return QDir(dir.dataDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QStringList gameNames(TMainForm &form)
{
    QStringList names;
    const GamesListModel *model = form.maintenancePage().gamesModel();
    for (int i = 0; i < model->rowCount(); ++i)
        names.append(model->row(i).name);
    return names;
}

} // namespace

class PlayerExchangeTest : public QObject
{
    Q_OBJECT

private slots:
    void exportedPlayerImportsAsAnotherPlayer();
    void exchangeFileHoldsCountThenLines();
    void linesTravelUnchanged_data();
    void linesTravelUnchanged();
    void importWithoutRecordsFileAsksNothing();
    void existingRecordsFileIsOverwrittenOnlyOnYes();
    void fileEndingAfterRecordsGivesEmptyPlayerFile();
    void refusedImportLeavesFilesAlone_data();
    void refusedImportLeavesFilesAlone();
    void failedCommitPutsEarlierFileBack_data();
    void failedCommitPutsEarlierFileBack();
    void importOfMissingPathDoesNothing();
    void exportWithoutRecordsFileDoesNothing();
    void exportWithoutPlayerFileWritesNothing();
    void buttonsFollowPathAndTask();
    void findPathShowsEveryFile_data();
    void findPathShowsEveryFile();
    void refreshedNamesSelectFirstPlayer();
    void exportOfShownPlayerTakesSavedFiles();
    void importAsCurrentPlayer_data();
    void importAsCurrentPlayer();
    void pageInGermanAndByKeyboard();
};

void PlayerExchangeTest::exportedPlayerImportsAsAnotherPlayer()
{
    TempProgramDir dir;
    dir.write(recordsFile(3), OddRecords);
    dir.write(playerFile(3), OddPlayer);
    StartedWindow s(dir);
    Page p(s);
    const QString exchange = dir.file("player3.txt");

    p.exportPlayer(3, exchange);
    QCOMPARE(p.progress()->minimum(), 0);
    QCOMPARE(p.progress()->maximum(), 100);
    QCOMPARE(p.progress()->value(), 100);
    QVERIFY(QFile::exists(exchange));
    p.progress()->setValue(0);

    p.importPlayer(7, exchange);
    QCOMPARE(s.dialogs.errors(), QStringList());
    // Player 7 had no records file: no question, only the two notices.
    QCOMPARE(s.dialogs.messages(), (QStringList{exportedNotice(p.nameOf(3), exchange), importedNotice(exchange, p.nameOf(7))}));
    for (const ScriptedDialogs::Asked &asked : s.dialogs.askedOf("msgBox"))
        QCOMPARE(asked.extra, QString("i"));
    QCOMPARE(dir.read(recordsFile(7)), OddRecords);
    QCOMPARE(dir.read(playerFile(7)), OddPlayer);
    QCOMPARE(p.progress()->value(), 100);
    QCOMPARE(s.dialogs.pendingAnswers(), 0);
    // Player 3 is where it was, and nothing is loaded: player 1 stays shown.
    QCOMPARE(dir.read(recordsFile(3)), OddRecords);
    QCOMPARE(s.form->currentPlayer(), 1);
    QCOMPARE(gameNames(*s.form), QStringList());
}

void PlayerExchangeTest::exchangeFileHoldsCountThenLines()
{
    TempProgramDir dir;
    QList<QByteArray> recordLines;
    QByteArray records;
    for (int i = 0; i < 120; ++i) {
        recordLines.append(QByteArray(i % 4, '\t') + "line " + QByteArray::number(i));
        records += recordLines.last() + "\r\n";
    }
    dir.write(recordsFile(4), records);
    dir.write(playerFile(4), "pic\r\ncats\r\n\r\n\r\nDora\r\n");
    const PlayerFiles files(dir.dataDir());
    QList<int> positions;

    QVERIFY(PlayerExchange::exportPlayer(files, 4, dir.file("out.dat"), [&](int at) { positions.append(at); }));

    QCOMPARE(positions, (QList<int>{25, 50, 75, 100}));
    const QByteArray bytes = dir.read("out.dat");
    QVERIFY(bytes.endsWith("Dora\r\n"));
    const QList<QByteArrayView> lines = TextFile::splitLines(bytes);
    QCOMPARE(lines.size(), 1 + 120 + 5);
    QCOMPARE(lines[0], QByteArrayView("120"));
    for (int i = 0; i < 120; ++i)
        QCOMPARE(lines[1 + i], QByteArrayView(recordLines[i]));
    QCOMPARE(lines[121], QByteArrayView("pic"));
    QCOMPARE(lines[124], QByteArrayView(""));
    QCOMPARE(bytes.count("\r\n"), 126); // CR LF after every line, the last one too
    QVERIFY(!bytes.contains("\n\n") && !bytes.contains("\r\r"));
}

void PlayerExchangeTest::linesTravelUnchanged_data()
{
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<QByteArray>("player");
    QTest::newRow("CR LF") << OddRecords << OddPlayer;
    QTest::newRow("lone LF and CR") << QByteArray("Root\n\tCategory 1\r\tx\r\n") << QByteArray("a\n\nb\rname");
    QTest::newRow("empty records file") << QByteArray() << QByteArray("\r\n\r\n\r\nAnn\r\n");
    QTest::newRow("UTF-8 and empty lines") << QByteArray("Root\r\n\r\n\t\xC3\xA4\r\n")
                                           << QByteArray("\xE2\x82\xAC\r\n\r\n\r\n\r\n");
}

void PlayerExchangeTest::linesTravelUnchanged()
{
    QFETCH(QByteArray, records);
    QFETCH(QByteArray, player);
    TempProgramDir dir;
    dir.write(recordsFile(2), records);
    dir.write(playerFile(2), player);
    const PlayerFiles files(dir.dataDir());
    const QString exchange = dir.file("x.dat");
    QVERIFY(PlayerExchange::exportPlayer(files, 2, exchange));
    QList<int> positions;
    QVERIFY(PlayerExchange::importPlayer(exchange, files, 9, {}, [&](int at) { positions.append(at); }));
    QCOMPARE(positions, (QList<int>{25, 50, 75, 100}));
    QCOMPARE(TextFile::splitLines(dir.read(recordsFile(9))), TextFile::splitLines(records));
    QCOMPARE(TextFile::splitLines(dir.read(playerFile(9))), TextFile::splitLines(player));
}

void PlayerExchangeTest::importWithoutRecordsFileAsksNothing()
{
    TempProgramDir dir;
    dir.write("in.dat", "1\r\nRoot\r\nName\r\n");
    StartedWindow s(dir);
    Page p(s);
    QVERIFY(!dir.exists(recordsFile(5)) && !dir.exists(playerFile(5)));
    p.importPlayer(5, dir.file("in.dat"));
    QCOMPARE(s.dialogs.messages(), QStringList{importedNotice(dir.file("in.dat"), p.nameOf(5))});
    QCOMPARE(s.dialogs.errors(), QStringList());
    QCOMPARE(dir.read(recordsFile(5)), QByteArray("Root\r\n"));
    QCOMPARE(dir.read(playerFile(5)), QByteArray("Name\r\n"));
}

void PlayerExchangeTest::existingRecordsFileIsOverwrittenOnlyOnYes()
{
    TempProgramDir dir;
    dir.write(recordsFile(6), "old records\r\n");
    dir.write(playerFile(6), "old player\r\n");
    dir.write("in.dat", "1\r\nnew records\r\nnew player\r\n");
    StartedWindow s(dir);
    Page p(s);
    p.importPlayer(6, dir.file("in.dat"), true);
    QCOMPARE(s.dialogs.messages(), (QStringList{OverwriteQuestion, importedNotice(dir.file("in.dat"), p.nameOf(6))}));
    QCOMPARE(s.dialogs.askedOf("msgBox").first().extra, QString("c"));
    QCOMPARE(dir.read(recordsFile(6)), QByteArray("new records\r\n"));
    QCOMPARE(dir.read(playerFile(6)), QByteArray("new player\r\n"));
}

void PlayerExchangeTest::fileEndingAfterRecordsGivesEmptyPlayerFile()
{
    TempProgramDir dir;
    dir.write(playerFile(8), "old player\r\n");
    dir.write("in.dat", "2\r\nRoot\r\n\tCategory 1\r\n");
    const PlayerFiles files(dir.dataDir());
    QVERIFY(PlayerExchange::importPlayer(dir.file("in.dat"), files, 8));
    QCOMPARE(dir.read(recordsFile(8)), QByteArray("Root\r\n\tCategory 1\r\n"));
    QVERIFY(dir.exists(playerFile(8)));
    QCOMPARE(dir.read(playerFile(8)), QByteArray());
}

void PlayerExchangeTest::refusedImportLeavesFilesAlone_data()
{
    QTest::addColumn<QByteArray>("exchange");
    QTest::addColumn<QVariant>("answer");      // to the overwrite question
    QTest::addColumn<bool>("playerFileBlocked"); // the player file's place cannot take a file
    QTest::addColumn<QString>("error");        // "%1": the data folder
    const QVariant yes(true);
    QTest::newRow("first line no number") << QByteArray("abc\r\nRoot\r\n") << yes << false
                                          << "'abc' is not a valid integer value";
    QTest::newRow("number and text") << QByteArray("1x\r\nRoot\r\n") << yes << false
                                     << "'1x' is not a valid integer value";
    QTest::newRow("long first line quoted short")
        << QByteArray(5000, 'x') << yes << false
        << QStringLiteral("'%1...' is not a valid integer value").arg(QString(100, u'x'));
    QTest::newRow("empty file") << QByteArray() << yes << false << "List index out of bounds (0)";
    QTest::newRow("only line breaks") << QByteArray("\r\n") << yes << false << "'' is not a valid integer value";
    QTest::newRow("negative count") << QByteArray("-1\r\nRoot\r\nName\r\n") << yes << false << NegativeCount;
    QTest::newRow("count too large") << QByteArray("3\r\nRoot\r\nName\r\n") << yes << false
                                     << "List index out of bounds (2)";
    QTest::newRow("count beyond 32 bits") << QByteArray("4294967297\r\nRoot\r\n") << yes << false
                                          << "'4294967297' is not a valid integer value";
    QTest::newRow("answer No") << QByteArray("1\r\nRoot\r\nName\r\n") << QVariant(false) << false << QString();
    QTest::newRow("player file cannot be written") << QByteArray("1\r\nRoot\r\nName\r\n") << yes << true
                                                   << "Cannot create file %1/PlyData7.dat";
}

void PlayerExchangeTest::refusedImportLeavesFilesAlone()
{
    QFETCH(QByteArray, exchange);
    QFETCH(QVariant, answer);
    QFETCH(bool, playerFileBlocked);
    QFETCH(QString, error);
    TempProgramDir dir;
    const QByteArray oldRecords = "Root\r\n\tCategory 1\r\n";
    dir.write(recordsFile(7), oldRecords);
    if (playerFileBlocked)
        QVERIFY(QDir(dir.dataDir()).mkdir("PlyData7.dat"));
    else
        dir.write(playerFile(7), OddPlayer);
    dir.write("in.dat", exchange);
    StartedWindow s(dir);
    Page p(s);
    const QStringList before = dataFiles(dir);

    p.importPlayer(7, dir.file("in.dat"), answer);

    QCOMPARE(s.dialogs.messages(), QStringList{OverwriteQuestion});
    QCOMPARE(s.dialogs.errors(), error.isEmpty() ? QStringList() : QStringList{QString(error).replace("%1", dir.dataDir())});
    QCOMPARE(dir.read(recordsFile(7)), oldRecords);
    if (playerFileBlocked)
        QVERIFY(QFileInfo(dir.file(playerFile(7))).isDir());
    else
        QCOMPARE(dir.read(playerFile(7)), OddPlayer);
    QCOMPARE(dataFiles(dir), before);
}

void PlayerExchangeTest::failedCommitPutsEarlierFileBack_data()
{
    QTest::addColumn<bool>("firstExisted");
    QTest::newRow("first file replaced") << true;
    QTest::newRow("first file new") << false;
}

void PlayerExchangeTest::failedCommitPutsEarlierFileBack()
{
    QFETCH(bool, firstExisted);
    TempProgramDir dir;
    if (firstExisted)
        dir.write("Data/first.dat", "old first\r\n");
    dir.write("Data/second.dat", "old second\r\n");
    const QStringList before = dataFiles(dir);
    {
        AtomicFileGroup group;
        group.add(dir.file("Data/first.dat"), "new first\r\n");
        group.add(dir.file("Data/second.dat"), "new second\r\n");
        // The second place stops taking a file after both were written in full.
        QVERIFY(QFile::remove(dir.file("Data/second.dat")));
        QVERIFY(QDir(dir.dataDir()).mkdir("second.dat"));
        QCOMPARE(errorOf([&] { group.commit(); }), QString("Cannot create file %1").arg(dir.file("Data/second.dat")));
    }
    if (firstExisted)
        QCOMPARE(dir.read("Data/first.dat"), QByteArray("old first\r\n"));
    else
        QVERIFY(!dir.exists("Data/first.dat"));
    QCOMPARE(dataFiles(dir), before); // no file left over beside them
}

void PlayerExchangeTest::importOfMissingPathDoesNothing()
{
    TempProgramDir dir;
    dir.write(recordsFile(2), "Root\r\n");
    dir.write(playerFile(2), "Name\r\n");
    StartedWindow s(dir);
    Page p(s);
    p.progress()->setRange(0, 7);
    p.progress()->setValue(3);
    const QStringList before = dataFiles(dir);
    p.importPlayer(2, dir.file("no such file.dat"));
    QCOMPARE(s.dialogs.messages(), QStringList());
    QCOMPARE(s.dialogs.errors(), QStringList());
    QCOMPARE(dataFiles(dir), before);
    QCOMPARE(dir.read(recordsFile(2)), QByteArray("Root\r\n"));
    QCOMPARE(p.progress()->maximum(), 7);
    QCOMPARE(p.progress()->value(), 3);
}

void PlayerExchangeTest::exportWithoutRecordsFileDoesNothing()
{
    TempProgramDir dir;
    dir.write(playerFile(2), "Name\r\n"); // a player file alone is not exported
    StartedWindow s(dir);
    Page p(s);
    p.progress()->setRange(0, 7);
    p.progress()->setValue(3);
    p.exportPlayer(2, dir.file("out.dat"));
    QCOMPARE(s.dialogs.messages(), QStringList());
    QCOMPARE(s.dialogs.errors(), QStringList());
    QVERIFY(!dir.exists("out.dat"));
    QCOMPARE(p.progress()->value(), 3);
}

void PlayerExchangeTest::exportWithoutPlayerFileWritesNothing()
{
    TempProgramDir dir;
    dir.write(recordsFile(3), "Root\r\n");
    dir.write("out.dat", "earlier export\r\n");
    StartedWindow s(dir);
    Page p(s);
    p.exportPlayer(3, dir.file("out.dat"));
    QCOMPARE(s.dialogs.errors(), QStringList{QString("Cannot open file %1/PlyData3.dat").arg(dir.dataDir())});
    QCOMPARE(s.dialogs.messages(), QStringList()); // a failure gives no notice
    QCOMPARE(dir.read("out.dat"), QByteArray("earlier export\r\n"));

    // A target that cannot be written: the file layer's error, nothing left behind.
    s.dialogs.clearLog();
    dir.write(playerFile(3), "Name\r\n");
    const QString blocked = dir.file("blocked");
    QVERIFY(QDir(dir.path()).mkdir("blocked"));
    p.exportPlayer(3, blocked);
    QCOMPARE(s.dialogs.errors(), QStringList{QString("Cannot create file %1").arg(blocked)});
    QCOMPARE(s.dialogs.messages(), QStringList());
    QVERIFY(QFileInfo(blocked).isDir());
}

void PlayerExchangeTest::buttonsFollowPathAndTask()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    Page p(s);
    ImportExportPage &page = p.page;
    QCOMPARE(page.taskBox()->itemIndex(), int(ImportExportPage::Export));
    QCOMPARE(page.taskBox()->items(), (QStringList{"Export", "Import"}));
    QCOMPARE(page.taskBox()->columns(), 2);
    QVERIFY(page.filePathEdit()->isReadOnly());
    QVERIFY(page.filePathEdit()->text().isEmpty());
    QVERIFY(!page.exportButton()->isEnabled());
    QVERIFY(!page.importButton()->isEnabled());
    QVERIFY(!page.exportButton()->isHidden());
    QVERIFY(page.importButton()->isHidden());
    QCOMPARE(page.exportButton()->geometry(), page.importButton()->geometry());

    p.chooseTask(ImportExportPage::Import);
    QVERIFY(page.exportButton()->isHidden());
    QVERIFY(!page.importButton()->isHidden());
    QVERIFY(!page.importButton()->isEnabled());

    // Cancel keeps the empty path; the buttons stay disabled.
    s.dialogs.answerFile(QString());
    page.findPathButton()->click();
    QVERIFY(page.filePathEdit()->text().isEmpty());
    QVERIFY(!page.importButton()->isEnabled());

    p.choosePath(dir.file("a.dat"));
    QCOMPARE(page.filePathEdit()->text(), dir.file("a.dat"));
    QVERIFY(page.importButton()->isEnabled());
    QVERIFY(page.exportButton()->isEnabled());

    // The task and the path stay when the other task is chosen, and a cancelled dialog keeps the path.
    p.chooseTask(ImportExportPage::Export);
    QVERIFY(!page.exportButton()->isHidden());
    QVERIFY(page.importButton()->isHidden());
    s.dialogs.answerFile(QString());
    page.findPathButton()->click();
    QCOMPARE(page.filePathEdit()->text(), dir.file("a.dat"));
    QCOMPARE(page.exportButton()->geometry(), page.importButton()->geometry());

    page.filePathEdit()->clear();
    QVERIFY(!page.exportButton()->isEnabled());
    QVERIFY(!page.importButton()->isEnabled());
}

void PlayerExchangeTest::findPathShowsEveryFile_data()
{
    QTest::addColumn<int>("task");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("earlierFilter"); // what another page left on the shared dialog
    QTest::newRow("export: save dialog after a CSV export") << int(ImportExportPage::Export) << "save"
                                                             << CsvExport::filter();
    QTest::newRow("import: open dialog after a picture") << int(ImportExportPage::Import) << "open"
                                                         << "Bitmap files (*.bmp)|*.bmp|JPEG files (*.jpg)|*.jpg";
}

void PlayerExchangeTest::findPathShowsEveryFile()
{
    QFETCH(int, task);
    QFETCH(QString, dialog);
    QFETCH(QString, earlierFilter);
    TempProgramDir dir;
    StartedWindow s(dir);
    Page p(s);
    SharedFileDialog &shared = dialog == u"save" ? s.form->saveDialog() : s.form->openDialog();
    shared.setFilter(earlierFilter);
    shared.setFilterIndex(2);
    p.chooseTask(task);
    s.dialogs.clearLog();
    p.choosePath(dir.file("chosen"));
    const QList<ScriptedDialogs::Asked> asked = s.dialogs.asked();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().dialog, dialog);
    QCOMPARE(asked.first().text, QString("All files (*.*)|*.*"));
    QCOMPARE(shared.filterIndex(), 1);
    QCOMPARE(p.page.filePathEdit()->text(), dir.file("chosen"));
}

void PlayerExchangeTest::refreshedNamesSelectFirstPlayer()
{
    TempProgramDir dir;
    savePlayer(dir, 2, "Chess", "Bea");
    StartedWindow s(dir);
    QComboBox *combo = s.form->importExportPage().playerCombo();
    QStringList names;
    for (int n = 1; n <= 10; ++n)
        names.append(QStringLiteral("Player %1").arg(n));
    QCOMPARE(combo->count(), 10);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(combo->itemText(i), names[i]);
    QCOMPARE(combo->currentIndex(), 0);
    QVERIFY(!combo->isEditable());

    // A changed name: the list shows it and starts at the first player again.
    combo->setCurrentIndex(6);
    s.form->setPlayerName(4, "Dora");
    s.form->refreshPlayerNames();
    QCOMPARE(combo->itemText(3), QString("Dora"));
    QCOMPARE(combo->currentIndex(), 0);

    // Loading a player's data refreshes the names.
    combo->setCurrentIndex(8);
    s.form->LoadPlayerData(2);
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(s.form->importExportPage().chosenPlayer(), 1);
}

void PlayerExchangeTest::exportOfShownPlayerTakesSavedFiles()
{
    // The shown player is saved first, so the file holds what was entered since the last save.
    TempProgramDir dir;
    savePlayer(dir, 1, "Go", "Anna");
    StartedWindow s(dir);
    Page p(s);
    s.form->session().addGame(2, "Chess"); // in memory only
    s.form->setPlayerName(1, "Anne");
    p.exportPlayer(1, dir.file("anna.dat"));
    QCOMPARE(s.dialogs.errors(), QStringList());
    const QByteArray exported = dir.read("anna.dat");
    QCOMPARE(exported, PlayerExchange::exchangeBytes(dir.read(recordsFile(1)), dir.read(playerFile(1))));
    QVERIFY(exported.contains("\t\tChess\r\n"));
    QVERIFY(exported.endsWith("Anne\r\n"));
}

void PlayerExchangeTest::importAsCurrentPlayer_data()
{
    QTest::addColumn<bool>("savedBefore");   // player 1 has files with the game "Go"
    QTest::addColumn<bool>("unsavedGame");   // player 1 has the game "Go" in memory only
    QTest::addColumn<QVariant>("answer");    // to the question; invalid: no question expected
    QTest::addColumn<QString>("question");
    QTest::newRow("saved player, Yes") << true << false << QVariant(true) << OverwriteQuestion;
    QTest::newRow("saved player, No") << true << false << QVariant(false) << OverwriteQuestion;
    QTest::newRow("unsaved game, Yes") << false << true << QVariant(true) << UnsavedQuestion;
    QTest::newRow("unsaved game, No") << false << true << QVariant(false) << UnsavedQuestion;
    QTest::newRow("nothing to lose") << false << false << QVariant() << QString();
}

void PlayerExchangeTest::importAsCurrentPlayer()
{
    QFETCH(bool, savedBefore);
    QFETCH(bool, unsavedGame);
    QFETCH(QVariant, answer);
    QFETCH(QString, question);
    TempProgramDir dir;
    savePlayer(dir, 3, "Chess", "Carla");
    const QByteArray chessRecords = dir.read(recordsFile(3));
    const QByteArray chessPlayer = dir.read(playerFile(3));
    if (savedBefore)
        savePlayer(dir, 1, "Go", "Anna");
    const QByteArray oldRecords = dir.read(recordsFile(1));
    const QByteArray oldPlayer = dir.read(playerFile(1));
    const bool imported = !answer.isValid() || answer.toBool();

    StartedWindow s(dir);
    Page p(s);
    if (unsavedGame) {
        s.form->session().addGame(1, "Go");
        s.form->FillGamesList();
    }
    const QStringList shownBefore = gameNames(*s.form);
    QCOMPARE(shownBefore, (savedBefore || unsavedGame) ? QStringList{"Go"} : QStringList());
    p.exportPlayer(3, dir.file("chess.dat"));
    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(s.dialogs.messages(), QStringList{exportedNotice(p.nameOf(3), dir.file("chess.dat"))});
    s.dialogs.clearLog();

    p.importPlayer(1, dir.file("chess.dat"), answer);
    QStringList expected;
    if (!question.isEmpty())
        expected.append(question);
    // The notice names the player as loaded from the imported files.
    if (imported)
        expected.append(importedNotice(dir.file("chess.dat"), QStringLiteral("Carla")));
    QCOMPARE(s.dialogs.messages(), expected);
    QCOMPARE(s.dialogs.errors(), QStringList());

    if (imported) {
        QCOMPARE(dir.read(recordsFile(1)), chessRecords);
        QCOMPARE(dir.read(playerFile(1)), chessPlayer);
        // What is shown is the imported player: games list, shown game's records, name.
        QCOMPARE(gameNames(*s.form), QStringList{"Chess"});
        QCOMPARE(s.form->currentCategory(), 1);
        QCOMPARE(s.form->maintenancePage().recordsPage().records().size(), 2);
        QCOMPARE(s.form->maintenancePage().recordsPage().records().first().caption, QString("250"));
        QCOMPARE(s.form->playerName(1), QString("Carla"));
    } else {
        QCOMPARE(dir.read(recordsFile(1)), oldRecords);
        QCOMPARE(dir.read(playerFile(1)), oldPlayer);
        QCOMPARE(gameNames(*s.form), shownBefore);
    }

    // A later exit saves what is shown: the imported data stay on disk.
    QVERIFY(s.exit());
    if (imported) {
        QCOMPARE(dir.read(recordsFile(1)), chessRecords);
        QCOMPARE(dir.read(playerFile(1)), chessPlayer);
    } else if (unsavedGame) {
        DataTree tree;
        tree.load(dir.file(recordsFile(1)));
        QCOMPARE(tree.game(1, 0).text, QString("Go"));
    } else {
        QCOMPARE(dir.read(recordsFile(1)), oldRecords);
    }
}

void PlayerExchangeTest::pageInGermanAndByKeyboard()
{
    TempProgramDir dir;
    QFile::copy(QStringLiteral(TALLIMO_DATA "/LScripts/German.lng"), dir.file("LScripts/German.lng"));
    dir.write(recordsFile(4), "Root\r\n");
    dir.write(playerFile(4), "Name\r\n");
    dir.write("in.dat", "1\r\nRoot\r\nNeu\r\n");
    StartedWindow s(dir, "German");
    Page p(s);
    ImportExportPage &page = p.page;
    auto *pages = s.form->findChild<QTabWidget *>("GameControl");
    QCOMPARE(pages->tabText(pages->indexOf(page.sheet())), QString("Im- / Export"));
    QCOMPARE(page.importExportBox()->title(), QString("Spielerdaten exportieren / importieren"));
    QCOMPARE(page.taskBox()->items(), (QStringList{"Exportieren", "Importieren"}));
    QCOMPARE(page.exportButton()->text(), QString("Exportieren"));
    QCOMPARE(page.findPathButton()->toolTip(), QString("Datei auswählen"));
    QCOMPARE(page.findPathButton()->accessibleName(), QString("Datei auswählen"));
    QCOMPARE(page.playerCombo()->accessibleName(), QString("Spieler wählen"));
    QCOMPARE(page.filePathEdit()->accessibleName(), QString("Dateinamen angeben"));

    // Every control takes the keyboard focus; the picture-only button is named by its hint.
    for (QWidget *control : QList<QWidget *>{page.taskBox()->button(0), page.taskBox()->button(1), page.filePathEdit(),
                                             page.findPathButton(), page.playerCombo(), page.exportButton(),
                                             page.importButton()})
        QVERIFY2(control->focusPolicy() & Qt::TabFocus, qPrintable(control->objectName()));

    // The task chosen with the arrow key, the dialog opened and the import started with the space bar.
    pages->setCurrentWidget(page.sheet());
    s.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.form.get()));
    page.taskBox()->button(0)->setFocus();
    QTest::keyClick(page.taskBox()->button(0), Qt::Key_Right);
    QCOMPARE(page.taskBox()->itemIndex(), int(ImportExportPage::Import));
    QVERIFY(!page.importButton()->isHidden());
    s.dialogs.answerFile(dir.file("in.dat"));
    QTest::keyClick(page.findPathButton(), Qt::Key_Space);
    QCOMPARE(page.filePathEdit()->text(), dir.file("in.dat"));
    page.playerCombo()->setFocus();
    QTest::keyClick(page.playerCombo(), Qt::Key_Down);
    QTest::keyClick(page.playerCombo(), Qt::Key_Down);
    QTest::keyClick(page.playerCombo(), Qt::Key_Down);
    QCOMPARE(page.chosenPlayer(), 4);
    s.dialogs.answerYes();
    QTest::keyClick(page.importButton(), Qt::Key_Space);
    // The overwrite question is not looked up in the script; the notice is.
    QCOMPARE(s.dialogs.messages(),
             (QStringList{OverwriteQuestion,
                          QStringLiteral("Die Datei %1 wurde als Daten von %2 importiert.")
                              .arg(QDir::toNativeSeparators(dir.file("in.dat")), p.nameOf(4))}));
    QCOMPARE(s.dialogs.askedOf("open").last().text, QString("Alle Dateien (*.*)|*.*"));
    QCOMPARE(dir.read(playerFile(4)), QByteArray("Neu\r\n"));
}

QTEST_MAIN(PlayerExchangeTest)
#include "test_player_exchange.moc"
