// Qt's own texts (standard dialogs, standard buttons) follow the language of the active script.
#include "services/OptionsPage.h"
#include "services/QtTranslations.h"
#include "services/TransProg.h"
#include "support/StartedWindow.h"
#include "support/TempProgramDir.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

namespace {

struct QtText
{
    const char *context;
    const char *source;
    const char *german;
};

// Texts of the file dialog's replace question, the standard buttons and the colour dialog.
const QtText Texts[] = {
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?",
     "Die Datei %1 existiert bereits.\nSoll sie \xc3\xbc" "berschrieben werden?"},
    {"QPlatformTheme", "Cancel", "Abbrechen"},
    {"QPlatformTheme", "&Yes", "&Ja"},
    {"QColorDialog", "Select Color", "Farbauswahl"},
};

QString translated(const QtText &text)
{
    return QCoreApplication::translate(text.context, text.source);
}

bool germanQtTranslationsInstalled()
{
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm"));
}

void expectGerman(bool german)
{
    for (const QtText &text : Texts)
        QCOMPARE(translated(text), QString::fromUtf8(german ? text.german : text.source));
}

} // namespace

class QtTranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void languageCodeOfScript_data();
    void languageCodeOfScript();
    void germanScriptTranslatesQtTexts();
    void switchingBackRemovesTheTranslations_data();
    void switchingBackRemovesTheTranslations();
    void startAndChangeOfLanguage();

private:
    std::unique_ptr<TempProgramDir> m_dir;
};

void QtTranslationsTest::init()
{
    m_dir = std::make_unique<TempProgramDir>();
}

void QtTranslationsTest::cleanup()
{
    UseQtTranslationsFor(QString());
    SetActiveScriptPath(QString());
    m_dir.reset();
}

void QtTranslationsTest::languageCodeOfScript_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("code");

    QTest::newRow("code key") << "German.lng" << QByteArray("[Language]\r\nCode=de\r\n") << "de";
    QTest::newRow("code key wins over the name") << "Deutsch.lng" << QByteArray("[language]\r\nCODE = fr \r\n") << "fr";
    QTest::newRow("name without key") << "German.lng" << QByteArray("[Messages]\r\nAre you sure?=Sicher?\r\n") << "de";
    QTest::newRow("name in other case") << "dutch.lng" << QByteArray() << "nl";
    QTest::newRow("empty key falls back to the name") << "French.lng" << QByteArray("[Language]\r\nCode=\r\n") << "fr";
    QTest::newRow("English by name") << "English.lng" << QByteArray() << "en";
    QTest::newRow("no language") << "Klingon.lng" << QByteArray("[Captions]\r\nOK=Qapla\r\n") << "";
    QTest::newRow("missing file") << "Missing.lng" << QByteArray() << "";
}

void QtTranslationsTest::languageCodeOfScript()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, code);
    const QString path = m_dir->file(QStringLiteral("LScripts/") + file);
    if (!content.isEmpty() || file != u"Missing.lng")
        m_dir->write(QStringLiteral("LScripts/") + file, content);
    if (file == u"Missing.lng")
        QFile::remove(path);
    QCOMPARE(ScriptLanguageCode(path), code);
}

void QtTranslationsTest::germanScriptTranslatesQtTexts()
{
    if (!germanQtTranslationsInstalled())
        QSKIP("Qt's German translations (qt6-translations-l10n) are not installed");
    m_dir->write(QStringLiteral("LScripts/German.lng"), "[Language]\r\nCode=de\r\n");
    QVERIFY(UseQtTranslationsFor(m_dir->file(QStringLiteral("LScripts/German.lng"))));
    expectGerman(true);
    // Loading again replaces the translations instead of stacking a second set.
    QVERIFY(UseQtTranslationsFor(m_dir->file(QStringLiteral("LScripts/German.lng"))));
    expectGerman(true);
    QCOMPARE(QCoreApplication::instance()->findChildren<QTranslator *>().size(), 1);
}

void QtTranslationsTest::switchingBackRemovesTheTranslations_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("English") << "English.lng" << QByteArray("[Language]\r\nCode=en\r\n");
    QTest::newRow("English by name") << "English.lng" << QByteArray();
    QTest::newRow("unknown language") << "Klingon.lng" << QByteArray();
    QTest::newRow("a language without Qt translations") << "Latin.lng" << QByteArray();
    QTest::newRow("no script") << "" << QByteArray();
}

void QtTranslationsTest::switchingBackRemovesTheTranslations()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    if (!germanQtTranslationsInstalled())
        QSKIP("Qt's German translations (qt6-translations-l10n) are not installed");
    m_dir->write(QStringLiteral("LScripts/German.lng"), "[Language]\r\nCode=de\r\n");
    QVERIFY(UseQtTranslationsFor(m_dir->file(QStringLiteral("LScripts/German.lng"))));
    expectGerman(true);

    QString path;
    if (!file.isEmpty()) {
        m_dir->write(QStringLiteral("LScripts/") + file, content);
        path = m_dir->file(QStringLiteral("LScripts/") + file);
    }
    QVERIFY(!UseQtTranslationsFor(path));
    expectGerman(false);
    QVERIFY(QCoreApplication::instance()->findChildren<QTranslator *>().isEmpty());
}

// Through the window's own settings: the stored script at start, then a change of language on
// the options page, with the scripts that ship with the program.
void QtTranslationsTest::startAndChangeOfLanguage()
{
    if (!germanQtTranslationsInstalled())
        QSKIP("Qt's German translations (qt6-translations-l10n) are not installed");
    for (const char *script : {"German.lng", "English.lng"}) {
        QFile shipped(QStringLiteral(TALLIMO_DATA "/LScripts/") + QLatin1String(script));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        m_dir->write(QStringLiteral("LScripts/") + QLatin1String(script), shipped.readAll());
    }
    m_dir->write(QStringLiteral("Data/TALLIMO.INI"), "[Language]\r\nFile=German.lng\r\n");
    StartedWindow s(*m_dir);
    QCOMPARE(ActiveScriptPath(), m_dir->file(QStringLiteral("LScripts/German.lng")));
    expectGerman(true);

    s.form->findChild<QTabWidget *>(QStringLiteral("GameControl"))
        ->setCurrentWidget(s.form->findChild<QWidget *>(QStringLiteral("OptionsSheet")));
    QListWidget *languages = s.options().lngListBox();
    const QList<QListWidgetItem *> english = languages->findItems(QStringLiteral("English.lng"), Qt::MatchExactly);
    QCOMPARE(english.size(), 1);
    QTest::mouseClick(languages->viewport(), Qt::LeftButton, {}, languages->visualItemRect(english.first()).center());
    QTRY_COMPARE(ActiveScriptPath(), m_dir->file(QStringLiteral("LScripts/English.lng")));
    expectGerman(false);
    QVERIFY(s.dialogs.errors().isEmpty());
}

QTEST_MAIN(QtTranslationsTest)
#include "test_qt_translations.moc"
