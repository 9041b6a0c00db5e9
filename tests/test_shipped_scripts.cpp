// The language scripts and About texts that ship in data/: every key the program looks up is
// there, lists have as many entries as their controls have items, and the files are well formed.

#include "platform/ProfileFile.h"
#include "platform/RtfReader.h"
#include "store/CommaText.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

namespace {

QString dataFile(const QString &relative) { return QStringLiteral(TALLIMO_DATA "/") + relative; }
QString germanScript() { return dataFile(QStringLiteral("LScripts/German.lng")); }
QString englishScript() { return dataFile(QStringLiteral("LScripts/English.lng")); }

// A comma list of a window section: every "," ends an entry; a "," at the very end adds none.
QStringList commaListEntries(const QString &value)
{
    QStringList entries = value.split(u',');
    if (entries.size() > 1 && entries.last().isEmpty())
        entries.removeLast();
    return entries;
}

void addRows(const char *section, std::initializer_list<const char *> keys)
{
    for (const char *key : keys)
        QTest::addRow("%s/%s", section, key) << QString::fromUtf8(section) << QString::fromUtf8(key);
}

// Keys whose English text is only an identifier: a script must give them.
void addIdentifierRows()
{
    addRows("Short day names", {"Day 1", "Day 2", "Day 3", "Day 4", "Day 5", "Day 6", "Day 7"});
    addRows("Preview", {"qZoomToFit.Hint", "qZoomTo100.Hint", "qZoomToWidth.Hint", "qFirstPage.Hint",
                        "qLastPage.Hint", "qPreviousPage.Hint", "qNextPage.Hint", "qPrintSetup.Hint",
                        "qPrint.Hint", "qPageLabel.Caption", "Seite", "qZoomLabel.Caption",
                        "qCopyLabel.Caption", "seZoom.Hint", "seCopy.Hint", "sePage.Hint",
                        "qExitButton.Caption", "qExitButton.Hint", "qStatus1", "qStatus2", "qStatus3",
                        "qPagenames1", "qPagenames2", "Printed with"});
    addRows("Print Preview", {"First Page", "Last Page", "Previous Page", "Next Page", "Fit Page", "Fit Width",
                              "Print", "Grid", "ZoomCursor", "OnePage", "TwoPage", "CloseButton Hint",
                              "CloseButton Caption", "Caption", "ZoomboxItems", "Page"});
}

// The error messages' format texts: the keys of section "Errors".
void addErrorRows()
{
    addRows("Errors", {"Cannot open file %1", "Cannot create file %1", "List index out of bounds (%1)",
                       "'%1' is not a valid integer value", "Bitmap image is not valid", "JPEG error #%1",
                       "Invalid level (%1) for item \"%2\"", "Invalid index", "Unable to write to %1",
                       "Out of memory"});
}

// The placeholders %1, %2 ... of a text, in order of number.
QStringList placeholders(const QString &text)
{
    QStringList found;
    const QRegularExpression placeholder(QStringLiteral("%[0-9]+"));
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    found.sort();
    return found;
}

QString decodeStrictUtf8(const QByteArray &bytes, bool *valid)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    *valid = !decoder.hasError();
    return text;
}

} // namespace

class ShippedScriptsTest : public QObject
{
    Q_OBJECT

private slots:
    void germanHasEveryLookedUpKey_data();
    void germanHasEveryLookedUpKey();
    void englishHasIdentifierKeys_data();
    void englishHasIdentifierKeys();
    void englishErrorsAreTheBuiltInTexts_data();
    void englishErrorsAreTheBuiltInTexts();
    void germanHasNoKeysForDataControls_data();
    void germanHasNoKeysForDataControls();
    void germanListsMatchTheirControls_data();
    void germanListsMatchTheirControls();
    void germanZoomItemsKeepTheirOrder();
    void scriptsNameTheirLanguage_data();
    void scriptsNameTheirLanguage();
    void scriptsAreWellFormed_data();
    void scriptsAreWellFormed();
    void aboutTextsLoad_data();
    void aboutTextsLoad();
};

void ShippedScriptsTest::germanHasEveryLookedUpKey_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    addRows("Captions", {"Player", "OK", "Cancel", "Yes", "No", "Information", "Confirmation", "Warning", "Input",
                         "Points", "Date", "Comment", "No.", "Game", "Category", "Best", "Bitmap files",
                         "JPEG files", "of", "All", "All files", "CSV files"});
    addRows("Messages", {"Do you really want to exit the program?", "Please enter game name:",
                         "Game already exists.", "Are you sure?", "Please enter player name:", "items listed.",
                         "Generating report, please wait...", "Please enter text (F3 -> Continue searching):",
                         "The files of this player could not be read completely. They have been kept unchanged as:",
                         "The number is too large.",
                         "The number of record lines in this file is negative. The file is not imported.",
                         "The data of this player that have not been saved yet will be replaced by the imported data. "
                         "Continue?",
                         "The files of these players could not be read. They take no part in the overview:",
                         "This is not a number.",
                         "Parts of the records file that the program does not know were left out.",
                         "Game \"%1\" in %2: %3 damaged records could not be read.",
                         "Game \"%1\" in %2 was repaired; all its records are kept.", "... and %1 more.",
                         "The files of this player could not be read completely. They will be kept unchanged before "
                         "the player is saved.",
                         "Everything that could be read has been kept.", "Some games of the records file are damaged.",
                         "The data of %1 were exported to %2.", "The file %1 was imported as the data of %2."});
    addErrorRows();
    addIdentifierRows();
}

void ShippedScriptsTest::germanHasEveryLookedUpKey()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    const ProfileFile script(germanScript());
    QVERIFY2(script.hasKey(section, key), qPrintable(section + u'/' + key));
    const QString value = script.readString(section, key, QString());
    QVERIFY2(!value.trimmed().isEmpty(), qPrintable(section + u'/' + key));
    // A text with placeholders keeps every one of them.
    QCOMPARE(placeholders(value), placeholders(key));
    // A translated identifier must not show the identifier itself.
    if (section != u"Captions" && section != u"Messages" && section != u"Errors")
        QVERIFY2(value != key || key == u"Seite", qPrintable(section + u'/' + key));
}

void ShippedScriptsTest::englishHasIdentifierKeys_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    addIdentifierRows();
}

void ShippedScriptsTest::englishHasIdentifierKeys()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    if (!QFile::exists(englishScript()))
        QSKIP("English.lng is not in data/LScripts");
    const ProfileFile script(englishScript());
    QVERIFY2(script.hasKey(section, key), qPrintable(section + u'/' + key));
    QVERIFY2(!script.readString(section, key, QString()).trimmed().isEmpty(), qPrintable(section + u'/' + key));
}

void ShippedScriptsTest::englishErrorsAreTheBuiltInTexts_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    addErrorRows();
}

// An English user sees the built-in texts, whether the script lists the key or not.
void ShippedScriptsTest::englishErrorsAreTheBuiltInTexts()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    if (!QFile::exists(englishScript()))
        QSKIP("English.lng is not in data/LScripts");
    const ProfileFile script(englishScript());
    QCOMPARE(script.readString(section, key, key), key);
}

void ShippedScriptsTest::germanHasNoKeysForDataControls_data()
{
    QTest::addColumn<QString>("control");
    for (int n = 1; n <= 10; ++n)
        QTest::addRow("PlayerButton%d", n) << QStringLiteral("PlayerButton%1").arg(n);
    for (int n = 1; n <= 5; ++n)
        QTest::addRow("CategoryPanel%d", n) << QStringLiteral("CategoryPanel%1").arg(n);
    for (const char *control : {"TitelPanel", "CatTitleEdit", "OverviewItemsPanel", "GameCommentMemo",
                                "DonationsEdit", "HelpTextField", "LngListBox", "HFilesListBox", "IEPlayerCombo",
                                "GameFilterCombo", "CategoryFilterCombo", "BestPlayerFilterCombo", "FilePathEdit"})
        QTest::newRow(control) << QString::fromUtf8(control);
}

void ShippedScriptsTest::germanHasNoKeysForDataControls()
{
    QFETCH(QString, control);
    const ProfileFile script(germanScript());
    for (const char *property : {".Caption", ".Hint", ".Items", ".Lines", ".Columns.Captions"}) {
        const QString key = control + QString::fromLatin1(property);
        QVERIFY2(!script.hasKey(QStringLiteral("MainForm"), key), qPrintable(key));
    }
}

void ShippedScriptsTest::germanListsMatchTheirControls_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("firstFilled"); // entries before this one may be empty
    QTest::newRow("weekdays") << "MainForm" << "FirstWeekdayCombo.Items" << 7 << 0;
    QTest::newRow("category bar side") << "MainForm" << "CategoryPositionBox.Items" << 2 << 0;
    QTest::newRow("exchange task") << "MainForm" << "TaskBox.Items" << 2 << 0;
    QTest::newRow("general options") << "MainForm" << "GenOptListBox.Items" << 1 << 0;
    QTest::newRow("record columns") << "MainForm" << "DisplayRecView.Columns.Captions" << 4 << 1;
    QTest::newRow("top list columns") << "MainForm" << "TopView.Columns.Captions" << 6 << 0;
    QTest::newRow("months") << "CalForm" << "MonthCombo.Items" << 12 << 0;
}

void ShippedScriptsTest::germanListsMatchTheirControls()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, entries);
    QFETCH(int, firstFilled);
    const ProfileFile script(germanScript());
    QVERIFY2(script.hasKey(section, key), qPrintable(key));
    const QStringList list = commaListEntries(script.readString(section, key, QString()));
    QCOMPARE(list.size(), entries);
    for (int i = firstFilled; i < list.size(); ++i)
        QVERIFY2(!list[i].trimmed().isEmpty(), qPrintable(QStringLiteral("%1 entry %2").arg(key).arg(i)));
    QCOMPARE(QSet<QString>(list.cbegin(), list.cend()).size(), list.size()); // no entry given twice
}

void ShippedScriptsTest::germanZoomItemsKeepTheirOrder()
{
    // The zoom rules go by position: items 3..11 are fixed percentages.
    const ProfileFile script(germanScript());
    const QStringList items = CommaText::toList(script.readString(QStringLiteral("Print Preview"),
                                                                  QStringLiteral("ZoomboxItems"), QString()));
    QCOMPARE(items.size(), 12);
    const QStringList percentages{"25%", "50%", "75%", "100%", "125%", "150%", "200%", "300%", "400%"};
    QCOMPARE(items.mid(3), percentages);
    for (int i = 0; i < 3; ++i)
        QVERIFY(!items[i].isEmpty() && !items[i].endsWith(u'%'));
}

void ShippedScriptsTest::scriptsNameTheirLanguage_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("code");
    QTest::newRow("German") << germanScript() << "de";
    QTest::newRow("English") << englishScript() << "en";
}

// The language code picks Qt's own translations for the standard dialogs.
void ShippedScriptsTest::scriptsNameTheirLanguage()
{
    QFETCH(QString, path);
    QFETCH(QString, code);
    if (!QFile::exists(path))
        QSKIP("script not in data/LScripts");
    const ProfileFile script(path);
    QVERIFY(script.hasKey(QStringLiteral("Language"), QStringLiteral("Code")));
    const QString value = script.readString(QStringLiteral("Language"), QStringLiteral("Code"), QString());
    QCOMPARE(value, code);
    QCOMPARE(QLocale::languageToCode(QLocale(value).language()), code);
}

void ShippedScriptsTest::scriptsAreWellFormed_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("German") << germanScript();
    QTest::newRow("English") << englishScript();
}

void ShippedScriptsTest::scriptsAreWellFormed()
{
    QFETCH(QString, path);
    QFile file(path);
    if (!file.exists())
        QSKIP("script not in data/LScripts");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.isEmpty());
    QVERIFY2(!bytes.startsWith("\xEF\xBB\xBF"), "no byte-order mark");
    bool valid = false;
    const QString text = decodeStrictUtf8(bytes, &valid);
    QVERIFY2(valid, "valid UTF-8");
    QVERIFY2(text.endsWith(u"\r\n"), "last line ends with CR LF");

    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    QSet<QString> sections;
    QSet<QString> keysOfSection;
    QString section;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const QByteArray where = QStringLiteral("line %1: %2").arg(i + 1).arg(line).toUtf8();
        QVERIFY2(!line.contains(u'\r') && !line.contains(u'\n'), where.constData());
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';'))
            continue;
        if (trimmed.startsWith(u'[')) {
            QVERIFY2(trimmed.endsWith(u']'), where.constData());
            section = trimmed.mid(1, trimmed.size() - 2).trimmed().toCaseFolded();
            QVERIFY2(!sections.contains(section), where.constData()); // a repeated section is never read
            sections.insert(section);
            keysOfSection.clear();
            continue;
        }
        QVERIFY2(!section.isEmpty(), where.constData());
        const qsizetype equals = line.indexOf(u'=');
        QVERIFY2(equals > 0, where.constData());
        const QString key = line.left(equals).trimmed().toCaseFolded();
        QVERIFY2(!key.isEmpty(), where.constData());
        QVERIFY2(!keysOfSection.contains(key), where.constData()); // only the first of two is read
        keysOfSection.insert(key);
        const QString value = line.mid(equals + 1).trimmed();
        QVERIFY2(value.size() <= ProfileFile::MaxValueLength, where.constData());
    }
}

void ShippedScriptsTest::aboutTextsLoad_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("heading");
    QTest::newRow("English") << "Texts/Donation.rtf" << "About Tallimo";
    QTest::newRow("German") << "Texts/Spenden.rtf" << QStringLiteral("Über Tallimo");
}

void ShippedScriptsTest::aboutTextsLoad()
{
    QFETCH(QString, file);
    QFETCH(QString, heading);
    QTextDocument doc;
    QVERIFY(LoadRtfFile(dataFile(file), doc));
    QVERIFY(!doc.toPlainText().trimmed().isEmpty());

    const QTextBlock first = doc.firstBlock();
    QCOMPARE(first.text(), heading);
    QTextCursor cursor(first);
    cursor.movePosition(QTextCursor::NextCharacter);
    QVERIFY(cursor.charFormat().fontWeight() >= QFont::Bold);
    QVERIFY(doc.blockCount() >= 4);
    QVERIFY(doc.toPlainText().contains(QStringLiteral("MIT")));

    QStringList links;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor())
                links.append(format.anchorHref());
        }
    }
    QCOMPARE(links, QStringList{QStringLiteral("https://example.org/tallimo")});
}

QTEST_MAIN(ShippedScriptsTest)
#include "test_shipped_scripts.moc"
