#include "platform/ColorValue.h"
#include "platform/ProfileFile.h"
#include "platform/RadioGroup.h"
#include "services/AboutPage.h"
#include "services/ColorSwatch.h"
#include "services/MessDlg.h"
#include "services/OptionsPage.h"
#include "services/Settings.h"
#include "services/TransProg.h"
#include "store/CommaText.h"
#include "keeping/CategoryPage.h"
#include "keeping/CategoryPanel.h"
#include "keeping/MaintenancePage.h"
#include "keeping/PlayerPanel.h"
#include "support/StartedWindow.h"
#include "support/StoredPlayers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTest>

#include <functional>

// The settings spelled out when a comparison fails; the names last, where a long text is cut.
char *toString(const ProgramSettings &s)
{
    QStringList options;
    for (bool ticked : s.options)
        options.append(QString::number(ticked));
    const QStringList names(s.playerNames.begin(), s.playerNames.end());
    const QString text = QStringLiteral("%1 | options %2 | alternating %3 | lines %4,%5 | day %6 | messages %7,%8"
                                        " | window %9 (%10,%11) maximized %12 | bar %13 | names %14")
                             .arg(s.language, options.join(u','))
                             .arg(int(s.alternatingLines))
                             .arg(s.lineColor1)
                             .arg(s.lineColor2)
                             .arg(s.firstWeekday)
                             .arg(s.msgStartColor)
                             .arg(s.msgEndColor)
                             .arg(s.windowColor)
                             .arg(s.windowPosition.x())
                             .arg(s.windowPosition.y())
                             .arg(int(s.maximized))
                             .arg(s.categoryPosition)
                             .arg(names.join(u'|'));
    return QTest::toString(text);
}

using SettingsChange = std::function<void(ProgramSettings &)>;
Q_DECLARE_METATYPE(SettingsChange)

namespace {

// A screen that no test machine has, so a default computed from it shows.
constexpr QSize TestScreen{1000, 800};

const char *const GermanScript = "[Captions]\r\n"
                                 "Player=Spieler\r\n"
                                 "Category=Kategorie\r\n"
                                 "OK=Gut\r\n"
                                 "Yes=Ja\r\n"
                                 "Points=Punkte\r\n"
                                 "Best=Beste\r\n"
                                 "[Messages]\r\n"
                                 "Do you really want to exit the program?=Wirklich beenden?\r\n"
                                 "[MainForm]\r\n"
                                 "OptionsBox.Caption=Programmoptionen\r\n"
                                 "FirstWeekdayCombo.Items=So,Mo,Di,Mi,Do,Fr,Sa\r\n"
                                 "WindowColor.Hint=Zum \xc3\x84ndern klicken\r\n";

void writeScripts(const TempProgramDir &dir)
{
    dir.write("LScripts/English.lng", "[Captions]\r\n");
    dir.write("LScripts/German.lng", GermanScript);
}

void writeSettings(const TempProgramDir &dir, const QByteArray &lines, const QByteArray &language = "English.lng")
{
    dir.write("Data/TALLIMO.INI", "[Language]\r\nFile=" + language + "\r\n" + lines);
}

// A player with one game whose categories carry these names.
void savePlayerWithCategories(const TempProgramDir &dir, int player, const QStringList &names)
{
    PlayerState state;
    state.dataView.fresh();
    state.dataView.addGame(1, QStringLiteral("Chess"));
    for (int n = 1; n <= 5; ++n)
        state.catListView.append(DefaultCategoryRow(n, names.value(n - 1)));
    StoredPlayers players;
    players.save(PlayerFiles(dir.dataDir()), player, state, {});
}

QStringList storedCategoryNames(const TempProgramDir &dir, int player)
{
    PlayerState state;
    StoredPlayers players;
    players.load(PlayerFiles(dir.dataDir()), player, state);
    const std::array<QString, 5> names = StoredPlayers::captions(state);
    return QStringList(names.begin(), names.end());
}

QStringList panelCaptions(StartedWindow &s)
{
    QStringList captions;
    for (int n = 1; n <= 5; ++n)
        captions.append(s.form->CategoryPanelOf(n)->text());
    return captions;
}

// The default position: a window of the given size centred on the screen.
QPoint centredPosition(QSize window)
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    return {screen.width() / 2 - window.width() / 2, screen.height() / 2 - window.height() / 2};
}

void selectLanguageByMouse(StartedWindow &s, const QString &entry)
{
    s.form->findChild<QTabWidget *>("GameControl")->setCurrentWidget(s.form->findChild<QWidget *>("OptionsSheet"));
    QListWidget *list = s.options().lngListBox();
    const QList<QListWidgetItem *> found = list->findItems(entry, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartAsksLanguage_data();
    void firstStartAsksLanguage();
    void firstStartChoiceKeptWhenItCannotBeStored();
    void defaultsWithoutSettingsFile();
    void defaultPlayerNamesComeFromTheScript();
    void exitWritesBooleansAndSignedColours();
    void storedValues_data();
    void storedValues();
    void optionsSurviveRestart();
    void maximizedStateSurvivesRestart();
    void exitOptionSkipsQuestionAndSaves();
    void exitQuestionAndTextsFromScript();
    void failedSettingsWriteAtExitStillCloses();
    void missingScriptKeepsStoredLanguage();
    void changeOfLanguageChangesOnlyTexts();
    void failedChangeOfLanguageKeepsLanguage();
    void defaultCategoryNamesFollowTheLanguage();
    void donationTextByExactLanguageEntry_data();
    void donationTextByExactLanguageEntry();
    void defaultsFollowScreenAndLanguage();
    void everyEntryRoundTrips_data();
    void everyEntryRoundTrips();
    void unreadableStoredValueReadsAsDefault_data();
    void unreadableStoredValueReadsAsDefault();
    void optionsPageHandsBackWhatItWasGiven_data();
    void optionsPageHandsBackWhatItWasGiven();
};

void SettingsTest::firstStartAsksLanguage_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("stored");
    QTest::newRow("German chosen") << "German" << "German.lng";
    QTest::newRow("first entry taken") << "English" << "English.lng";
    QTest::newRow("closed with the close box") << "" << "English.lng";
}

void SettingsTest::firstStartAsksLanguage()
{
    QFETCH(QString, answer);
    QFETCH(QString, stored);
    TempProgramDir dir;
    writeScripts(dir);
    StartedWindow s(dir, answer);

    const QList<ScriptedDialogs::Asked> asked = s.dialogs.askedOf("selectFromList");
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().extra, QString("Please select language:"));
    QStringList choices = CommaText::toList(asked.first().text);
    choices.sort();
    QCOMPARE(choices, (QStringList{"English", "German"}));

    // Stored at once, before anything else is written.
    QCOMPARE(storedSetting(dir, "Language", "File"), stored);
    QCOMPARE(storedSetting(dir, "Player 1", "Name"), QString("<absent>"));
    QCOMPARE(ActiveScriptPath(), dir.file("LScripts/" + stored));
    QCOMPARE(s.options().selectedLanguage(), stored);
    QVERIFY(s.dialogs.errors().isEmpty());

    // A second start does not ask again.
    StartedWindow again(dir);
    QVERIFY(again.dialogs.askedOf("selectFromList").isEmpty());
    QCOMPARE(again.options().selectedLanguage(), stored);
}

void SettingsTest::firstStartChoiceKeptWhenItCannotBeStored()
{
    TempProgramDir dir;
    writeScripts(dir);
    QVERIFY(QDir(dir.dataDir()).mkdir("TALLIMO.INI")); // not a file: nothing can be written there
    StartedWindow s(dir, "German");
    QCOMPARE(s.dialogs.errors(), QStringList{"Unable to write to " + dir.file("Data/TALLIMO.INI")});
    QCOMPARE(ActiveScriptPath(), dir.file("LScripts/German.lng"));
    QCOMPARE(s.form->playerName(1), QString("Spieler 1")); // the rest of the settings were read
}

void SettingsTest::defaultsWithoutSettingsFile()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    OptionsPage &o = s.options();

    for (int n = 1; n <= 10; ++n)
        QCOMPARE(s.form->playerName(n), QString("Player %1").arg(n));
    QCOMPARE(o.optionCount(), 1);
    QVERIFY(!o.doNotShowExitDialog());
    QVERIFY(o.alternatingLines());
    QCOMPARE(o.lineColor1()->colorValue(), ColorValue::TooltipBackground);
    QCOMPARE(o.lineColor2()->colorValue(), ColorValue::Yellow);
    QCOMPARE(o.firstWeekday(), 0);
    QCOMPARE(o.firstWeekdayCombo()->currentText(), QString("Sunday"));
    QCOMPARE(o.msgStartColor()->colorValue(), ColorValue::Yellow);
    QCOMPARE(o.msgEndColor()->colorValue(), ColorValue::Fuchsia);
    QCOMPARE(GradientStartColor(), ColorValue::Yellow);
    QCOMPARE(GradientEndColor(), ColorValue::Fuchsia);
    QCOMPARE(o.windowColor()->colorValue(), ColorValue::ButtonFace);
    QCOMPARE(s.form->windowColor(), ColorValue::ButtonFace);
    QCOMPARE(s.form->palette().color(QPalette::Window), ColorValue::toColor(ColorValue::ButtonFace));
    QVERIFY(!s.form->isMaximized());
    QCOMPARE(s.form->pos(), centredPosition(s.form->size()));
    QCOMPARE(o.categoryPosition(), 0);
    QCOMPARE(s.form->categoryBarPosition(), 0);
    // No script file: every text is its English key.
    QCOMPARE(o.selectedLanguage(), QString()); // LScripts is empty
    QCOMPARE(DialogTexts(), (DialogTextSet{"OK", "Cancel", "Yes", "No", "Information", "Confirmation", "Warning", "Input"}));
    QCOMPARE(s.form->listHeaders(), (ListHeaders{{"Points", "Date", "Comment"},
                                                 {"No.", "Game", "Points", "Date", "Comment"},
                                                 {"No.", "Game", "Category"},
                                                 "Best"}));
}

void SettingsTest::defaultPlayerNamesComeFromTheScript()
{
    TempProgramDir dir;
    writeScripts(dir);
    writeSettings(dir, "[Player 2]\r\nName=Bob\r\n[Player 3]\r\nName=\r\n", "German.lng");
    StartedWindow s(dir);
    QCOMPARE(s.form->playerName(1), QString("Spieler 1"));
    QCOMPARE(s.form->playerName(2), QString("Bob"));
    QCOMPARE(s.form->playerName(3), QString()); // present but empty reads as empty
    QCOMPARE(s.form->playerName(10), QString("Spieler 10"));
}

void SettingsTest::exitWritesBooleansAndSignedColours()
{
    TempProgramDir dir;
    QSize window;
    {
        StartedWindow s(dir);
        window = s.form->size();
        QVERIFY(s.exit());
        QVERIFY(s.dialogs.errors().isEmpty());
    }
    const struct
    {
        const char *section, *key, *value;
    } expected[] = {
        {"Language", "File", "English.lng"},
        {"Player 1", "Name", "Player 1"},
        {"Player 10", "Name", "Player 10"},
        {"General options", "Option 0", "0"},
        {"Line color", "Alternating", "1"},
        {"Line color", "Color 1", "-2147483624"},
        {"Line color", "Color 2", "65535"},
        {"Week", "First day", "0"},
        {"Colors", "Messages start color", "65535"},
        {"Colors", "Messages end color", "16711935"},
        {"Window", "Color", "-2147483633"},
        {"Window", "State", "0"},
        {"Category bar", "Position", "0"},
    };
    for (const auto &e : expected)
        QCOMPARE(storedSetting(dir, e.section, e.key), QString(e.value));
    const QPoint centre = centredPosition(window);
    QCOMPARE(storedSetting(dir, "Window", "Left"), QString::number(centre.x()));
    QCOMPARE(storedSetting(dir, "Window", "Top"), QString::number(centre.y()));
    QVERIFY(dir.read("Data/TALLIMO.INI").endsWith("\r\n"));
}

void SettingsTest::storedValues_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("expected");

    QTest::newRow("weekday decimal") << QByteArray("[Week]\r\nFirst day=2") << "weekday" << 2;
    QTest::newRow("weekday 0x") << QByteArray("[Week]\r\nFirst day=0x4") << "weekday" << 4;
    QTest::newRow("weekday 0X") << QByteArray("[Week]\r\nFirst day=0X5") << "weekday" << 5;
    QTest::newRow("weekday $") << QByteArray("[Week]\r\nFirst day=$6") << "weekday" << 6;
    // 0x10 reads as 16, which is no weekday: the default Sunday.
    QTest::newRow("weekday 0x10") << QByteArray("[Week]\r\nFirst day=0x10") << "weekday" << 0;
    QTest::newRow("weekday 7") << QByteArray("[Week]\r\nFirst day=7") << "weekday" << 0;
    QTest::newRow("weekday negative") << QByteArray("[Week]\r\nFirst day=-1") << "weekday" << 0;
    QTest::newRow("weekday no number") << QByteArray("[Week]\r\nFirst day=Monday") << "weekday" << 0;
    QTest::newRow("bar right") << QByteArray("[Category bar]\r\nPosition=1") << "bar" << 1;
    QTest::newRow("bar $1") << QByteArray("[Category bar]\r\nPosition=$1") << "bar" << 1;
    QTest::newRow("bar out of range") << QByteArray("[Category bar]\r\nPosition=2") << "bar" << 0;
    QTest::newRow("alternating off") << QByteArray("[Line color]\r\nAlternating=0") << "alternating" << 0;
    QTest::newRow("alternating any number") << QByteArray("[Line color]\r\nAlternating=-7") << "alternating" << 1;
    QTest::newRow("alternating no number") << QByteArray("[Line color]\r\nAlternating=no") << "alternating" << 1;
    QTest::newRow("option ticked") << QByteArray("[General options]\r\nOption 0=1") << "option" << 1;
    QTest::newRow("option case-insensitive") << QByteArray("[GENERAL OPTIONS]\r\noption 0=1") << "option" << 1;
    QTest::newRow("window colour hex") << QByteArray("[Window]\r\nColor=$FF") << "window colour" << 255;
    QTest::newRow("window colour no number") << QByteArray("[Window]\r\nColor=red") << "window colour"
                                             << int(ColorValue::ButtonFace);
    QTest::newRow("start colour") << QByteArray("[Colors]\r\nMessages start color=-2147483643") << "start colour"
                                  << int(ColorValue::WindowBackground);
    QTest::newRow("line colour 2") << QByteArray("[Line color]\r\nColor 2=0x00FF00") << "line colour 2" << 0x00FF00;
}

void SettingsTest::storedValues()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, what);
    QFETCH(int, expected);
    TempProgramDir dir;
    writeSettings(dir, lines + "\r\n");
    StartedWindow s(dir);
    OptionsPage &o = s.options();
    int actual = -100;
    if (what == "weekday")
        actual = o.firstWeekday();
    else if (what == "bar")
        actual = s.form->categoryBarPosition() == o.categoryPosition() ? o.categoryPosition() : -1;
    else if (what == "alternating")
        actual = o.alternatingLines();
    else if (what == "option")
        actual = o.doNotShowExitDialog();
    else if (what == "window colour")
        actual = s.form->windowColor() == o.windowColor()->colorValue() ? o.windowColor()->colorValue() : -1;
    else if (what == "start colour")
        actual = GradientStartColor() == o.msgStartColor()->colorValue() ? GradientStartColor() : -1;
    else if (what == "line colour 2")
        actual = o.lineColor2()->colorValue();
    QCOMPARE(actual, expected);
}

void SettingsTest::optionsSurviveRestart()
{
    TempProgramDir dir;
    {
        StartedWindow s(dir);
        OptionsPage &o = s.options();
        o.setOption(0, true);
        o.setAlternatingLines(false);
        o.lineColor1()->setColorValue(0x112233);
        o.lineColor2()->setColorValue(ColorValue::WindowBackground);
        o.setFirstWeekday(1);
        o.msgStartColor()->setColorValue(0x0000FF);
        o.msgEndColor()->setColorValue(0x00FF00);
        o.windowColor()->setColorValue(0x808080);
        o.setCategoryPosition(1);
        s.form->setPlayerName(4, "Dora");
        s.form->move(21, 34);
        QVERIFY(s.exit());
        QVERIFY(s.dialogs.messages().isEmpty()); // the exit question is switched off
    }
    StartedWindow s(dir);
    OptionsPage &o = s.options();
    QVERIFY(o.doNotShowExitDialog());
    QVERIFY(!o.alternatingLines());
    QCOMPARE(o.lineColor1()->colorValue(), 0x112233);
    QCOMPARE(o.lineColor2()->colorValue(), ColorValue::WindowBackground);
    QCOMPARE(o.firstWeekday(), 1);
    QCOMPARE(o.msgStartColor()->colorValue(), 0x0000FF);
    QCOMPARE(o.msgEndColor()->colorValue(), 0x00FF00);
    QCOMPARE(GradientStartColor(), 0x0000FF);
    QCOMPARE(GradientEndColor(), 0x00FF00);
    QCOMPARE(s.form->windowColor(), 0x808080);
    QCOMPARE(s.form->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));
    QCOMPARE(o.categoryPosition(), 1);
    QCOMPARE(s.form->categoryBarPosition(), 1);
    QCOMPARE(s.form->playerName(4), QString("Dora"));
    QCOMPARE(s.form->playerName(5), QString("Player 5"));
    QCOMPARE(s.form->pos(), QPoint(21, 34));
    QCOMPARE(storedSetting(dir, "Week", "First day"), QString("1"));
    QCOMPARE(storedSetting(dir, "Line color", "Color 2"), QString("-2147483643"));
}

void SettingsTest::maximizedStateSurvivesRestart()
{
    TempProgramDir dir;
    {
        StartedWindow s(dir);
        s.form->showMaximized();
        QVERIFY(s.form->isMaximized());
        QVERIFY(s.exit());
    }
    QCOMPARE(storedSetting(dir, "Window", "State"), QString("1"));
    StartedWindow s(dir);
    QVERIFY(s.form->isMaximized());
}

void SettingsTest::exitOptionSkipsQuestionAndSaves()
{
    TempProgramDir dir;
    writeSettings(dir, "[General options]\r\nOption 0=1\r\n");
    StartedWindow s(dir);
    s.form->session().addGame(1, "Chess");
    s.form->setPlayerName(1, "Anna");
    QVERIFY(s.form->close()); // no answer queued: a question would fail the test
    QVERIFY(s.dialogs.messages().isEmpty());
    QVERIFY(dir.exists("Data/Records1.dat"));
    QCOMPARE(storedSetting(dir, "Player 1", "Name"), QString("Anna"));
    QCOMPARE(storedSetting(dir, "General options", "Option 0"), QString("1"));
}

void SettingsTest::exitQuestionAndTextsFromScript()
{
    TempProgramDir dir;
    writeScripts(dir);
    writeSettings(dir, "[Week]\r\nFirst day=2\r\n", "german.LNG"); // matched without regard to case
    StartedWindow s(dir);
    QCOMPARE(s.options().selectedLanguage(), QString("German.lng"));
    QCOMPARE(s.options().optionsBox()->title(), QString("Programmoptionen"));
    QCOMPARE(s.options().firstWeekdayCombo()->currentText(), QString("Di")); // translated after it was read
    QCOMPARE(s.options().windowColor()->accessibleName(), QString("Zum Ändern klicken"));
    QCOMPARE(s.form->player().catListView.first().caption, QString("Kategorie 1"));
    QCOMPARE(DialogTexts().ok, QString("Gut"));
    QCOMPARE(DialogTexts().yes, QString("Ja"));
    QCOMPARE(DialogTexts().no, QString("No"));
    QCOMPARE(s.form->listHeaders().recordColumns.first(), QString("Punkte"));
    QCOMPARE(s.form->listHeaders().topColumns.at(2), QString("Punkte"));
    QCOMPARE(s.form->listHeaders().bestCell, QString("Beste"));
    s.dialogs.answerNo();
    QVERIFY(!s.form->close());
    QCOMPARE(s.dialogs.messages(), QStringList{"Wirklich beenden?"});
}

void SettingsTest::failedSettingsWriteAtExitStillCloses()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    s.form->session().addGame(1, "Chess");
    QVERIFY(QFile::remove(dir.file("Data/TALLIMO.INI")));
    QVERIFY(QDir(dir.dataDir()).mkdir("TALLIMO.INI"));
    QVERIFY(s.exit());
    QCOMPARE(s.dialogs.errors(), QStringList{"Unable to write to " + dir.file("Data/TALLIMO.INI")});
    QVERIFY(dir.exists("Data/Records1.dat")); // the player's data was saved first
}

void SettingsTest::missingScriptKeepsStoredLanguage()
{
    TempProgramDir dir;
    dir.write("LScripts/English.lng", "");
    writeSettings(dir, "", "Klingon.lng");
    StartedWindow s(dir);
    QCOMPARE(s.options().selectedLanguage(), QString());
    QCOMPARE(ActiveScriptPath(), dir.file("LScripts/Klingon.lng"));
    QCOMPARE(s.form->playerName(1), QString("Player 1"));
    QVERIFY(s.exit());
    QCOMPARE(storedSetting(dir, "Language", "File"), QString("Klingon.lng"));
    QCOMPARE(storedSetting(dir, "Player 1", "Name"), QString("Player 1")); // the rest was written
}

void SettingsTest::changeOfLanguageChangesOnlyTexts()
{
    TempProgramDir dir;
    writeScripts(dir);
    writeSettings(dir, "[Player 2]\r\nName=Bob\r\n");
    StartedWindow s(dir);
    QCOMPARE(s.options().selectedLanguage(), QString("English.lng"));
    s.form->setPlayerName(2, "Zed");
    s.form->setPlayerName(3, "Cleo");
    s.options().setOption(0, true);
    s.options().setFirstWeekday(4);
    s.form->move(50, 60);

    selectLanguageByMouse(s, "German.lng");
    QTRY_COMPARE(ActiveScriptPath(), dir.file("LScripts/German.lng"));

    QCOMPARE(storedSetting(dir, "Language", "File"), QString("German.lng"));
    QCOMPARE(storedSetting(dir, "Window", "Left"), QString("50"));
    QCOMPARE(storedSetting(dir, "Window", "Top"), QString("60"));
    QCOMPARE(storedSetting(dir, "Player 2", "Name"), QString("Bob"));
    QCOMPARE(storedSetting(dir, "Player 3", "Name"), QString("<absent>")); // nothing else is written
    QCOMPARE(storedSetting(dir, "General options", "Option 0"), QString("<absent>"));

    // What the user typed or set stays; a name that is still the default follows the language.
    QCOMPARE(s.form->playerName(2), QString("Zed"));
    QCOMPARE(s.form->playerName(3), QString("Cleo"));
    QCOMPARE(s.form->playerName(4), QString("Spieler 4"));
    QVERIFY(s.options().doNotShowExitDialog());
    QCOMPARE(s.options().firstWeekday(), 4);
    QCOMPARE(s.form->pos(), QPoint(50, 60));
    QCOMPARE(s.options().languages().size(), 2);
    QCOMPARE(s.options().selectedLanguage(), QString("German.lng"));
    QCOMPARE(DialogTexts().ok, QString("Gut"));
    QVERIFY(s.dialogs.errors().isEmpty());
}

void SettingsTest::defaultCategoryNamesFollowTheLanguage()
{
    TempProgramDir dir;
    writeScripts(dir);
    writeSettings(dir, "");
    // Player 1's fifth name was stored under German; player 2 has a name of its own.
    savePlayerWithCategories(dir, 1, {"Category 1", "Board games", "Category 3", "Category 4", "Kategorie 5"});
    savePlayerWithCategories(dir, 2, {"Category 1", "Category 2", "Kategorie 3", "Category 4", "Category 5"});
    savePlayerWithCategories(dir, 3, {"Category 2", "Kategorie 1", "category 3", "Category 4 ", "Cards"});
    StartedWindow s(dir);
    QCOMPARE(panelCaptions(s), (QStringList{"Category 1", "Board games", "Category 3", "Category 4", "Category 5"}));

    selectLanguageByMouse(s, "German.lng");
    QTRY_COMPARE(ActiveScriptPath(), dir.file("LScripts/German.lng"));
    QCOMPARE(panelCaptions(s),
             (QStringList{"Kategorie 1", "Board games", "Kategorie 3", "Kategorie 4", "Kategorie 5"}));
    QCOMPARE(s.form->maintenancePage().categoryPage().catTitleEdit()->text(), QString("Kategorie 1"));
    QVERIFY(s.dialogs.errors().isEmpty());

    // Another player is renamed when loaded; the current one's names are saved first.
    QTest::mouseClick(s.form->PlayerButtonOf(2), Qt::LeftButton);
    QCOMPARE(s.form->currentPlayer(), 2);
    QCOMPARE(storedCategoryNames(dir, 1),
             (QStringList{"Kategorie 1", "Board games", "Kategorie 3", "Kategorie 4", "Kategorie 5"}));
    QCOMPARE(panelCaptions(s),
             (QStringList{"Kategorie 1", "Kategorie 2", "Kategorie 3", "Kategorie 4", "Kategorie 5"}));

    // A name that is only like a default name (other number, other case, a blank more) stays.
    QTest::mouseClick(s.form->PlayerButtonOf(3), Qt::LeftButton);
    QCOMPARE(panelCaptions(s), (QStringList{"Category 2", "Kategorie 1", "category 3", "Category 4 ", "Cards"}));
    QCOMPARE(storedCategoryNames(dir, 2),
             (QStringList{"Kategorie 1", "Kategorie 2", "Kategorie 3", "Kategorie 4", "Kategorie 5"}));

    // And back to English.
    selectLanguageByMouse(s, "English.lng");
    QTRY_COMPARE(ActiveScriptPath(), dir.file("LScripts/English.lng"));
    QCOMPARE(panelCaptions(s), (QStringList{"Category 2", "Kategorie 1", "category 3", "Category 4 ", "Cards"}));
    QTest::mouseClick(s.form->PlayerButtonOf(1), Qt::LeftButton);
    QCOMPARE(panelCaptions(s), (QStringList{"Category 1", "Board games", "Category 3", "Category 4", "Category 5"}));
    QVERIFY(s.exit());
    QCOMPARE(storedCategoryNames(dir, 1),
             (QStringList{"Category 1", "Board games", "Category 3", "Category 4", "Category 5"}));
    QCOMPARE(storedCategoryNames(dir, 3), (QStringList{"Category 2", "Kategorie 1", "category 3", "Category 4 ", "Cards"}));
    QVERIFY(s.dialogs.errors().isEmpty());
}

void SettingsTest::failedChangeOfLanguageKeepsLanguage()
{
    TempProgramDir dir;
    writeScripts(dir);
    writeSettings(dir, "");
    StartedWindow s(dir);
    QVERIFY(QFile::remove(dir.file("Data/TALLIMO.INI")));
    QVERIFY(QDir(dir.dataDir()).mkdir("TALLIMO.INI"));

    selectLanguageByMouse(s, "German.lng");
    QTRY_COMPARE(s.dialogs.errors(), QStringList{"Unable to write to " + dir.file("Data/TALLIMO.INI")});
    QCOMPARE(ActiveScriptPath(), dir.file("LScripts/English.lng"));
    QCOMPARE(s.options().selectedLanguage(), QString("English.lng"));
}

void SettingsTest::donationTextByExactLanguageEntry_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("shown");
    QTest::newRow("German.lng") << "German.lng" << "Spenden";
    QTest::newRow("german.lng in other case") << "german.lng" << "Donation";
    QTest::newRow("English.lng") << "English.lng" << "Donation";
    QTest::newRow("no entry selected") << "" << "Donation";
}

void SettingsTest::donationTextByExactLanguageEntry()
{
    QFETCH(QString, script);
    QFETCH(QString, shown);
    TempProgramDir dir;
    if (!script.isEmpty())
        dir.write("LScripts/" + script, "");
    writeSettings(dir, "", script.isEmpty() ? QByteArray("Gone.lng") : script.toLatin1());
    dir.write("Texts/Spenden.rtf", "{\\rtf1\\ansi Spenden text}");
    dir.write("Texts/Donation.rtf", "{\\rtf1\\ansi Donation text}");
    StartedWindow s(dir);
    QCOMPARE(s.form->aboutPage().donationsEdit()->toPlainText().trimmed(), shown + " text");
}

void SettingsTest::defaultsFollowScreenAndLanguage()
{
    TempProgramDir dir;
    writeScripts(dir);
    writeSettings(dir, "", "German.lng");
    ScriptedDialogs dialogs;
    const ProgramSettings loaded = Settings::LoadSettings(dir.path(), dialogs, TestScreen);

    ProgramSettings expected;
    expected.language = "German.lng";
    for (int n = 1; n <= 10; ++n)
        expected.playerNames[size_t(n - 1)] = QString("Spieler %1").arg(n);
    expected.alternatingLines = true;
    expected.lineColor1 = ColorValue::TooltipBackground;
    expected.lineColor2 = ColorValue::Yellow;
    expected.msgStartColor = ColorValue::Yellow;
    expected.msgEndColor = ColorValue::Fuchsia;
    expected.windowColor = ColorValue::ButtonFace;
    expected.windowPosition = QPoint(1000 / 2 - 640 / 2, 800 / 2 - 480 / 2);
    QCOMPARE(loaded, expected);
    QCOMPARE(ActiveScriptPath(), dir.file("LScripts/German.lng"));
    QVERIFY(dialogs.asked().isEmpty());
}

void SettingsTest::everyEntryRoundTrips_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<SettingsChange>("change");
    QTest::addColumn<QString>("stored");

    QTest::newRow("language") << "Language" << "File"
                              << SettingsChange([](ProgramSettings &s) { s.language = "German.lng"; }) << "German.lng";
    for (int n : {1, 2, 9, 10})
        QTest::addRow("player %d", n) << QString("Player %1").arg(n) << "Name"
                                      << SettingsChange([n](ProgramSettings &s) {
                                             s.playerNames[size_t(n - 1)] = QString("Name of %1").arg(n);
                                         })
                                      << QString("Name of %1").arg(n);
    QTest::newRow("empty player name") << "Player 3" << "Name"
                                       << SettingsChange([](ProgramSettings &s) { s.playerNames[2].clear(); }) << "";
    QTest::newRow("option 0") << "General options" << "Option 0"
                              << SettingsChange([](ProgramSettings &s) { s.options[0] = true; }) << "1";
    QTest::newRow("alternating") << "Line color" << "Alternating"
                                 << SettingsChange([](ProgramSettings &s) { s.alternatingLines = false; }) << "0";
    QTest::newRow("line colour 1") << "Line color" << "Color 1"
                                   << SettingsChange([](ProgramSettings &s) { s.lineColor1 = 0x123456; }) << "1193046";
    QTest::newRow("line colour 2") << "Line color" << "Color 2"
                                   << SettingsChange([](ProgramSettings &s) { s.lineColor2 = ColorValue::WindowBackground; })
                                   << "-2147483643";
    QTest::newRow("first day") << "Week" << "First day"
                               << SettingsChange([](ProgramSettings &s) { s.firstWeekday = 6; }) << "6";
    QTest::newRow("messages start") << "Colors" << "Messages start color"
                                    << SettingsChange([](ProgramSettings &s) { s.msgStartColor = 0x0000FF; }) << "255";
    QTest::newRow("messages end") << "Colors" << "Messages end color"
                                  << SettingsChange([](ProgramSettings &s) { s.msgEndColor = 0; }) << "0";
    QTest::newRow("window colour") << "Window" << "Color"
                                   << SettingsChange([](ProgramSettings &s) { s.windowColor = 0x808080; }) << "8421504";
    QTest::newRow("left") << "Window" << "Left"
                          << SettingsChange([](ProgramSettings &s) { s.windowPosition.setX(-7); }) << "-7";
    QTest::newRow("top") << "Window" << "Top" << SettingsChange([](ProgramSettings &s) { s.windowPosition.setY(33); })
                         << "33";
    QTest::newRow("maximized") << "Window" << "State"
                               << SettingsChange([](ProgramSettings &s) { s.maximized = true; }) << "1";
    QTest::newRow("category bar") << "Category bar" << "Position"
                                  << SettingsChange([](ProgramSettings &s) { s.categoryPosition = 1; }) << "1";
}

// One value changed from the defaults is stored under its own key and reads back alone.
void SettingsTest::everyEntryRoundTrips()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(SettingsChange, change);
    QFETCH(QString, stored);
    TempProgramDir dir;
    writeScripts(dir);
    writeSettings(dir, "");
    ScriptedDialogs dialogs;
    const ProgramSettings defaults = Settings::LoadSettings(dir.path(), dialogs, TestScreen);
    ProgramSettings changed = defaults;
    change(changed);
    QVERIFY(changed != defaults);

    Settings::SaveSettings(dir.path(), changed);
    QCOMPARE(storedSetting(dir, section, key), stored);
    QCOMPARE(Settings::LoadSettings(dir.path(), dialogs, TestScreen), changed);
    QVERIFY(dialogs.asked().isEmpty());
}

void SettingsTest::unreadableStoredValueReadsAsDefault_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::newRow("first day 7") << QByteArray("[Week]\r\nFirst day=7");
    QTest::newRow("first day -1") << QByteArray("[Week]\r\nFirst day=-1");
    QTest::newRow("category bar 2") << QByteArray("[Category bar]\r\nPosition=2");
    QTest::newRow("category bar -1") << QByteArray("[Category bar]\r\nPosition=-1");
    QTest::newRow("option no number") << QByteArray("[General options]\r\nOption 0=yes");
    QTest::newRow("alternating empty") << QByteArray("[Line color]\r\nAlternating=");
    QTest::newRow("line colour 1") << QByteArray("[Line color]\r\nColor 1=blue");
    QTest::newRow("line colour 2") << QByteArray("[Line color]\r\nColor 2=$");
    QTest::newRow("messages start") << QByteArray("[Colors]\r\nMessages start color=1.5");
    QTest::newRow("messages end") << QByteArray("[Colors]\r\nMessages end color=0xFFFFFFFFF");
    QTest::newRow("window colour") << QByteArray("[Window]\r\nColor=");
    QTest::newRow("left beyond 32 bits") << QByteArray("[Window]\r\nLeft=2147483648");
    QTest::newRow("top no number") << QByteArray("[Window]\r\nTop=top");
    QTest::newRow("state no number") << QByteArray("[Window]\r\nState=maximized");
}

void SettingsTest::unreadableStoredValueReadsAsDefault()
{
    QFETCH(QByteArray, lines);
    TempProgramDir dir;
    writeScripts(dir);
    writeSettings(dir, "");
    ScriptedDialogs dialogs;
    const ProgramSettings defaults = Settings::LoadSettings(dir.path(), dialogs, TestScreen);
    writeSettings(dir, lines + "\r\n");
    QCOMPARE(Settings::LoadSettings(dir.path(), dialogs, TestScreen), defaults);
}

void SettingsTest::optionsPageHandsBackWhatItWasGiven_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("handedBack");
    QTest::newRow("entry") << "German.lng" << "German.lng";
    QTest::newRow("entry in other case") << "english.LNG" << "English.lng";
    QTest::newRow("no such entry") << "Klingon.lng" << "";
}

void SettingsTest::optionsPageHandsBackWhatItWasGiven()
{
    QFETCH(QString, language);
    QFETCH(QString, handedBack);
    QWidget sheet;
    OptionsPage page(&sheet);
    page.setLanguages({"English.lng", "German.lng"});
    // Every value of the page other than its control's start value.
    ProgramSettings given;
    given.language = language;
    given.options.fill(true);
    given.alternatingLines = false;
    given.lineColor1 = 0x010203;
    given.lineColor2 = ColorValue::WindowBackground;
    given.firstWeekday = 5;
    given.msgStartColor = 0x040506;
    given.msgEndColor = 0x070809;
    given.windowColor = 0x0A0B0C;
    given.categoryPosition = 1;
    page.reset(given);
    QCOMPARE(page.firstWeekdayCombo()->currentText(), QString("Friday"));

    // Names, position and state are not the page's: they stay as they were.
    ProgramSettings back;
    back.playerNames[0] = "Ann";
    back.windowPosition = {3, 4};
    back.maximized = true;
    page.apply(back);
    ProgramSettings expected = given;
    expected.language = handedBack;
    expected.playerNames = back.playerNames;
    expected.windowPosition = {3, 4};
    expected.maximized = true;
    QCOMPARE(back, expected);
}

QTEST_MAIN(SettingsTest)
#include "test_settings.moc"
