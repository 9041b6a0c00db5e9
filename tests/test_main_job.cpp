// The main job through the real windows: ten players keep scores, the top list and the overview
// rank them, lists go to CSV, one player's data moves to another, and all of it is there again
// after a restart, in each shipped language.
#include "app/MainForm.h"
#include "services/CsvExport.h"
#include "keeping/CategoryPanel.h"
#include "keeping/MaintenancePage.h"
#include "keeping/PlayerPanel.h"
#include "keeping/RecordsPage.h"
#include "lists/ImportExportPage.h"
#include "lists/OverviewGrid.h"
#include "lists/OverviewPage.h"
#include "lists/TopPage.h"
#include "platform/RadioGroup.h"
#include "support/KeepingSteps.h"
#include "support/StartedWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QFile>
#include <QTest>
#include <QToolButton>

namespace {

void choosePlayer(StartedWindow &s, int n)
{
    QTest::mouseClick(s.form->PlayerButtonOf(n), Qt::LeftButton);
}

// The overview as its grids show it: game, category, the ten players' points, best.
QList<QStringList> overviewShown(StartedWindow &s)
{
    OverviewPage &page = s.form->overviewPage();
    QList<QStringList> rows;
    for (int r = 0; r < page.gamesGrid()->model()->rowCount(); ++r) {
        QStringList cells;
        for (int c = 1; c < 3; ++c)
            cells.append(page.gamesGrid()->model()->index(r, c).data().toString());
        for (int c = 0; c < 11; ++c)
            cells.append(page.pointsGrid()->model()->index(r, c).data().toString());
        rows.append(cells);
    }
    return rows;
}

QString nameOf(int n)
{
    return QStringLiteral("Name%1").arg(n);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class MainJobTest : public QObject
{
    Q_OBJECT

private slots:
    void tenPlayersAcrossARestart_data();
    void tenPlayersAcrossARestart();
};

void MainJobTest::tenPlayersAcrossARestart_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("firstCategory");
    QTest::addColumn<QString>("csvHeaderStart");

    QTest::newRow("English") << "English" << "Category 1" << "No.,Game,Points,Date,Comment";
    QTest::newRow("German") << "German" << "Kategorie 1" << "Nr.,Spiel,Punkte,Datum,Kommentar";
}

void MainJobTest::tenPlayersAcrossARestart()
{
    QFETCH(QString, language);
    QFETCH(QString, firstCategory);
    QFETCH(QString, csvHeaderStart);

    TempProgramDir dir;
    for (const char *script : {"English.lng", "German.lng"}) {
        QFile shipped(QStringLiteral(TALLIMO_DATA "/LScripts/") + QLatin1String(script));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        dir.write(QStringLiteral("LScripts/") + QLatin1String(script), shipped.readAll());
    }

    {
        StartedWindow s(dir, language);
        // Every player names himself and keeps scores: Chess for all, Go for the even numbers.
        for (int n = 1; n <= 10; ++n) {
            choosePlayer(s, n);
            QCOMPARE(s.form->currentPlayer(), n);
            QVERIFY(gameNames(s).isEmpty());
            s.dialogs.answer(nameOf(n));
            button(s, "PlayerRenameButton")->click();
            addGame(s, QStringLiteral("Chess"));
            addRecord(s, QString::number(100 * n), 40000 + n);
            addRecord(s, QString::number(n), 40000);
            if (n % 2 == 0) {
                addGame(s, QStringLiteral("Go"));
                selectGame(s, QStringLiteral("Go"));
                addRecord(s, QString::number(7 * n), 41000);
            }
        }
        QCOMPARE(s.form->CategoryPanelOf(1)->text(), firstCategory);

        // Player 10's top list: Chess with its best record first.
        button(s, "TopUpdateButton")->click();
        const RowList topList = s.form->player().topView;
        QCOMPARE(topList.size(), 2);
        QCOMPARE(topList[0].caption, QString("0001"));
        QCOMPARE(topList[0].subItem(0), QString("Chess"));
        QCOMPARE(topList[0].subItem(1), QString("1000"));
        QCOMPARE(topList[1].subItem(0), QString("Go"));

        const QString topCsv = dir.file("top");
        s.dialogs.answerFile(topCsv);
        button(s, "TopExpCSVButton")->click();
        QVERIFY2(fileBytes(topCsv + ".csv").startsWith(CsvExport::Utf8Mark + csvHeaderStart.toUtf8() + "\r\n0001,Chess,1000,"),
                 fileBytes(topCsv + ".csv").constData());

        // The overview compares everyone; player 10 is best at both games.
        button(s, "OverviewUpdateButton")->click();
        QCOMPARE(s.form->currentPlayer(), 10);
        const QList<QStringList> rows = overviewShown(s);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].mid(0, 2), (QStringList{"Chess", firstCategory}));
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(rows[0][1 + n], QString::number(100 * n));
        QCOMPARE(rows[0][12], nameOf(10));
        QCOMPARE(rows[1][2], QString());
        QCOMPARE(rows[1][3], QString("14"));
        QCOMPARE(rows[1][12], nameOf(10));
        QCOMPARE(s.form->overviewPage().pointsGrid()->model()->headerData(2, Qt::Horizontal).toString(), nameOf(3));

        // Player 3's data moves to player 7.
        ImportExportPage &exchange = s.form->importExportPage();
        const QString exchangeFile = dir.file("player3.txt");
        exchange.taskBox()->button(ImportExportPage::Export)->click();
        s.dialogs.answerFile(exchangeFile);
        exchange.findPathButton()->click();
        exchange.playerCombo()->setCurrentIndex(2);
        s.dialogs.answer(true); // the notice that the player was exported
        exchange.exportButton()->click();
        exchange.taskBox()->button(ImportExportPage::Import)->click();
        s.dialogs.answerFile(exchangeFile);
        exchange.findPathButton()->click();
        exchange.playerCombo()->setCurrentIndex(6);
        s.dialogs.answerYes(); // player 7 has files: overwrite them
        s.dialogs.answer(true); // the notice that the file was imported
        exchange.importButton()->click();
        QCOMPARE(fileBytes(dir.file("Data/Records7.dat")), fileBytes(dir.file("Data/Records3.dat")));
        QCOMPARE(fileBytes(dir.file("Data/PlyData7.dat")), fileBytes(dir.file("Data/PlyData3.dat")));

        QVERIFY(s.dialogs.errors().isEmpty());
        QVERIFY(s.exit());
        QCOMPARE(s.dialogs.pendingAnswers(), 0);
    }

    StartedWindow again(dir, language);
    QVERIFY(again.dialogs.errors().isEmpty());
    QCOMPARE(again.form->currentPlayer(), 1);
    QCOMPARE(again.form->CategoryPanelOf(1)->text(), firstCategory);
    QCOMPARE(gameNames(again), QStringList{"Chess"});
    // The overview of the last run is shown again.
    const QList<QStringList> restored = overviewShown(again);
    QCOMPARE(restored.size(), 2);
    QCOMPARE(restored[0][12], nameOf(10));
    QCOMPARE(restored[0][11], QString("1000"));

    // Player 10 finds his games, records and top list as he left them.
    choosePlayer(again, 10);
    QCOMPARE(gameNames(again), (QStringList{"Chess", "Go"}));
    QCOMPARE(again.form->player().topView.size(), 2);
    QCOMPARE(again.form->player().topView[0].subItem(1), QString("1000"));
    QCOMPARE(again.form->playerName(10), nameOf(10));

    // Player 7 now holds player 3's data, the name included.
    choosePlayer(again, 7);
    QCOMPARE(gameNames(again), QStringList{"Chess"});
    selectGame(again, QStringLiteral("Chess"));
    QCOMPARE(again.form->maintenancePage().recordsPage().records().first().caption, QString("300"));
    QCOMPARE(again.form->playerName(7), nameOf(3));
    QVERIFY(again.dialogs.errors().isEmpty());
}

QTEST_MAIN(MainJobTest)
#include "test_main_job.moc"
