#include "store/AppError.h"
#include "store/TextCodec.h"
#include "store/TextFile.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TextFileTest : public QObject
{
    Q_OBJECT

private slots:
    void splitsLines_data();
    void splitsLines();
    void decodesUtf8OrWindows1252_data();
    void decodesUtf8OrWindows1252();
    void writesCrLfAfterEveryLine();
    void missingFileCannotOpen();
    void failedWriteKeepsOldFile();
};

void TextFileTest::splitsLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("null view") << QByteArray(nullptr, 0) << QStringList{};
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lone lf") << QByteArray("a\nb") << QStringList{"a", "b"};
    QTest::newRow("lone cr") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("mixed with empty lines") << QByteArray("a\r\n\r\n\nb\r\r\n") << QStringList{"a", "", "", "b", ""};
    QTest::newRow("only a break") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("lf cr is two breaks") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("nul ends the text") << QByteArray("a\r\nb\0c\r\nd", 10) << QStringList{"a", "b"};
}

void TextFileTest::splitsLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, lines);
    QCOMPARE(TextFile::decodeLines(text), lines);
}

void TextFileTest::decodesUtf8OrWindows1252_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Chess") << QString("Chess");
    QTest::newRow("utf-8 umlaut") << QByteArray("W\xC3\xBCrfel") << QString::fromUtf8("Würfel");
    QTest::newRow("1252 umlaut") << QByteArray("W\xFCrfel") << QString::fromUtf8("Würfel");
    QTest::newRow("1252 euro and quotes") << QByteArray("\x80 \x93x\x94") << QString::fromUtf8("€ “x”");
    QTest::newRow("overlong utf-8 is 1252") << QByteArray("\xC0\xAF") << QString::fromUtf8("À¯");
    QTest::newRow("truncated utf-8 is 1252") << QByteArray("a\xE2\x82") << QString::fromUtf8("aâ‚");
    QTest::newRow("surrogate is 1252") << QByteArray("\xED\xA0\x80") << QString::fromUtf8("í\u00a0€");
    QTest::newRow("four-byte utf-8") << QByteArray("\xF0\x9F\x8E\xB2") << QString::fromUtf8("🎲");
}

void TextFileTest::decodesUtf8OrWindows1252()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TextCodec::decode(bytes), text);
}

void TextFileTest::writesCrLfAfterEveryLine()
{
    TempProgramDir dir;
    const QString path = dir.file("Data/x.txt");
    TextFile::writeLines(path, {"Root", "", QString::fromUtf8("Würfel")});
    QCOMPARE(dir.read("Data/x.txt"), QByteArray("Root\r\n\r\nW\xC3\xBCrfel\r\n"));
    QCOMPARE(TextFile::readLines(path), (QStringList{"Root", "", QString::fromUtf8("Würfel")}));
}

void TextFileTest::missingFileCannotOpen()
{
    TempProgramDir dir;
    const QString path = dir.file("Data/none.dat");
    try {
        TextFile::readBytes(path);
        QFAIL("no error");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), "Cannot open file " + path);
    }
}

void TextFileTest::failedWriteKeepsOldFile()
{
    // A folder standing where the file should go cannot be replaced.
    TempProgramDir dir;
    QDir(dir.dataDir()).mkpath("Records1.dat/inner");
    dir.write("Data/Records1.dat/inner/x", "old");
    const QString path = dir.file("Data/Records1.dat");
    try {
        TextFile::writeLines(path, {"new"});
        QFAIL("no error");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), "Cannot create file " + path);
    }
    QCOMPARE(dir.read("Data/Records1.dat/inner/x"), QByteArray("old"));
}

QTEST_APPLESS_MAIN(TextFileTest)
#include "test_text_file.moc"
