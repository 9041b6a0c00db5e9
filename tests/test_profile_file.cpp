#include "platform/ProfileFile.h"
#include "store/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString fixture(const QString &name) { return QStringLiteral(TALLIMO_FIXTURES "/profile/") + name; }

} // namespace

class ProfileFileTest : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void missingFileReadsDefaults();
    void integers_data();
    void integers();
    void booleans_data();
    void booleans();
    void windows1252File();
    void writes_data();
    void writes();
    void newFileIsCreated();
    void writtenValuesReadBack_data();
    void writtenValuesReadBack();
    void failedWriteKeepsFileAndMemory();
    void updateWritesOnceAtTheEnd();
    void failedUpdateKeepsFileAndMemory();
    void unwritableLocationReportsPath();
    void writeKeepsChangesOfOtherWriters();
    void cachedSnapshotFollowsTheFile();

private:
    QTemporaryDir m_dir;
};

void ProfileFileTest::reads_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString def = QStringLiteral("<default>");
    QTest::newRow("plain") << QByteArray("[A]\r\nkey=value\r\n") << "A" << "key" << "value";
    QTest::newRow("section case") << QByteArray("[MainForm]\r\nkey=v\r\n") << "mainform" << "key" << "v";
    QTest::newRow("key case") << QByteArray("[A]\r\nExitButton.Caption=Ende\r\n") << "A" << "EXITBUTTON.caption" << "Ende";
    QTest::newRow("umlaut case") << QByteArray("[\xc3\x9c" "ber]\r\nk=v\r\n") << QString::fromUtf8("\xc3\xbc" "BER") << "K" << "v";
    QTest::newRow("blanks and tabs") << QByteArray("[A]\r\n \t key \t= \t some value \t\r\n") << "A" << "key" << "some value";
    QTest::newRow("blanks in section line") << QByteArray("  [ Player 1 ]  \r\nName=Bo\r\n") << "Player 1" << "Name" << "Bo";
    QTest::newRow("double quotes") << QByteArray("[A]\r\nk=\"  padded \"\r\n") << "A" << "k" << "  padded ";
    QTest::newRow("single quotes") << QByteArray("[A]\r\nk='x'\r\n") << "A" << "k" << "x";
    QTest::newRow("only outer quotes go") << QByteArray("[A]\r\nk=\"a\" and \"b\"\r\n") << "A" << "k" << "a\" and \"b";
    QTest::newRow("unmatched quote kept") << QByteArray("[A]\r\nk=\"abc\r\n") << "A" << "k" << "\"abc";
    QTest::newRow("mixed quotes kept") << QByteArray("[A]\r\nk='abc\"\r\n") << "A" << "k" << "'abc\"";
    QTest::newRow("lone quote kept") << QByteArray("[A]\r\nk=\"\r\n") << "A" << "k" << "\"";
    QTest::newRow("empty quotes") << QByteArray("[A]\r\nk=\"\"\r\n") << "A" << "k" << "";
    QTest::newRow("empty value") << QByteArray("[A]\r\nk=\r\n") << "A" << "k" << "";
    QTest::newRow("blank value") << QByteArray("[A]\r\nk=  \t\r\n") << "A" << "k" << "";
    QTest::newRow("first equals splits") << QByteArray("[A]\r\nk=a=b\r\n") << "A" << "k" << "a=b";
    QTest::newRow("comma list kept") << QByteArray("[A]\r\nk=Sun,Mon,,Tue\r\n") << "A" << "k" << "Sun,Mon,,Tue";
    QTest::newRow("first key wins") << QByteArray("[A]\r\nk=1\r\nK=2\r\n") << "A" << "k" << "1";
    QTest::newRow("first section wins") << QByteArray("[A]\r\nk=1\r\n[B]\r\n[a]\r\nk=2\r\nj=3\r\n") << "A" << "j" << def;
    QTest::newRow("key of other section") << QByteArray("[A]\r\nk=1\r\n[B]\r\nx=2\r\n") << "B" << "k" << def;
    QTest::newRow("missing section") << QByteArray("[A]\r\nk=1\r\n") << "C" << "k" << def;
    QTest::newRow("missing key") << QByteArray("[A]\r\nk=1\r\n") << "A" << "x" << def;
    QTest::newRow("key before any section") << QByteArray("k=1\r\n[A]\r\n") << "A" << "k" << def;
    QTest::newRow("comment line") << QByteArray("[A]\r\n;k=1\r\n") << "A" << ";k" << def;
    QTest::newRow("commented key") << QByteArray("[A]\r\n;k=1\r\n") << "A" << "k" << def;
    QTest::newRow("empty key never matches") << QByteArray("[A]\r\n=1\r\n") << "A" << "" << def;
    QTest::newRow("unclosed bracket is no section") << QByteArray("[A]\r\n[B\r\nk=1\r\n") << "A" << "k" << "1";
    QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf[A]\r\nk=bom\r\n") << "A" << "k" << "bom";
    QTest::newRow("empty file") << QByteArray() << "A" << "k" << def;
    QTest::newRow("LF lines") << QByteArray("[A]\nk=lf\n") << "A" << "k" << "lf";
    QTest::newRow("CR lines") << QByteArray("[A]\rk=cr\r") << "A" << "k" << "cr";
    QTest::newRow("NUL ends the text") << (QByteArray("[A]\r\nk=1\r\n") + '\0' + "j=2\r\n") << "A" << "j" << def;
    QTest::newRow("long value cut") << QByteArray("[A]\r\nk=" + QByteArray(3000, 'x') + "\r\n") << "A" << "k" << QString(2047, u'x');
    QTest::newRow("exact length kept") << QByteArray("[A]\r\nk=" + QByteArray(2047, 'y') + "y\r\n") << "A" << "k" << QString(2047, u'y');
    QTest::newRow("quotes go before the cut") << QByteArray("[A]\r\nk=\"" + QByteArray(2047, 'z') + "\"\r\n") << "A" << "k" << QString(2047, u'z');
}

void ProfileFileTest::reads()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("reads.ini"));
    putFile(path, content);
    const ProfileFile file(path);
    QCOMPARE(file.readString(section, key, QStringLiteral("<default>")), expected);
    QCOMPARE(file.hasKey(section, key), expected != QStringLiteral("<default>"));
}

void ProfileFileTest::missingFileReadsDefaults()
{
    const ProfileFile file(m_dir.filePath(QStringLiteral("no-such.ini")));
    QCOMPARE(file.readString(QStringLiteral("Language"), QStringLiteral("File"), QString()), QString());
    QCOMPARE(file.readString(QStringLiteral("Language"), QStringLiteral("File"), QStringLiteral("English.lng")),
             QStringLiteral("English.lng"));
    QCOMPARE(file.readInteger(QStringLiteral("Week"), QStringLiteral("First day"), 3), 3);
    QCOMPARE(file.readBool(QStringLiteral("Line color"), QStringLiteral("Alternating"), true), true);
    QVERIFY(!QFile::exists(file.path()));
}

void ProfileFileTest::integers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    const int def = 7;
    QTest::newRow("decimal") << "10" << 10;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("plus sign") << "+5" << 5;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("dollar hex") << "$10" << 16;
    QTest::newRow("0x hex") << "0x10" << 16;
    QTest::newRow("0X hex") << "0X10" << 16;
    QTest::newRow("hex letters") << "$fF" << 255;
    QTest::newRow("negative hex") << "-$10" << -16;
    QTest::newRow("hex all bits") << "0xFFFFFFFF" << -1;
    QTest::newRow("system colour in hex") << "$80000018" << -2147483624;
    QTest::newRow("button face decimal") << "-2147483633" << -2147483633;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << int(-2147483647 - 1);
    QTest::newRow("one too large") << "2147483648" << def;
    QTest::newRow("one too small") << "-2147483649" << def;
    QTest::newRow("hex too large") << "0x100000000" << def;
    QTest::newRow("far too large") << "99999999999" << def;
    QTest::newRow("letters") << "abc" << def;
    QTest::newRow("empty") << "" << def;
    QTest::newRow("sign only") << "-" << def;
    QTest::newRow("dollar only") << "$" << def;
    QTest::newRow("0x only") << "0x" << def;
    QTest::newRow("hex digit in decimal") << "1a" << def;
    QTest::newRow("blank inside") << "1 0" << def;
    QTest::newRow("fraction") << "1.5" << def;
    QTest::newRow("blanks around") << "  42\t" << 42;
    QTest::newRow("quoted") << "\"12\"" << 12;
}

void ProfileFileTest::integers()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const QString path = m_dir.filePath(QStringLiteral("integers.ini"));
    putFile(path, "[Week]\r\nFirst day=" + text.toUtf8() + "\r\n");
    QCOMPARE(ProfileFile(path).readInteger(QStringLiteral("week"), QStringLiteral("first day"), 7), expected);
}

void ProfileFileTest::booleans_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("defaultValue");
    QTest::addColumn<bool>("expected");
    QTest::newRow("one") << "1" << false << true;
    QTest::newRow("zero") << "0" << true << false;
    QTest::newRow("any other number") << "-3" << false << true;
    QTest::newRow("hex zero") << "$0" << true << false;
    QTest::newRow("word gives default true") << "yes" << true << true;
    QTest::newRow("word gives default false") << "true" << false << false;
    QTest::newRow("empty gives default") << "" << true << true;
}

void ProfileFileTest::booleans()
{
    QFETCH(QString, text);
    QFETCH(bool, defaultValue);
    QFETCH(bool, expected);
    const QString path = m_dir.filePath(QStringLiteral("booleans.ini"));
    putFile(path, "[General options]\r\nOption 0=" + text.toUtf8() + "\r\n");
    QCOMPARE(ProfileFile(path).readBool(QStringLiteral("General options"), QStringLiteral("Option 0"), defaultValue),
             expected);
}

void ProfileFileTest::windows1252File()
{
    const QString path = m_dir.filePath(QStringLiteral("german.lng"));
    QVERIFY(QFile::copy(fixture(QStringLiteral("german-1252.lng")), path));
    ProfileFile file(path);
    const QString expected = QString::fromUtf8("Sind Sie sicher? \xe2\x80\x9eM\xc3\xbcller\xe2\x80\x9c "
                                               "\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xe2\x82\xac");
    QCOMPARE(file.readString(QStringLiteral("Messages"), QStringLiteral("Are you sure?"), QString()), expected);

    // A write stores the whole file in UTF-8; the other texts keep their letters.
    file.writeString(QStringLiteral("Captions"), QStringLiteral("OK"), QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e"));
    const QByteArray written = fileBytes(path);
    QVERIFY(written.contains(expected.toUtf8()));
    const ProfileFile again(path);
    QCOMPARE(again.readString(QStringLiteral("Messages"), QStringLiteral("Are you sure?"), QString()), expected);
    QCOMPARE(again.readString(QStringLiteral("Captions"), QStringLiteral("OK"), QString()),
             QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e"));
}

void ProfileFileTest::writes_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("oldBytes"); // the part of the fixture replaced
    QTest::addColumn<QByteArray>("newBytes");

    QTest::newRow("replace in place") << "window" << "LEFT" << "-2147483633"
                                      << QByteArray("Left=10\r\n") << QByteArray("Left=-2147483633\r\n");
    QTest::newRow("replace indented key") << "Window" << "top" << "5"
                                          << QByteArray("  Top = 20\r\n") << QByteArray("Top=5\r\n");
    QTest::newRow("replace with empty") << "Player 1" << "Name" << ""
                                        << QByteArray("Name=Anna Sch\xc3\xb6n\r\n") << QByteArray("Name=\r\n");
    QTest::newRow("new key after last key") << "Window" << "Color" << "65535"
                                            << QByteArray("State=0\r\n\r\n[Player 1]")
                                            << QByteArray("State=0\r\nColor=65535\r\n\r\n[Player 1]");
    QTest::newRow("new key before non-key lines") << "Player 1" << "Picture" << "none"
                                                  << QByteArray("Sch\xc3\xb6n\r\n# not")
                                                  << QByteArray("Sch\xc3\xb6n\r\nPicture=none\r\n# not");
    QTest::newRow("new key in empty section") << "EMPTY" << "Option 0" << "1"
                                              << QByteArray("[Empty]\r\n\r\n")
                                              << QByteArray("[Empty]\r\nOption 0=1\r\n\r\n");
    QTest::newRow("new section at the end") << "Category bar" << "Position" << "1"
                                            << QByteArray("[Empty]\r\n\r\n")
                                            << QByteArray("[Empty]\r\n\r\n[Category bar]\r\nPosition=1\r\n");
    QTest::newRow("stray key is no section key") << "Window" << "stray" << "x"
                                                 << QByteArray("State=0\r\n\r\n[Player 1]")
                                                 << QByteArray("State=0\r\nstray=x\r\n\r\n[Player 1]");
}

void ProfileFileTest::writes()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, oldBytes);
    QFETCH(QByteArray, newBytes);

    const QString path = m_dir.filePath(QStringLiteral("writes.ini"));
    QFile::remove(path);
    QVERIFY(QFile::copy(fixture(QStringLiteral("settings.ini")), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray before = fileBytes(path);
    QCOMPARE(before.count(oldBytes), 1);

    ProfileFile file(path);
    file.writeString(section, key, value);

    QByteArray expected = before;
    expected.replace(oldBytes, newBytes);
    QCOMPARE(fileBytes(path), expected);
    QCOMPARE(file.readString(section, key, QStringLiteral("<default>")), value);
    QCOMPARE(ProfileFile(path).readString(section, key, QStringLiteral("<default>")), value);
}

void ProfileFileTest::newFileIsCreated()
{
    const QString path = m_dir.filePath(QStringLiteral("created.ini"));
    ProfileFile file(path);
    file.writeString(QStringLiteral("Language"), QStringLiteral("File"), QStringLiteral("German.lng"));
    QCOMPARE(fileBytes(path), QByteArray("[Language]\r\nFile=German.lng\r\n"));
    file.writeBool(QStringLiteral("Window"), QStringLiteral("State"), true);
    file.writeInteger(QStringLiteral("Window"), QStringLiteral("Left"), -12);
    file.writeBool(QStringLiteral("General options"), QStringLiteral("Option 0"), false);
    QCOMPARE(fileBytes(path), QByteArray("[Language]\r\nFile=German.lng\r\n\r\n"
                                         "[Window]\r\nState=1\r\nLeft=-12\r\n\r\n"
                                         "[General options]\r\nOption 0=0\r\n"));
}

void ProfileFileTest::writtenValuesReadBack_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("plain") << "Anna" << QByteArray("k=Anna");
    QTest::newRow("inner blanks") << "Anna Lena" << QByteArray("k=Anna Lena");
    QTest::newRow("outer blanks") << " Bo " << QByteArray("k=\" Bo \"");
    QTest::newRow("quoted look") << "\"Ace\"" << QByteArray("k=\"\"Ace\"\"");
    QTest::newRow("single quoted look") << "'x'" << QByteArray("k=\"'x'\"");
    QTest::newRow("one quote") << "\"" << QByteArray("k=\"");
    QTest::newRow("line break") << "a\r\nb" << QByteArray("k=a  b");
    QTest::newRow("umlauts") << QString::fromUtf8("M\xc3\xbcller") << QByteArray("k=M\xc3\xbcller");
}

void ProfileFileTest::writtenValuesReadBack()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, line);
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.ini"));
    QFile::remove(path);
    ProfileFile(path).writeString(QStringLiteral("S"), QStringLiteral("k"), value);
    QCOMPARE(fileBytes(path), "[S]\r\n" + line + "\r\n");
    QString expected = value;
    expected.replace(u'\r', u' ').replace(u'\n', u' ');
    QCOMPARE(ProfileFile(path).readString(QStringLiteral("S"), QStringLiteral("k"), QString()), expected);
}

void ProfileFileTest::failedWriteKeepsFileAndMemory()
{
#ifdef Q_OS_UNIX
    // A file size limit makes the write fail even for the super-user.
    const QString path = m_dir.filePath(QStringLiteral("full.ini"));
    putFile(path, "[Player 1]\r\nName=Anna\r\n");
    ProfileFile file(path);

    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 8;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    QString message;
    try {
        file.writeString(QStringLiteral("Player 1"), QStringLiteral("Name"), QStringLiteral("Bernadette"));
    } catch (const AppError &error) {
        message = error.message();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(message, QStringLiteral("Unable to write to %1").arg(path));
    QCOMPARE(fileBytes(path), QByteArray("[Player 1]\r\nName=Anna\r\n"));
    QCOMPARE(file.readString(QStringLiteral("Player 1"), QStringLiteral("Name"), QString()), QStringLiteral("Anna"));
    // The object still works once the file can be written again.
    file.writeString(QStringLiteral("Player 1"), QStringLiteral("Name"), QStringLiteral("Bo"));
    QCOMPARE(fileBytes(path), QByteArray("[Player 1]\r\nName=Bo\r\n"));
#else
    QSKIP("needs a file size limit");
#endif
}

void ProfileFileTest::updateWritesOnceAtTheEnd()
{
    const QString path = m_dir.filePath(QStringLiteral("update.ini"));
    putFile(path, "[Player 1]\r\nName=Anna\r\n");
    ProfileFile file(path);
    file.beginUpdate();
    file.writeString(QStringLiteral("Player 1"), QStringLiteral("Name"), QStringLiteral("Bo"));
    file.writeInteger(QStringLiteral("Window"), QStringLiteral("Left"), 12);
    // Reads see the pending values; the file is untouched until the end.
    QCOMPARE(file.readString(QStringLiteral("Player 1"), QStringLiteral("Name"), QString()), QStringLiteral("Bo"));
    QCOMPARE(fileBytes(path), QByteArray("[Player 1]\r\nName=Anna\r\n"));
    file.endUpdate();
    QCOMPARE(fileBytes(path), QByteArray("[Player 1]\r\nName=Bo\r\n\r\n[Window]\r\nLeft=12\r\n"));
    // Later writes go to the file at once again.
    file.writeInteger(QStringLiteral("Window"), QStringLiteral("Left"), 13);
    QCOMPARE(fileBytes(path), QByteArray("[Player 1]\r\nName=Bo\r\n\r\n[Window]\r\nLeft=13\r\n"));
}

void ProfileFileTest::failedUpdateKeepsFileAndMemory()
{
#ifdef Q_OS_UNIX
    const QString path = m_dir.filePath(QStringLiteral("fullupdate.ini"));
    putFile(path, "[Player 1]\r\nName=Anna\r\n");
    ProfileFile file(path);
    file.beginUpdate();
    file.writeString(QStringLiteral("Player 1"), QStringLiteral("Name"), QStringLiteral("Bernadette"));
    file.writeString(QStringLiteral("Player 2"), QStringLiteral("Name"), QStringLiteral("Carl"));

    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 8;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    QString message;
    try {
        file.endUpdate();
    } catch (const AppError &error) {
        message = error.message();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(message, QStringLiteral("Unable to write to %1").arg(path));
    QCOMPARE(fileBytes(path), QByteArray("[Player 1]\r\nName=Anna\r\n"));
    QCOMPARE(file.readString(QStringLiteral("Player 1"), QStringLiteral("Name"), QString()), QStringLiteral("Anna"));
    QVERIFY(!file.hasKey(QStringLiteral("Player 2"), QStringLiteral("Name")));
#else
    QSKIP("needs a file size limit");
#endif
}

void ProfileFileTest::unwritableLocationReportsPath()
{
    const QString path = m_dir.filePath(QStringLiteral("no-such-dir/TALLIMO.INI"));
    ProfileFile file(path);
    QString message;
    try {
        file.writeBool(QStringLiteral("Window"), QStringLiteral("State"), true);
    } catch (const AppError &error) {
        message = error.message();
    }
    QCOMPARE(message, QStringLiteral("Unable to write to %1").arg(path));
    QVERIFY(!file.hasKey(QStringLiteral("Window"), QStringLiteral("State")));

    // A file that exists but cannot be read is never replaced by a write.
    const QString folder = m_dir.filePath(QStringLiteral("a-folder.ini"));
    QVERIFY(QDir().mkpath(folder));
    ProfileFile unreadable(folder);
    QVERIFY_THROWS_EXCEPTION(AppError, unreadable.writeString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v")));
    QVERIFY(QFileInfo(folder).isDir());
}

void ProfileFileTest::writeKeepsChangesOfOtherWriters()
{
    const QString path = m_dir.filePath(QStringLiteral("two-writers.ini"));
    QFile::remove(path);
    ProfileFile first(path);
    ProfileFile second(path);
    first.writeString(QStringLiteral("Language"), QStringLiteral("File"), QStringLiteral("German.lng"));
    second.writeInteger(QStringLiteral("Window"), QStringLiteral("Left"), 40);
    const ProfileFile now(path);
    QCOMPARE(now.readString(QStringLiteral("Language"), QStringLiteral("File"), QString()), QStringLiteral("German.lng"));
    QCOMPARE(now.readInteger(QStringLiteral("Window"), QStringLiteral("Left"), 0), 40);
}

void ProfileFileTest::cachedSnapshotFollowsTheFile()
{
    const QString path = m_dir.filePath(QStringLiteral("English.lng"));
    putFile(path, "[Captions]\r\nOK=Okay\r\n");
    const auto first = ProfileFile::cached(path);
    QCOMPARE(first->readString(QStringLiteral("Captions"), QStringLiteral("OK"), QString()), QStringLiteral("Okay"));
    QCOMPARE(ProfileFile::cached(path).get(), first.get()); // unchanged file: no new read

    // Changed behind the program's back (other size).
    putFile(path, "[Captions]\r\nOK=Fine\r\nNo=Nope\r\n");
    const auto second = ProfileFile::cached(path);
    QCOMPARE(second->readString(QStringLiteral("Captions"), QStringLiteral("OK"), QString()), QStringLiteral("Fine"));
    QCOMPARE(first->readString(QStringLiteral("Captions"), QStringLiteral("OK"), QString()), QStringLiteral("Okay"));

    // Written through the program: same size, likely the same millisecond.
    ProfileFile(path).writeString(QStringLiteral("Captions"), QStringLiteral("OK"), QStringLiteral("Good"));
    QCOMPARE(ProfileFile::cached(path)->readString(QStringLiteral("Captions"), QStringLiteral("OK"), QString()),
             QStringLiteral("Good"));

    // A file that goes away reads as empty.
    QVERIFY(QFile::remove(path));
    QCOMPARE(ProfileFile::cached(path)->readString(QStringLiteral("Captions"), QStringLiteral("OK"), QStringLiteral("OK")),
             QStringLiteral("OK"));
}

QTEST_APPLESS_MAIN(ProfileFileTest)
#include "test_profile_file.moc"
