// Game and player pictures, the player panels, the change of player and renaming a player,
// driven through the real main window.

#include "keeping/CategoryBar.h"
#include "keeping/CategoryPage.h"
#include "keeping/CategoryPanel.h"
#include "keeping/GamesListModel.h"
#include "keeping/GamesListView.h"
#include "keeping/MaintenancePage.h"
#include "keeping/Pictures.h"
#include "keeping/PlayerPanel.h"
#include "keeping/PlayerSelection.h"
#include "keeping/RecordsPage.h"
#include "platform/PictureCodec.h"
#include "store/PictureStore.h"
#include "support/KeepingSteps.h"
#include "support/StartedWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <QToolTip>

namespace {

const QString PictureFilter = QStringLiteral("Bitmap files (*.bmp)|*.bmp|JPEG files (*.jpg)|*.jpg");

QByteArray imageBytes(const QColor &color, const QSize &size, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, format == QByteArrayView("JPG") ? 95 : -1);
    return bytes;
}

QByteArray bmpBytes(const QColor &color, const QSize &size = QSize(8, 6))
{
    return imageBytes(color, size, "BMP");
}

QByteArray jpegBytes(const QColor &color, const QSize &size)
{
    return imageBytes(color, size, "JPG");
}

// Writes the bytes as pictures/<name> of the folder and gives its path.
QString pictureFile(const TempProgramDir &dir, const QString &name, const QByteArray &bytes)
{
    dir.write(QStringLiteral("pictures/") + name, bytes);
    return dir.file(QStringLiteral("pictures/") + name);
}

QByteArray hexText(const QByteArray &bytes)
{
    return bytes.toHex().toUpper();
}

MaintenancePage &page(StartedWindow &s)
{
    return s.form->maintenancePage();
}

RecordsPage &records(StartedWindow &s)
{
    return page(s).recordsPage();
}

int gameIndexOf(StartedWindow &s, const QString &name)
{
    const int row = page(s).gamesModel()->findName(name, Qt::CaseSensitive);
    return row < 0 ? -1 : page(s).gamesModel()->row(row).gameIndex;
}

int iconOf(StartedWindow &s, const QString &name)
{
    GamesListModel *model = page(s).gamesModel();
    return model->index(model->findName(name, Qt::CaseSensitive)).data(GamesListModel::IconIndexRole).toInt();
}

QString pictureIndexOf(StartedWindow &s, const QString &name)
{
    return s.form->player().dataView.pictureIndex(s.form->currentCategory(), gameIndexOf(s, name));
}

void openGamePicture(StartedWindow &s, const QString &path, int entry)
{
    s.dialogs.answerFile(path, entry);
    button(s, "OpenPicButton")->click();
}

void openPlayerPicture(StartedWindow &s, const QString &path, int entry)
{
    s.dialogs.answerFile(path, entry);
    button(s, "PlayerPicAddButton")->click();
}

PlayerPanel *panel(StartedWindow &s, int n)
{
    return s.form->PlayerButtonOf(n);
}

bool looksCurrent(PlayerPanel *p)
{
    return p->frameShape() == QFrame::Panel && p->frameShadow() == QFrame::Raised && p->font().bold();
}

bool looksPlain(PlayerPanel *p)
{
    return p->frameShape() == QFrame::NoFrame && !p->font().bold();
}

// Only panel n looks like the current player's.
bool onlyCurrent(StartedWindow &s, int n)
{
    for (int i = 1; i <= 10; ++i)
        if (i == n ? !looksCurrent(panel(s, i)) : !looksPlain(panel(s, i)))
            return false;
    return true;
}

QImage shownPixmapImage(QLabel *label)
{
    return label->pixmap().toImage();
}

// What the window shows of the current player, and what it holds.
struct Shown
{
    int player = 0;
    int category = 0;
    int stacked = 0;
    QList<GameRow> games;
    QString title;
    RowList records;
    QStringList comment;
    QByteArray gamePicture;
    bool gameImageShown = false;
    QByteArray playerPicture;
    QSize playerPixmap;
    QList<QByteArray> pictureStore;
    QStringList categoryNames;
    RowList topView;
    QStringList names;

    bool operator==(const Shown &) const = default;
};

Shown shown(StartedWindow &s)
{
    Shown now;
    now.player = s.form->currentPlayer();
    now.category = s.form->currentCategory();
    now.stacked = page(s).categoryBar()->stackedCategory();
    now.games = page(s).gamesModel()->rows();
    now.title = records(s).title();
    now.records = records(s).records();
    now.comment = records(s).gameCommentLines();
    now.gamePicture = records(s).gamePicture().bmpBytes();
    now.gameImageShown = s.form->findChild<QLabel *>("GameImage")->isVisibleTo(s.form.get());
    now.playerPicture = s.form->player().playerPic.bmpBytes();
    now.playerPixmap = page(s).categoryBar()->playerPic()->pixmap().size();
    now.pictureStore = s.form->player().playerData;
    for (int n = 1; n <= 5; ++n)
        now.categoryNames << s.form->CategoryPanelOf(n)->text();
    now.topView = s.form->player().topView;
    for (int n = 1; n <= 10; ++n)
        now.names << s.form->playerName(n);
    return now;
}

struct FileState
{
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileState &) const = default;
};

QList<FileState> dataFiles(const TempProgramDir &dir)
{
    QList<FileState> files;
    for (const char *name : {"Data/Records1.dat", "Data/PlyData1.dat", "Data/Overview.dat", "Data/Records2.dat",
                             "Data/PlyData2.dat"})
        files.append({dir.read(QLatin1String(name)), QFileInfo(dir.file(QLatin1String(name))).lastModified()});
    return files;
}

void useGerman(const TempProgramDir &dir)
{
    QFile german(QStringLiteral(TALLIMO_DATA "/LScripts/German.lng"));
    QVERIFY(german.open(QIODevice::ReadOnly));
    dir.write("LScripts/German.lng", german.readAll());
    dir.write("Data/TALLIMO.INI", "[Language]\r\nFile=German.lng\r\n");
}

} // namespace

class PicturesPlayersTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void freePictureSlot_data();
    void freePictureSlot();
    void pictureStoreLine_data();
    void pictureStoreLine();

    void firstPictureGoesToLineZero();
    void lineOfDeletedGameIsReused();
    void replacingKeepsLine();
    void jpegStoredAsBmp();
    void damagedPictureIndexGetsOwnLine();
    void unreadablePictureChangesNothing_data();
    void unreadablePictureChangesNothing();
    void fullSizeWritesFileAndOpensIt();
    void fullSizeWithoutViewerShowsTheProgramsWindow();
    void fullSizeFailureStartsNoViewer();
    void playerPictureShownCentredAndSaved();

    void panelsAtStart();
    void playerButtonOf_data();
    void playerButtonOf();
    void clickOnCurrentPanelChangesOnlyLooks();
    void switchingAndBackShowsPlayerAsBefore();
    void playerWithoutGamesKeepsPictureAndName();
    void failedSaveStaysOnOldPlayer();
    void failedLoadListsWhatWasLoaded();
    void renamePlayer_data();
    void renamePlayer();
    void renamedNameSurvivesRestart();
    void arrangePlayerButtons_data();
    void arrangePlayerButtons();
    void panelsFollowWindowWidth();
    void playerPanelsByKeyboard();
    void germanTexts();
    void longPlayerNameEndsInEllipsisWithWholeTooltip_data();
    void longPlayerNameEndsInEllipsisWithWholeTooltip();
};

void PicturesPlayersTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void PicturesPlayersTest::freePictureSlot_data()
{
    QTest::addColumn<QList<QByteArray>>("store");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("size");
    QTest::newRow("empty store: appended") << QList<QByteArray>{} << 0 << 1;
    QTest::newRow("all used: appended") << QList<QByteArray>{"A", "B"} << 2 << 3;
    QTest::newRow("first empty line") << QList<QByteArray>{"A", "", "B", ""} << 1 << 4;
    QTest::newRow("line 0 empty") << QList<QByteArray>{"", "B"} << 0 << 2;
}

void PicturesPlayersTest::freePictureSlot()
{
    QFETCH(QList<QByteArray>, store);
    QFETCH(int, slot);
    QFETCH(int, size);
    const QList<QByteArray> before = store;
    QCOMPARE(FreePictureSlot(store), slot);
    QCOMPARE(store.size(), size);
    QVERIFY(store[slot].isEmpty());
    for (qsizetype i = 0; i < before.size(); ++i)
        QCOMPARE(store[i], before[i]); // nothing moved
}

void PicturesPlayersTest::pictureStoreLine_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<int>("line");
    QTest::newRow("none") << "-1" << -1;
    QTest::newRow("first") << "0" << 0;
    QTest::newRow("last") << "2" << 2;
    QTest::newRow("past the end") << "3" << -1;
    QTest::newRow("other negative") << "-2" << -1;
    QTest::newRow("not a number") << "x1" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("too large") << "99999999999999999999" << -1;
}

void PicturesPlayersTest::pictureStoreLine()
{
    QFETCH(QString, index);
    QFETCH(int, line);
    QCOMPARE(PictureStoreLine(index, {"A", "", "C"}), line);
}

void PicturesPlayersTest::firstPictureGoesToLineZero()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    addGame(s, "Chess");
    QVERIFY(!button(s, "FullSizeButton")->isEnabled());
    QCOMPARE(iconOf(s, "Chess"), 0);
    const QByteArray bmp = bmpBytes(Qt::red);
    openGamePicture(s, pictureFile(dir, "red.bmp", bmp), 1);

    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(s.dialogs.askedOf("open").size(), 1);
    QCOMPARE(s.dialogs.askedOf("open").first().text, PictureFilter);
    QCOMPARE(s.form->player().playerData, QList<QByteArray>{hexText(bmp)});
    QCOMPARE(pictureIndexOf(s, "Chess"), QString("0"));
    QCOMPARE(iconOf(s, "Chess"), 1);
    QVERIFY(button(s, "FullSizeButton")->isEnabled());
    QCOMPARE(records(s).gamePicture().bmpBytes(), bmp); // kept byte for byte
    auto *image = s.form->findChild<QLabel *>("GameImage");
    QVERIFY(image->isVisibleTo(s.form.get()));
    QCOMPARE(shownPixmapImage(image).pixelColor(0, 0), QColor(Qt::red));

    // Saved with the player, shown again after a restart.
    QVERIFY(s.exit());
    QVERIFY(dir.read("Data/PlyData1.dat").startsWith(hexText(bmp) + "\r\n"));
    StartedWindow again(dir);
    QVERIFY(again.dialogs.errors().isEmpty());
    QCOMPARE(again.form->maintenancePage().recordsPage().gamePicture().bmpBytes(), bmp);
    QCOMPARE(iconOf(again, "Chess"), 1);
}

void PicturesPlayersTest::lineOfDeletedGameIsReused()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    const QByteArray red = bmpBytes(Qt::red), green = bmpBytes(Qt::green), blue = bmpBytes(Qt::blue);
    addGame(s, "Chess");
    openGamePicture(s, pictureFile(dir, "red.bmp", red), 1);
    addGame(s, "Go");
    openGamePicture(s, pictureFile(dir, "green.bmp", green), 1);
    QCOMPARE(pictureIndexOf(s, "Chess"), QString("0"));
    QCOMPARE(pictureIndexOf(s, "Go"), QString("1"));

    selectGame(s, "Chess");
    s.dialogs.answerYes();
    button(s, "GameDeleteButton")->click();
    QCOMPARE(s.form->player().playerData, (QList<QByteArray>{QByteArray(), hexText(green)}));

    addGame(s, "Poker");
    QVERIFY(!button(s, "FullSizeButton")->isEnabled());
    openGamePicture(s, pictureFile(dir, "blue.bmp", blue), 1);
    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(pictureIndexOf(s, "Poker"), QString("0"));
    QCOMPARE(s.form->player().playerData, (QList<QByteArray>{hexText(blue), hexText(green)}));

    selectGame(s, "Go");
    QCOMPARE(pictureIndexOf(s, "Go"), QString("1"));
    QCOMPARE(records(s).gamePicture().bmpBytes(), green);
}

void PicturesPlayersTest::replacingKeepsLine()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    const QByteArray red = bmpBytes(Qt::red), green = bmpBytes(Qt::green), blue = bmpBytes(Qt::blue, QSize(20, 10));
    addGame(s, "Chess");
    openGamePicture(s, pictureFile(dir, "red.bmp", red), 1);
    addGame(s, "Go");
    openGamePicture(s, pictureFile(dir, "green.bmp", green), 1);

    selectGame(s, "Chess");
    openGamePicture(s, pictureFile(dir, "blue.bmp", blue), 1);
    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(pictureIndexOf(s, "Chess"), QString("0"));
    QCOMPARE(s.form->player().playerData, (QList<QByteArray>{hexText(blue), hexText(green)}));
    QCOMPARE(records(s).gamePicture().bmpBytes(), blue);
    QCOMPARE(shownPixmapImage(s.form->findChild<QLabel *>("GameImage")).pixelColor(0, 0), QColor(Qt::blue));
}

void PicturesPlayersTest::jpegStoredAsBmp()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    addGame(s, "Chess");
    const QByteArray jpeg = jpegBytes(QColor(0, 160, 0), QSize(64, 48));
    // The name says BMP; the chosen entry decides.
    openGamePicture(s, pictureFile(dir, "green.bmp", jpeg), 2);

    QVERIFY(s.dialogs.errors().isEmpty());
    const QList<QByteArray> &store = s.form->player().playerData;
    QCOMPARE(store.size(), 1);
    QVERIFY(store[0].startsWith("424D"));
    QCOMPARE(store[0].size(), 2 * (54 + 64 * 3 * 48)); // 24-bit rows, no padding at this width
    QVERIFY(store[0].size() > 4 * jpeg.size());
    Picture stored;
    TextToPicture(store[0], stored);
    const QImage image = PictureToImage(stored);
    QCOMPARE(image.size(), QSize(64, 48));
    const QColor middle = image.pixelColor(32, 24);
    QVERIFY2(middle.green() > 140 && middle.red() < 30 && middle.blue() < 30, qPrintable(middle.name()));
    QCOMPARE(iconOf(s, "Chess"), 1);
    QVERIFY(button(s, "FullSizeButton")->isEnabled());

    // A CMYK file converts as well.
    addGame(s, "Go");
    openGamePicture(s, QStringLiteral(TALLIMO_FIXTURES "/pictures/cmyk_red.jpg"), 2);
    QVERIFY(s.dialogs.errors().isEmpty());
    TextToPicture(s.form->player().playerData.value(1), stored);
    QCOMPARE(PictureToImage(stored).size(), QSize(16, 12));
}

void PicturesPlayersTest::damagedPictureIndexGetsOwnLine()
{
    // A records file whose game names a picture line that its player file lacks.
    TempProgramDir dir;
    dir.write("Data/Records1.dat", "Root\r\n\tCategory 1\r\n\t\tChess\r\n\t\t\tRecords\r\n\t\t\tGameComment\r\n\t\t\t\t\r\n"
                                   "\t\t\tPicIndex\r\n\t\t\t\t7\r\n\tCategory 2\r\n\tCategory 3\r\n\tCategory 4\r\n"
                                   "\tCategory 5\r\n");
    dir.write("Data/PlyData1.dat", "\"Category 1\",\"10092543,-2147483624,16777215\",\"Category 2\","
                                   "\"10079487,-2147483624,16777215\",\"Category 3\",\"10066431,-2147483624,16777215\","
                                   "\"Category 4\",\"16751001,-2147483624,16777215\",\"Category 5\","
                                   "\"16763955,-2147483624,16777215\"\r\n\r\n\r\nAnna\r\n");
    StartedWindow s(dir);
    // Reported once at start; the game is kept without its picture.
    QCOMPARE(s.dialogs.errors().size(), 1);
    QVERIFY(s.dialogs.errors()[0].contains("Game \"Chess\" in Category 1 was repaired; all its records are kept."));
    QCOMPARE(pictureIndexOf(s, "Chess"), QString("-1"));
    s.dialogs.clearLog();
    const QByteArray red = bmpBytes(Qt::red);
    openGamePicture(s, pictureFile(dir, "red.bmp", red), 1);
    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(s.form->player().playerData, QList<QByteArray>{hexText(red)});
    QCOMPARE(pictureIndexOf(s, "Chess"), QString("0"));
    QCOMPARE(records(s).gamePicture().bmpBytes(), red);
}

void PicturesPlayersTest::unreadablePictureChangesNothing_data()
{
    QTest::addColumn<QString>("target"); // "game" or "player"
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("error"); // a message prefix; empty: none (Cancel)

    const QByteArray jpeg = jpegBytes(Qt::yellow, QSize(16, 16));
    const QByteArray bmp = bmpBytes(Qt::yellow);
    const QByteArray cutBmp = bmp.left(30);                      // header cut short
    const QByteArray damagedJpeg = QByteArray("\xFF\xD8\xFF\xC0\x00\x02garbage", 13);
    for (const char *target : {"game", "player"}) {
        QTest::addRow("%s: JPEG file through the BMP entry", target)
            << target << "yellow.jpg" << jpeg << 1 << "Bitmap image is not valid";
        QTest::addRow("%s: BMP file through the JPEG entry", target)
            << target << "yellow.bmp" << bmp << 2 << "JPEG error #";
        QTest::addRow("%s: damaged BMP", target) << target << "cut.bmp" << cutBmp << 1 << "Bitmap image is not valid";
        QTest::addRow("%s: damaged JPEG", target) << target << "damaged.jpg" << damagedJpeg << 2 << "JPEG error #";
        QTest::addRow("%s: empty file", target) << target << "empty.bmp" << QByteArray() << 1
                                                << "Bitmap image is not valid";
        QTest::addRow("%s: missing file", target) << target << "" << QByteArray() << 1 << "Cannot open file ";
        QTest::addRow("%s: cancelled", target) << target << "<cancel>" << QByteArray() << 1 << "";
    }
}

void PicturesPlayersTest::unreadablePictureChangesNothing()
{
    QFETCH(QString, target);
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(int, entry);
    QFETCH(QString, error);

    TempProgramDir dir;
    StartedWindow s(dir);
    // Chess has a picture, Go has none; the player has a picture.
    addGame(s, "Chess");
    openGamePicture(s, pictureFile(dir, "red.bmp", bmpBytes(Qt::red)), 1);
    addGame(s, "Go");
    openPlayerPicture(s, pictureFile(dir, "blue.bmp", bmpBytes(Qt::blue)), 1);
    QVERIFY(s.dialogs.errors().isEmpty());

    QString path;
    if (file == u"<cancel>")
        path = QString();
    else if (file.isEmpty())
        path = dir.file("pictures/none.bmp");
    else
        path = pictureFile(dir, file, bytes);

    for (const QString &game : {QStringLiteral("Chess"), QStringLiteral("Go")}) {
        if (target == u"player" && game == u"Go")
            break;
        selectGame(s, game);
        const Shown before = shown(s);
        const int icon = iconOf(s, game);
        const bool fullSize = button(s, "FullSizeButton")->isEnabled();
        const DataTree tree = s.form->player().dataView;
        s.dialogs.clearLog();
        if (target == u"game")
            openGamePicture(s, path, entry);
        else
            openPlayerPicture(s, path, entry);

        const QStringList errors = s.dialogs.errors();
        if (error.isEmpty()) {
            QVERIFY(errors.isEmpty());
        } else {
            QCOMPARE(errors.size(), 1);
            QVERIFY2(errors[0].startsWith(error), qPrintable(errors[0]));
            if (file.isEmpty())
                QCOMPARE(errors[0], "Cannot open file " + path);
        }
        QCOMPARE(shown(s), before);
        QVERIFY(s.form->player().dataView == tree);
        QCOMPARE(iconOf(s, game), icon);
        QCOMPARE(button(s, "FullSizeButton")->isEnabled(), fullSize);
    }
}

void PicturesPlayersTest::fullSizeWritesFileAndOpensIt()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    addGame(s, "Chess");
    const QByteArray bmp = bmpBytes(Qt::red, QSize(30, 20));
    openGamePicture(s, pictureFile(dir, "red.bmp", bmp), 1);
    dir.write("Data/Gamepic.bmp", "an older picture, longer than the new one ........................................");
    button(s, "FullSizeButton")->click();

    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(dir.read("Data/Gamepic.bmp"), bmp);
    const auto shells = s.dialogs.askedOf("shell");
    QCOMPARE(shells.size(), 1);
    QCOMPARE(QFileInfo(shells[0].text).canonicalFilePath(), QFileInfo(dir.file("Data/Gamepic.bmp")).canonicalFilePath());

    // A converted JPEG goes out as the BMP file image the player file keeps.
    addGame(s, "Go");
    openGamePicture(s, pictureFile(dir, "green.jpg", jpegBytes(Qt::green, QSize(10, 10))), 2);
    button(s, "FullSizeButton")->click();
    QVERIFY(s.dialogs.errors().isEmpty());
    const QByteArray written = dir.read("Data/Gamepic.bmp");
    QVERIFY(written.startsWith("BM"));
    QCOMPARE(hexText(written), s.form->player().playerData.value(1));
    QCOMPARE(s.dialogs.askedOf("shell").size(), 2);
    QVERIFY(s.dialogs.askedOf("picture").isEmpty()); // the desktop showed it
}

void PicturesPlayersTest::fullSizeWithoutViewerShowsTheProgramsWindow()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    addGame(s, "Chess");
    openGamePicture(s, pictureFile(dir, "red.bmp", bmpBytes(Qt::red, QSize(30, 20))), 1);
    s.dialogs.setShellOpens(false);
    button(s, "FullSizeButton")->click();

    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(s.dialogs.askedOf("shell").size(), 1);
    const auto shown = s.dialogs.askedOf("picture");
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QString("Chess"));
    QCOMPARE(shown[0].extra, QString("30 x 20"));
}

void PicturesPlayersTest::fullSizeFailureStartsNoViewer()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    addGame(s, "Chess");
    openGamePicture(s, pictureFile(dir, "red.bmp", bmpBytes(Qt::red)), 1);
    QVERIFY(QDir(dir.dataDir()).mkdir("Gamepic.bmp")); // a folder where the file should go
    button(s, "FullSizeButton")->click();
    QCOMPARE(s.dialogs.errors(), QStringList{"Cannot create file " + dir.file("Data/Gamepic.bmp")});
    QVERIFY(s.dialogs.askedOf("shell").isEmpty());
    QVERIFY(s.dialogs.askedOf("picture").isEmpty());
    QVERIFY(QFileInfo(dir.file("Data/Gamepic.bmp")).isDir());
}

void PicturesPlayersTest::playerPictureShownCentredAndSaved()
{
    TempProgramDir dir;
    const QByteArray big = bmpBytes(Qt::darkCyan, QSize(400, 300)); // larger than its box
    {
        StartedWindow s(dir);
        addGame(s, "Chess"); // so that the player is saved
        QLabel *pic = page(s).categoryBar()->playerPic();
        QVERIFY(pic->pixmap().isNull());
        openPlayerPicture(s, pictureFile(dir, "big.bmp", big), 1);
        QVERIFY(s.dialogs.errors().isEmpty());
        QCOMPARE(s.dialogs.askedOf("open").first().text, PictureFilter);
        QCOMPARE(s.form->player().playerPic.bmpBytes(), big);
        QVERIFY(s.form->player().playerData.isEmpty()); // not a game picture
        QCOMPARE(pic->pixmap().size(), QSize(400, 300)); // not stretched
        QCOMPARE(pic->alignment(), Qt::AlignCenter);
        QVERIFY(pic->width() < 400 && pic->parentWidget()->rect().contains(pic->geometry()));

        // A JPEG replaces it.
        openPlayerPicture(s, pictureFile(dir, "small.jpg", jpegBytes(Qt::magenta, QSize(40, 30))), 2);
        QVERIFY(s.dialogs.errors().isEmpty());
        QCOMPARE(pic->pixmap().size(), QSize(40, 30));
        openPlayerPicture(s, pictureFile(dir, "big.bmp", big), 1);
        QVERIFY(s.exit());
    }
    const QList<QByteArray> lines = dir.read("Data/PlyData1.dat").split('\n');
    QCOMPARE(lines.value(lines.size() - 3), hexText(big) + "\r"); // the second-last line

    StartedWindow again(dir);
    QVERIFY(again.dialogs.errors().isEmpty());
    QCOMPARE(again.form->player().playerPic.bmpBytes(), big);
    QCOMPARE(page(again).categoryBar()->playerPic()->pixmap().size(), QSize(400, 300));
}

void PicturesPlayersTest::panelsAtStart()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    auto *box = s.form->findChild<QGroupBox *>("PlayerSelectionBox");
    for (int n = 1; n <= 10; ++n) {
        PlayerPanel *p = panel(s, n);
        QCOMPARE(p->objectName(), QString("PlayerButton%1").arg(n));
        QCOMPARE(p->parentWidget(), box);
        QCOMPARE(p->number(), n);
        QCOMPARE(p->text(), QString("Player %1").arg(n));
        QCOMPARE(p->accessibleName(), p->text());
        QVERIFY(p->focusPolicy() & Qt::TabFocus);
    }
    QVERIFY(onlyCurrent(s, 1));
    for (const char *name : {"PlayerRenameButton", "PlayerPicAddButton", "FullSizeButton", "OpenPicButton"}) {
        QToolButton *b = button(s, name);
        QVERIFY2(b->focusPolicy() & Qt::TabFocus, name);
        QCOMPARE(b->accessibleName(), b->toolTip());
    }
    QCOMPARE(button(s, "PlayerRenameButton")->toolTip(), QString("Rename player"));
    QCOMPARE(button(s, "PlayerPicAddButton")->toolTip(), QString("Open picture"));
    QCOMPARE(button(s, "FullSizeButton")->toolTip(), QString("Show fullsize picture"));
    QCOMPARE(button(s, "PlayerPicAddButton")->parentWidget()->objectName(), QString("PlayerBox"));
    // The rename button sits right of the box.
    QWidget *rename = button(s, "PlayerRenameButton");
    QVERIFY(rename->mapTo(s.form.get(), QPoint(0, 0)).x() >= box->mapTo(s.form.get(), QPoint(box->width(), 0)).x());
}

void PicturesPlayersTest::playerButtonOf_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("name");
    QTest::newRow("1") << 1 << "PlayerButton1";
    QTest::newRow("5") << 5 << "PlayerButton5";
    QTest::newRow("10") << 10 << "PlayerButton10";
    QTest::newRow("0") << 0 << "PlayerButton1";
    QTest::newRow("11") << 11 << "PlayerButton1";
    QTest::newRow("-3") << -3 << "PlayerButton1";
}

void PicturesPlayersTest::playerButtonOf()
{
    QFETCH(int, n);
    QFETCH(QString, name);
    TempProgramDir dir;
    StartedWindow s(dir);
    QCOMPARE(s.form->PlayerButtonOf(n)->objectName(), name);
}

void PicturesPlayersTest::clickOnCurrentPanelChangesOnlyLooks()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    addGame(s, "Chess");
    s.form->SavePlayerData();
    const QList<FileState> files = dataFiles(dir);
    QVERIFY(!files[0].bytes.isEmpty());
    addGame(s, "Go"); // a save now would change the files
    const Shown before = shown(s);
    QThread::msleep(20); // a write would show in the times

    PlayerPanel *current = panel(s, 1);
    QTest::mousePress(current, Qt::LeftButton);
    QCOMPARE(current->frameShape(), QFrame::Panel);
    QCOMPARE(current->frameShadow(), QFrame::Sunken);
    QTest::mouseRelease(current, Qt::LeftButton);
    QVERIFY(onlyCurrent(s, 1));
    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(dataFiles(dir), files);
    QCOMPARE(shown(s), before);
    QCOMPARE(s.form->currentPlayer(), 1);

    // A press on another panel lowers that one; let go outside, it is plain again.
    PlayerPanel *other = panel(s, 4);
    QTest::mousePress(other, Qt::LeftButton);
    QCOMPARE(other->frameShadow(), QFrame::Sunken);
    QTest::mouseRelease(other, Qt::LeftButton, {}, QPoint(-5, -5));
    QVERIFY(onlyCurrent(s, 1));
    QCOMPARE(s.form->currentPlayer(), 1);
    QCOMPARE(dataFiles(dir), files);
}

void PicturesPlayersTest::playerWithoutGamesKeepsPictureAndName()
{
    TempProgramDir dir;
    const QByteArray blue = bmpBytes(Qt::blue);
    {
        StartedWindow s(dir);
        QTest::mouseClick(panel(s, 2), Qt::LeftButton);
        openPlayerPicture(s, pictureFile(dir, "blue.bmp", blue), 1);
        s.dialogs.answer(QString("Bea"));
        button(s, "PlayerRenameButton")->click();

        // The change of player saves player 2, who has no game: its files hold name and picture.
        QTest::mouseClick(panel(s, 3), Qt::LeftButton);
        QCOMPARE(s.form->currentPlayer(), 3);
        QCOMPARE(dir.read("Data/Records2.dat"), QByteArray("Root\r\n"));
        QVERIFY(dir.read("Data/PlyData2.dat").endsWith("\r\n" + hexText(blue) + "\r\nBea\r\n"));
        QVERIFY(!dir.exists("Data/Records3.dat"));
        QTest::mouseClick(panel(s, 2), Qt::LeftButton);
        QCOMPARE(s.form->player().playerPic.bmpBytes(), blue);
        QVERIFY(!page(s).categoryBar()->playerPic()->pixmap().isNull());
        QCOMPARE(s.form->playerName(2), QString("Bea"));
        QVERIFY(s.exit());
        QCOMPARE(s.dialogs.errors(), QStringList());
    }
    StartedWindow again(dir);
    QTest::mouseClick(panel(again, 2), Qt::LeftButton);
    QCOMPARE(again.form->player().playerPic.bmpBytes(), blue);
    QCOMPARE(again.form->playerName(2), QString("Bea"));
    QCOMPARE(gameNames(again), QStringList());
    QCOMPARE(again.dialogs.errors(), QStringList());
    // Player 3 was never touched and still has no files.
    QVERIFY(!dir.exists("Data/Records3.dat"));
    QVERIFY(!dir.exists("Data/PlyData3.dat"));
}

void PicturesPlayersTest::switchingAndBackShowsPlayerAsBefore()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    // Player 1: a renamed category with a game, two games with records, a comment and pictures.
    QTest::mouseClick(s.form->CategoryPanelOf(2), Qt::LeftButton);
    addGame(s, "Poker");
    page(s).categoryPage().catTitleEdit()->setText("Cards");
    button(s, "CatApplyButton")->click();
    QTest::mouseClick(s.form->CategoryPanelOf(1), Qt::LeftButton);
    addGame(s, "Go");
    addRecord(s, "90", 40000);
    addGame(s, "Chess");
    addRecord(s, "120", 37927);
    addRecord(s, "250", 38124);
    s.form->findChild<QPlainTextEdit *>("GameCommentMemo")->setPlainText("Blitz\nClubhouse");
    button(s, "GameCommentAddButton")->click();
    openGamePicture(s, pictureFile(dir, "red.bmp", bmpBytes(Qt::red)), 1);
    openPlayerPicture(s, pictureFile(dir, "blue.bmp", bmpBytes(Qt::blue)), 1);
    s.form->session().setTopList({{"0001", {"Chess", "250", "5/18/2004", "", "38124"}},
                                  {"0002", {"Go", "90", "7/6/2009", "", "40000"}}});
    s.dialogs.answer(QString("Anna"));
    button(s, "PlayerRenameButton")->click();
    QVERIFY(s.dialogs.errors().isEmpty());
    selectGame(s, "Chess");
    const Shown first = shown(s);
    QCOMPARE(first.title, QString("Chess"));
    QCOMPARE(first.records.size(), 2);
    QCOMPARE(first.categoryNames[1], QString("Cards"));
    QVERIFY(first.gameImageShown);
    QCOMPARE(first.names[0], QString("Anna"));

    // On category 2 when the player changes.
    QTest::mouseClick(s.form->CategoryPanelOf(2), Qt::LeftButton);
    QCOMPARE(page(s).categoryBar()->stackedCategory(), 2);
    QTest::mouseClick(panel(s, 2), Qt::LeftButton);
    QVERIFY(s.dialogs.errors().isEmpty());
    QVERIFY(onlyCurrent(s, 2));
    const Shown second = shown(s);
    QCOMPARE(second.player, 2);
    QCOMPARE(second.category, 1);
    QCOMPARE(second.stacked, 1);
    QVERIFY(second.games.isEmpty());
    QVERIFY(second.records.isEmpty());
    QVERIFY(second.gamePicture.isEmpty());
    QVERIFY(second.playerPicture.isEmpty());
    QVERIFY(!second.playerPixmap.isValid() || second.playerPixmap.isEmpty());
    QVERIFY(second.pictureStore.isEmpty());
    QVERIFY(second.topView.isEmpty());
    QCOMPARE(second.categoryNames, (QStringList{"Category 1", "Category 2", "Category 3", "Category 4", "Category 5"}));
    QCOMPARE(second.names, first.names);
    QVERIFY(dir.read("Data/PlyData1.dat").endsWith("\r\nAnna\r\n")); // the old player was saved

    // Player 2 gets a game of its own; then back to player 1, from category 2 again.
    addGame(s, "Darts");
    QTest::mouseClick(s.form->CategoryPanelOf(2), Qt::LeftButton);
    QTest::mouseClick(panel(s, 1), Qt::LeftButton);
    QVERIFY(s.dialogs.errors().isEmpty());
    QVERIFY(onlyCurrent(s, 1));
    QCOMPARE(page(s).gamesModel()->row(0).name, QString("Chess"));
    QCOMPARE(shown(s), first);

    QTest::mouseClick(panel(s, 2), Qt::LeftButton);
    QCOMPARE(shown(s).games.size(), 1);
    QCOMPARE(shown(s).games[0].name, QString("Darts"));
}

void PicturesPlayersTest::failedSaveStaysOnOldPlayer()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    addGame(s, "Chess");
    QVERIFY(QDir(dir.dataDir()).mkdir("Records1.dat"));
    const Shown before = shown(s);
    QTest::mouseClick(panel(s, 3), Qt::LeftButton);
    QCOMPARE(s.dialogs.errors(), QStringList{"Cannot create file " + dir.file("Data/Records1.dat")});
    QCOMPARE(s.form->currentPlayer(), 1);
    QVERIFY(onlyCurrent(s, 1));
    QCOMPARE(shown(s), before);
    QVERIFY(!dir.exists("Data/PlyData1.dat"));
}

void PicturesPlayersTest::failedLoadListsWhatWasLoaded()
{
    // Player 2's records file is there but its player file is missing: the tree is loaded, the
    // rest takes its defaults, and the list shows player 2's games, not player 1's.
    TempProgramDir dir;
    dir.write("Data/Records2.dat", "Root\r\n\tCategory 1\r\n\t\tDarts\r\n\t\t\tRecords\r\n\t\t\tGameComment\r\n"
                                   "\t\t\t\t\r\n\t\t\tPicIndex\r\n\t\t\t\t-1\r\n\tCategory 2\r\n\tCategory 3\r\n"
                                   "\tCategory 4\r\n\tCategory 5\r\n");
    StartedWindow s(dir);
    addGame(s, "Chess");
    QTest::mouseClick(panel(s, 2), Qt::LeftButton);
    QCOMPARE(s.dialogs.errors().size(), 1);
    QVERIFY(s.dialogs.errors()[0].contains("Cannot open file " + dir.file("Data/PlyData2.dat")));
    QCOMPARE(s.form->currentPlayer(), 2);
    QVERIFY(onlyCurrent(s, 2));
    QCOMPARE(shown(s).games.size(), 1);
    QCOMPARE(shown(s).games[0].name, QString("Darts"));
    QCOMPARE(records(s).title(), QString("Darts"));
}

void PicturesPlayersTest::renamePlayer_data()
{
    QTest::addColumn<int>("player");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("name"); // empty: unchanged
    QTest::newRow("plain name") << 1 << "Anna" << "Anna";
    QTest::newRow("another player") << 3 << "Carl" << "Carl";
    QTest::newRow("line breaks cleaned") << 1 << " Bob\r\nSmith\n" << "Bob  Smith";
    QTest::newRow("empty answer ignored") << 1 << "" << "";
    QTest::newRow("only blanks ignored") << 2 << "  \n " << "";
}

void PicturesPlayersTest::renamePlayer()
{
    QFETCH(int, player);
    QFETCH(QString, answer);
    QFETCH(QString, name);
    TempProgramDir dir;
    StartedWindow s(dir);
    if (player != 1)
        QTest::mouseClick(panel(s, player), Qt::LeftButton);
    QStringList expected = shown(s).names;
    if (!name.isEmpty())
        expected[player - 1] = name;
    s.dialogs.answer(answer);
    button(s, "PlayerRenameButton")->click();
    QCOMPARE(s.dialogs.askedOf("inputText").size(), 1);
    QCOMPARE(s.dialogs.askedOf("inputText").first().text, QString("Please enter player name:"));
    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(shown(s).names, expected);
    QCOMPARE(panel(s, player)->text(), expected[player - 1]);
    QCOMPARE(panel(s, player)->accessibleName(), expected[player - 1]);
    QVERIFY(onlyCurrent(s, player));
}

void PicturesPlayersTest::renamedNameSurvivesRestart()
{
    TempProgramDir dir;
    {
        StartedWindow s(dir);
        s.dialogs.answer(QString("Anna"));
        button(s, "PlayerRenameButton")->click();
        QTest::mouseClick(panel(s, 2), Qt::LeftButton);
        addGame(s, "Chess");
        s.dialogs.answer(QString("Bert"));
        button(s, "PlayerRenameButton")->click();
        QVERIFY(s.exit());
    }
    QCOMPARE(storedSetting(dir, "Player 1", "Name"), QString("Anna"));
    QVERIFY(dir.read("Data/PlyData2.dat").endsWith("\r\nBert\r\n"));
    StartedWindow again(dir);
    QCOMPARE(again.form->playerName(1), QString("Anna"));
    QCOMPARE(panel(again, 1)->text(), QString("Anna"));
    QCOMPARE(panel(again, 2)->text(), QString("Bert"));
    QCOMPARE(panel(again, 3)->text(), QString("Player 3"));
}

void PicturesPlayersTest::arrangePlayerButtons_data()
{
    QTest::addColumn<int>("boxWidth");
    QTest::addColumn<int>("panelWidth");
    QTest::newRow("589") << 589 << 58;
    QTest::newRow("600") << 600 << 60;
    QTest::newRow("99") << 99 << 9;
    QTest::newRow("1000") << 1000 << 100;
}

void PicturesPlayersTest::arrangePlayerButtons()
{
    QFETCH(int, boxWidth);
    QFETCH(int, panelWidth);
    TempProgramDir dir;
    StartedWindow s(dir);
    QGroupBox *box = page(s).playerSelectionBox();
    box->resize(boxWidth, box->height());
    s.form->playerSelection().ArrangePlayerButtons();
    for (int i = 1; i <= 10; ++i) {
        QCOMPARE(panel(s, i)->width(), panelWidth);
        QCOMPARE(panel(s, i)->x(), (i - 1) * panelWidth);
        QVERIFY(panel(s, i)->height() > 10);
        QVERIFY(panel(s, i)->y() + panel(s, i)->height() <= box->height());
    }
    if (boxWidth == 589)
        QCOMPARE(panel(s, 10)->x(), 522);
}

void PicturesPlayersTest::panelsFollowWindowWidth()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    QGroupBox *box = page(s).playerSelectionBox();
    for (const QSize size : {QSize(640, 480), QSize(900, 600), QSize(701, 500)}) {
        s.form->resize(size);
        QCoreApplication::processEvents();
        QTRY_COMPARE(panel(s, 10)->x(), 9 * (box->width() / 10));
        QCOMPARE(panel(s, 1)->width(), box->width() / 10);
        // The box and the rename button fit in the window.
        QWidget *rename = button(s, "PlayerRenameButton");
        QVERIFY(rename->mapTo(s.form.get(), QPoint(rename->width(), 0)).x() <= size.width());
    }
}

void PicturesPlayersTest::playerPanelsByKeyboard()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    addGame(s, "Chess");
    s.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.form.get()));

    // The panels follow each other in the tab order, the rename button after them.
    panel(s, 1)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), panel(s, 1));
    for (int n = 2; n <= 10; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), panel(s, n));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), button(s, "PlayerRenameButton"));

    QTest::keyClick(panel(s, 2), Qt::Key_Space);
    QCOMPARE(s.form->currentPlayer(), 2);
    QVERIFY(onlyCurrent(s, 2));
    QVERIFY(shown(s).games.isEmpty());
    QTest::keyClick(panel(s, 1), Qt::Key_Return);
    QCOMPARE(s.form->currentPlayer(), 1);
    QCOMPARE(shown(s).games.size(), 1);
    QTest::keyClick(panel(s, 5), Qt::Key_Enter);
    QCOMPARE(s.form->currentPlayer(), 5);
    QTest::keyClick(panel(s, 1), Qt::Key_A); // other keys do nothing
    QCOMPARE(s.form->currentPlayer(), 5);
    QVERIFY(s.dialogs.errors().isEmpty());
}

void PicturesPlayersTest::germanTexts()
{
    TempProgramDir dir;
    useGerman(dir);
    StartedWindow s(dir);
    QVERIFY(s.dialogs.errors().isEmpty());
    QCOMPARE(button(s, "FullSizeButton")->toolTip(), QString("Bild in voller Größe anzeigen"));
    QCOMPARE(button(s, "FullSizeButton")->accessibleName(), QString("Bild in voller Größe anzeigen"));
    QCOMPARE(button(s, "PlayerRenameButton")->toolTip(), QString("Spieler umbenennen"));
    QCOMPARE(button(s, "PlayerRenameButton")->accessibleName(), QString("Spieler umbenennen"));
    QCOMPARE(button(s, "PlayerPicAddButton")->toolTip(), QString("Bild öffnen"));
    QCOMPARE(panel(s, 1)->text(), QString("Spieler 1"));
    QCOMPARE(page(s).playerSelectionBox()->title(), QString("Aktuell ausgewählter Spieler"));

    s.dialogs.answerFile(QString());
    button(s, "PlayerPicAddButton")->click();
    QCOMPARE(s.dialogs.askedOf("open").first().text,
             QString("Bitmap-Dateien (*.bmp)|*.bmp|JPEG-Dateien (*.jpg)|*.jpg"));
    s.dialogs.answer(QString());
    button(s, "PlayerRenameButton")->click();
    QCOMPARE(s.dialogs.askedOf("inputText").first().text, QString("Bitte geben Sie den Namen des Spielers ein:"));
}

void PicturesPlayersTest::longPlayerNameEndsInEllipsisWithWholeTooltip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("current");
    QTest::addColumn<bool>("cut");
    const QString longName = QStringLiteral("Maximilian Alexander von Hohenberg-Schwarzenfels");
    QTest::newRow("short") << QStringLiteral("Anna") << false << false;
    QTest::newRow("short, current") << QStringLiteral("Anna") << true << false;
    QTest::newRow("long") << longName << false << true;
    QTest::newRow("long, current") << longName << true << true;
}

void PicturesPlayersTest::longPlayerNameEndsInEllipsisWithWholeTooltip()
{
    QFETCH(QString, name);
    QFETCH(bool, current);
    QFETCH(bool, cut);
    QWidget box;
    PlayerPanel panel(1, &box);
    panel.setGeometry(0, 0, 58, 20);
    panel.setCaption(name);
    panel.setCurrent(current);
    box.show();
    QCOMPARE(panel.text(), name);
    QCOMPARE(panel.isCut(), cut);
    if (cut) {
        QVERIFY(panel.shownText().endsWith(QChar(0x2026)));
        QVERIFY(name.startsWith(panel.shownText().chopped(1)));
        QCOMPARE(panel.currentToolTip(), name);
    } else {
        QCOMPARE(panel.shownText(), name);
        QCOMPARE(panel.currentToolTip(), QString());
    }
    QHelpEvent help(QEvent::ToolTip, QPoint(10, 10), panel.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(&panel, &help);
    QCOMPARE(help.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString(), panel.currentToolTip());
    QToolTip::hideText();
}

QTEST_MAIN(PicturesPlayersTest)
#include "test_pictures_players.moc"
