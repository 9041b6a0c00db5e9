#include "platform/HandlerGuard.h"
#include "platform/ProfileFile.h"
#include "platform/RadioGroup.h"
#include "services/TransProg.h"
#include "store/AppError.h"
#include "store/CommaText.h"
#include "support/ScriptedDialogs.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

Q_DECLARE_METATYPE(AppError)

namespace {

// Writes a script as the program ships them: UTF-8, CR LF after every line.
void writeScript(const QString &path, const QStringList &lines)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QString &line : lines)
        file.write(line.toUtf8() + "\r\n");
}

// The controls of a small window, by kind, as TranslateForm meets them.
struct TestWindow
{
    std::unique_ptr<QWidget> window;
    QLabel *label;
    QPushButton *push;
    QCheckBox *check;
    QGroupBox *group;
    QTabWidget *tabs;
    QWidget *firstPage;
    QWidget *secondPage;
    QToolButton *iconButton;
    QComboBox *weekdays;
    QListWidget *options;
    RadioGroup *position;
    QPlainTextEdit *memo;
    QTreeWidget *tree;
    QTableWidget *grid;
    QTextBrowser *viewer;
    QLabel *unnamed;
    QDialog *childDialog;
    QLabel *dialogLabel;
};

TestWindow buildWindow()
{
    TestWindow w;
    w.window = std::make_unique<QWidget>();
    w.window->setObjectName(QStringLiteral("TestForm"));
    w.window->setWindowTitle(QStringLiteral("Test"));
    auto *layout = new QVBoxLayout(w.window.get());

    w.label = new QLabel(QStringLiteral("Name:"), w.window.get());
    w.label->setObjectName(QStringLiteral("NameLabel"));
    w.push = new QPushButton(QStringLiteral("Exit"), w.window.get());
    w.push->setObjectName(QStringLiteral("ExitButton"));
    w.check = new QCheckBox(QStringLiteral("alternating"), w.window.get());
    w.check->setObjectName(QStringLiteral("LineColorChkBox"));

    w.group = new QGroupBox(QStringLiteral("Program options"), w.window.get());
    w.group->setObjectName(QStringLiteral("OptionsBox"));
    auto *groupLayout = new QVBoxLayout(w.group);
    w.weekdays = new QComboBox(w.group);
    w.weekdays->setObjectName(QStringLiteral("FirstWeekdayCombo"));
    w.weekdays->addItems({QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                          QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                          QStringLiteral("Saturday")});
    w.weekdays->setCurrentIndex(3);
    groupLayout->addWidget(w.weekdays);
    w.options = new QListWidget(w.group);
    w.options->setObjectName(QStringLiteral("GenOptListBox"));
    for (const QString &text : {QStringLiteral("Do not show exit dialog"), QStringLiteral("Second option")}) {
        auto *item = new QListWidgetItem(text, w.options);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    w.options->item(0)->setCheckState(Qt::Checked);
    groupLayout->addWidget(w.options);
    w.position = new RadioGroup(QStringLiteral("Category bar position"), w.group);
    w.position->setObjectName(QStringLiteral("CategoryPositionBox"));
    w.position->setColumns(2);
    w.position->setItems({QStringLiteral("Left"), QStringLiteral("Right")});
    w.position->setItemIndex(1);
    groupLayout->addWidget(w.position);

    w.tabs = new QTabWidget(w.window.get());
    w.tabs->setObjectName(QStringLiteral("PageControl"));
    w.firstPage = new QWidget;
    w.firstPage->setObjectName(QStringLiteral("OptionsSheet"));
    w.secondPage = new QWidget;
    w.secondPage->setObjectName(QStringLiteral("HelpSheet"));
    w.tabs->addTab(w.firstPage, QStringLiteral("Options"));
    w.tabs->addTab(w.secondPage, QStringLiteral("Help"));
    auto *pageLayout = new QVBoxLayout(w.firstPage);
    w.memo = new QPlainTextEdit(QStringLiteral("built-in text"), w.firstPage);
    w.memo->setObjectName(QStringLiteral("InfoMemo"));
    pageLayout->addWidget(w.memo);
    w.tree = new QTreeWidget(w.firstPage);
    w.tree->setObjectName(QStringLiteral("TopView"));
    w.tree->setHeaderLabels({QStringLiteral("No."), QStringLiteral("Game"), QStringLiteral("Points")});
    pageLayout->addWidget(w.tree);
    auto *helpLayout = new QVBoxLayout(w.secondPage);
    w.grid = new QTableWidget(2, 2, w.secondPage);
    w.grid->setObjectName(QStringLiteral("RecordsGrid"));
    helpLayout->addWidget(w.grid);
    w.viewer = new QTextBrowser(w.secondPage);
    w.viewer->setObjectName(QStringLiteral("HelpViewer"));
    w.viewer->setHtml(QStringLiteral("<b>bold</b> help"));
    helpLayout->addWidget(w.viewer);

    w.iconButton = new QToolButton(w.window.get());
    w.iconButton->setObjectName(QStringLiteral("PrintButton"));
    QPixmap picture(16, 16);
    picture.fill(Qt::blue);
    w.iconButton->setIcon(QIcon(picture));
    w.iconButton->setToolTip(QStringLiteral("Print"));
    w.iconButton->setAccessibleName(QStringLiteral("Print"));

    w.unnamed = new QLabel(QStringLiteral("unnamed"), w.window.get());

    // A separate window owned by this one: it has its own section and is left alone.
    w.childDialog = new QDialog(w.window.get());
    w.childDialog->setObjectName(QStringLiteral("ChildDialog"));
    w.childDialog->setWindowTitle(QStringLiteral("Child"));
    w.dialogLabel = new QLabel(QStringLiteral("inside dialog"), w.childDialog);
    w.dialogLabel->setObjectName(QStringLiteral("DialogLabel"));

    for (QWidget *widget : {static_cast<QWidget *>(w.label), static_cast<QWidget *>(w.push),
                            static_cast<QWidget *>(w.check), static_cast<QWidget *>(w.group),
                            static_cast<QWidget *>(w.tabs), static_cast<QWidget *>(w.iconButton),
                            static_cast<QWidget *>(w.unnamed)})
        layout->addWidget(widget);
    return w;
}

// Every text a script may change, in one comparable list.
QStringList textsOf(const TestWindow &w)
{
    QStringList texts{w.window->windowTitle(), w.label->text(), w.push->text(), w.check->text(),
                      w.group->title(), w.tabs->tabText(0), w.tabs->tabText(1), w.iconButton->toolTip(),
                      w.iconButton->accessibleName(), w.push->toolTip(), w.memo->toPlainText(),
                      w.viewer->toPlainText(), w.unnamed->text(), w.childDialog->windowTitle(), w.dialogLabel->text()};
    for (int i = 0; i < w.weekdays->count(); ++i)
        texts.append(w.weekdays->itemText(i));
    for (int i = 0; i < w.options->count(); ++i)
        texts.append(w.options->item(i)->text());
    texts.append(w.position->items());
    for (int i = 0; i < w.tree->columnCount(); ++i)
        texts.append(w.tree->headerItem()->text(i));
    for (int i = 0; i < w.grid->columnCount(); ++i)
        texts.append(w.grid->model()->headerData(i, Qt::Horizontal).toString());
    return texts;
}

// A radio button takes clicks on its circle and text only, not on the rest of its width.
QPoint indicatorOf(const QRadioButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button).center();
}

} // namespace

class LanguageScriptsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lookupWithoutScript_data();
    void lookupWithoutScript();
    void lookup_data();
    void lookup();
    void lookupFollowsActiveScriptAndFile();
    void errorMessages_data();
    void errorMessages();
    void textInEveryScript();

    void translatesEveryKindOfControl();
    void absentAndEmptyValuesLeaveTexts();
    void laterScriptWithoutKeyKeepsTranslation();
    void commaListEdges_data();
    void commaListEdges();
    void hintOfIconButtonIsItsAccessibleName();

    void radioGroupSelectionAndSignals();
    void radioGroupArrowKeys();
    void radioGroupColumns();

    void shippedEnglishScript();

    void listDirectory();
    void nameWithoutExtension_data();
    void nameWithoutExtension();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString scriptPath(const QString &name) const { return m_dir->filePath(name); }
};

void LanguageScriptsTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    SetActiveScriptPath(QString());
}

void LanguageScriptsTest::cleanup()
{
    SetActiveScriptPath(QString());
    m_dir.reset();
}

void LanguageScriptsTest::lookupWithoutScript_data()
{
    QTest::addColumn<QString>("activePath");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("no script active") << QString() << "Messages" << "Are you sure?";
    QTest::newRow("preview identifier") << QString() << "Preview" << "qStatus1";
    QTest::newRow("script file missing") << "missing.lng" << "Captions" << "Player";
    QTest::newRow("folder as script") << "." << "Captions" << "OK";
}

void LanguageScriptsTest::lookupWithoutScript()
{
    QFETCH(QString, activePath);
    QFETCH(QString, section);
    QFETCH(QString, key);
    if (!activePath.isEmpty())
        SetActiveScriptPath(activePath == QLatin1String(".") ? m_dir->path() : scriptPath(activePath));
    QCOMPARE(LngText(section, key), key);
}

void LanguageScriptsTest::lookup_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("present") << "Captions" << "Player" << "Spieler";
    QTest::newRow("section in other case") << "CAPTIONS" << "Player" << "Spieler";
    QTest::newRow("key in other case") << "Captions" << "PLAYER" << "Spieler";
    QTest::newRow("file in small letters") << "Messages" << "Are you sure?" << "Sind Sie sicher?";
    QTest::newRow("empty value") << "Captions" << "Best" << "";
    QTest::newRow("absent key") << "Captions" << "Comment" << "Comment";
    QTest::newRow("absent section") << "Preview" << "qStatus1" << "qStatus1";
    QTest::newRow("value with commas is not split") << "Messages" << "items listed." << "a, b, c";
    QTest::newRow("quotes removed") << "Captions" << "Date" << " Datum ";
    QTest::newRow("umlaut") << "Captions" << "No." << "Nr. für";
}

void LanguageScriptsTest::lookup()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    writeScript(scriptPath(QStringLiteral("German.lng")),
                {QStringLiteral("[Captions]"), QStringLiteral("Player=Spieler"), QStringLiteral("Best="),
                 QStringLiteral("Date=\" Datum \""), QStringLiteral("No.=Nr. für"), QString(),
                 QStringLiteral("[messages]"), QStringLiteral("ARE YOU SURE?=Sind Sie sicher?"),
                 QStringLiteral("items listed.=a, b, c")});
    SetActiveScriptPath(scriptPath(QStringLiteral("German.lng")));
    QCOMPARE(LngText(section, key), expected);
}

void LanguageScriptsTest::errorMessages_data()
{
    QTest::addColumn<QString>("script"); // lines of section "Errors"; none: no script active
    QTest::addColumn<AppError>("error");
    QTest::addColumn<QString>("shown");
    const QString path = QStringLiteral("C:/Daten/Records3.dat");
    QTest::newRow("no script") << QString() << AppError::cannotOpen(path) << "Cannot open file " + path;
    QTest::newRow("translated, argument filled")
        << "Cannot open file %1=Datei %1 fehlt" << AppError::cannotOpen(path) << "Datei " + path + " fehlt";
    QTest::newRow("key absent: English") << "Cannot open file %1=Datei %1 fehlt" << AppError::indexOutOfBounds(3)
                                         << "List index out of bounds (3)";
    QTest::newRow("key in other letter case") << "cannot CREATE file %1=%1 nicht erstellt"
                                              << AppError::cannotCreate("x.dat") << "x.dat nicht erstellt";
    QTest::newRow("arguments in another order")
        << "Invalid level (%1) for item \"%2\"=Eintrag \"%2\": Ebene %1"
        << AppError("Invalid level (%1) for item \"%2\"", {"4", "Chess"}) << "Eintrag \"Chess\": Ebene 4";
    QTest::newRow("argument holding a placeholder stays")
        << "'%1' is not a valid integer value='%1' ist keine Zahl" << AppError::notAnInteger("%2 %1")
        << "'%2 %1' ist keine Zahl";
    QTest::newRow("placeholder without argument stays") << "JPEG error #%1=JPEG-Fehler %1 (%2), 100%"
                                                        << AppError("JPEG error #%1", {"42"})
                                                        << "JPEG-Fehler 42 (%2), 100%";
    QTest::newRow("without arguments") << "Bitmap image is not valid=Bild ist ungültig"
                                       << AppError::invalidBitmap() << "Bild ist ungültig";
    QTest::newRow("empty value: English") << "Invalid index=" << AppError("Invalid index") << "Invalid index";
}

// The general error box shows the script's text for the error, English when it has none.
void LanguageScriptsTest::errorMessages()
{
    QFETCH(QString, script);
    QFETCH(AppError, error);
    QFETCH(QString, shown);
    if (!script.isNull()) {
        writeScript(scriptPath(QStringLiteral("German.lng")), {QStringLiteral("[Errors]"), script});
        SetActiveScriptPath(scriptPath(QStringLiteral("German.lng")));
    }
    QCOMPARE(error.message(), shown);
    ScriptedDialogs dialogs;
    QVERIFY(!RunGuarded(dialogs, [&] { throw error; }));
    QCOMPARE(dialogs.errors(), QStringList{shown});
    QCOMPARE(QString::fromUtf8(error.what()), error.englishMessage()); // for logs, in English
}

void LanguageScriptsTest::textInEveryScript()
{
    const QString captions = QStringLiteral("Captions");
    const QString category = QStringLiteral("Category");
    QCOMPARE(LngTextInEveryScript(captions, category), QStringList{category}); // no script active
    writeScript(scriptPath(QStringLiteral("German.lng")), {QStringLiteral("[Captions]"), QStringLiteral("Category=Kategorie")});
    writeScript(scriptPath(QStringLiteral("French.lng")), {QStringLiteral("[captions]"), QStringLiteral("category=Catégorie")});
    writeScript(scriptPath(QStringLiteral("Dutch.lng")), {QStringLiteral("[Captions]"), QStringLiteral("Player=Speler")});
    writeScript(scriptPath(QStringLiteral("Empty.lng")), {QStringLiteral("[Captions]"), QStringLiteral("Category=")});
    writeScript(scriptPath(QStringLiteral("Swiss.lng")), {QStringLiteral("[Captions]"), QStringLiteral("Category=Kategorie")});
    writeScript(scriptPath(QStringLiteral("Notes.txt")), {QStringLiteral("[Captions]"), QStringLiteral("Category=Rubrik")});
    SetActiveScriptPath(scriptPath(QStringLiteral("Dutch.lng")));
    QStringList texts = LngTextInEveryScript(captions, category);
    QCOMPARE(texts.first(), category);
    texts.sort();
    QCOMPARE(texts, (QStringList{QStringLiteral("Category"), QStringLiteral("Catégorie"), QStringLiteral("Kategorie")}));
}

void LanguageScriptsTest::lookupFollowsActiveScriptAndFile()
{
    const QString german = scriptPath(QStringLiteral("German.lng"));
    const QString french = scriptPath(QStringLiteral("French.lng"));
    writeScript(german, {QStringLiteral("[Captions]"), QStringLiteral("Player=Spieler")});
    writeScript(french, {QStringLiteral("[Captions]"), QStringLiteral("Player=Joueur")});

    SetActiveScriptPath(german);
    QCOMPARE(ActiveScriptPath(), german);
    QCOMPARE(LngText(QStringLiteral("Captions"), QStringLiteral("Player")), QStringLiteral("Spieler"));
    SetActiveScriptPath(french);
    QCOMPARE(LngText(QStringLiteral("Captions"), QStringLiteral("Player")), QStringLiteral("Joueur"));

    // The file changes under the active script: the next lookup sees it.
    writeScript(french, {QStringLiteral("[Captions]"), QStringLiteral("Player=Joueuse"),
                         QStringLiteral("OK=D'accord")});
    QCOMPARE(LngText(QStringLiteral("Captions"), QStringLiteral("Player")), QStringLiteral("Joueuse"));
    QCOMPARE(LngText(QStringLiteral("Captions"), QStringLiteral("OK")), QStringLiteral("D'accord"));

    QVERIFY(QFile::remove(french));
    QCOMPARE(LngText(QStringLiteral("Captions"), QStringLiteral("Player")), QStringLiteral("Player"));

    SetActiveScriptPath(QString());
    QCOMPARE(LngText(QStringLiteral("Captions"), QStringLiteral("Player")), QStringLiteral("Player"));
}

void LanguageScriptsTest::translatesEveryKindOfControl()
{
    TestWindow w = buildWindow();
    w.options->item(1)->setCheckState(Qt::PartiallyChecked);
    writeScript(scriptPath(QStringLiteral("German.lng")),
                {QStringLiteral("[testform]"), QStringLiteral("Caption=Testfenster"),
                 QStringLiteral("NameLabel.Caption=Name, Vorname:"), QStringLiteral("ExitButton.Caption=&Beenden"),
                 QStringLiteral("ExitButton.Hint=Programm beenden, sofort"),
                 QStringLiteral("LINECOLORCHKBOX.CAPTION=abwechselnd"),
                 QStringLiteral("OptionsBox.Caption=Programmoptionen"),
                 QStringLiteral("OptionsSheet.Caption=Optionen"), QStringLiteral("HelpSheet.Caption=Hilfe"),
                 QStringLiteral("PrintButton.Hint=Drucken"),
                 QStringLiteral("FirstWeekdayCombo.Items=Sonntag,Montag,Dienstag,Mittwoch,Donnerstag,Freitag,"
                                "Samstag,Achttag"),
                 QStringLiteral("GenOptListBox.Items=Kein Beenden-Dialog,Zweite Option"),
                 QStringLiteral("CategoryPositionBox.Caption=Position der Kategorieleiste"),
                 QStringLiteral("CategoryPositionBox.Items=Links,Rechts"),
                 QStringLiteral("InfoMemo.Lines=Erste Zeile,,Dritte Zeile"),
                 QStringLiteral("TopView.Columns.Captions=Nr.,Spiel,Punkte,Datum,Kommentar"),
                 QStringLiteral("RecordsGrid.Columns.Captions=Punkte,Datum"),
                 QStringLiteral("HelpViewer.Lines=Hilfe,zweite Zeile,"),
                 QStringLiteral("qt_tabwidget_tabbar.Hint=never"), QStringLiteral("unnamed.Caption=never"), QStringLiteral("DialogLabel.Caption=never"),
                 QStringLiteral("ChildDialog.Caption=never")});
    SetActiveScriptPath(scriptPath(QStringLiteral("German.lng")));

    QSignalSpy radioClicks(w.position, &RadioGroup::clicked);
    TranslateForm(w.window.get());

    QCOMPARE(w.window->windowTitle(), QStringLiteral("Testfenster"));
    QCOMPARE(w.label->text(), QStringLiteral("Name, Vorname:"));
    QCOMPARE(w.push->text(), QStringLiteral("&Beenden"));
    QCOMPARE(w.push->toolTip(), QStringLiteral("Programm beenden, sofort"));
    QCOMPARE(w.check->text(), QStringLiteral("abwechselnd"));
    QCOMPARE(w.group->title(), QStringLiteral("Programmoptionen"));
    QCOMPARE(w.tabs->tabText(0), QStringLiteral("Optionen"));
    QCOMPARE(w.tabs->tabText(1), QStringLiteral("Hilfe"));
    QCOMPARE(w.iconButton->toolTip(), QStringLiteral("Drucken"));
    QCOMPARE(w.iconButton->accessibleName(), QStringLiteral("Drucken"));

    QCOMPARE(w.weekdays->count(), 7);
    QCOMPARE(w.weekdays->itemText(0), QStringLiteral("Sonntag"));
    QCOMPARE(w.weekdays->itemText(6), QStringLiteral("Samstag"));
    QCOMPARE(w.weekdays->currentIndex(), 3);
    QCOMPARE(w.weekdays->currentText(), QStringLiteral("Mittwoch"));

    QCOMPARE(w.options->count(), 2);
    QCOMPARE(w.options->item(0)->text(), QStringLiteral("Kein Beenden-Dialog"));
    QCOMPARE(w.options->item(1)->text(), QStringLiteral("Zweite Option"));
    QCOMPARE(w.options->item(0)->checkState(), Qt::Checked);
    QCOMPARE(w.options->item(1)->checkState(), Qt::PartiallyChecked);

    QCOMPARE(w.position->title(), QStringLiteral("Position der Kategorieleiste"));
    QCOMPARE(w.position->items(), QStringList({QStringLiteral("Links"), QStringLiteral("Rechts")}));
    QCOMPARE(w.position->itemIndex(), 1);
    QCOMPARE(radioClicks.count(), 0);

    QCOMPARE(w.memo->toPlainText(), QStringLiteral("Erste Zeile\n\nDritte Zeile"));
    QCOMPARE(w.tree->columnCount(), 3);
    QCOMPARE(w.tree->headerItem()->text(0), QStringLiteral("Nr."));
    QCOMPARE(w.tree->headerItem()->text(1), QStringLiteral("Spiel"));
    QCOMPARE(w.tree->headerItem()->text(2), QStringLiteral("Punkte"));

    QCOMPARE(w.grid->columnCount(), 2);
    QCOMPARE(w.grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Punkte"));
    QCOMPARE(w.grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Datum"));
    QCOMPARE(w.grid->rowCount(), 2);
    QCOMPARE(w.viewer->toPlainText(), QStringLiteral("Hilfe\nzweite Zeile"));

    QCOMPARE(w.tabs->tabBar()->objectName(), QStringLiteral("qt_tabwidget_tabbar"));
    QCOMPARE(w.tabs->tabBar()->toolTip(), QString()); // a part Qt builds, no control of ours
    QCOMPARE(w.unnamed->text(), QStringLiteral("unnamed"));
    QCOMPARE(w.childDialog->windowTitle(), QStringLiteral("Child"));
    QCOMPARE(w.dialogLabel->text(), QStringLiteral("inside dialog"));
}

void LanguageScriptsTest::absentAndEmptyValuesLeaveTexts()
{
    TestWindow w = buildWindow();
    const QStringList before = textsOf(w);
    const int selected = w.weekdays->currentIndex();

    // No script active, a missing script, a script without the window's section, and a
    // section whose keys are all empty: nothing changes.
    TranslateForm(w.window.get());
    QCOMPARE(textsOf(w), before);

    SetActiveScriptPath(scriptPath(QStringLiteral("Missing.lng")));
    TranslateForm(w.window.get());
    QCOMPARE(textsOf(w), before);

    writeScript(scriptPath(QStringLiteral("Other.lng")),
                {QStringLiteral("[OtherForm]"), QStringLiteral("Caption=Anderes"),
                 QStringLiteral("NameLabel.Caption=Anders")});
    SetActiveScriptPath(scriptPath(QStringLiteral("Other.lng")));
    TranslateForm(w.window.get());
    QCOMPARE(textsOf(w), before);

    QStringList empty{QStringLiteral("[TestForm]"), QStringLiteral("Caption=")};
    for (const QString &key :
         {QStringLiteral("NameLabel.Caption"), QStringLiteral("ExitButton.Caption"), QStringLiteral("ExitButton.Hint"),
          QStringLiteral("LineColorChkBox.Caption"), QStringLiteral("OptionsBox.Caption"),
          QStringLiteral("OptionsSheet.Caption"), QStringLiteral("PrintButton.Hint"),
          QStringLiteral("FirstWeekdayCombo.Items"), QStringLiteral("GenOptListBox.Items"),
          QStringLiteral("CategoryPositionBox.Items"), QStringLiteral("InfoMemo.Lines"),
          QStringLiteral("TopView.Columns.Captions"), QStringLiteral("RecordsGrid.Columns.Captions"),
          QStringLiteral("HelpViewer.Lines"), QStringLiteral("HelpSheet.Caption")})
        empty.append(key + u'=');
    empty.append(QStringLiteral("OptionsBox.Hint=\"\""));
    writeScript(scriptPath(QStringLiteral("Empty.lng")), empty);
    SetActiveScriptPath(scriptPath(QStringLiteral("Empty.lng")));
    TranslateForm(w.window.get());
    QCOMPARE(textsOf(w), before);
    QCOMPARE(w.weekdays->currentIndex(), selected);
    QCOMPARE(w.group->toolTip(), QString());
}

void LanguageScriptsTest::laterScriptWithoutKeyKeepsTranslation()
{
    TestWindow w = buildWindow();
    writeScript(scriptPath(QStringLiteral("German.lng")),
                {QStringLiteral("[TestForm]"), QStringLiteral("NameLabel.Caption=Name:"),
                 QStringLiteral("ExitButton.Caption=Beenden"), QStringLiteral("PrintButton.Hint=Drucken")});
    writeScript(scriptPath(QStringLiteral("French.lng")),
                {QStringLiteral("[TestForm]"), QStringLiteral("ExitButton.Caption=Quitter")});

    SetActiveScriptPath(scriptPath(QStringLiteral("German.lng")));
    TranslateForm(w.window.get());
    SetActiveScriptPath(scriptPath(QStringLiteral("French.lng")));
    TranslateForm(w.window.get());

    QCOMPARE(w.push->text(), QStringLiteral("Quitter"));
    QCOMPARE(w.label->text(), QStringLiteral("Name:"));
    QCOMPARE(w.iconButton->toolTip(), QStringLiteral("Drucken"));
    QCOMPARE(w.iconButton->accessibleName(), QStringLiteral("Drucken"));
}

void LanguageScriptsTest::commaListEdges_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("expected");
    const QStringList builtIn{QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday")};
    QTest::newRow("exact") << "So,Mo,Di" << QStringList{"So", "Mo", "Di"};
    QTest::newRow("trailing comma adds nothing") << "So,Mo," << QStringList{"So", "Mo", "Tuesday"};
    QTest::newRow("leading comma gives empty first") << ",Mo,Di" << QStringList{"", "Mo", "Di"};
    QTest::newRow("double comma gives empty entry") << "So,,Di" << QStringList{"So", "", "Di"};
    QTest::newRow("fewer entries") << "So" << QStringList{"So", "Monday", "Tuesday"};
    QTest::newRow("more entries") << "So,Mo,Di,Mi,Do" << QStringList{"So", "Mo", "Di"};
    QTest::newRow("blanks inside kept") << "Son ntag, Mo,Di" << QStringList{"Son ntag", " Mo", "Di"};
    QTest::newRow("lone comma") << "," << QStringList{"", "Monday", "Tuesday"};
}

void LanguageScriptsTest::commaListEdges()
{
    QFETCH(QString, value);
    QFETCH(QStringList, expected);
    QWidget window;
    window.setObjectName(QStringLiteral("EdgeForm"));
    auto *combo = new QComboBox(&window);
    combo->setObjectName(QStringLiteral("DayCombo"));
    combo->addItems({QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday")});
    auto *tree = new QTreeWidget(&window);
    tree->setObjectName(QStringLiteral("DayView"));
    tree->setHeaderLabels({QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday")});
    auto *memo = new QPlainTextEdit(&window);
    memo->setObjectName(QStringLiteral("DayMemo"));

    writeScript(scriptPath(QStringLiteral("Edge.lng")),
                {QStringLiteral("[EdgeForm]"), QStringLiteral("DayCombo.Items=") + value,
                 QStringLiteral("DayView.Columns.Captions=") + value, QStringLiteral("DayMemo.Lines=") + value});
    SetActiveScriptPath(scriptPath(QStringLiteral("Edge.lng")));
    TranslateForm(&window);

    QStringList items;
    QStringList titles;
    for (int i = 0; i < 3; ++i) {
        items.append(combo->itemText(i));
        titles.append(tree->headerItem()->text(i));
    }
    QCOMPARE(combo->count(), 3);
    QCOMPARE(items, expected);
    QCOMPARE(tree->columnCount(), 3);
    QCOMPARE(titles, expected);

    QStringList lines = value.split(u',');
    if (lines.last().isEmpty())
        lines.removeLast();
    QCOMPARE(memo->toPlainText(), lines.join(u'\n'));
}

void LanguageScriptsTest::hintOfIconButtonIsItsAccessibleName()
{
    QWidget window;
    window.setObjectName(QStringLiteral("HintForm"));
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    auto *iconOnly = new QPushButton(&window);
    iconOnly->setObjectName(QStringLiteral("IconButton"));
    iconOnly->setIcon(QIcon(picture));
    auto *withText = new QPushButton(QStringLiteral("Print"), &window);
    withText->setObjectName(QStringLiteral("TextButton"));
    withText->setIcon(QIcon(picture));
    auto *toolIconOnly = new QToolButton(&window);
    toolIconOnly->setObjectName(QStringLiteral("ToolButton"));
    toolIconOnly->setIcon(QIcon(picture));
    toolIconOnly->setText(QStringLiteral("hidden text"));
    toolIconOnly->setToolButtonStyle(Qt::ToolButtonIconOnly);

    writeScript(scriptPath(QStringLiteral("One.lng")),
                {QStringLiteral("[HintForm]"), QStringLiteral("IconButton.Hint=Erste Seite"),
                 QStringLiteral("TextButton.Hint=Alles drucken"), QStringLiteral("ToolButton.Hint=Zoom")});
    SetActiveScriptPath(scriptPath(QStringLiteral("One.lng")));
    TranslateForm(&window);
    QCOMPARE(iconOnly->accessibleName(), QStringLiteral("Erste Seite"));
    QCOMPARE(toolIconOnly->accessibleName(), QStringLiteral("Zoom"));
    QCOMPARE(withText->toolTip(), QStringLiteral("Alles drucken"));
    QCOMPARE(withText->accessibleName(), QString()); // its text names it

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(iconOnly);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Erste Seite"));

    writeScript(scriptPath(QStringLiteral("Two.lng")),
                {QStringLiteral("[HintForm]"), QStringLiteral("IconButton.Hint=Première page, début")});
    SetActiveScriptPath(scriptPath(QStringLiteral("Two.lng")));
    TranslateForm(&window);
    QCOMPARE(iconOnly->toolTip(), QStringLiteral("Première page, début"));
    QCOMPARE(iconOnly->accessibleName(), QStringLiteral("Première page, début"));
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Première page, début"));
}

void LanguageScriptsTest::radioGroupSelectionAndSignals()
{
    RadioGroup group(QStringLiteral("Category bar position"));
    QCOMPARE(group.count(), 0);
    QCOMPARE(group.itemIndex(), -1);
    group.setItems({QStringLiteral("Left"), QStringLiteral("Right")});
    QCOMPARE(group.count(), 2);
    QCOMPARE(group.items(), QStringList({QStringLiteral("Left"), QStringLiteral("Right")}));
    QCOMPARE(group.itemIndex(), -1);

    QSignalSpy clicks(&group, &RadioGroup::clicked);
    group.setItemIndex(1);
    QCOMPARE(group.itemIndex(), 1);
    QVERIFY(group.button(1)->isChecked());
    group.setItemIndex(0);
    QCOMPARE(group.itemIndex(), 0);
    QVERIFY(!group.button(1)->isChecked());
    QCOMPARE(clicks.count(), 0); // only the user's picks are clicks

    group.setItemIndex(-1);
    QCOMPARE(group.itemIndex(), -1);
    QVERIFY(!group.button(0)->isChecked() && !group.button(1)->isChecked());
    group.setItemIndex(5);
    QCOMPARE(group.itemIndex(), -1);

    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    QTest::mouseClick(group.button(1), Qt::LeftButton, {}, indicatorOf(group.button(1)));
    QCOMPARE(group.itemIndex(), 1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).toInt(), 1);
    // After the user's pick the group is still exclusive.
    QTest::mouseClick(group.button(0), Qt::LeftButton, {}, indicatorOf(group.button(0)));
    QCOMPARE(group.itemIndex(), 0);
    QVERIFY(!group.button(1)->isChecked());
    QCOMPARE(clicks.count(), 2);

    group.setItemText(0, QStringLiteral("Links"));
    group.setItemText(7, QStringLiteral("ignored"));
    QCOMPARE(group.itemText(0), QStringLiteral("Links"));
    QCOMPARE(group.itemText(7), QString());

    group.setItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    QCOMPARE(group.count(), 3);
    QCOMPARE(group.itemIndex(), -1);
    QCOMPARE(group.findChildren<QRadioButton *>().size(), 3);
}

void LanguageScriptsTest::radioGroupArrowKeys()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *group = new RadioGroup(QStringLiteral("Category bar position"), &window);
    group->setColumns(2);
    group->setItems({QStringLiteral("Left"), QStringLiteral("Right")});
    group->setItemIndex(0);
    layout->addWidget(group);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QSignalSpy clicks(group, &RadioGroup::clicked);
    group->button(0)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), group->button(0));
    QTest::keyClick(group->button(0), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), group->button(1));
    QCOMPARE(group->itemIndex(), 1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).toInt(), 1);
    QTest::keyClick(group->button(1), Qt::Key_Left);
    QCOMPARE(group->itemIndex(), 0);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(clicks.at(1).at(0).toInt(), 0);
}

void LanguageScriptsTest::radioGroupColumns()
{
    RadioGroup group;
    group.setColumns(2);
    group.setItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                    QStringLiteral("5")});
    group.resize(400, 200);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    // Filled column by column: three rows in the first column, two in the second.
    const int left = group.button(0)->x();
    QCOMPARE(group.button(1)->x(), left);
    QCOMPARE(group.button(2)->x(), left);
    QVERIFY(group.button(3)->x() > left);
    QCOMPARE(group.button(4)->x(), group.button(3)->x());
    QVERIFY(group.button(1)->y() > group.button(0)->y());
    QCOMPARE(group.button(3)->y(), group.button(0)->y());

    group.setColumns(1);
    QApplication::processEvents();
    group.layout()->activate();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(group.button(i)->x(), left);
    group.setColumns(0); // at least one column
    QCOMPARE(group.columns(), 1);
}

void LanguageScriptsTest::shippedEnglishScript()
{
    const QString path = QStringLiteral(TALLIMO_DATA "/LScripts/English.lng");
    const QByteArray bytes = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    QVERIFY(!bytes.isEmpty());
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));

    SetActiveScriptPath(path);
    const QStringList preview{"qZoomToFit.Hint", "qZoomTo100.Hint", "qZoomToWidth.Hint", "qFirstPage.Hint",
                              "qLastPage.Hint", "qPreviousPage.Hint", "qNextPage.Hint", "qPrintSetup.Hint",
                              "qPrint.Hint", "qPageLabel.Caption", "Seite", "qZoomLabel.Caption",
                              "qCopyLabel.Caption", "seZoom.Hint", "seCopy.Hint", "sePage.Hint",
                              "qExitButton.Caption", "qExitButton.Hint", "qStatus1", "qStatus2", "qStatus3",
                              "qPagenames1", "qPagenames2", "Printed with"};
    const QStringList printPreview{"First Page", "Last Page", "Previous Page", "Next Page", "Fit Page",
                                   "Fit Width", "Print", "Grid", "ZoomCursor", "OnePage", "TwoPage",
                                   "CloseButton Hint", "CloseButton Caption", "Caption", "ZoomboxItems", "Page"};
    const auto script = ProfileFile::cached(path);
    for (const QString &key : preview) {
        QVERIFY2(script->hasKey(QStringLiteral("Preview"), key), qPrintable(key));
        QVERIFY2(!LngText(QStringLiteral("Preview"), key).isEmpty(), qPrintable(key));
    }
    for (const QString &key : printPreview) {
        QVERIFY2(script->hasKey(QStringLiteral("Print Preview"), key), qPrintable(key));
        QVERIFY2(!LngText(QStringLiteral("Print Preview"), key).isEmpty(), qPrintable(key));
    }
    // Identifiers read as words, not as themselves.
    QCOMPARE(LngText(QStringLiteral("Preview"), QStringLiteral("qPagenames2")), QStringLiteral("pages"));
    QCOMPARE(LngText(QStringLiteral("Preview"), QStringLiteral("Seite")), QStringLiteral("Page"));
    QCOMPARE(LngText(QStringLiteral("Print Preview"), QStringLiteral("Caption")), QStringLiteral("Print Preview"));

    const QStringList days{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int n = 1; n <= 7; ++n)
        QCOMPARE(LngText(QStringLiteral("Short day names"), QStringLiteral("Day %1").arg(n)), days.at(n - 1));

    // The zoom items travel as one entry of a comma text and are read as a comma text again.
    const QString zoom = LngText(QStringLiteral("Print Preview"), QStringLiteral("ZoomboxItems"));
    const QStringList captions = CommaText::toList(CommaText::fromList({QStringLiteral("x"), zoom}));
    QCOMPARE(captions.size(), 2);
    QCOMPARE(CommaText::toList(captions.at(1)),
             QStringList({"Fit To Page", "Fit To Width", "Custom", "25%", "50%", "75%", "100%", "125%", "150%",
                          "200%", "300%", "400%"}));
}

void LanguageScriptsTest::listDirectory()
{
    const QString folder = m_dir->filePath(QStringLiteral("LScripts"));
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(ListDirectory(folder), QString());

    writeScript(folder + QStringLiteral("/English.lng"), {QStringLiteral("[Captions]")});
    writeScript(folder + QStringLiteral("/German.lng"), {QStringLiteral("[Captions]")});
    writeScript(folder + QStringLiteral("/readme"), {QStringLiteral("text")});
    writeScript(folder + QStringLiteral("/.hidden.lng"), {QStringLiteral("text")});
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/Old")));

    const QString listing = ListDirectory(folder);
    QVERIFY(listing.endsWith(QStringLiteral("\r\n")));
    QStringList names = listing.split(QStringLiteral("\r\n"));
    QCOMPARE(names.takeLast(), QString());
    names.sort();
    QCOMPARE(names, QStringList({".hidden.lng", "English.lng", "German.lng", "Old", "readme"}));

    QCOMPARE(ListDirectory(m_dir->filePath(QStringLiteral("Missing"))), QString());
    QCOMPARE(ListDirectory(folder + QStringLiteral("/English.lng")), QString()); // a file is no folder
    QCOMPARE(ListDirectory(QString()), QString());
}

void LanguageScriptsTest::nameWithoutExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("drive path") << "C:/x/English.lng" << "English";
    QTest::newRow("absolute path") << "/a/b/German.lng" << "German";
    QTest::newRow("name only") << "French.lng" << "French";
    QTest::newRow("no extension") << "noext" << "noext";
    QTest::newRow("last extension only") << "a.b.c" << "a.b";
    QTest::newRow("dot in folder") << "/a.d/name" << "name";
    QTest::newRow("trailing dot") << "name." << "name";
    QTest::newRow("empty") << "" << "";
}

void LanguageScriptsTest::nameWithoutExtension()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(NameWithoutExtension(path), expected);
}

QTEST_MAIN(LanguageScriptsTest)
#include "test_language_scripts.moc"
