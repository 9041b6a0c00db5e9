#include "keeping/CategoryBar.h"
#include "keeping/CategoryPage.h"
#include "keeping/CategoryPanel.h"
#include "keeping/GamesListModel.h"
#include "keeping/GamesListView.h"
#include "keeping/MaintenancePage.h"
#include "keeping/RecordsPage.h"
#include "platform/ColorValue.h"
#include "services/ColorSwatch.h"
#include "store/PlayerFiles.h"
#include "support/KeepingSteps.h"
#include "support/StartedWindow.h"

#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QToolTip>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QPlainTextEdit>
#include <tuple>
#include <QTest>
#include <QToolButton>

namespace {

MaintenancePage &page(StartedWindow &s)
{
    return s.form->maintenancePage();
}

void clickCategory(StartedWindow &s, int n)
{
    QTest::mouseClick(s.form->CategoryPanelOf(n), Qt::LeftButton);
}

int gameIndexOf(StartedWindow &s, const QString &name)
{
    const int row = page(s).gamesModel()->findName(name, Qt::CaseSensitive);
    return row < 0 ? -1 : page(s).gamesModel()->row(row).gameIndex;
}

bool gameAreaShown(StartedWindow &s)
{
    return s.form->findChild<QWidget *>("EnterControlPanel")->isVisibleTo(s.form.get());
}

QStringList storedPoints(StartedWindow &s, int gameIndex)
{
    QStringList points;
    for (const StoredRecord &record : s.form->player().dataView.readRecords(1, gameIndex))
        points.append(record.points);
    return points;
}

QStringList shownPoints(StartedWindow &s)
{
    QStringList points;
    for (const ListRow &row : page(s).recordsPage().records())
        points.append(row.caption);
    return points;
}

// Plays mouse and key steps on the games list, separated by blanks: "press:<game>", "move:<game>",
// "release:<game>", "click:<game>", "ctrl+click:<game>", where <game> may also be "empty" (the
// empty area below the rows) or "outside" (below the list); "key:<name>" for Down, Up, Home,
// End, PageDown, PageUp and "ctrl+Space"; "selectRow:<row>" for a program's call.
void playOnGamesList(StartedWindow &s, const QString &steps)
{
    GamesListView *list = page(s).gamesListView();
    QWidget *area = list->viewport();
    const auto where = [&](const QString &target) {
        if (target == u"empty")
            return QPoint(8, area->height() - 4);
        if (target == u"outside")
            return QPoint(area->width() / 2, area->height() + 40);
        const int row = page(s).gamesModel()->findName(target, Qt::CaseSensitive);
        return list->visualRect(page(s).gamesModel()->index(row)).center();
    };
    const QHash<QString, Qt::Key> keys{{"Down", Qt::Key_Down}, {"Up", Qt::Key_Up}, {"Home", Qt::Key_Home},
                                       {"End", Qt::Key_End}, {"PageDown", Qt::Key_PageDown},
                                       {"PageUp", Qt::Key_PageUp}};
    list->setFocus();
    for (const QString &step : steps.split(u' ')) {
        const QString action = step.section(u':', 0, 0);
        const QString target = step.section(u':', 1);
        if (action == u"press")
            QTest::mousePress(area, Qt::LeftButton, {}, where(target));
        else if (action == u"move")
            QTest::mouseMove(area, where(target));
        else if (action == u"release")
            QTest::mouseRelease(area, Qt::LeftButton, {}, where(target));
        else if (action == u"click")
            QTest::mouseClick(area, Qt::LeftButton, {}, where(target));
        else if (action == u"ctrl+click")
            QTest::mouseClick(area, Qt::LeftButton, Qt::ControlModifier, where(target));
        else if (action == u"key" && target == u"ctrl+Space")
            QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
        else if (action == u"key" && keys.contains(target))
            QTest::keyClick(list, keys.value(target));
        else if (action == u"selectRow")
            list->selectRow(target.toInt());
        else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

} // namespace

class GamesListTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controlsAtStart();
    void addGame_data();
    void addGame();
    void renameGame_data();
    void renameGame();
    void renameWithoutSelectionAsksNothing();
    void deleteFreesSlotWithoutShifting();
    void deleteAskedNoKeepsGame();
    void deleteLastGameHidesGameArea();
    void categoryStacking_data();
    void categoryStacking();
    void categoryPanelWithKeyboard();
    void emptyCategoryHidesGameArea();
    void applyCategoryName();
    void applyNeedsName();
    void colorDialogCancelChangesNothing_data();
    void colorDialogCancelChangesNothing();
    void rowsSortedByLocale();
    void renameResorts();
    void iconByPictureIndex();
    void keyReleaseShowsSelectedGame();
    void shownGameIsSelectedGame_data();
    void shownGameIsSelectedGame();
    void clickOnShownGameShowsItAgain();
    void progressBarRange();
    void categoryBarSide();
    void gamesListSurvivesRestart();
    void scoresKeptThroughTheWindowsAcrossRestart();
    void germanScriptReachesControls();
    void longGameNameEndsInEllipsisWithWholeTooltip();
    void gamesListKeysRunTheGameButtons();
};

void GamesListTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void GamesListTest::controlsAtStart()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    for (const char *name : {"PlayerSelectionBox", "CatBarPanel", "PlayerBox", "PlayerPic", "GamesBox", "GamesListView",
                             "GamesBoxRightPanel", "GameBoxButtonPanel", "MainRightPanel", "EnterControlPanel",
                             "EnterControl", "RecordsSheet", "TopSheet", "CategorySheet", "CatPropertyBox", "CatNameBox",
                             "CatTitleEdit", "CatColorBox", "CatColor", "GameTitleColorBox", "GameTitleColor",
                             "GameListColorBox", "GameListColor", "CatApplyButton"})
        QVERIFY2(s.form->findChild<QWidget *>(QLatin1String(name)), name);
    QCOMPARE(s.form->findChild<QWidget *>("CatBarPanel")->width(), 169);
    QCOMPARE(s.form->findChild<QGroupBox *>("PlayerSelectionBox")->title(), QString("Currently selected player"));
    QCOMPARE(s.form->findChild<QGroupBox *>("PlayerBox")->title(), QString("Player picture"));
    QCOMPARE(s.form->findChild<QGroupBox *>("GamesBox")->title(), QString("Games list"));
    QCOMPARE(s.form->findChild<QLabel *>("MainRightPanel")->text(),
             QString("No games available. To add a game, please press the \"+\" button."));
    QCOMPARE(button(s, "GameRenameButton")->toolTip(), QString("Rename game"));
    QCOMPARE(button(s, "GameAddButton")->accessibleName(), QString("Add new game"));
    QCOMPARE(button(s, "GameDeleteButton")->toolTip(), QString("Delete game"));
    QVERIFY(!button(s, "GameDeleteButton")->isEnabled());
    QVERIFY(!gameAreaShown(s));
    auto *inner = s.form->findChild<QTabWidget *>("EnterControl");
    QCOMPARE(inner->count(), 3);
    QCOMPARE((QStringList{inner->tabText(0), inner->tabText(1), inner->tabText(2)}),
             (QStringList{"Records", "Top List", "Category"}));
    QCOMPARE(button(s, "CatApplyButton")->toolTip(), QString("Apply settings"));
    for (int n = 1; n <= 5; ++n) {
        CategoryPanel *panel = s.form->CategoryPanelOf(n);
        QCOMPARE(panel->objectName(), QString("CategoryPanel%1").arg(n));
        QCOMPARE(panel->height(), 16);
        QCOMPARE(panel->text(), QString("Category %1").arg(n));
        QCOMPARE(panel->colorValue(), DefaultCategoryColor(n));
        QCOMPARE(panel->focusPolicy(), Qt::StrongFocus);
    }
    QCOMPARE(s.form->CategoryPanelOf(0), s.form->CategoryPanelOf(1));
    QCOMPARE(s.form->CategoryPanelOf(6), s.form->CategoryPanelOf(1));
    // The Category page shows category 1.
    QCOMPARE(page(s).categoryPage().catTitleEdit()->text(), QString("Category 1"));
    QCOMPARE(page(s).categoryPage().gameTitleColor()->colorValue(), DefaultTitleFieldColor);
    QCOMPARE(page(s).titleColor(), DefaultTitleFieldColor);
    QCOMPARE(page(s).categoryPage().gameListColor()->colorValue(), DefaultGamesListColor);
}

void GamesListTest::addGame_data()
{
    QTest::addColumn<QStringList>("category1"); // games added to category 1 first
    QTest::addColumn<int>("category");          // where the new game goes
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected"); // the games list afterwards
    QTest::addColumn<bool>("refused");

    QTest::newRow("new name") << QStringList{"Chess"} << 1 << "Go" << QStringList{"Chess", "Go"} << false;
    QTest::newRow("other case refused") << QStringList{"Chess"} << 1 << "cHESS" << QStringList{"Chess"} << true;
    QTest::newRow("same name in other category") << QStringList{"Chess"} << 2 << "Chess" << QStringList{"Chess"} << false;
    QTest::newRow("blanks trimmed") << QStringList{"Chess"} << 1 << "  Go\t" << QStringList{"Chess", "Go"} << false;
    QTest::newRow("trimmed duplicate refused") << QStringList{"Chess"} << 1 << " chess " << QStringList{"Chess"} << true;
    QTest::newRow("cancel") << QStringList{"Chess"} << 1 << "" << QStringList{"Chess"} << false;
    QTest::newRow("blanks only") << QStringList{"Chess"} << 1 << "   " << QStringList{"Chess"} << false;
}

void GamesListTest::addGame()
{
    QFETCH(QStringList, category1);
    QFETCH(int, category);
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    QFETCH(bool, refused);

    TempProgramDir dir;
    StartedWindow s(dir);
    for (const QString &name : category1)
        ::addGame(s, name);
    clickCategory(s, category);
    s.dialogs.clearLog();
    s.dialogs.answer(typed);
    if (refused)
        s.dialogs.answer(true); // the information box
    button(s, "GameAddButton")->click();

    QCOMPARE(s.dialogs.askedOf("inputText").first().text, QString("Please enter game name:"));
    QCOMPARE(gameNames(s), expected);
    if (refused) {
        QCOMPARE(s.dialogs.messages(), QStringList{"Game already exists."});
        QCOMPARE(s.dialogs.askedOf("msgBox").first().extra, QString("i"));
    } else {
        QVERIFY(s.dialogs.messages().isEmpty());
    }
    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(s.form->currentCategory(), category);
    const QString added = typed.trimmed();
    if (!refused && !added.isEmpty()) {
        // The new game is selected and shown.
        QCOMPARE(page(s).title(), added);
        QCOMPARE(page(s).selectedGameIndex(), gameIndexOf(s, added));
        QCOMPARE(s.form->player().dataView.game(category, gameIndexOf(s, added)).text, added);
        QVERIFY(gameAreaShown(s));
        QVERIFY(button(s, "GameDeleteButton")->isEnabled());
    }
}

void GamesListTest::renameGame_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("refused");

    QTest::newRow("new name") << "Chess" << "Backgammon" << QStringList{"Backgammon", "Go", "Poker"} << false;
    QTest::newRow("own name in other case") << "Chess" << "CHESS" << QStringList{"Chess", "Go", "Poker"} << true;
    QTest::newRow("other game in other case") << "Chess" << "go" << QStringList{"Chess", "Go", "Poker"} << true;
    QTest::newRow("trimmed") << "Poker" << "  Canasta " << QStringList{"Canasta", "Chess", "Go"} << false;
    QTest::newRow("cancel") << "Chess" << "" << QStringList{"Chess", "Go", "Poker"} << false;
}

void GamesListTest::renameGame()
{
    QFETCH(QString, selected);
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    QFETCH(bool, refused);

    TempProgramDir dir;
    StartedWindow s(dir);
    for (const char *name : {"Chess", "Go", "Poker"})
        ::addGame(s, name);
    selectGame(s, selected);
    const int index = gameIndexOf(s, selected);
    s.dialogs.clearLog();
    s.dialogs.answer(typed);
    if (refused)
        s.dialogs.answer(true); // the information box
    button(s, "GameRenameButton")->click();

    QCOMPARE(s.dialogs.askedOf("inputText").first().text, QString("Please enter new name:"));
    QCOMPARE(gameNames(s), expected);
    QCOMPARE(s.dialogs.messages(), refused ? QStringList{"Game already exists."} : QStringList());
    const QString now = refused || typed.isEmpty() ? selected : typed.trimmed();
    QCOMPARE(s.form->player().dataView.game(1, index).text, now);
    QCOMPARE(gameIndexOf(s, now), index);
    QCOMPARE(page(s).selectedGameIndex(), index); // the renamed game stays selected
    QCOMPARE(page(s).title(), now);
}

void GamesListTest::renameWithoutSelectionAsksNothing()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    ::addGame(s, "Chess");
    clickCategory(s, 2);
    s.dialogs.clearLog();
    QVERIFY(button(s, "GameRenameButton")->isEnabled());
    button(s, "GameRenameButton")->click();
    QVERIFY(s.dialogs.asked().isEmpty());
    QCOMPARE(s.form->player().dataView.game(1, 0).text, QString("Chess"));
}

void GamesListTest::deleteFreesSlotWithoutShifting()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    for (const char *name : {"Alpha", "Beta", "Gamma"})
        ::addGame(s, name);
    const int alpha = gameIndexOf(s, "Alpha");
    const int beta = gameIndexOf(s, "Beta");
    const int gamma = gameIndexOf(s, "Gamma");
    QCOMPARE((QSet<int>{alpha, beta, gamma}), (QSet<int>{0, 1, 2}));

    selectGame(s, "Beta");
    s.dialogs.clearLog();
    s.dialogs.answerYes();
    button(s, "GameDeleteButton")->click();
    QCOMPARE(s.dialogs.messages(), QStringList{"Are you sure?"});
    QCOMPARE(s.dialogs.askedOf("msgBox").first().extra, QString("c"));
    QCOMPARE(gameNames(s), (QStringList{"Alpha", "Gamma"}));
    QCOMPARE(gameIndexOf(s, "Alpha"), alpha);
    QCOMPARE(gameIndexOf(s, "Gamma"), gamma);
    QCOMPARE(s.form->player().dataView.game(1, beta).text, QString());
    // The first remaining game is shown.
    QCOMPARE(page(s).title(), QString("Alpha"));
    QCOMPARE(page(s).selectedGameIndex(), alpha);

    ::addGame(s, "Delta");
    QCOMPARE(gameIndexOf(s, "Delta"), beta);
    QCOMPARE(gameIndexOf(s, "Alpha"), alpha);
    QCOMPARE(gameIndexOf(s, "Gamma"), gamma);
    QCOMPARE(gameNames(s), (QStringList{"Alpha", "Delta", "Gamma"}));
}

void GamesListTest::deleteAskedNoKeepsGame()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    ::addGame(s, "Chess");
    s.dialogs.answerNo();
    button(s, "GameDeleteButton")->click();
    QCOMPARE(gameNames(s), QStringList{"Chess"});
    QCOMPARE(s.form->player().dataView.game(1, 0).text, QString("Chess"));
    QVERIFY(gameAreaShown(s));
}

void GamesListTest::deleteLastGameHidesGameArea()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    ::addGame(s, "Chess");
    QList<StoredRecord> records{{"120", "37927", ""}};
    s.form->session().storeRecords({1, 0}, records);
    s.form->FillGamesList();
    QCOMPARE(page(s).recordsPage().records().size(), 1);
    s.form->findChild<QLineEdit *>("PointsEdit")->setText("77");
    QVERIFY(gameAreaShown(s));
    s.dialogs.answerYes();
    button(s, "GameDeleteButton")->click();
    QVERIFY(gameNames(s).isEmpty());
    QVERIFY(page(s).recordsPage().records().isEmpty());
    QCOMPARE(s.form->findChild<QLineEdit *>("PointsEdit")->text(), QString());
    QVERIFY(!gameAreaShown(s));
    QCOMPARE(page(s).title(), QString());
    QVERIFY(!button(s, "GameDeleteButton")->isEnabled());
    QVERIFY(s.dialogs.errors().isEmpty());
}

void GamesListTest::categoryStacking_data()
{
    QTest::addColumn<int>("k");
    for (int k = 1; k <= 5; ++k)
        QTest::addRow("category %d", k) << k;
}

void GamesListTest::categoryStacking()
{
    QFETCH(int, k);
    TempProgramDir dir;
    StartedWindow s(dir);
    if (k != 1)
        clickCategory(s, 5); // start from another layout
    clickCategory(s, k);
    QCOMPARE(s.form->currentCategory(), k);

    auto *bar = s.form->findChild<QWidget *>("CatBarPanel");
    auto *box = s.form->findChild<QWidget *>("GamesBox");
    const int pictureBottom = s.form->findChild<QWidget *>("PlayerBox")->geometry().bottom();
    int expectedTop = pictureBottom + 1;
    for (int n = 1; n <= k; ++n) {
        const QRect r = s.form->CategoryPanelOf(n)->geometry();
        QCOMPARE(r.top(), expectedTop);
        expectedTop = r.bottom() + 1;
    }
    QCOMPARE(box->geometry().top(), expectedTop);
    int expectedBottom = bar->height() - 1;
    for (int n = 5; n > k; --n) {
        const QRect r = s.form->CategoryPanelOf(n)->geometry();
        QCOMPARE(r.bottom(), expectedBottom);
        expectedBottom = r.top() - 1;
    }
    QCOMPARE(box->geometry().bottom(), expectedBottom);
    for (int n = 1; n <= 5; ++n)
        QCOMPARE(s.form->CategoryPanelOf(n)->isBold(), n == k);
    // The games box and the game area take the category's colour.
    const QColor color = ColorValue::toColor(s.form->CategoryPanelOf(k)->colorValue());
    QCOMPARE(box->palette().color(QPalette::Window), color);
    QCOMPARE(s.form->findChild<QWidget *>("MainRightPanel")->palette().color(QPalette::Window), color);
}

void GamesListTest::categoryPanelWithKeyboard()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    s.form->session().addGame(4, "Skat");
    CategoryPanel *panel = s.form->CategoryPanelOf(4);
    panel->setFocus();
    QTest::keyClick(panel, Qt::Key_Space);
    QCOMPARE(s.form->currentCategory(), 4);
    QCOMPARE(gameNames(s), QStringList{"Skat"});
    QCOMPARE(page(s).title(), QString("Skat"));
    QTest::keyClick(s.form->CategoryPanelOf(5), Qt::Key_Return);
    QCOMPARE(s.form->currentCategory(), 5);
}

void GamesListTest::emptyCategoryHidesGameArea()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    ::addGame(s, "Chess");
    QVERIFY(gameAreaShown(s));
    clickCategory(s, 3);
    QVERIFY(gameNames(s).isEmpty());
    QVERIFY(!gameAreaShown(s));
    QCOMPARE(page(s).title(), QString());
    clickCategory(s, 1);
    QCOMPARE(page(s).title(), QString("Chess"));
    QVERIFY(gameAreaShown(s));
}

void GamesListTest::applyCategoryName()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    clickCategory(s, 2);
    CategoryPage &cat = page(s).categoryPage();
    cat.catTitleEdit()->setText("Card games");
    s.dialogs.answerColor(255);
    QTest::mouseClick(cat.catColor(), Qt::LeftButton);
    s.dialogs.answerColor(65280);
    QTest::mouseClick(cat.gameListColor(), Qt::LeftButton);
    QVERIFY(button(s, "CatApplyButton")->isEnabled());
    button(s, "CatApplyButton")->click();
    QVERIFY(s.dialogs.errors().isEmpty());

    QCOMPARE(s.form->CategoryPanelOf(2)->text(), QString("Card games"));
    QCOMPARE(s.form->CategoryPanelOf(2)->colorValue(), 255);
    QCOMPARE(s.form->CategoryPanelOf(1)->text(), QString("Category 1"));
    const RowList &list = s.form->player().catListView;
    QCOMPARE(list[1], (ListRow{"Card games", {"255", QString::number(DefaultTitleFieldColor), "65280"}}));
    QCOMPARE(list[0].caption, QString("Category 1"));
    QCOMPARE(page(s).gamesListView()->palette().color(QPalette::Base), ColorValue::toColor(65280));
    // Drawn in it too: the list's empty area shows the colour.
    QWidget *listArea = page(s).gamesListView()->viewport();
    const QImage drawn = listArea->grab().toImage();
    QCOMPARE(drawn.pixelColor(drawn.width() / 2, drawn.height() - 3), ColorValue::toColor(65280));
    QCOMPARE(s.form->findChild<QWidget *>("GamesBox")->palette().color(QPalette::Window), ColorValue::toColor(255));

    // Kept in the player file.
    ::addGame(s, "Skat");
    QVERIFY(s.exit());
    StartedWindow again(dir);
    QCOMPARE(again.form->player().catListView[1].caption, QString("Card games"));
    QCOMPARE(again.form->CategoryPanelOf(2)->text(), QString("Card games"));
    QCOMPARE(again.form->CategoryPanelOf(2)->colorValue(), 255);
}

void GamesListTest::applyNeedsName()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    QLineEdit *edit = page(s).categoryPage().catTitleEdit();
    edit->clear();
    QVERIFY(!button(s, "CatApplyButton")->isEnabled());
    edit->setText("x");
    QVERIFY(button(s, "CatApplyButton")->isEnabled());
}

void GamesListTest::colorDialogCancelChangesNothing_data()
{
    QTest::addColumn<QString>("swatch");
    QTest::newRow("category") << "CatColor";
    QTest::newRow("title field") << "GameTitleColor";
    QTest::newRow("games list") << "GameListColor";
}

void GamesListTest::colorDialogCancelChangesNothing()
{
    QFETCH(QString, swatch);
    TempProgramDir dir;
    StartedWindow s(dir);
    auto *pressed = s.form->findChild<ColorSwatch *>(swatch);
    const qint32 before = pressed->colorValue();
    const RowList categories = s.form->player().catListView;
    const qint32 panel = s.form->CategoryPanelOf(1)->colorValue();
    s.dialogs.cancelColor();
    QTest::mouseClick(pressed, Qt::LeftButton);
    QCOMPARE(s.dialogs.askedOf("color").size(), 1);
    QCOMPARE(s.dialogs.askedOf("color").first().text, QString("0")); // black before the first confirmed colour
    QCOMPARE(pressed->colorValue(), before);
    QCOMPARE(s.form->player().catListView, categories);
    QCOMPARE(s.form->CategoryPanelOf(1)->colorValue(), panel);

    // A confirmed colour changes only the swatch until Apply, and the next dialog starts with it.
    s.dialogs.answerColor(123456);
    QTest::mouseClick(pressed, Qt::LeftButton);
    QCOMPARE(pressed->colorValue(), 123456);
    QCOMPARE(s.form->player().catListView, categories);
    QCOMPARE(s.form->CategoryPanelOf(1)->colorValue(), panel);
    s.dialogs.cancelColor();
    QTest::mouseClick(pressed, Qt::LeftButton);
    QCOMPARE(s.dialogs.askedOf("color").last().text, QString("123456"));
}

void GamesListTest::rowsSortedByLocale()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    for (const char *name : {"Zebra", "apple", "\xc3\x84pfel", "Birne", "2 Dice", "10 Pins", "\xc3\xa9" "clair"})
        ::addGame(s, QString::fromUtf8(name));
    QVERIFY(s.dialogs.messages().isEmpty());
    // Letters in alphabet order whatever their case and accents; digits compared as text.
    QCOMPARE(gameNames(s), (QStringList{"10 Pins", "2 Dice", QString::fromUtf8("\xc3\x84pfel"), "apple", "Birne",
                                       QString::fromUtf8("\xc3\xa9" "clair"), "Zebra"}));
}

void GamesListTest::renameResorts()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    for (const char *name : {"Bridge", "Chess", "Darts"})
        ::addGame(s, name);
    selectGame(s, "Bridge");
    s.dialogs.answer("Yahtzee");
    button(s, "GameRenameButton")->click();
    QCOMPARE(gameNames(s), (QStringList{"Chess", "Darts", "Yahtzee"}));
    QCOMPARE(page(s).gamesListView()->selectedRow(), 2);
    s.dialogs.answer("Abalone");
    button(s, "GameRenameButton")->click();
    QCOMPARE(gameNames(s), (QStringList{"Abalone", "Chess", "Darts"}));
    QCOMPARE(page(s).gamesListView()->selectedRow(), 0);
    s.dialogs.answer("Cribbage");
    button(s, "GameRenameButton")->click();
    QCOMPARE(gameNames(s), (QStringList{"Chess", "Cribbage", "Darts"}));
    QCOMPARE(page(s).gamesListView()->selectedRow(), 1);
}

void GamesListTest::iconByPictureIndex()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    PlayerSession &session = s.form->session();
    session.addGame(1, "Plain");
    session.addGame(1, "Pictured");
    const int pictured = session.data().dataView.game(1, 0).text == "Pictured" ? 0 : 1;
    const int plain = 1 - pictured;
    QCOMPARE(session.setGamePicture({1, pictured}, QByteArray()), 0); // picture line 0
    s.form->FillGamesList();
    GamesListModel *model = page(s).gamesModel();
    QCOMPARE(gameNames(s), (QStringList{"Pictured", "Plain"}));
    QCOMPARE(model->index(0).data(GamesListModel::IconIndexRole).toInt(), 1);
    QCOMPARE(model->index(1).data(GamesListModel::IconIndexRole).toInt(), 0);
    QCOMPARE(model->index(0).data(GamesListModel::PicIndexRole).toString(), QString("0"));
    QCOMPARE(model->index(1).data(GamesListModel::GameIndexRole).toInt(), plain);
    const QIcon withPicture = model->index(0).data(Qt::DecorationRole).value<QIcon>();
    const QIcon without = model->index(1).data(Qt::DecorationRole).value<QIcon>();
    QVERIFY(!withPicture.isNull() && !without.isNull());
    QVERIFY(withPicture.pixmap(16).toImage() != without.pixmap(16).toImage());
    // Rows are read-only.
    QVERIFY(!(model->flags(model->index(0)) & Qt::ItemIsEditable));
}

void GamesListTest::keyReleaseShowsSelectedGame()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    for (const char *name : {"Bridge", "Chess"})
        ::addGame(s, name);
    selectGame(s, "Bridge");
    GamesListView *list = page(s).gamesListView();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->selectedRow(), 1);
    QCOMPARE(page(s).title(), QString("Chess"));
}

void GamesListTest::shownGameIsSelectedGame_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("shown"); // the game shown and selected afterwards

    // The list holds Alpha, Beta, Delta, Gamma; Alpha is shown at first.
    QTest::newRow("click") << "click:Delta" << "Delta";
    QTest::newRow("press, drag, release on another") << "press:Alpha move:Beta release:Beta" << "Beta";
    QTest::newRow("press on one, drag over two") << "press:Beta move:Delta move:Gamma release:Gamma" << "Gamma";
    QTest::newRow("press, release outside") << "press:Beta release:outside" << "Beta";
    QTest::newRow("press, drag out of the list") << "press:Beta move:Delta move:outside release:outside" << "Delta";
    QTest::newRow("drag away and back") << "press:Alpha move:Gamma move:Alpha release:Alpha" << "Alpha";
    QTest::newRow("press and release on the empty area") << "press:empty release:empty" << "Alpha";
    QTest::newRow("press on the empty area, release on a row") << "press:empty release:Beta" << "Alpha";
    QTest::newRow("ctrl+click on the shown game keeps it") << "ctrl+click:Alpha" << "Alpha";
    QTest::newRow("ctrl+click on another") << "ctrl+click:Beta" << "Beta";
    QTest::newRow("ctrl+Space keeps the shown game") << "key:ctrl+Space" << "Alpha";
    QTest::newRow("Down") << "key:Down" << "Beta";
    QTest::newRow("Down, Down, Up") << "key:Down key:Down key:Up" << "Beta";
    QTest::newRow("End") << "key:End" << "Gamma";
    QTest::newRow("End, Home") << "key:End key:Home" << "Alpha";
    QTest::newRow("PageDown") << "key:PageDown" << "Gamma";
    QTest::newRow("Up on the first row") << "key:Up" << "Alpha";
    QTest::newRow("program's selectRow") << "selectRow:2" << "Delta";
    QTest::newRow("mouse, then keys") << "press:Beta move:Delta release:outside key:Down" << "Gamma";
}

// The records page stores only into the game whose name and records it shows.
void GamesListTest::shownGameIsSelectedGame()
{
    QFETCH(QString, steps);
    QFETCH(QString, shown);

    TempProgramDir dir;
    StartedWindow s(dir);
    s.form->resize(900, 700);
    QVERIFY(QTest::qWaitForWindowExposed(s.form.get()));
    const QHash<QString, QString> ownPoints{{"Alpha", "100"}, {"Beta", "200"}, {"Delta", "400"}, {"Gamma", "300"}};
    for (const char *name : {"Alpha", "Beta", "Gamma", "Delta"}) {
        ::addGame(s, name);
        addRecord(s, ownPoints.value(name), 40000);
    }
    selectGame(s, "Alpha");
    QCOMPARE(page(s).title(), QString("Alpha"));
    QVERIFY(page(s).gamesListView()->viewport()->height() > 5 * page(s).gamesListView()->sizeHintForRow(0));

    playOnGamesList(s, steps);
    QVERIFY(s.dialogs.errors().isEmpty());

    const int game = gameIndexOf(s, shown);
    QCOMPARE(page(s).title(), shown);
    QCOMPARE(page(s).selectedGameIndex(), game);
    QCOMPARE(gameNames(s).value(page(s).gamesListView()->selectedRow()), shown);
    QCOMPARE(shownPoints(s), QStringList{ownPoints.value(shown)});
    QCOMPARE(shownPoints(s), storedPoints(s, game));

    addRecord(s, "777", 40001);
    QVERIFY(s.dialogs.errors().isEmpty());
    for (const QString &name : ownPoints.keys()) {
        const QStringList expected = name == shown ? QStringList{"777", ownPoints.value(name)}
                                                   : QStringList{ownPoints.value(name)};
        QCOMPARE(storedPoints(s, gameIndexOf(s, name)), expected);
    }
    QCOMPARE(shownPoints(s), storedPoints(s, game));
}

// A click on the row already shown shows its game again, which empties the entry fields.
void GamesListTest::clickOnShownGameShowsItAgain()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    QVERIFY(QTest::qWaitForWindowExposed(s.form.get()));
    for (const char *name : {"Bridge", "Chess"})
        ::addGame(s, name);
    selectGame(s, "Chess");
    s.dialogs.answer(QString("450"));
    button(s, "NumEditButton")->click();
    auto *points = s.form->findChild<QLineEdit *>("PointsEdit");
    QCOMPARE(points->text(), QString("450"));
    playOnGamesList(s, "click:Chess");
    QCOMPARE(page(s).title(), QString("Chess"));
    QCOMPARE(points->text(), QString());
    // A click that moves the selection shows the other game.
    playOnGamesList(s, "click:Bridge");
    QCOMPARE(page(s).title(), QString("Bridge"));
}

void GamesListTest::progressBarRange()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    auto *progress = s.form->findChild<QProgressBar *>("ProgBar");
    // No category nodes before the first game: finished work, a full bar, never a busy one.
    QCOMPARE(progress->maximum(), 1);
    QCOMPARE(progress->value(), 1);
    ::addGame(s, "Chess");
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 5);
    QCOMPARE(progress->value(), 5);
}

void GamesListTest::categoryBarSide()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    auto *bar = s.form->findChild<QWidget *>("CatBarPanel");
    auto *area = s.form->findChild<QWidget *>("MainRightPanel");
    QTRY_VERIFY(bar->x() < area->x());
    s.form->placeCategoryBar(1);
    QTRY_VERIFY(bar->x() > area->x());
    QCOMPARE(bar->geometry().right() + 4 + 1, s.form->findChild<QWidget *>("MaintenanceSheet")->width());
    QCOMPARE(s.form->categoryBarPosition(), 1);
    s.form->placeCategoryBar(0);
    QTRY_VERIFY(bar->x() < area->x());
}

void GamesListTest::gamesListSurvivesRestart()
{
    TempProgramDir dir;
    {
        StartedWindow s(dir);
        for (const char *name : {"Go", "Chess"})
            ::addGame(s, name);
        clickCategory(s, 2);
        ::addGame(s, "Poker");
        QVERIFY(s.exit());
    }
    StartedWindow again(dir);
    QVERIFY(again.dialogs.errors().isEmpty());
    QCOMPARE(again.form->currentCategory(), 1);
    QCOMPARE(gameNames(again), (QStringList{"Chess", "Go"}));
    QCOMPARE(page(again).title(), QString("Chess")); // the first game is shown
    QVERIFY(gameAreaShown(again));
    clickCategory(again, 2);
    QCOMPARE(gameNames(again), QStringList{"Poker"});
}

void GamesListTest::scoresKeptThroughTheWindowsAcrossRestart()
{
    TempProgramDir dir;
    {
        StartedWindow s(dir);
        ::addGame(s, "Chess");
        for (const auto &[points, date, comment] : {std::tuple{"120", 37927, ""}, std::tuple{"250", 38124, "won on time"},
                                                    std::tuple{"80", 36526, "blitz"}}) {
            s.dialogs.answer(QString(points));
            button(s, "NumEditButton")->click();
            s.dialogs.answer(date);
            button(s, "DateEditButton")->click();
            auto *commentEdit = s.form->findChild<QLineEdit *>("RecCommentEdit");
            commentEdit->setText(QString(comment));
            QTest::keyClick(commentEdit, Qt::Key_Return);
        }
        auto *memo = s.form->findChild<QPlainTextEdit *>("GameCommentMemo");
        memo->setPlainText("Blitz\nClubhouse");
        button(s, "GameCommentAddButton")->click();
        QVERIFY(s.dialogs.errors().isEmpty());
        QVERIFY(s.exit());
    }
    StartedWindow again(dir);
    QVERIFY(again.dialogs.errors().isEmpty());
    const RowList &records = page(again).recordsPage().records();
    QStringList shown;
    for (const ListRow &row : records)
        shown << row.caption + "/" + row.subItem(2) + "/" + row.subItem(1);
    QCOMPARE(shown, (QStringList{"250/38124/won on time", "120/37927/", "80/36526/blitz"}));
    QCOMPARE(again.form->findChild<QPlainTextEdit *>("GameCommentMemo")->toPlainText(), QString("Blitz\nClubhouse"));
}

void GamesListTest::germanScriptReachesControls()
{
    TempProgramDir dir;
    QFile::copy(QStringLiteral(TALLIMO_DATA "/LScripts/German.lng"), dir.file("LScripts/German.lng"));
    QFile::copy(QStringLiteral(TALLIMO_DATA "/LScripts/English.lng"), dir.file("LScripts/English.lng"));
    StartedWindow s(dir, "German");
    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(s.form->findChild<QGroupBox *>("GamesBox")->title(), QString("Spieleliste"));
    QCOMPARE(s.form->findChild<QGroupBox *>("CatPropertyBox")->title(), QString("Eigenschaften"));
    QCOMPARE(s.form->findChild<QGroupBox *>("GameListColorBox")->title(), QString("Farbe der Spieleliste"));
    QCOMPARE(button(s, "GameAddButton")->accessibleName(), QString::fromUtf8("Neues Spiel hinzuf\xc3\xbcgen"));
    QCOMPARE(s.form->findChild<QTabWidget *>("EnterControl")->tabText(2), QString("Kategorie"));
    // The game prompts come from the script as well; the rename prompt stays fixed.
    s.dialogs.clearLog();
    ::addGame(s, "Skat");
    s.dialogs.answer("Doppelkopf");
    button(s, "GameRenameButton")->click();
    const auto prompts = s.dialogs.askedOf("inputText");
    QCOMPARE(prompts.size(), 2);
    QVERIFY(prompts[0].text != QString("Please enter game name:"));
    QCOMPARE(prompts[1].text, QString("Please enter new name:"));
}

void GamesListTest::longGameNameEndsInEllipsisWithWholeTooltip()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    const QString longName = QStringLiteral("A Game Whose Name Runs On Far Beyond What The Narrow List Can Show, Part Two");
    ::addGame(s, "Chess");
    ::addGame(s, longName);
    QCoreApplication::processEvents();
    GamesListView *list = page(s).gamesListView();
    const int shortRow = page(s).gamesModel()->findName("Chess", Qt::CaseSensitive);
    const int longRow = page(s).gamesModel()->findName(longName, Qt::CaseSensitive);
    QVERIFY(list->textElideMode() == Qt::ElideRight);
    QVERIFY(!list->rowCut(shortRow));
    QCOMPARE(list->rowToolTip(shortRow), QString());
    QVERIFY(list->rowCut(longRow));
    QCOMPARE(list->rowToolTip(longRow), longName);
    // The row ends at the list's edge; no scrolling sideways.
    QVERIFY(list->visualRect(page(s).gamesModel()->index(longRow)).right() < list->viewport()->width());
    QVERIFY(!list->horizontalScrollBar()->isVisible());

    // A pointer resting on the rows gets the whole name on the cut one only.
    for (const auto &[row, tip] : {std::pair{longRow, longName}, std::pair{shortRow, QString()}}) {
        QToolTip::hideText();
        const QPoint at = list->visualRect(page(s).gamesModel()->index(row)).center();
        QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &help);
        QCOMPARE(help.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
    }
    QToolTip::hideText();
}

void GamesListTest::gamesListKeysRunTheGameButtons()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    ::addGame(s, "Chess");
    s.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.form.get()));
    GamesListView *list = page(s).gamesListView();
    list->setFocus();

    // Insert adds a game as the add button does.
    s.dialogs.clearLog();
    s.dialogs.answer(QStringLiteral("Go"));
    QTest::keyClick(list, Qt::Key_Insert);
    QCOMPARE(s.dialogs.askedOf("inputText").first().text, QString("Please enter game name:"));
    QCOMPARE(gameNames(s), (QStringList{"Chess", "Go"}));
    QCOMPARE(page(s).title(), QString("Go"));

    // F2 renames the selected game.
    s.dialogs.clearLog();
    s.dialogs.answer(QStringLiteral("Goban"));
    QTest::keyClick(list, Qt::Key_F2);
    QCOMPARE(s.dialogs.askedOf("inputText").size(), 1);
    QCOMPARE(gameNames(s), (QStringList{"Chess", "Goban"}));

    // Delete asks first; No keeps the game, Yes deletes it.
    s.dialogs.clearLog();
    s.dialogs.answerNo();
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(s.dialogs.messages(), QStringList{"Are you sure?"});
    QCOMPARE(gameNames(s), (QStringList{"Chess", "Goban"}));
    s.dialogs.answerYes();
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(gameNames(s), QStringList{"Chess"});
    QCOMPARE(s.dialogs.pendingAnswers(), 0);
}

QTEST_MAIN(GamesListTest)
#include "test_games_list.moc"
