#include "platform/ColorValue.h"
#include "services/GradientDialogFrame.h"
#include "services/GradientPicture.h"
#include "services/MessDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include "support/Modal.h"

#include <cmath>
#include <functional>

namespace {


// Key events go where the keyboard focus of the dialog is.
QWidget *keyTarget(QDialog *dialog)
{
    QWidget *focus = dialog->focusWidget();
    return focus ? focus : dialog;
}

// Ends a dialog one way: "enter", "escape", "close" or "click:<button object name>".
void endDialog(QDialog *dialog, const QString &ending)
{
    if (ending == QLatin1String("enter")) {
        QTest::keyClick(keyTarget(dialog), Qt::Key_Return);
    } else if (ending == QLatin1String("keypad enter")) {
        QTest::keyClick(keyTarget(dialog), Qt::Key_Enter, Qt::KeypadModifier);
    } else if (ending == QLatin1String("escape")) {
        QTest::keyClick(keyTarget(dialog), Qt::Key_Escape);
    } else if (ending == QLatin1String("close")) {
        dialog->close();
    } else if (ending.startsWith(QLatin1String("click:"))) {
        auto *button = dialog->findChild<QPushButton *>(ending.mid(6));
        QVERIFY2(button, qPrintable(ending));
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (ending == QLatin1String("tab enter")) {
        QTest::keyClick(keyTarget(dialog), Qt::Key_Tab);
        QTest::keyClick(keyTarget(dialog), Qt::Key_Return);
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown ending ") + ending));
    }
}

// Types text key by key, letters beyond ASCII included.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QStringList buttonTexts(QDialog *dialog)
{
    QStringList texts;
    const auto *frame = qobject_cast<GradientDialogFrame *>(dialog);
    if (frame) {
        for (const QPushButton *button : frame->buttons())
            texts.append(button->text());
    }
    return texts;
}

QImage standardIconImage(QStyle::StandardPixmap pixmap)
{
    return QApplication::style()->standardIcon(pixmap).pixmap(32, 32).toImage();
}

int horizontalUnits(int units)
{
    return int(std::nearbyint(units * QFontMetrics(QApplication::font("QMessageBox")).averageCharWidth() / 4.0));
}

int verticalUnits(int units)
{
    return int(std::nearbyint(units * QFontMetrics(QApplication::font("QMessageBox")).height() / 8.0));
}

const QString LongPrompt = QStringLiteral(
    "Please type the name of the new game. It may be as long as you like and it may hold any character.");

} // namespace

class MessageDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void stateStartsEmpty();
    void englishTextsBeforeSettings();

    void msgBoxEndings_data();
    void msgBoxEndings();
    void msgBoxLook_data();
    void msgBoxLook();
    void msgBoxLayout();
    void longMessageWrapsAtHalfTheScreen();
    void messageIsPlainText();
    void ctrlCCopiesTheBox();
    void dialogShowsTheGradient();

    void inputTextEndings_data();
    void inputTextEndings();
    void hiddenInputShowsAsterisks();
    void inputTextLayout_data();
    void inputTextLayout();

    void selectFromListEndings_data();
    void selectFromListEndings();
    void selectFromListLayout();
    void emptyChoiceListGivesEmpty();

    void gradientRows_data();
    void gradientRows();
    void gradientFlatWhenColorsAreEqual();
    void gradientResolvesSystemColors();
    void gradientOfNothingIsEmpty();

    void cleanup();
};

void MessageDialogsTest::cleanup()
{
    SetDialogTexts({});
    SetGradientStartColor(0);
    SetGradientEndColor(0);
}

void MessageDialogsTest::stateStartsEmpty()
{
    QCOMPARE(DialogTexts(), DialogTextSet{});
    QCOMPARE(GradientStartColor(), 0);
    QCOMPARE(GradientEndColor(), 0);

    SetGradientStartColor(ColorValue::Yellow);
    SetGradientEndColor(ColorValue::Fuchsia);
    QCOMPARE(GradientStartColor(), ColorValue::Yellow);
    QCOMPARE(GradientEndColor(), ColorValue::Fuchsia);
}

void MessageDialogsTest::englishTextsBeforeSettings()
{
    QString title;
    QStringList buttons;
    whenModal([&](QDialog *dialog) {
        title = dialog->windowTitle();
        buttons = buttonTexts(dialog);
        endDialog(dialog, QStringLiteral("click:YesButton"));
    });
    QVERIFY(MsgBox(QStringLiteral("Are you sure?"), QString(), QStringLiteral("c")));
    QCOMPARE(title, QStringLiteral("Confirmation"));
    QCOMPARE(buttons, (QStringList{"Yes", "No"}));

    whenModal([&](QDialog *dialog) {
        title = dialog->windowTitle();
        buttons = buttonTexts(dialog);
        endDialog(dialog, QStringLiteral("escape"));
    });
    InputText(QStringLiteral("Name:"), false);
    QCOMPARE(title, QStringLiteral("Input"));
    QCOMPARE(buttons, (QStringList{"OK", "Cancel"}));

    const DialogTextSet english{"OK", "Cancel", "Yes", "No", "Information", "Confirmation", "Warning", "Input"};
    QCOMPARE(DialogTexts(), english);

    // Texts already set stay as they are; only empty ones are filled.
    SetDialogTexts({QStringLiteral("Gut"), {}, {}, {}, {}, {}, {}, QStringLiteral("Eingabe")});
    EnsureDialogTexts();
    QCOMPARE(DialogTexts().ok, QStringLiteral("Gut"));
    QCOMPARE(DialogTexts().cancel, QStringLiteral("Cancel"));
    QCOMPARE(DialogTexts().input, QStringLiteral("Eingabe"));
}

void MessageDialogsTest::msgBoxEndings_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("result");

    QTest::newRow("c Yes") << "c" << "click:YesButton" << true;
    QTest::newRow("c No") << "c" << "click:NoButton" << false;
    QTest::newRow("c Enter") << "c" << "enter" << true;
    QTest::newRow("c keypad Enter") << "c" << "keypad enter" << true;
    QTest::newRow("c Escape") << "c" << "escape" << false;
    QTest::newRow("c close box") << "c" << "close" << false;
    QTest::newRow("c Enter on No") << "c" << "tab enter" << false;
    QTest::newRow("C upper case") << "C" << "escape" << false;
    QTest::newRow("Confirm word") << "Confirm" << "click:NoButton" << false;
    for (const char *kind : {"i", "w", "x", ""}) {
        const QByteArray name = QByteArray("'") + kind + "' ";
        QTest::newRow(name + "OK") << kind << "click:OKButton" << true;
        QTest::newRow(name + "Enter") << kind << "enter" << true;
        QTest::newRow(name + "Escape") << kind << "escape" << true;
        QTest::newRow(name + "close box") << kind << "close" << false;
    }
}

void MessageDialogsTest::msgBoxEndings()
{
    QFETCH(QString, kind);
    QFETCH(QString, ending);
    QFETCH(bool, result);

    bool shown = false;
    whenModal([&](QDialog *dialog) {
        shown = true;
        endDialog(dialog, ending);
    });
    QCOMPARE(MsgBox(QStringLiteral("Are you sure?"), QString(), kind), result);
    QVERIFY(shown);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void MessageDialogsTest::msgBoxLook_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QStringList>("names");

    const QStringList ok{"Gut"};
    const QStringList okName{"OKButton"};
    QTest::newRow("confirmation") << "c" << "" << "Rückfrage" << int(QStyle::SP_MessageBoxQuestion)
                                  << QStringList{"&Ja", "Nein"} << QStringList{"YesButton", "NoButton"};
    QTest::newRow("confirmation with caption") << "c" << "Delete" << "Delete" << int(QStyle::SP_MessageBoxQuestion)
                                               << QStringList{"&Ja", "Nein"} << QStringList{"YesButton", "NoButton"};
    QTest::newRow("warning with caption") << "w" << "Careful" << "Careful" << int(QStyle::SP_MessageBoxWarning)
                                          << ok << okName;
    QTest::newRow("warning") << "W" << "" << "Achtung" << int(QStyle::SP_MessageBoxWarning) << ok << okName;
    QTest::newRow("information") << "i" << "" << "Hinweis" << int(QStyle::SP_MessageBoxInformation) << ok << okName;
    QTest::newRow("other letter") << "x" << "" << "Information" << int(QStyle::SP_MessageBoxInformation) << ok
                                  << okName;
    QTest::newRow("other letter with caption") << "q" << "Game" << "Game" << int(QStyle::SP_MessageBoxInformation)
                                               << ok << okName;
}

void MessageDialogsTest::msgBoxLook()
{
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QStringList, buttons);
    QFETCH(QStringList, names);

    SetDialogTexts({"Gut", "Abbrechen", "&Ja", "Nein", "Hinweis", "Rückfrage", "Achtung", "Eingabe"});
    QString shownTitle;
    QStringList shownButtons, shownNames;
    QImage shownIcon;
    QString message;
    bool onTop = false, modal = false, whiteBox = false, blackText = false;
    whenModal([&](QDialog *dialog) {
        shownTitle = dialog->windowTitle();
        shownButtons = buttonTexts(dialog);
        for (const QPushButton *button : static_cast<GradientDialogFrame *>(dialog)->buttons())
            shownNames.append(button->objectName());
        auto *iconLabel = dialog->findChild<QLabel *>(QStringLiteral("IconImage"));
        if (iconLabel)
            shownIcon = iconLabel->pixmap().toImage();
        auto *text = dialog->findChild<QLabel *>(QStringLiteral("MessageText"));
        message = text ? text->text() : QString();
        whiteBox = text && text->autoFillBackground() && text->palette().color(QPalette::Window) == Qt::white;
        blackText = text && text->palette().color(QPalette::WindowText) == Qt::black;
        onTop = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        modal = dialog->isModal();
        endDialog(dialog, QStringLiteral("enter"));
    });
    MsgBox(QStringLiteral("Game exists already."), caption, kind);

    QCOMPARE(shownTitle, title);
    QCOMPARE(shownButtons, buttons);
    QCOMPARE(shownNames, names);
    QCOMPARE(message, QStringLiteral("Game exists already."));
    QCOMPARE(shownIcon.size(), QSize(32, 32));
    QCOMPARE(shownIcon, standardIconImage(QStyle::StandardPixmap(icon)));
    QVERIFY(onTop);
    QVERIFY(modal);
    QVERIFY(whiteBox);
    QVERIFY(blackText);
}

void MessageDialogsTest::msgBoxLayout()
{
    QRect icon, text, screen;
    QList<QRect> buttons;
    QSize client;
    QRect frame;
    whenModal([&](QDialog *dialog) {
        icon = dialog->findChild<QLabel *>(QStringLiteral("IconImage"))->geometry();
        text = dialog->findChild<QLabel *>(QStringLiteral("MessageText"))->geometry();
        for (const QPushButton *button : static_cast<GradientDialogFrame *>(dialog)->buttons())
            buttons.append(button->geometry());
        client = dialog->size();
        frame = dialog->frameGeometry();
        screen = dialog->screen()->geometry();
        endDialog(dialog, QStringLiteral("escape"));
    });
    MsgBox(QStringLiteral("Delete this entry?"), QString(), QStringLiteral("c"));

    const int marginX = horizontalUnits(8);
    const int marginY = verticalUnits(8);
    QCOMPARE(icon, QRect(marginX, marginY, 32, 32));
    QCOMPARE(text.topLeft(), QPoint(marginX + 32 + horizontalUnits(10), marginY));
    QCOMPARE(text.width(), QFontMetrics(QApplication::font("QMessageBox")).horizontalAdvance("Delete this entry?"));

    QCOMPARE(buttons.size(), 2);
    const int buttonTop = marginY + std::max(text.height(), 32) + verticalUnits(10);
    for (const QRect &button : std::as_const(buttons)) {
        QCOMPARE(button.top(), buttonTop);
        QCOMPARE(button.height(), verticalUnits(14));
        QVERIFY(button.width() >= horizontalUnits(50));
    }
    QCOMPARE(buttons[1].left() - (buttons[0].left() + buttons[0].width()), horizontalUnits(4));
    const int rowWidth = buttons[1].left() + buttons[1].width() - buttons[0].left();
    QCOMPARE(buttons[0].left(), (client.width() - rowWidth) / 2);

    const int contentWidth = std::max(32 + horizontalUnits(10) + text.width(), rowWidth);
    QCOMPARE(client.width(), contentWidth + 2 * marginX);
    QCOMPARE(client.height(), std::max(text.height(), 32) + verticalUnits(14) + verticalUnits(10) + 2 * marginY);

    QVERIFY(std::abs(frame.center().x() - screen.center().x()) <= 1);
    QVERIFY(std::abs(frame.center().y() - screen.center().y()) <= 1);
}

void MessageDialogsTest::longMessageWrapsAtHalfTheScreen()
{
    QString longText;
    for (int i = 0; i < 40; ++i)
        longText += QStringLiteral("word%1 ").arg(i);
    QRect text;
    int halfScreen = 0;
    whenModal([&](QDialog *dialog) {
        text = dialog->findChild<QLabel *>(QStringLiteral("MessageText"))->geometry();
        halfScreen = dialog->screen()->geometry().width() / 2;
        endDialog(dialog, QStringLiteral("enter"));
    });
    MsgBox(longText, QString(), QStringLiteral("i"));
    QVERIFY(text.width() <= halfScreen);
    QVERIFY(text.width() > halfScreen / 2);
    QVERIFY(text.height() >= 2 * QFontMetrics(QApplication::font("QMessageBox")).height());
}

void MessageDialogsTest::messageIsPlainText()
{
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    whenModal([&](QDialog *dialog) {
        auto *text = dialog->findChild<QLabel *>(QStringLiteral("MessageText"));
        shown = text->text();
        format = text->textFormat();
        endDialog(dialog, QStringLiteral("enter"));
    });
    MsgBox(QStringLiteral("<b>Game</b> & more"), QString(), QStringLiteral("i"));
    QCOMPARE(shown, QStringLiteral("<b>Game</b> & more"));
    QCOMPARE(format, Qt::PlainText);
}

void MessageDialogsTest::ctrlCCopiesTheBox()
{
    SetDialogTexts({{}, {}, QStringLiteral("&Ja"), QStringLiteral("Nein"), {}, {}, {}, {}});
    QGuiApplication::clipboard()->clear();
    bool stillOpen = false;
    whenModal([&](QDialog *dialog) {
        QTest::keyClick(keyTarget(dialog), Qt::Key_C, Qt::ControlModifier);
        stillOpen = dialog->isVisible();
        endDialog(dialog, QStringLiteral("escape"));
    });
    QVERIFY(!MsgBox(QStringLiteral("Are you sure?"), QString(), QStringLiteral("c")));
    QVERIFY(stillOpen);
    const QString rule(27, QLatin1Char('-'));
    QCOMPARE(QGuiApplication::clipboard()->text(),
             rule + "\r\nConfirmation\r\n" + rule + "\r\nAre you sure?\r\n" + rule + "\r\nJa   Nein   \r\n" + rule
                 + "\r\n");

    whenModal([&](QDialog *dialog) {
        QTest::keyClick(keyTarget(dialog), Qt::Key_C, Qt::ControlModifier);
        endDialog(dialog, QStringLiteral("enter"));
    });
    MsgBox(QStringLiteral("Done."), QStringLiteral("Export"), QStringLiteral("i"));
    QCOMPARE(QGuiApplication::clipboard()->text(),
             rule + "\r\nExport\r\n" + rule + "\r\nDone.\r\n" + rule + "\r\nOK   \r\n" + rule + "\r\n");
}

void MessageDialogsTest::dialogShowsTheGradient()
{
    SetGradientStartColor(0);
    SetGradientEndColor(ColorValue::White);
    QImage shot;
    QRect text;
    whenModal([&](QDialog *dialog) {
        shot = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
        text = dialog->findChild<QLabel *>(QStringLiteral("MessageText"))->geometry();
        endDialog(dialog, QStringLiteral("enter"));
    });
    MsgBox(QStringLiteral("A longer first line of text\nx"), QString(), QStringLiteral("i"));

    QVERIFY(!shot.isNull());
    const QImage expected = PaintGradient(shot.size(), 0, ColorValue::White);
    for (int y = 0; y < shot.height(); ++y)
        QCOMPARE(shot.pixel(0, y), expected.pixel(0, y));
    QVERIFY(expected.pixel(0, 0) != expected.pixel(0, shot.height() - 1));
    // The text stands on a white box of its own.
    QCOMPARE(shot.pixel(text.right() - 1, text.bottom() - 1), qRgb(255, 255, 255));
}

void MessageDialogsTest::inputTextEndings_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QString>("result");

    QTest::newRow("OK") << "Chess" << "click:OKButton" << "Chess";
    QTest::newRow("Enter") << "Chess 2" << "enter" << "Chess 2";
    QTest::newRow("keypad Enter") << "Go" << "keypad enter" << "Go";
    QTest::newRow("Cancel after typing") << "Chess" << "click:CancelButton" << "";
    QTest::newRow("Escape after typing") << "Chess" << "escape" << "";
    QTest::newRow("close box after typing") << "Chess" << "close" << "";
    QTest::newRow("OK on empty field") << "" << "click:OKButton" << "";
    QTest::newRow("umlauts") << "Würfel" << "enter" << "Würfel";
}

void MessageDialogsTest::inputTextEndings()
{
    QFETCH(QString, typed);
    QFETCH(QString, ending);
    QFETCH(QString, result);

    QString startText = QStringLiteral("not shown");
    whenModal([&](QDialog *dialog) {
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("InputEdit"));
        QVERIFY(edit);
        startText = edit->text();
        QCOMPARE(dialog->focusWidget(), edit);
        typeText(edit, typed);
        QCOMPARE(edit->text(), typed);
        endDialog(dialog, ending);
    });
    QCOMPARE(InputText(QStringLiteral("Name of the game:"), false), result);
    QCOMPARE(startText, QString());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void MessageDialogsTest::hiddenInputShowsAsterisks()
{
    for (const bool hidden : {true, false}) {
        QString shown;
        QLineEdit::EchoMode mode = QLineEdit::NoEcho;
        whenModal([&](QDialog *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("InputEdit"));
            typeText(edit, QStringLiteral("secret"));
            shown = edit->displayText();
            mode = edit->echoMode();
            endDialog(dialog, QStringLiteral("enter"));
        });
        QCOMPARE(InputText(QStringLiteral("Password:"), hidden), QStringLiteral("secret"));
        QCOMPARE(mode, hidden ? QLineEdit::Password : QLineEdit::Normal);
        QCOMPARE(shown, hidden ? QStringLiteral("******") : QStringLiteral("secret"));
    }
}

void MessageDialogsTest::inputTextLayout_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("wraps");
    QTest::newRow("short prompt") << "Name:" << false;
    QTest::newRow("long prompt") << LongPrompt << true;
}

void MessageDialogsTest::inputTextLayout()
{
    QFETCH(QString, prompt);
    QFETCH(bool, wraps);

    SetDialogTexts({{}, {}, {}, {}, {}, {}, {}, QStringLiteral("Eingabe")});
    QRect label, edit, ok, cancel;
    QSize client;
    QString title;
    whenModal([&](QDialog *dialog) {
        label = dialog->findChild<QLabel *>(QStringLiteral("MessageText"))->geometry();
        edit = dialog->findChild<QLineEdit *>(QStringLiteral("InputEdit"))->geometry();
        ok = dialog->findChild<QPushButton *>(QStringLiteral("OKButton"))->geometry();
        cancel = dialog->findChild<QPushButton *>(QStringLiteral("CancelButton"))->geometry();
        client = dialog->size();
        title = dialog->windowTitle();
        endDialog(dialog, QStringLiteral("escape"));
    });
    InputText(prompt, false);

    const int lineHeight = QFontMetrics(QApplication::font("QMessageBox")).height();
    QCOMPARE(title, QStringLiteral("Eingabe"));
    QVERIFY(label.width() <= 270);
    QCOMPARE(label.height() > lineHeight, wraps);
    QCOMPARE(edit.left(), 10);
    QCOMPARE(edit.width(), 270);
    QCOMPARE(edit.top(), label.top() + label.height() + 20);
    QCOMPARE(ok.top(), edit.top() + edit.height() + 20);
    QCOMPARE(cancel.top(), ok.top());
    QCOMPARE(ok.left(), 150 - ok.width() - 10);
    QCOMPARE(cancel.left(), 160);
    QCOMPARE(client, QSize(300, edit.top() + 100));
}

void MessageDialogsTest::selectFromListEndings_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<int>("downs");
    QTest::addColumn<QString>("result");

    QTest::newRow("OK") << "click:OKButton" << 0 << "English";
    QTest::newRow("Enter") << "enter" << 0 << "English";
    QTest::newRow("Escape") << "escape" << 0 << "English";
    QTest::newRow("close box") << "close" << 0 << "";
    QTest::newRow("second entry") << "click:OKButton" << 1 << "Deutsch";
    QTest::newRow("third entry, Enter in the list") << "enter" << 2 << "Français, fr";
    QTest::newRow("third entry, close box") << "close" << 2 << "";
}

void MessageDialogsTest::selectFromListEndings()
{
    QFETCH(QString, ending);
    QFETCH(int, downs);
    QFETCH(QString, result);

    QStringList entries;
    int firstSelected = -1;
    QString firstFocus;
    QString title;
    whenModal([&](QDialog *dialog) {
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("ChoiceList"));
        QVERIFY(list);
        for (int i = 0; i < list->count(); ++i)
            entries.append(list->item(i)->text());
        firstSelected = list->selectedItems().size() == 1 ? list->row(list->selectedItems().first()) : -1;
        firstFocus = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        title = dialog->windowTitle();
        if (downs > 0) {
            list->setFocus();
            for (int i = 0; i < downs; ++i)
                QTest::keyClick(list, Qt::Key_Down);
        }
        endDialog(dialog, ending);
    });
    QCOMPARE(SelectFromList(QStringLiteral("Please choose your language:"),
                            QStringLiteral("English,Deutsch,\"Français, fr\"")),
             result);
    QCOMPARE(entries, (QStringList{"English", "Deutsch", "Français, fr"}));
    QCOMPARE(firstSelected, 0);
    QCOMPARE(firstFocus, QStringLiteral("OKButton"));
    QCOMPARE(title, QStringLiteral("Input"));
}

void MessageDialogsTest::selectFromListLayout()
{
    for (const QString &prompt : {QStringLiteral("Language:"), LongPrompt}) {
        QRect label, list, ok;
        QSize client;
        whenModal([&](QDialog *dialog) {
            label = dialog->findChild<QLabel *>(QStringLiteral("MessageText"))->geometry();
            list = dialog->findChild<QListWidget *>(QStringLiteral("ChoiceList"))->geometry();
            ok = dialog->findChild<QPushButton *>(QStringLiteral("OKButton"))->geometry();
            client = dialog->size();
            endDialog(dialog, QStringLiteral("enter"));
        });
        SelectFromList(prompt, QStringLiteral("English,Deutsch"));
        QVERIFY(label.width() <= 270);
        QCOMPARE(list, QRect(10, label.top() + label.height() + 20, 270, 80));
        QCOMPARE(ok.top(), list.top() + 80 + 20);
        QCOMPARE(ok.left(), 150 - ok.width() / 2 - 5);
        QCOMPARE(client, QSize(300, list.top() + 80 + 80));
    }
}

void MessageDialogsTest::emptyChoiceListGivesEmpty()
{
    for (const QString &ending : {QStringLiteral("enter"), QStringLiteral("click:OKButton")}) {
        int count = -1;
        whenModal([&](QDialog *dialog) {
            count = dialog->findChild<QListWidget *>(QStringLiteral("ChoiceList"))->count();
            endDialog(dialog, ending);
        });
        QCOMPARE(SelectFromList(QStringLiteral("Language:"), QString()), QString());
        QCOMPARE(count, 0);
    }
}

void MessageDialogsTest::gradientRows_data()
{
    QTest::addColumn<qint32>("start");
    QTest::addColumn<qint32>("end");
    QTest::addColumn<int>("height");
    QTest::addColumn<QList<QRgb>>("rows");

    QList<QRgb> greys;
    for (int y = 0; y < 255; ++y)
        greys.append(qRgb(y, y, y));
    QTest::newRow("black to white over 255 rows") << 0 << ColorValue::White << 255 << greys;
    // 0, 0.5, 1, 1.5 and 1, 1.5, 2, 2.5: halves go to the even neighbour.
    QTest::newRow("halves to even, up") << 0 << 2 << 4 << QList<QRgb>{qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(1, 0, 0), qRgb(2, 0, 0)};
    QTest::newRow("halves to even, odd start") << 1 << 3 << 4 << QList<QRgb>{qRgb(1, 0, 0), qRgb(2, 0, 0), qRgb(2, 0, 0), qRgb(2, 0, 0)};
    QTest::newRow("halves to even, down") << 0x000300 << 0x000100 << 4
                                          << QList<QRgb>{qRgb(0, 3, 0), qRgb(0, 2, 0), qRgb(0, 2, 0), qRgb(0, 2, 0)};
    QTest::newRow("two rows never reach the end") << 0 << ColorValue::White << 2
                                                  << QList<QRgb>{qRgb(0, 0, 0), qRgb(128, 128, 128)};
    QTest::newRow("yellow to fuchsia") << ColorValue::Yellow << ColorValue::Fuchsia << 3
                                       << QList<QRgb>{qRgb(255, 255, 0), qRgb(255, 170, 85), qRgb(255, 85, 170)};
    QTest::newRow("one row is the start colour") << 0x0000FF << 0xFF0000 << 1 << QList<QRgb>{qRgb(255, 0, 0)};
}

void MessageDialogsTest::gradientRows()
{
    QFETCH(qint32, start);
    QFETCH(qint32, end);
    QFETCH(int, height);
    QFETCH(QList<QRgb>, rows);

    const QImage picture = PaintGradient(QSize(7, height), start, end);
    QCOMPARE(picture.size(), QSize(7, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < picture.width(); ++x)
            QCOMPARE(QColor(picture.pixel(x, y)), QColor(rows.at(y)));
    }
}

void MessageDialogsTest::gradientFlatWhenColorsAreEqual()
{
    const qint32 color = 0x123456; // red 0x56, green 0x34, blue 0x12
    const QImage picture = PaintGradient(QSize(40, 300), color, color);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            QCOMPARE(picture.pixel(x, y), qRgb(0x56, 0x34, 0x12));
    }
}

void MessageDialogsTest::gradientResolvesSystemColors()
{
    const QImage picture = PaintGradient(QSize(3, 10), ColorValue::ButtonFace, ColorValue::ButtonFace);
    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    QCOMPARE(QColor(picture.pixel(1, 0)), QColor(face.rgb()));
    QCOMPARE(QColor(picture.pixel(1, 9)), QColor(face.rgb()));
}

void MessageDialogsTest::gradientOfNothingIsEmpty()
{
    QVERIFY(PaintGradient(QSize(0, 10), 0, ColorValue::White).isNull());
    QVERIFY(PaintGradient(QSize(10, 0), 0, ColorValue::White).isNull());
}

QTEST_MAIN(MessageDialogsTest)
#include "test_message_dialogs.moc"
