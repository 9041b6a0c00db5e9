#include "platform/ColorValue.h"
#include "services/GradientDialogFrame.h"
#include "services/MessDlg.h"
#include "services/ProgramDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/Modal.h"

#include <functional>
#include <map>

namespace {


// Receives what the shell is asked to open, so nothing is started.
class OpenedUrls : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

class ProgramDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void nameFilters_data();
    void nameFilters();
    void shellUrl_data();
    void shellUrl();
    void shellOpenHandsTheUrlToTheDesktop();
    void pictureWindowShowsThePictureAtItsSize();

    void messageDialogsGoThroughTheSeam();
    void errorBox();
    void colorDialog();
    void openFileDialog();
    void openFileDialogCancelled();
    void saveFileDialog();

    void everyDialogTellsWhileItIsOpen_data();
    void everyDialogTellsWhileItIsOpen();
    void aDialogOpenedFromAnOpenOneIsNotToldAgain();
};

void ProgramDialogsTest::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("nameFilters");

    QTest::newRow("two pairs") << "Description|*.bmp|JPEG files|*.jpg;*.jpeg"
                               << QStringList{"Description (*.bmp)", "JPEG files (*.jpg *.jpeg)"};
    QTest::newRow("one pair") << "CSV files|*.csv" << QStringList{"CSV files (*.csv)"};
    QTest::newRow("no filter") << "" << QStringList{};
    QTest::newRow("blanks around patterns") << "Texts| *.txt ; *.csv " << QStringList{"Texts (*.txt *.csv)"};
    QTest::newRow("empty patterns skipped") << "Pictures|*.bmp;;*.jpg;" << QStringList{"Pictures (*.bmp *.jpg)"};
    QTest::newRow("description without patterns") << "All files" << QStringList{"All files (*)"};
    QTest::newRow("empty pattern part") << "All files|" << QStringList{"All files (*)"};
    QTest::newRow("last description alone") << "Bitmaps|*.bmp|Everything"
                                            << QStringList{"Bitmaps (*.bmp)", "Everything (*)"};
    QTest::newRow("empty description") << "|*.dat" << QStringList{"(*.dat)"};
    QTest::newRow("description with patterns shown") << "Bitmaps (*.bmp)|*.bmp|CSV files (*.csv)|*.csv"
                                                     << QStringList{"Bitmaps (*.bmp)", "CSV files (*.csv)"};
    QTest::newRow("every file") << "All files (*.*)|*.*" << QStringList{"All files (*)"};
    QTest::newRow("every file, patterns not named") << "Alle Dateien|*.*" << QStringList{"Alle Dateien (*)"};
    QTest::newRow("every file beside others") << "Texts|*.txt;*.*" << QStringList{"Texts (*.txt *)"};
    QTest::newRow("description with other patterns") << "Pictures (*.bmp)|*.bmp;*.jpg"
                                                     << QStringList{"Pictures (*.bmp) (*.bmp *.jpg)"};
}

void ProgramDialogsTest::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, nameFilters);
    QCOMPARE(ProgramDialogs::nameFilters(filter), nameFilters);
}

void ProgramDialogsTest::shellUrl_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QUrl>("url");

    QTest::newRow("web link") << "https://example.org/help?page=2" << QUrl("https://example.org/help?page=2");
    QTest::newRow("mail link") << "mailto:club@example.org" << QUrl("mailto:club@example.org");
    QTest::newRow("www without scheme") << "www.example.org" << QUrl("http://www.example.org");
    QTest::newRow("absolute path") << "/tmp/Tallimo/Data/Gamepic.bmp"
                                   << QUrl::fromLocalFile("/tmp/Tallimo/Data/Gamepic.bmp");
    QTest::newRow("path with blanks") << "/tmp/my games/pic 1.bmp" << QUrl::fromLocalFile("/tmp/my games/pic 1.bmp");
    QTest::newRow("relative path") << "Data/Gamepic.bmp" << QUrl::fromLocalFile(QDir::current().absoluteFilePath("Data/Gamepic.bmp"));
}

void ProgramDialogsTest::shellUrl()
{
    QFETCH(QString, target);
    QFETCH(QUrl, url);
    QCOMPARE(ProgramDialogs::shellUrl(target), url);
}

void ProgramDialogsTest::shellOpenHandsTheUrlToTheDesktop()
{
    OpenedUrls opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &opened, "open");
    ProgramDialogs dialogs;
    QVERIFY(dialogs.shellOpen(QStringLiteral("/tmp/Tallimo/Data/Gamepic.bmp")));
    QVERIFY(dialogs.shellOpen(QStringLiteral("https://example.org/")));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(opened.urls, (QList<QUrl>{QUrl::fromLocalFile("/tmp/Tallimo/Data/Gamepic.bmp"), QUrl("https://example.org/")}));
}

void ProgramDialogsTest::pictureWindowShowsThePictureAtItsSize()
{
    QWidget owner;
    ProgramDialogs dialogs;
    dialogs.setParentWindow(&owner);
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    dialogs.showPicture(picture, QStringLiteral("Chess"));

    const auto windows = owner.findChildren<QWidget *>(QStringLiteral("PictureWindow"));
    QCOMPARE(windows.size(), 1);
    QPointer<QWidget> window = windows.first();
    QVERIFY(window->isWindow());
    QVERIFY(window->isVisible());
    QVERIFY(!window->isModal());
    QCOMPARE(window->windowTitle(), QString("Chess"));
    const auto *label = window->findChild<QLabel *>(QStringLiteral("PictureLabel"));
    QVERIFY(label);
    QCOMPARE(label->pixmap().size(), QSize(30, 20));
    QCOMPARE(label->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));

    // Escape closes the window, which then goes away.
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(window.isNull());
}

void ProgramDialogsTest::messageDialogsGoThroughTheSeam()
{
    QWidget owner;
    ProgramDialogs dialogs;
    dialogs.setParentWindow(&owner);

    QWidget *parent = nullptr;
    whenModal([&](QDialog *dialog) {
        parent = dialog->parentWidget();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("NoButton")), Qt::LeftButton);
    });
    QVERIFY(!dialogs.msgBox(QStringLiteral("Delete the game?"), QString(), QStringLiteral("c")));
    QCOMPARE(parent, &owner);

    whenModal([&](QDialog *dialog) {
        auto *edit = dialog->findChild<QWidget *>(QStringLiteral("InputEdit"));
        QTest::keyClicks(edit, QStringLiteral("Go"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    QCOMPARE(dialogs.inputText(QStringLiteral("Name:"), false), QStringLiteral("Go"));

    whenModal([&](QDialog *dialog) { QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape); });
    QCOMPARE(dialogs.selectFromList(QStringLiteral("Language:"), QStringLiteral("Deutsch,English")),
             QStringLiteral("Deutsch"));
}

void ProgramDialogsTest::errorBox()
{
    ProgramDialogs dialogs;
    QString title, message;
    QStringList buttons;
    QImage icon;
    bool onTop = false;
    whenModal([&](QDialog *dialog) {
        title = dialog->windowTitle();
        message = dialog->findChild<QLabel *>(QStringLiteral("MessageText"))->text();
        for (const QPushButton *button : static_cast<GradientDialogFrame *>(dialog)->buttons())
            buttons.append(button->objectName() + "=" + button->text());
        icon = dialog->findChild<QLabel *>(QStringLiteral("IconImage"))->pixmap().toImage();
        onTop = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    dialogs.showError(QStringLiteral("Cannot open file /tmp/x/Records1.dat"));
    QCOMPARE(title, QStringLiteral("Tallimo"));
    QCOMPARE(message, QStringLiteral("Cannot open file /tmp/x/Records1.dat"));
    QCOMPARE(buttons, QStringList{"OKButton=OK"});
    QCOMPARE(icon, QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32).toImage());
    QVERIFY(onTop);

    // Escape and the close box end it as well.
    whenModal([](QDialog *dialog) { QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape); });
    dialogs.showError(QStringLiteral("again"));
    whenModal([](QDialog *dialog) { dialog->close(); });
    dialogs.showError(QStringLiteral("and again"));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void ProgramDialogsTest::colorDialog()
{
    ProgramDialogs dialogs;
    QColor shownFirst;
    whenModal([&](QDialog *dialog) {
        auto *colors = qobject_cast<QColorDialog *>(dialog);
        QVERIFY(colors);
        shownFirst = colors->currentColor();
        colors->setCurrentColor(QColor(1, 2, 3));
        colors->accept();
    });
    QCOMPARE(dialogs.chooseColor(0x00CCFF99), std::optional<qint32>(1 + 2 * 256 + 3 * 65536));
    QCOMPARE(shownFirst, QColor(0x99, 0xFF, 0xCC));

    whenModal([&](QDialog *dialog) {
        shownFirst = static_cast<QColorDialog *>(dialog)->currentColor();
        static_cast<QColorDialog *>(dialog)->setCurrentColor(Qt::red);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QCOMPARE(dialogs.chooseColor(ColorValue::ButtonFace), std::nullopt);
    QCOMPARE(shownFirst, ColorValue::toColor(ColorValue::ButtonFace));
}

void ProgramDialogsTest::openFileDialog()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // One file for each entry: the dialog lists only files its chosen entry shows.
    for (const char *name : {"game.jpg", "game.bmp"}) {
        QFile file(folder.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

    ProgramDialogs dialogs;
    const QString filter = QStringLiteral("Bitmaps|*.bmp|JPEG files|*.jpg;*.jpeg");
    struct Case
    {
        int given;
        QString shown;
        QString chosen;
        int returned;
    };
    for (const Case &c : {Case{2, "JPEG files (*.jpg *.jpeg)", "JPEG files (*.jpg *.jpeg)", 2},
                          Case{1, "Bitmaps (*.bmp)", "JPEG files (*.jpg *.jpeg)", 2},
                          Case{7, "Bitmaps (*.bmp)", "Bitmaps (*.bmp)", 1},
                          Case{0, "Bitmaps (*.bmp)", "Bitmaps (*.bmp)", 1}}) {
        const QString picture = folder.filePath(c.returned == 1 ? QStringLiteral("game.bmp") : QStringLiteral("game.jpg"));
        QString shown, directory;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptSave;
        whenModal([&](QDialog *dialog) {
            auto *files = qobject_cast<QFileDialog *>(dialog);
            QVERIFY(files);
            shown = files->selectedNameFilter();
            directory = files->directory().absolutePath();
            mode = files->acceptMode();
            files->selectNameFilter(c.chosen);
            files->selectFile(picture);
            // The dialog reads its folder on a thread of its own; the file is selected once it is listed.
            QTRY_COMPARE_WITH_TIMEOUT(files->selectedFiles(), QStringList{picture}, 10000);
            dialog->done(QDialog::Accepted); // accept() would wait for the folder to be read
        });
        int index = c.given;
        QCOMPARE(dialogs.openFileName(filter, index, folder.path()), picture);
        QCOMPARE(shown, c.shown);
        QCOMPARE(index, c.returned);
        QCOMPARE(directory, QDir(folder.path()).absolutePath());
        QCOMPARE(mode, QFileDialog::AcceptOpen);
    }
}

void ProgramDialogsTest::openFileDialogCancelled()
{
    ProgramDialogs dialogs;
    whenModal([](QDialog *dialog) {
        static_cast<QFileDialog *>(dialog)->selectNameFilter(QStringLiteral("Bitmaps (*.bmp)"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    int index = 2;
    QCOMPARE(dialogs.openFileName(QStringLiteral("Bitmaps|*.bmp|JPEG files|*.jpg"), index, QDir::tempPath()), QString());
    QCOMPARE(index, 2);
}

void ProgramDialogsTest::saveFileDialog()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString target = folder.filePath(QStringLiteral("top list.csv"));
    ProgramDialogs dialogs;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    QStringList filters;
    whenModal([&](QDialog *dialog) {
        auto *files = static_cast<QFileDialog *>(dialog);
        mode = files->acceptMode();
        filters = files->nameFilters();
        files->selectFile(target);
        dialog->accept();
    });
    int index = 1;
    QCOMPARE(dialogs.saveFileName(QStringLiteral("CSV files|*.csv|Text files|*.txt"), index, folder.path()), target);
    QCOMPARE(index, 1);
    QCOMPARE(mode, QFileDialog::AcceptSave);
    QCOMPARE(filters, (QStringList{"CSV files (*.csv)", "Text files (*.txt)"}));
    QVERIFY(!QFile::exists(target));
}

void ProgramDialogsTest::everyDialogTellsWhileItIsOpen_data()
{
    QTest::addColumn<QString>("dialog");
    for (const char *dialog : {"msgBox", "inputText", "selectFromList", "error", "color", "open", "save", "numberPad",
                               "calendar"})
        QTest::newRow(dialog) << QString::fromLatin1(dialog);
}

void ProgramDialogsTest::everyDialogTellsWhileItIsOpen()
{
    QFETCH(QString, dialog);
    ProgramDialogs dialogs;
    QList<bool> told;
    dialogs.setOpenWatch([&](bool open) { told.append(open); });
    const std::map<QString, std::function<void()>> open{
        {"msgBox", [&] { dialogs.msgBox("Delete the game?", QString(), "c"); }},
        {"inputText", [&] { dialogs.inputText("Name:", false); }},
        {"selectFromList", [&] { dialogs.selectFromList("Please select language:", "English,German"); }},
        {"error", [&] { dialogs.showError("Cannot open file x"); }},
        {"color", [&] { dialogs.chooseColor(255); }},
        {"open", [&] {
             int filter = 1;
             dialogs.openFileName("Bitmaps|*.bmp", filter, QDir::tempPath());
         }},
        {"save", [&] {
             int filter = 1;
             dialogs.saveFileName("CSV files|*.csv", filter, QDir::tempPath());
         }},
        {"numberPad", [&] { dialogs.numberPad("12"); }},
        {"calendar", [&] { dialogs.calendar(38124, 0); }},
    };

    QList<bool> toldWhileShown;
    bool active = false;
    bool focused = false;
    whenModal([&](QDialog *shown) {
        toldWhileShown = told;
        // Nothing covers it: it is the active window, and one of its controls has the keys.
        active = QTest::qWaitForWindowActive(shown);
        focused = shown->focusWidget() && shown->focusWidget()->hasFocus();
        shown->reject();
    });
    open.at(dialog)();
    QCOMPARE(toldWhileShown, QList<bool>{true});
    QCOMPARE(told, (QList<bool>{true, false}));
    QVERIFY(active);
    QVERIFY(focused);
}

void ProgramDialogsTest::aDialogOpenedFromAnOpenOneIsNotToldAgain()
{
    ProgramDialogs dialogs;
    QList<bool> told;
    dialogs.setOpenWatch([&](bool open) { told.append(open); });
    QList<bool> toldInInner;
    whenModal([&](QDialog *outer) {
        whenModal([&](QDialog *inner) {
            toldInInner = told;
            inner->reject();
        });
        dialogs.showError("Cannot open file x");
        outer->reject();
    });
    dialogs.msgBox("Delete the game?", QString(), "c");
    QCOMPARE(toldInInner, QList<bool>{true});
    QCOMPARE(told, (QList<bool>{true, false}));

    // Without a watch nothing is told, and the dialogs work as before.
    dialogs.setOpenWatch({});
    whenModal([](QDialog *shown) { shown->reject(); });
    dialogs.showError("again");
    QCOMPARE(told, (QList<bool>{true, false}));
}

QTEST_MAIN(ProgramDialogsTest)
#include "test_program_dialogs.moc"
