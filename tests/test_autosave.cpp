// Edits are saved a moment after they are made, through the real windows: only the files an edit
// changes are written, a kill after the save loses nothing, and no save runs while players'
// files are in use.

#include "keeping/CategoryPage.h"
#include "keeping/GamesListModel.h"
#include "keeping/GamesListView.h"
#include "keeping/MaintenancePage.h"
#include "keeping/PlayerPanel.h"
#include "keeping/RecordsPage.h"
#include "support/StoredPlayers.h"
#include "store/PlayerFiles.h"
#include "support/KeepingSteps.h"
#include "support/StartedWindow.h"

#include <QBuffer>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <sys/stat.h>

namespace {

constexpr int QuickDelayMs = 20;

const QStringList PlayerFilesOf1{"Overview.dat", "PlyData1.dat", "Records1.dat"};

// The inode of each data file; a save gives a file a new one.
QMap<QString, quint64> inodes(const TempProgramDir &dir)
{
    QMap<QString, quint64> found;
    for (const QString &name : PlayerFilesOf1) {
        struct stat info;
        if (::stat(QFile::encodeName(dir.file("Data/" + name)).constData(), &info) == 0)
            found.insert(name, quint64(info.st_ino));
    }
    return found;
}

QStringList rewritten(const QMap<QString, quint64> &before, const QMap<QString, quint64> &after)
{
    QStringList names;
    for (const QString &name : PlayerFilesOf1)
        if (before.value(name) != after.value(name))
            names.append(name);
    return names;
}

QString bmpFile(const TempProgramDir &dir, const QString &name, const QColor &color)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    dir.write("pictures/" + name, bytes);
    return dir.file("pictures/" + name);
}

// Scripted dialogs whose message boxes keep the event loop running for a while, as a real one
// does, so that timers fire inside them.
class LingeringDialogs : public ScriptedDialogs
{
public:
    std::function<void()> duringMessage;

    bool msgBox(const QString &text, const QString &caption, const QString &kind) override
    {
        QTest::qWait(QuickDelayMs * 15);
        if (duringMessage)
            duringMessage();
        return ScriptedDialogs::msgBox(text, caption, kind);
    }
};

struct LingeringWindow
{
    explicit LingeringWindow(const TempProgramDir &dir)
    {
        dialogs.answer(QString("English"));
        MainFormOptions options;
        options.programDir = dir.path();
        options.splashProbe = [](int, int) {};
        options.autosaveDelayMs = QuickDelayMs;
        form = std::make_unique<TMainForm>(dialogs, options);
        form->show();
    }
    QToolButton *button(const char *name) const { return form->findChild<QToolButton *>(QLatin1String(name)); }

    LingeringDialogs dialogs;
    std::unique_ptr<TMainForm> form;
};

} // namespace

class AutosaveTest : public QObject
{
    Q_OBJECT

private slots:
    void editWritesOnlyItsFiles_data();
    void editWritesOnlyItsFiles();
    void killedRightAfterAnEditKeepsIt();
    void marksDoNotFollowChangeOfPlayer();
    void savedInsideAnEditsDialog();
    void waitsWhileTheOverviewIsBuilt();
};

void AutosaveTest::editWritesOnlyItsFiles_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QStringList>("files");
    const QStringList records{"Records1.dat"};
    const QStringList player{"PlyData1.dat"};
    const QStringList both{"PlyData1.dat", "Records1.dat"};
    QTest::newRow("add game") << "add game" << records;
    QTest::newRow("rename game") << "rename game" << records;
    QTest::newRow("delete game without picture") << "delete Go" << records;
    QTest::newRow("delete game with picture") << "delete Chess" << both;
    QTest::newRow("add record") << "add record" << records;
    QTest::newRow("change record") << "change record" << records;
    QTest::newRow("game comment") << "game comment" << records;
    QTest::newRow("category properties") << "category" << player;
    QTest::newRow("game picture") << "game picture" << both;
    QTest::newRow("player picture") << "player picture" << player;
    QTest::newRow("rename player") << "rename player" << player;
    QTest::newRow("top list") << "top list" << player;
}

void AutosaveTest::editWritesOnlyItsFiles()
{
    QFETCH(QString, edit);
    QFETCH(QStringList, files);
    TempProgramDir dir;
    StartedWindow s(dir.path(), QuickDelayMs);
    addGame(s, "Go");
    addGame(s, "Chess");
    addRecord(s, "250", 38124);
    s.dialogs.answerFile(bmpFile(dir, "red.bmp", Qt::red));
    button(s, "OpenPicButton")->click();
    s.form->SavePlayerData();
    QCOMPARE(s.form->player().unsaved, DataFiles());
    const QMap<QString, quint64> before = inodes(dir);
    QCOMPARE(before.size(), 3);

    const QMap<QString, std::function<void()>> edits{
        {"add game", [&] { addGame(s, "Poker"); }},
        {"rename game", [&] { s.dialogs.answer(QString("Shogi")); button(s, "GameRenameButton")->click(); }},
        {"delete Go", [&] { selectGame(s, "Go"); s.dialogs.answerYes(); button(s, "GameDeleteButton")->click(); }},
        {"delete Chess", [&] { selectGame(s, "Chess"); s.dialogs.answerYes(); button(s, "GameDeleteButton")->click(); }},
        {"add record", [&] { addRecord(s, "90", 38125); }},
        {"change record", [&] {
             QTreeView *list = s.form->maintenancePage().recordsPage().displayRecView();
             QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 1)).center());
             s.dialogs.answer(QString("300"));
             button(s, "NumEditButton")->click();
             button(s, "RecordChangeButton")->click();
         }},
        {"game comment", [&] {
             s.form->findChild<QPlainTextEdit *>("GameCommentMemo")->setPlainText("Blitz");
             button(s, "GameCommentAddButton")->click();
         }},
        {"category", [&] {
             s.form->maintenancePage().categoryPage().catTitleEdit()->setText("Board");
             button(s, "CatApplyButton")->click();
         }},
        {"game picture", [&] {
             selectGame(s, "Go");
             s.dialogs.answerFile(bmpFile(dir, "blue.bmp", Qt::blue));
             button(s, "OpenPicButton")->click();
         }},
        {"player picture", [&] {
             s.dialogs.answerFile(bmpFile(dir, "green.bmp", Qt::green));
             button(s, "PlayerPicAddButton")->click();
         }},
        {"rename player", [&] { s.dialogs.answer(QString("Anna")); button(s, "PlayerRenameButton")->click(); }},
        {"top list", [&] { button(s, "TopUpdateButton")->click(); }},
    };
    edits[edit]();
    QCOMPARE(s.dialogs.errors(), QStringList());
    QCOMPARE(s.dialogs.pendingAnswers(), 0);
    QTRY_COMPARE(s.form->player().unsaved, DataFiles());
    QCOMPARE(rewritten(before, inodes(dir)), files);

    // What was saved is what the window holds.
    PlayerState loaded;
    StoredPlayers window;
    window.load(PlayerFiles(dir.dataDir()), 1, loaded);
    QCOMPARE(loaded.dataView, s.form->player().dataView);
    QCOMPARE(loaded.playerData, s.form->player().playerData);
    QCOMPARE(loaded.catListView, s.form->player().catListView);
    QCOMPARE(loaded.topView, s.form->player().topView);
    QCOMPARE(loaded.playerPic, s.form->player().playerPic);
    QCOMPARE(window.names[0], s.form->playerName(1));
}

void AutosaveTest::killedRightAfterAnEditKeepsIt()
{
    TempProgramDir dir;
    QProcess child;
    child.start(QStringLiteral(TALLIMO_AUTOSAVE_CHILD), {dir.path()});
    QVERIFY(child.waitForStarted(30000));
    QByteArray out;
    while (!out.contains("edited\n")) {
        QVERIFY2(child.waitForReadyRead(120000), child.readAllStandardError().constData());
        out += child.readAllStandardOutput();
    }
    // The child's event loop runs on; once the edit is on disk it is killed, never having exited.
    QTRY_VERIFY_WITH_TIMEOUT(dir.read("Data/Records1.dat").contains("\t\t\t\t\t250\r\n"), 60000);
    child.kill();
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    StartedWindow again(dir);
    QCOMPARE(again.dialogs.errors(), QStringList());
    QCOMPARE(gameNames(again), QStringList{"Chess"});
    selectGame(again, "Chess");
    const RowList &records = again.form->maintenancePage().recordsPage().records();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].caption, QString("250"));
    QCOMPARE(records[0].subItem(2), QString("38124"));
}

void AutosaveTest::marksDoNotFollowChangeOfPlayer()
{
    TempProgramDir dir;
    StartedWindow s(dir.path(), QuickDelayMs);
    addGame(s, "Chess");
    // The change of player saves player 1 at once; player 2 was not edited.
    QTest::mouseClick(s.form->PlayerButtonOf(2), Qt::LeftButton);
    QCOMPARE(s.form->currentPlayer(), 2);
    QCOMPARE(s.form->player().unsaved, DataFiles());
    QTest::qWait(QuickDelayMs * 10);
    QVERIFY(dir.exists("Data/Records1.dat"));
    QVERIFY(!dir.exists("Data/Records2.dat"));
    QVERIFY(!dir.exists("Data/PlyData2.dat"));
    QCOMPARE(s.dialogs.errors(), QStringList());
}

void AutosaveTest::savedInsideAnEditsDialog()
{
    // A dialog of an edit comes before the edit changes anything: the player is whole, and an
    // earlier edit is saved while the dialog is open.
    TempProgramDir dir;
    LingeringWindow w(dir);
    w.dialogs.answer(QString("Chess"));
    w.button("GameAddButton")->click();
    QTRY_VERIFY(dir.exists("Data/Records1.dat"));
    w.dialogs.answer(QString("Go"));
    w.button("GameAddButton")->click();
    QByteArray duringDialog;
    w.dialogs.duringMessage = [&] { duringDialog = dir.read("Data/Records1.dat"); };
    w.dialogs.answerNo();
    w.button("GameDeleteButton")->click();
    QVERIFY(duringDialog.contains("\t\tGo\r\n"));
    QCOMPARE(w.dialogs.errors(), QStringList());
}

void AutosaveTest::waitsWhileTheOverviewIsBuilt()
{
    TempProgramDir dir;
    // Player 5's files cannot be read: the build ends with a message about it.
    dir.write("Data/Records5.dat", "Root\r\n");
    LingeringWindow w(dir);
    w.dialogs.answer(QString("Chess"));
    w.button("GameAddButton")->click();
    w.dialogs.answer(QString("250"));
    w.button("NumEditButton")->click();
    w.dialogs.answer(38124);
    w.button("DateEditButton")->click();
    w.button("RecordAddButton")->click();
    QByteArray duringDialog;
    w.dialogs.duringMessage = [&] { duringDialog = dir.read("Data/Overview.dat"); };
    w.dialogs.answerYes();
    w.form->findChild<QToolButton *>("OverviewUpdateButton")->click();
    // The build saved the player with the overview it had (none); the new rows wait for its end.
    QCOMPARE(duringDialog, QByteArray());
    QCOMPARE(w.form->OverView().size(), 1);
    QTRY_COMPARE(PlayerFiles(dir.dataDir()).readOverview(), w.form->OverView());
    QCOMPARE(w.dialogs.errors(), QStringList());
}

QTEST_MAIN(AutosaveTest)
#include "test_autosave.moc"
