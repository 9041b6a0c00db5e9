#include "platform/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

#include <memory>

namespace {

QString fixture(const QString &name) { return QStringLiteral(TALLIMO_FIXTURES "/rtf/") + name; }

std::unique_ptr<QTextDocument> load(const QString &name)
{
    auto doc = std::make_unique<QTextDocument>();
    if (!LoadRtfFile(fixture(name), *doc))
        return nullptr;
    return doc;
}

std::unique_ptr<QTextDocument> read(const QByteArray &rtf)
{
    auto doc = std::make_unique<QTextDocument>();
    if (!ReadRtf(rtf, *doc))
        return nullptr;
    return doc;
}

// The character format of the first character of the first occurrence of text.
QTextCharFormat formatOf(const QTextDocument &doc, const QString &text)
{
    const int at = doc.toPlainText().indexOf(text);
    if (at < 0)
        return QTextCharFormat();
    QTextCursor cursor(const_cast<QTextDocument *>(&doc));
    cursor.setPosition(at + 1);
    return cursor.charFormat();
}

QTextBlockFormat blockFormatOf(const QTextDocument &doc, const QString &text)
{
    const int at = doc.toPlainText().indexOf(text);
    return at < 0 ? QTextBlockFormat() : doc.findBlock(at).blockFormat();
}

QString familyOf(const QTextCharFormat &format) { return format.fontFamilies().toStringList().value(0); }

QString colorOf(const QTextCharFormat &format)
{
    return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color().name() : QString();
}

// The images of the document, in text order, with the format that places each.
QList<QTextImageFormat> imagesOf(const QTextDocument &doc)
{
    QList<QTextImageFormat> images;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                images.append(format.toImageFormat());
        }
    }
    return images;
}

// The document's characters as stored, paragraphs ending in "\n" (no-break spaces and line
// separators kept, unlike toPlainText()).
QString shownText(const QTextDocument &doc)
{
    return doc.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

QString u(const char *utf8) { return QString::fromUtf8(utf8); }

} // namespace

class RtfReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void plainText_data();
    void plainText();
    void characterFormats_data();
    void characterFormats();
    void paragraphFormats_data();
    void paragraphFormats();
    void wordDocumentHidesItsTables();
    void hyperlinks_data();
    void hyperlinks();
    void everyResultOfALinkIsAnchored();
    void pictures();
    void picturePlacesOfNote_data();
    void picturePlacesOfNote();
    void controlWords_data();
    void controlWords();
    void notRichText_data();
    void notRichText();
    void unreadableFileLeavesDocument();
    void replacesPreviousContents();
    void hyperlinkTargets_data();
    void hyperlinkTargets();
    void malformedInput_data();
    void malformedInput();
    void formerCrashes();
    void oversizedPictureIsLeftOut();
};

void RtfReaderTest::plainText_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::newRow("wordpad") << "wordpad.rtf"
                             << u("Spielregeln\nNormaler Text mit fett, kursiv, unterstrichen und durch. "
                                  "Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac 5\n\xc2\xb7\tErster Punkt\nRechts rot\n"
                                  "Blocksatz mit Einzug");
    QTest::newRow("word") << "word.rtf" << u("Spielstand\nMehr auf der Webseite.");
    QTest::newRow("unicode and 1252")
        << "unicode-1252.rtf"
        << u("Euro \xe2\x82\xac, Smiley \xf0\x9f\x98\x80, K\xc3\xa4se\n"
             "Alpha \xce\xb1 Omega \xce\xa9 Pi \xcf\x80.\n"
             "P\xc5\x99\xc3\xadli\xc5\xa1 \xc5\xbelu\xc5\xa5ou\xc4\x8dk\xc3\xbd k\xc5\xaf\xc5\x88\n"
             "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82\n"
             "Gruppe \xe2\x80\x9czitiert\xe2\x80\x9d\xe2\x80\xa6");
    QTest::newRow("1250") << "unicode-1250.rtf" << u("\xc5\xa0koda \xc4\x8d" "esk\xc3\xa1 \xc4\x85\xc4\x99");
    QTest::newRow("links") << "links.rtf" << u("Siehe Beispiel und Regeln sowie 3.\nclub@example.org");
    QTest::newRow("table") << "table.rtf"
                           << u("Vor der Tabelle\nSpiel\tPunkte\tDatum\nSchach\t12\t01.05.2023\nNach der Tabelle");
    QTest::newRow("pictures") << "picture.rtf" << u("Bild:\xef\xbf\xbc Ende\n\xef\xbf\xbc");
}

void RtfReaderTest::plainText()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    const auto doc = load(file);
    QVERIFY(doc);
    QCOMPARE(shownText(*doc), text);
}

void RtfReaderTest::characterFormats_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("strike");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("color"); // empty: automatic

    QTest::newRow("heading") << "wordpad.rtf" << "Spielregeln" << true << false << true << false << 14.0 << "Arial" << "#0000ff";
    QTest::newRow("body") << "wordpad.rtf" << "Normaler" << false << false << false << false << 11.0 << "Calibri" << "";
    QTest::newRow("bold run") << "wordpad.rtf" << "fett" << true << false << false << false << 11.0 << "Calibri" << "";
    QTest::newRow("after bold") << "wordpad.rtf" << ", kursiv" << false << false << false << false << 11.0 << "Calibri" << "";
    QTest::newRow("italic run") << "wordpad.rtf" << "kursiv" << false << true << false << false << 11.0 << "Calibri" << "";
    QTest::newRow("underlined run") << "wordpad.rtf" << "unterstrichen" << false << false << true << false << 11.0 << "Calibri" << "";
    QTest::newRow("struck run") << "wordpad.rtf" << "durch" << false << false << false << true << 11.0 << "Calibri" << "";
    QTest::newRow("symbol bullet") << "wordpad.rtf" << u("\xc2\xb7") << false << false << false << false << 11.0 << "Symbol" << "";
    QTest::newRow("red text") << "wordpad.rtf" << "Rechts" << false << false << false << false << 11.0 << "Calibri" << "#ff0000";
    QTest::newRow("word heading") << "word.rtf" << "Spielstand" << true << false << true << false << 16.0 << "Arial" << "#0000ff";
    QTest::newRow("word body") << "word.rtf" << "Mehr" << false << false << false << false << 11.0 << "Times New Roman" << "";
    QTest::newRow("czech font") << "unicode-1252.rtf" << u("P\xc5\x99") << false << false << false << false << 12.0 << "Times New Roman CE" << "";
}

void RtfReaderTest::characterFormats()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(bool, strike);
    QFETCH(qreal, points);
    QFETCH(QString, family);
    QFETCH(QString, color);
    const auto doc = load(file);
    QVERIFY(doc);
    QVERIFY(doc->toPlainText().contains(text));
    const QTextCharFormat format = formatOf(*doc, text);
    QCOMPARE(format.fontWeight() >= QFont::Bold, bold);
    QCOMPARE(format.fontItalic(), italic);
    QCOMPARE(format.fontUnderline(), underline);
    QCOMPARE(format.fontStrikeOut(), strike);
    QCOMPARE(format.fontPointSize(), points);
    QCOMPARE(familyOf(format), family);
    QCOMPARE(colorOf(format), color);
    QVERIFY(!format.isAnchor());
}

void RtfReaderTest::paragraphFormats_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<qreal>("left");
    QTest::addColumn<qreal>("right");
    QTest::addColumn<qreal>("indent");
    QTest::addColumn<qreal>("top");
    QTest::addColumn<qreal>("bottom");
    // Twips become document units at 15 twips each.
    QTest::newRow("centred, space after") << "Spielregeln" << int(Qt::AlignHCenter) << 0.0 << 0.0 << 0.0 << 0.0 << 200 / 15.0;
    QTest::newRow("pard resets") << "Normaler" << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0 << 0.0 << 200 / 15.0;
    QTest::newRow("hanging indent") << "Erster" << int(Qt::AlignLeft) << 48.0 << 0.0 << -24.0 << 0.0 << 200 / 15.0;
    QTest::newRow("right") << "Rechts" << int(Qt::AlignRight) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("justified, margins, last paragraph") << "Blocksatz" << int(Qt::AlignJustify) << 96.0 << 48.0 << 0.0 << 8.0 << 0.0;
}

void RtfReaderTest::paragraphFormats()
{
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QFETCH(qreal, left);
    QFETCH(qreal, right);
    QFETCH(qreal, indent);
    QFETCH(qreal, top);
    QFETCH(qreal, bottom);
    const auto doc = load(QStringLiteral("wordpad.rtf"));
    QVERIFY(doc);
    QCOMPARE(doc->blockCount(), 5);
    const QTextBlockFormat format = blockFormatOf(*doc, text);
    QCOMPARE(int(format.alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(format.leftMargin(), left);
    QCOMPARE(format.rightMargin(), right);
    QCOMPARE(format.textIndent(), indent);
    QCOMPARE(format.topMargin(), top);
    QCOMPARE(format.bottomMargin(), bottom);
}

void RtfReaderTest::wordDocumentHidesItsTables()
{
    const auto doc = load(QStringLiteral("word.rtf"));
    QVERIFY(doc);
    const QString text = doc->toPlainText();
    for (const char *hidden : {"Normal", "heading", "Geheimer", "Autor", "KOPFZEILE", "FUSSZEILE", "Times", "504b",
                               "schemas", "Tipp", "HYPERLINK", "00d0", "2450", "Hyperlink"})
        QVERIFY2(!text.contains(QLatin1String(hidden)), hidden);
    QCOMPARE(doc->blockCount(), 2);
}

void RtfReaderTest::hyperlinks_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("href"); // empty: no link
    QTest::addColumn<QString>("color");
    QTest::newRow("word link") << "word.rtf" << "der Webseite" << "https://example.org/tallimo" << "#0000ff";
    QTest::newRow("text before link") << "word.rtf" << "Mehr auf" << "" << "";
    QTest::newRow("text after link") << "word.rtf" << "." << "" << "";
    QTest::newRow("own colour kept") << "links.rtf" << "Beispiel" << "http://www.example.com/a?b=1" << "#008000";
    QTest::newRow("bookmark link is blue") << "links.rtf" << "Regeln" << "#regeln" << "#0000ff";
    QTest::newRow("other field is plain") << "links.rtf" << "3" << "" << "";
    QTest::newRow("unquoted target") << "links.rtf" << "club@" << "mailto:club@example.org" << "#0000ff";
}

void RtfReaderTest::everyResultOfALinkIsAnchored()
{
    QByteArray rtf = "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"http://a\"}";
    for (int i = 0; i < 1000; ++i)
        rtf += "{\\fldrslt x}y";
    const auto doc = read(rtf + "}}");
    QVERIFY(doc);
    QCOMPARE(doc->characterCount(), 2001);
    QTextCursor cursor(doc.get());
    for (int i = 0; i < 2000; ++i) {
        cursor.setPosition(i + 1);
        QCOMPARE(cursor.charFormat().anchorHref(), i % 2 == 0 ? QStringLiteral("http://a") : QString());
    }
}

void RtfReaderTest::hyperlinks()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QString, href);
    QFETCH(QString, color);
    const auto doc = load(file);
    QVERIFY(doc);
    const QTextCharFormat format = formatOf(*doc, text);
    QCOMPARE(format.isAnchor(), !href.isEmpty());
    QCOMPARE(format.anchorHref(), href);
    if (!href.isEmpty()) {
        QVERIFY(format.fontUnderline());
        QCOMPARE(colorOf(format), color);
    }
}

void RtfReaderTest::pictures()
{
    const auto doc = load(QStringLiteral("picture.rtf"));
    QVERIFY(doc);
    const QList<QTextImageFormat> images = imagesOf(*doc);
    QCOMPARE(images.size(), 2); // the metafile alternative is passed over

    // The PNG, with its goal size of 1 x 0.75 inch, stretched to twice the width.
    QCOMPARE(images[0].width(), 192.0);
    QCOMPARE(images[0].height(), 72.0);
    const QImage png = doc->resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    QCOMPARE(png.size(), QSize(4, 3));
    QCOMPARE(png.pixelColor(0, 0), QColor(0, 0, 255));
    QCOMPARE(png.pixelColor(3, 2), QColor(255, 0, 0));

    // The JPEG without a goal keeps its own size.
    QVERIFY(!images[1].hasProperty(QTextFormat::ImageWidth));
    QVERIFY(!images[1].hasProperty(QTextFormat::ImageHeight));
    const QImage jpeg = doc->resource(QTextDocument::ImageResource, QUrl(images[1].name())).value<QImage>();
    QCOMPARE(jpeg.size(), QSize(8, 6));
    QVERIFY(qAbs(jpeg.pixelColor(4, 3).green() - 128) < 8);
}

void RtfReaderTest::picturePlacesOfNote_data()
{
    const QByteArray png = "89504e470d0a1a0a0000000d49484452000000040000000308020000003b963991000000097048597300000ec400000ec401952b0e1b0000001c4944415408994dc6a1010000080320e6ff3fcfa824422b40eaccbb0560430303c3cf32390000000049454e44ae426082";
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("images");
    QTest::newRow("in the outermost group") << QByteArray("{\\rtf1 a\\pict\\pngblip " + png + "}") << u("a\xef\xbf\xbc") << 1;
    QTest::newRow("cut before its end") << QByteArray("{\\rtf1 a{\\pict\\pngblip " + png) << u("a\xef\xbf\xbc") << 1;
    QTest::newRow("skipped by a star inside") << QByteArray("{\\rtf1 a{\\pict\\pngblip\\*\\foo " + png + "}b") << "ab" << 0;
    QTest::newRow("hidden") << QByteArray("{\\rtf1 a{\\v{\\pict\\pngblip " + png + "}}b}") << "ab" << 0;
    QTest::newRow("in a skipped destination") << QByteArray("{\\rtf1 a{\\header{\\pict\\pngblip " + png + "}}b}") << "ab" << 0;
    QTest::newRow("in a cell") << QByteArray("{\\rtf1 a\\cell{\\pict\\pngblip " + png + "}\\cell\\row}") << u("a\t\xef\xbf\xbc") << 1;
}

void RtfReaderTest::picturePlacesOfNote()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(int, images);
    const auto doc = read(rtf);
    QVERIFY(doc);
    QCOMPARE(shownText(*doc), text);
    QCOMPARE(imagesOf(*doc).size(), images);
}

void RtfReaderTest::controlWords_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("escapes") << QByteArray("{\\rtf1 a\\{b\\}c\\\\d}") << "a{b}c\\d";
    QTest::newRow("special spaces and hyphens") << QByteArray("{\\rtf1 a\\~b\\-c\\_d}") << u("a\xc2\xa0" "b\xc2\xad" "c\xe2\x80\x91" "d");
    QTest::newRow("named characters") << QByteArray("{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}")
                                      << u("\xe2\x80\x94\xe2\x80\x93\xe2\x80\xa2\xe2\x80\x98\xe2\x80\x99\xe2\x80\x9c\xe2\x80\x9d");
    QTest::newRow("tab and line") << QByteArray("{\\rtf1 a\\tab b\\line c}") << u("a\tb\xe2\x80\xa8" "c");
    QTest::newRow("line breaks in the source are no text") << QByteArray("{\\rtf1 a\r\nb\rc\nd}") << "abcd";
    QTest::newRow("backslash newline is a paragraph") << QByteArray("{\\rtf1 a\\\nb}") << "a\nb";
    QTest::newRow("unknown words ignored") << QByteArray("{\\rtf1 \\foo\\bar12 x\\baz-3 y}") << "xy";
    QTest::newRow("unknown starred group skipped") << QByteArray("{\\rtf1 a{\\*\\unknown b{c}d}e}") << "ae";
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 a\\v b\\v0 c}") << "ac";
    QTest::newRow("unicode skip count 0") << QByteArray("{\\rtf1\\uc0 \\u228 x}") << u("\xc3\xa4x");
    QTest::newRow("unicode fallback of hex bytes") << QByteArray("{\\rtf1\\uc1 \\u228\\'e4x}") << u("\xc3\xa4x");
    QTest::newRow("fallback ends with the group") << QByteArray("{\\rtf1\\uc3 {\\u228}xy}") << u("\xc3\xa4xy");
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-4064?}") << u("\xef\x80\xa0");
    QTest::newRow("binary data is no text") << QByteArray("{\\rtf1 a\\bin4 {}\\x b}") << "a b";
    QTest::newRow("binary data in skipped group") << QByteArray("{\\rtf1 a{\\*\\x \\bin2 }}b}c}") << "ac";
    QTest::newRow("unknown code page reads as 1252") << QByteArray("{\\rtf1\\ansi\\ansicpg99999 \\'e4\\'80}") << u("\xc3\xa4\xe2\x82\xac");
    QTest::newRow("raw 8-bit bytes") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 \xe4\xf6}") << u("\xc3\xa4\xc3\xb6");
    QTest::newRow("Japanese two-byte code page") << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'93\\'fa}") << u("\xe3\x81\x82\xe6\x97\xa5");
    QTest::newRow("trailing paragraph mark") << QByteArray("{\\rtf1 a\\par}") << "a";
    QTest::newRow("empty paragraphs kept") << QByteArray("{\\rtf1 a\\par\\par b\\par\\par}") << "a\n\nb\n";
    QTest::newRow("text after the end ignored") << QByteArray("{\\rtf1 a}b{c}") << "a";
    QTest::newRow("reserved characters replaced") << QByteArray("{\\rtf1 a\\u64976?\\u65532?\\u8233?\\u1?b}") << u("a\xef\xbf\xbd\xef\xbf\xbd b");
    QTest::newRow("lone surrogate replaced") << QByteArray("{\\rtf1 a\\u-10179?b}") << u("a\xef\xbf\xbd" "b");
    QTest::newRow("table row of a later writer") << QByteArray("{\\rtf1 {\\trowd\\cellx100\\cellx200}\\pard\\intbl {A\\cell}{B\\cell}{\\trowd\\cellx100\\cellx200\\row}C}") << "A\tB\nC";
    QTest::newRow("page and section breaks") << QByteArray("{\\rtf1 a\\page b\\sect c}") << "a\nb\nc";
}

void RtfReaderTest::controlWords()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const auto doc = read(rtf);
    QVERIFY(doc);
    QCOMPARE(shownText(*doc), text);
}

void RtfReaderTest::notRichText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("Hello");
    QTest::newRow("cut header") << QByteArray("{\\rt");
    QTest::newRow("upper case") << QByteArray("{\\RTF1 x}");
    QTest::newRow("other group") << QByteArray("{\\pict x}");
    QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf{\\rtf1 x}");
}

void RtfReaderTest::notRichText()
{
    QFETCH(QByteArray, bytes);
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("keep me"));
    QVERIFY(!ReadRtf(bytes, doc));
    QCOMPARE(doc.toPlainText(), QStringLiteral("keep me"));

    // Blanks before the header are allowed.
    QVERIFY(ReadRtf(QByteArray(" \t\r\n{\\rtf1 ok}"), doc));
    QCOMPARE(doc.toPlainText(), QStringLiteral("ok"));
}

void RtfReaderTest::unreadableFileLeavesDocument()
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("keep me"));
    QVERIFY(!LoadRtfFile(fixture(QStringLiteral("no-such-file.rtf")), doc));
    QVERIFY(!LoadRtfFile(QStringLiteral(TALLIMO_FIXTURES "/rtf"), doc)); // a folder
    QCOMPARE(doc.toPlainText(), QStringLiteral("keep me"));
}

void RtfReaderTest::replacesPreviousContents()
{
    QTextDocument doc;
    QVERIFY(LoadRtfFile(fixture(QStringLiteral("picture.rtf")), doc));
    QVERIFY(LoadRtfFile(fixture(QStringLiteral("table.rtf")), doc));
    QVERIFY(doc.toPlainText().startsWith(QStringLiteral("Vor der Tabelle")));
    QVERIFY(imagesOf(doc).isEmpty());
    QVERIFY(!doc.isUndoAvailable());
}

void RtfReaderTest::hyperlinkTargets_data()
{
    QTest::addColumn<QString>("instruction");
    QTest::addColumn<QString>("target");
    QTest::newRow("quoted") << " HYPERLINK \"http://a.b/c d\" " << "http://a.b/c d";
    QTest::newRow("lower case word") << "hyperlink \"x\"" << "x";
    QTest::newRow("tooltip switch") << "HYPERLINK \\o \"tip\" \"http://a\"" << "http://a";
    QTest::newRow("place only") << "HYPERLINK \\l \"top\"" << "#top";
    QTest::newRow("address and place") << "HYPERLINK \"a.htm\" \\l \"x\"" << "a.htm#x";
    QTest::newRow("unclosed quote") << "HYPERLINK \"http://a" << "http://a";
    QTest::newRow("other field") << "PAGE \\* MERGEFORMAT" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("no target") << "HYPERLINK" << "";
}

void RtfReaderTest::hyperlinkTargets()
{
    QFETCH(QString, instruction);
    QFETCH(QString, target);
    QCOMPARE(Rtf::hyperlinkTarget(instruction), target);
}

void RtfReaderTest::malformedInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text"); // what must be shown

    QTest::newRow("unclosed groups") << QByteArray("{\\rtf1 a{\\b b{\\i c") << "abc";
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}}}") << "a";
    QTest::newRow("cut in hex escape") << QByteArray("{\\rtf1 a\\'4") << "a4";
    QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb";
    QTest::newRow("cut after backslash") << QByteArray("{\\rtf1 a\\") << "a";
    QTest::newRow("cut in control word") << QByteArray("{\\rtf1 a\\fs") << "a";
    QTest::newRow("minus without digits is text") << QByteArray("{\\rtf1 a\\fs-") << "a-";
    QTest::newRow("cut after unicode") << QByteArray("{\\rtf1 a\\u") << "a";
    QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\uc999999999999 \\fs99999999999999999999\\li-99999999999\\cf88888888888"
                                                "\\f77777777777\\sa99999999999 \\u99999999999 a}") << "";
    QTest::newRow("huge numbers then text") << QByteArray("{\\rtf1 \\fs99999999999999999999\\li-99999999999\\cf88888888888 a}") << "a";
    QTest::newRow("long control word") << QByteArray("{\\rtf1 \\" + QByteArray(100000, 'b') + " a}") << "a";
    QTest::newRow("long parameter") << QByteArray("{\\rtf1 \\fs" + QByteArray(100000, '9') + " a}") << "a";
    QTest::newRow("deep nesting") << QByteArray("{\\rtf1 a" + QByteArray(200000, '{') + "x" + QByteArray(200000, '}') + "b}") << "ab";
    QTest::newRow("nesting at the limit") << QByteArray("{\\rtf1 " + QByteArray(998, '{') + "x" + QByteArray(998, '}') + "}") << "x";
    QTest::newRow("huge binary length") << QByteArray("{\\rtf1 a\\bin999999999 xyz}") << "a";
    QTest::newRow("negative binary length") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab";
    QTest::newRow("picture without data") << QByteArray("{\\rtf1 a{\\pict\\pngblip}b}") << "ab";
    QTest::newRow("picture of garbage") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47deadbeef}b}") << "ab";
    QTest::newRow("cut picture") << QByteArray("{\\rtf1 a{\\pict\\jpegblip ffd8ffe0") << "a";
    QTest::newRow("picture in picture") << QByteArray("{\\rtf1 a{\\pict{\\pict\\pngblip 00}\\pngblip 00}b}") << "ab";
    QTest::newRow("binary picture") << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin8 \x89PNG\r\n\x1a\n}b}") << "ab";
    QTest::newRow("field without result") << QByteArray("{\\rtf1 a{\\field{\\*\\fldinst HYPERLINK \"x\"}}b}") << "ab";
    QTest::newRow("result without field") << QByteArray("{\\rtf1 a{\\fldrslt b}c}") << "abc";
    QTest::newRow("instruction without field") << QByteArray("{\\rtf1 a{\\fldinst b}c}") << "ac";
    QTest::newRow("star at the top") << QByteArray("{\\rtf1\\*\\foo a}") << "a";
    QTest::newRow("font table without groups") << QByteArray("{\\rtf1{\\fonttbl\\f0 A;\\f1\\fcharset238 B}\\f1 \\'e8}") << u("\xc4\x8d");
    QTest::newRow("colour table entries without end") << QByteArray("{\\rtf1{\\colortbl\\red300\\green-4\\blue9}\\cf0 a}") << "a";
    QTest::newRow("colour index out of range") << QByteArray("{\\rtf1{\\colortbl;}\\cf5\\cb9\\highlight7 a}") << "a";
    QTest::newRow("cells without row") << QByteArray("{\\rtf1 a\\cell b\\cell") << "a\tb";
    QTest::newRow("NUL bytes") << QByteArray("{\\rtf1 a\0b\\'00c}", 16) << "abc";
}

void RtfReaderTest::malformedInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const auto doc = read(rtf);
    QVERIFY(doc);
    QCOMPARE(shownText(*doc), text);
}

void RtfReaderTest::formerCrashes()
{
    // Inputs the fuzzer once found faults with; each must read without harm.
    const QDir dir(QStringLiteral(TALLIMO_FIXTURES "/rtf"));
    const QStringList files = dir.entryList({QStringLiteral("crash-*.rtf")}, QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &name : files) {
        QTextDocument doc;
        QVERIFY2(LoadRtfFile(dir.filePath(name), doc), qPrintable(name));
        for (const QTextImageFormat &image : imagesOf(doc))
            QVERIFY(!doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>().isNull());
    }
}

void RtfReaderTest::oversizedPictureIsLeftOut()
{
    // A valid PNG header claiming 20000 x 20000 pixels.
    const QByteArray png = "89504e470d0a1a0a0000000d4948445200004e2000004e2008020000006c12d16e"
                           "0000000c49444154789c6360a03d00000064000186643c35";
    const auto doc = read("{\\rtf1 a{\\pict\\pngblip " + png + "}b}");
    QVERIFY(doc);
    QCOMPARE(doc->toPlainText(), QStringLiteral("ab"));
    QVERIFY(imagesOf(*doc).isEmpty());
}

QTEST_MAIN(RtfReaderTest)
#include "test_rtf_reader.moc"
