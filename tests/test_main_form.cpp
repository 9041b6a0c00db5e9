#include "app/MainForm.h"
#include "platform/WindowPlacement.h"
#include "store/DataTree.h"
#include "support/StoredPlayers.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

namespace {

using SplashSteps = QList<QPair<int, int>>;

struct Started
{
    ScriptedDialogs dialogs;
    SplashSteps splash;
    std::unique_ptr<TMainForm> form;

    explicit Started(const TempProgramDir &dir)
    {
        if (!dir.exists("Data/TALLIMO.INI"))
            dialogs.answer(QString("English")); // the first-start language question
        MainFormOptions options;
        options.programDir = dir.path();
        options.splashProbe = [this](int percent, int ms) { splash.append({percent, ms}); };
        form = std::make_unique<TMainForm>(dialogs, options);
        form->show();
    }
};

// The splash while start-up runs; null before and after.
const QWidget *splashWindow()
{
    for (const QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("SplashScreen"))
            return window;
    return nullptr;
}

} // namespace

class MainFormTest : public QObject
{
    Q_OBJECT

private slots:
    void framePagesAndNames();
    void splashStepsInOrder();
    void exitYesSavesAndNewStartShowsSameData();
    void exitNoSavesNothing();
    void firstStartWritesNothing();
    void failedSaveKeepsWindowOpen();
    void startWithDamagedPlayerGoesOn();
    void damagedFilesKeptAtExit();
    void interruptedSaveFinishedAtStart_data();
    void interruptedSaveFinishedAtStart();
    void exitButtonFollowsWidth();
    void maintenanceRowsFollowSize_data();
    void maintenanceRowsFollowSize();
    void startDialogsComeAboveTheSplash_data();
    void startDialogsComeAboveTheSplash();
    void windowKeepsItsMinimumSize();
    void windowPlacedOnScreen_data();
    void windowPlacedOnScreen();
};

void MainFormTest::framePagesAndNames()
{
    TempProgramDir dir;
    Started s(dir);
    QCOMPARE(s.form->objectName(), QString("MainForm"));
    QCOMPARE(s.form->windowTitle(), QString("Tallimo"));
    auto *pages = s.form->findChild<QTabWidget *>("GameControl");
    QVERIFY(pages);
    QStringList captions, names;
    for (int i = 0; i < pages->count(); ++i) {
        captions << pages->tabText(i);
        names << pages->widget(i)->objectName();
    }
    QCOMPARE(captions, (QStringList{"Maintenance", "Overview", "Im- / Export", "Options", "Help", "About"}));
    QCOMPARE(names, (QStringList{"MaintenanceSheet", "OverviewSheet", "ImportExportSheet", "OptionsSheet", "HelpSheet",
                                 "AboutSheet"}));
    QVERIFY(s.form->findChild<QWidget *>("ProgBar"));
    QCOMPARE(s.form->findChild<QPushButton *>("ExitButton")->text(), QString("Exit"));
}

void MainFormTest::splashStepsInOrder()
{
    TempProgramDir dir;
    Started s(dir);
    QCOMPARE(s.splash, (SplashSteps{{10, 0}, {25, 0}, {50, 0}, {75, 0}, {100, 500}}));
}

void MainFormTest::exitYesSavesAndNewStartShowsSameData()
{
    TempProgramDir dir;
    {
        Started s(dir);
        PlayerSession &session = s.form->session();
        const int slot = session.addGame(1, "Chess");
        QList<StoredRecord> records{{"120", "37927", ""}, {"250", "38124", "won on time"}};
        session.storeRecords({1, slot}, records);
        session.setGameComment({1, slot}, "Blitz,Clubhouse");
        s.form->setPlayerName(1, "Anna");
        s.dialogs.answerYes();
        QVERIFY(s.form->close());
        QCOMPARE(s.dialogs.messages(), QStringList{"Do you really want to exit the program?"});
        QCOMPARE(s.dialogs.askedOf("msgBox").first().extra, QString("c"));
        QVERIFY(s.dialogs.errors().isEmpty());
    }
    QVERIFY(dir.exists("Data/Records1.dat"));
    QVERIFY(dir.read("Data/PlyData1.dat").endsWith("\r\nAnna\r\n"));
    QVERIFY(dir.exists("Data/Overview.dat"));

    Started again(dir);
    QVERIFY(again.dialogs.errors().isEmpty());
    QCOMPARE(again.form->playerName(1), QString("Anna"));
    const DataTree &tree = again.form->player().dataView;
    QCOMPARE(tree.game(1, 0).text, QString("Chess"));
    QCOMPARE(tree.readRecords(1, 0), (QList<StoredRecord>{{"250", "38124", "won on time"}, {"120", "37927", ""}}));
    QCOMPARE(tree.gameComment(1, 0), QString("Blitz,Clubhouse"));
}

void MainFormTest::exitNoSavesNothing()
{
    TempProgramDir dir;
    Started s(dir);
    s.form->session().addGame(2, "Go");
    s.dialogs.answerNo();
    QVERIFY(!s.form->close());
    QVERIFY(s.form->isVisible());
    QCOMPARE(QDir(dir.dataDir()).entryList(QDir::Files), QStringList{"TALLIMO.INI"});
    QVERIFY(!dir.read("Data/TALLIMO.INI").contains("[Player 1]"));
    QCOMPARE(s.form->player().dataView.game(2, 0).text, QString("Go"));
}

void MainFormTest::firstStartWritesNothing()
{
    TempProgramDir dir;
    QDir(dir.dataDir()).removeRecursively();
    Started s(dir);
    QCOMPARE(s.form->currentCategory(), 1);
    QCOMPARE(s.form->player().catListView.size(), 5);
    s.dialogs.answerYes();
    QVERIFY(s.form->close());
    QVERIFY(QDir(dir.dataDir()).exists());
    QCOMPARE(QDir(dir.dataDir()).entryList(QDir::Files), QStringList{"TALLIMO.INI"});
}

void MainFormTest::failedSaveKeepsWindowOpen()
{
    TempProgramDir dir;
    Started s(dir);
    s.form->session().addGame(1, "Chess");
    QVERIFY(QDir(dir.dataDir()).mkdir("Records1.dat"));
    s.dialogs.answerYes();
    QVERIFY(!s.form->close());
    QVERIFY(s.form->isVisible());
    QCOMPARE(s.dialogs.errors(), QStringList{"Cannot create file " + dir.file("Data/Records1.dat")});
    QVERIFY(!dir.exists("Data/PlyData1.dat"));
    QVERIFY(!dir.read("Data/TALLIMO.INI").contains("[Player 1]")); // settings are not saved either
}

void MainFormTest::startWithDamagedPlayerGoesOn()
{
    TempProgramDir dir;
    dir.write("Data/Records1.dat", "Root\r\n\tCategory 1\r\n");
    Started s(dir);
    // The player is loaded as far as it can be; the start goes on.
    QCOMPARE(s.dialogs.errors().size(), 1);
    QVERIFY(s.dialogs.errors()[0].contains("Cannot open file " + dir.file("Data/PlyData1.dat")));
    QCOMPARE(s.splash, (SplashSteps{{10, 0}, {25, 0}, {50, 0}, {75, 0}, {100, 500}}));
    QVERIFY(s.form->isVisible());
}

void MainFormTest::damagedFilesKeptAtExit()
{
    TempProgramDir dir;
    const QByteArray records = "Root\r\n\tCategory 1\r\n\t\tGo\r\n\t\t\tRecords\r\n\t\t\tGameComment\r\n\t\t\t\t\r\n"
                               "\t\t\tPicIndex\r\n\t\t\t\t-1\r\n\tCategory 2\r\n\tCategory 3\r\n\tCategory 4\r\n\tCategory 5\r\n";
    dir.write("Data/Records1.dat", records);
    dir.write("Data/PlyData1.dat", "one line only\r\n");
    Started s(dir);
    // One message at start says what was damaged and where the files are kept as they were.
    QCOMPARE(s.dialogs.errors().size(), 1);
    const QString note = s.dialogs.errors()[0];
    QVERIFY(note.startsWith("The files of this player could not be read completely. They have been kept unchanged as:\n"));
    QVERIFY(note.contains("\n\nList index out of bounds (-1)\n\n"));
    const QStringList kept = note.split(QStringLiteral("\n\n")).first().split(u'\n').mid(1);
    QCOMPARE(kept.size(), 2);
    s.dialogs.answerYes(); // exit question
    QVERIFY(s.form->close());
    QCOMPARE(s.dialogs.errors().size(), 1);
    QFile keptPlayer(kept[1]);
    QVERIFY(keptPlayer.open(QIODevice::ReadOnly));
    QCOMPARE(keptPlayer.readAll(), QByteArray("one line only\r\n"));
    QFile keptRecords(kept[0]);
    QVERIFY(keptRecords.open(QIODevice::ReadOnly));
    QCOMPARE(keptRecords.readAll(), records);
}

void MainFormTest::interruptedSaveFinishedAtStart_data()
{
    QTest::addColumn<int>("stepsDone");
    QTest::addColumn<QStringList>("games");
    // The save adds three files: journal, 3 new, 3 set aside, commit, 3 in place, 3 removed, end.
    QTest::newRow("stopped before the commit") << 7 << QStringList{"Chess"};
    QTest::newRow("stopped after the commit") << 9 << QStringList{"Chess", "Go"};
}

void MainFormTest::interruptedSaveFinishedAtStart()
{
    QFETCH(int, stepsDone);
    QFETCH(QStringList, games);
    TempProgramDir dir;
    PlayerFiles files(dir.dataDir());
    PlayerState state;
    StoredPlayers window;
    window.load(files, 1, state);
    state.dataView.addGame(1, "Chess");
    window.save(files, 1, state, {});
    state.dataView.addGame(1, "Go");
    int step = 0;
    files.setSaveStepHook([&](AtomicFileGroup::Step, const QString &) {
        if (step++ == stepsDone)
            throw 0; // the program ends here
        return true;
    });
    QVERIFY_THROWS_EXCEPTION(int, window.save(files, 1, state, {}));

    Started s(dir);
    QCOMPARE(s.dialogs.errors(), QStringList());
    QStringList shown;
    for (const DataNode &game : s.form->player().dataView.category(1).children)
        shown.append(game.text);
    shown.sort();
    QCOMPARE(shown, games);
    QCOMPARE(QDir(dir.dataDir()).entryList(QDir::Files),
             (QStringList{"Overview.dat", "PlyData1.dat", "Records1.dat", "TALLIMO.INI"}));
}

void MainFormTest::exitButtonFollowsWidth()
{
    TempProgramDir dir;
    Started s(dir);
    auto *exit = s.form->findChild<QPushButton *>("ExitButton");
    s.form->resize(640, 480);
    QCOMPARE(exit->width(), 640 - 180);
    s.form->resize(740, 480);
    QCOMPARE(exit->width(), 740 - 180);
}

void MainFormTest::maintenanceRowsFollowSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("design size") << QSize(640, 480);
    QTest::newRow("wider and taller") << QSize(901, 677);
    QTest::newRow("odd sizes") << QSize(777, 555);
}

void MainFormTest::maintenanceRowsFollowSize()
{
    QFETCH(QSize, size);
    TempProgramDir dir;
    Started s(dir);
    s.form->session().addGame(1, "Chess");
    s.form->FillGamesList(); // a selected game shows the game area
    s.form->resize(size);
    auto *pages = s.form->findChild<QTabWidget *>("EnterControl");
    pages->setCurrentWidget(s.form->findChild<QWidget *>("CategorySheet"));
    QCoreApplication::processEvents();

    auto *area = s.form->findChild<QWidget *>("MainRightPanel");
    auto *enter = s.form->findChild<QWidget *>("EnterControlPanel");
    QTRY_COMPARE(enter->geometry(), QRect(4, 4, area->width() - 8, area->height() - 8));
    QVERIFY(enter->isVisible());

    auto *sheet = s.form->findChild<QWidget *>("CategorySheet");
    auto *box = s.form->findChild<QWidget *>("CatPropertyBox");
    QTRY_COMPARE(box->pos(), QPoint(sheet->width() / 2 - box->width() / 2, sheet->height() / 2 - box->height() / 2));

    auto *right = s.form->findChild<QWidget *>("GamesBoxRightPanel");
    auto *buttons = s.form->findChild<QWidget *>("GameBoxButtonPanel");
    QCOMPARE(buttons->y(), right->height() / 2 - buttons->height() / 2);
    // Nothing of the category bar is cut off: the games box keeps room for its list.
    QVERIFY(s.form->findChild<QWidget *>("GamesListView")->height() > 40);
}

void MainFormTest::startDialogsComeAboveTheSplash_data()
{
    QTest::addColumn<QByteArray>("records"); // Data/Records1.dat, none when empty
    QTest::addColumn<QByteArray>("player");  // Data/PlyData1.dat, none when empty
    QTest::addColumn<QStringList>("dialogs");
    const QByteArray game = "Root\r\n\tCategory 1\r\n\t\tGo\r\n\t\t\tRecords\r\n\t\t\tGameComment\r\n\t\t\t\t\r\n"
                            "\t\t\tPicIndex\r\n\t\t\t\t-1\r\n\tCategory 2\r\n\tCategory 3\r\n\tCategory 4\r\n"
                            "\tCategory 5\r\n";
    QTest::newRow("the language question") << QByteArray() << QByteArray() << QStringList{"selectFromList"};
    QTest::newRow("and a failing step") << QByteArray("Root\r\n\tCategory 1\r\n") << QByteArray()
                                        << QStringList{"selectFromList", "error"};
    QTest::newRow("and damaged files") << game << QByteArray("one line only\r\n")
                                       << QStringList{"selectFromList", "error"};
}

void MainFormTest::startDialogsComeAboveTheSplash()
{
    QFETCH(QByteArray, records);
    QFETCH(QByteArray, player);
    QFETCH(QStringList, dialogs);
    TempProgramDir dir;
    if (!records.isEmpty())
        dir.write("Data/Records1.dat", records);
    if (!player.isEmpty())
        dir.write("Data/PlyData1.dat", player);

    ScriptedDialogs scripted;
    scripted.answer(QString("English"));
    QStringList asked;
    QList<bool> hiddenAtDialog; // the splash exists and is out of the way
    scripted.whenAsked([&](const ScriptedDialogs::Asked &dialog) {
        asked.append(dialog.dialog);
        const QWidget *splash = splashWindow();
        hiddenAtDialog.append(splash && !splash->isVisible());
    });
    SplashSteps steps;
    QList<bool> shownAtStep;
    MainFormOptions options;
    options.programDir = dir.path();
    options.splashProbe = [&](int percent, int ms) {
        steps.append({percent, ms});
        const QWidget *splash = splashWindow();
        shownAtStep.append(splash && splash->isVisible());
    };
    auto form = std::make_unique<TMainForm>(scripted, options);
    form->show();

    QCOMPARE(asked, dialogs);
    QCOMPARE(hiddenAtDialog, QList<bool>(dialogs.size(), true));
    QCOMPARE(steps, (SplashSteps{{10, 0}, {25, 0}, {50, 0}, {75, 0}, {100, 500}}));
    QCOMPARE(shownAtStep, QList<bool>(steps.size(), true));

    // The splash is gone with the start; a later dialog finds nothing to hide.
    QCOMPARE(splashWindow(), nullptr);
    scripted.answerYes();
    QVERIFY(form->close());
    QCOMPARE(asked.last(), QString("msgBox"));
    QCOMPARE(hiddenAtDialog.last(), false);
}

void MainFormTest::windowKeepsItsMinimumSize()
{
    TempProgramDir dir;
    Started s(dir);
    // Every page is laid out for the designed size: the window is never smaller.
    QCOMPARE(s.form->minimumSize(), QSize(640, 480));
    QVERIFY(s.form->width() >= 640 && s.form->height() >= 480);
    s.form->resize(300, 200);
    QCOMPARE(s.form->size(), QSize(640, 480));
    s.form->resize(639, 700);
    QCOMPARE(s.form->size(), QSize(640, 700));
}

void MainFormTest::windowPlacedOnScreen_data()
{
    QTest::addColumn<QByteArray>("stored"); // "Left,Top", none when empty
    QTest::addColumn<QString>("expected");  // "centred", "as stored", "top left", "bottom right"
    QTest::newRow("nothing stored") << QByteArray() << "centred";
    QTest::newRow("stored on the screen") << QByteArray("10,20") << "as stored";
    QTest::newRow("stored above and left of the screen") << QByteArray("-900,-700") << "top left";
    QTest::newRow("stored beyond the right and bottom") << QByteArray("5000,4000") << "bottom right";
}

void MainFormTest::windowPlacedOnScreen()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, expected);
    TempProgramDir dir;
    QByteArray ini = "[Language]\r\nFile=English.lng\r\n";
    if (!stored.isEmpty()) {
        const QList<QByteArray> at = stored.split(',');
        ini += "[Window]\r\nLeft=" + at[0] + "\r\nTop=" + at[1] + "\r\n";
    }
    dir.write("Data/TALLIMO.INI", ini);
    Started s(dir);
    QVERIFY(s.dialogs.asked().isEmpty());

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = s.form->frameGeometry();
    QVERIFY(area.contains(frame));
    if (expected == "centred")
        QCOMPARE(frame.topLeft(),
                 QPoint(screen.width() / 2 - s.form->width() / 2, screen.height() / 2 - s.form->height() / 2));
    else if (expected == "as stored")
        QCOMPARE(frame.topLeft(), QPoint(10, 20));
    else if (expected == "top left")
        QCOMPARE(frame.topLeft(), area.topLeft());
    else
        QCOMPARE(frame.bottomRight(), area.bottomRight());
}

QTEST_MAIN(MainFormTest)
#include "test_main_form.moc"
