#include "services/NumPad.h"
#include "services/ProgramDialogs.h"
#include "services/TransProg.h"

#include "support/Modal.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

// One key stroke by name: "0".."9" on the main keyboard, "kp0".."kp9" on the keypad,
// "BS", "Enter", "KpEnter", "Esc", "C", "c", "ctrl+C", "shift+C", or any other letter or
// named key that the pad does not use.
void pressKey(QWidget *target, const QString &name)
{
    struct Named
    {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *text;
    };
    static const Named keys[] = {
        {"BS", Qt::Key_Backspace, Qt::NoModifier, "\b"},
        {"Enter", Qt::Key_Return, Qt::NoModifier, "\r"},
        {"KpEnter", Qt::Key_Enter, Qt::KeypadModifier, "\r"},
        {"Esc", Qt::Key_Escape, Qt::NoModifier, "\x1b"},
        {"C", Qt::Key_C, Qt::ShiftModifier, "C"},
        {"c", Qt::Key_C, Qt::NoModifier, "c"},
        {"ctrl+C", Qt::Key_C, Qt::ControlModifier, "\x03"},
        {"x", Qt::Key_X, Qt::NoModifier, "x"},
        {"minus", Qt::Key_Minus, Qt::NoModifier, "-"},
        {"comma", Qt::Key_Comma, Qt::NoModifier, ","},
        {"period", Qt::Key_Period, Qt::NoModifier, "."},
        {"Space", Qt::Key_Space, Qt::NoModifier, " "},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, ""},
        {"Left", Qt::Key_Left, Qt::NoModifier, ""},
        {"F5", Qt::Key_F5, Qt::NoModifier, ""},
    };
    if (name.size() == 1 && name[0].isDigit()) {
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(Qt::Key_0 + name[0].digitValue()), name, Qt::NoModifier);
        return;
    }
    if (name.startsWith(QLatin1String("kp")) && name.size() == 3 && name[2].isDigit()) {
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(Qt::Key_0 + name[2].digitValue()), name.mid(2),
                            Qt::KeypadModifier);
        return;
    }
    for (const Named &key : keys) {
        if (name == QLatin1String(key.name)) {
            QTest::sendKeyEvent(QTest::Click, target, key.key, QString::fromLatin1(key.text), key.modifiers);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("unknown key ") + name));
}

QWidget *controlNamed(TNumPadForm &pad, const QString &name)
{
    if (name == pad.objectName())
        return &pad;
    return pad.findChild<QWidget *>(name);
}

} // namespace

class NumberPadTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void windowAndControls();
    void controlPositions_data();
    void controlPositions();

    void keys_data();
    void keys();
    void buttons_data();
    void buttons();
    void endings_data();
    void endings();
    void valueShowsRightAlignedOnOneLine();
    void memoHasTheFocusFirst();
    void scriptTranslatesAtCreation();
    void runNumPadCentresOnTheWindowAndReturnsTheValue();
    void dialogSeam();
};

void NumberPadTest::cleanup()
{
    SetActiveScriptPath(QString());
}

void NumberPadTest::windowAndControls()
{
    TNumPadForm pad;
    QCOMPARE(pad.objectName(), QStringLiteral("NumPadForm"));
    QCOMPARE(pad.windowTitle(), QStringLiteral("Enter value:"));
    QCOMPARE(pad.size(), QSize(169, 164));
    QCOMPARE(pad.minimumSize(), pad.maximumSize());

    QVERIFY(pad.numMemo()->isReadOnly());
    QCOMPARE(pad.numMemo()->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(pad.numMainPanel()->frameShape(), QFrame::Panel);
    QCOMPARE(pad.numMainPanel()->frameShadow(), QFrame::Sunken);
    QCOMPARE(pad.numMainPanel()->lineWidth(), 2);

    for (int digit = 0; digit <= 9; ++digit) {
        QPushButton *button = pad.findChild<QPushButton *>(QStringLiteral("N%1Button").arg(digit));
        QVERIFY(button);
        QCOMPARE(button, pad.digitButton(digit));
        QCOMPARE(button->text(), QString::number(digit));
        QCOMPARE(button->parentWidget(), pad.numMainPanel());
    }
    QCOMPARE(pad.arrowButton()->text(), QStringLiteral("<-"));
    QCOMPARE(pad.arrowButton()->toolTip(), QStringLiteral("Delete a figure"));
    QCOMPARE(pad.clearButton()->text(), QStringLiteral("C"));
    QCOMPARE(pad.clearButton()->toolTip(), QStringLiteral("Clear input"));
    QCOMPARE(pad.okButton()->text(), QStringLiteral("OK"));
    QVERIFY(!pad.okButton()->icon().isNull());
    QCOMPARE(pad.cancelButton()->text(), QStringLiteral("Cancel"));
    QVERIFY(!pad.cancelButton()->icon().isNull());
}

void NumberPadTest::controlPositions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("memo") << "NumMemo" << QRect(7, 4, 154, 21);
    QTest::newRow("panel") << "NumMainPanel" << QRect(8, 32, 153, 105);
    QTest::newRow("1") << "N1Button" << QRect(8, 8, 41, 17);
    QTest::newRow("3") << "N3Button" << QRect(104, 8, 41, 17);
    QTest::newRow("5") << "N5Button" << QRect(56, 32, 41, 17);
    QTest::newRow("7") << "N7Button" << QRect(8, 56, 41, 17);
    QTest::newRow("9") << "N9Button" << QRect(104, 56, 41, 17);
    QTest::newRow("0") << "N0Button" << QRect(8, 80, 41, 17);
    QTest::newRow("arrow") << "ArrowButton" << QRect(56, 80, 41, 17);
    QTest::newRow("clear") << "ClearButton" << QRect(104, 80, 41, 17);
    QTest::newRow("ok") << "OKButton" << QRect(8, 140, 73, 23);
    QTest::newRow("cancel") << "CancelButton" << QRect(88, 140, 73, 23);
}

void NumberPadTest::controlPositions()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    TNumPadForm pad;
    QWidget *control = pad.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
}

void NumberPadTest::keys_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("strokes");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("closed");

    const auto keys = [](const char *list) { return QString::fromLatin1(list).split(u' '); };
    QTest::newRow("12, 3, BS, BS, 7, Enter") << "12" << "NumMemo" << keys("3 BS BS 7 Enter") << "7" << true;
    QTest::newRow("12, BS, 7, Enter") << "12" << "NumMemo" << keys("BS 7 Enter") << "17" << true;
    QTest::newRow("first digit replaces the start value") << "450" << "NumMemo" << keys("3 0 0") << "300" << false;
    QTest::newRow("first keypad digit replaces") << "450" << "NumMemo" << keys("kp7") << "7" << false;
    QTest::newRow("second digit appends") << "450" << "NumMemo" << keys("3 1") << "31" << false;
    QTest::newRow("every main-keyboard digit") << "" << "NumMemo" << keys("1 2 3 4 5 6 7 8 9 0") << "1234567890" << false;
    QTest::newRow("every keypad digit") << "" << "NumMemo" << keys("kp1 kp2 kp3 kp4 kp5 kp6 kp7 kp8 kp9 kp0")
                                        << "1234567890" << false;
    QTest::newRow("keypad 4 and main 4") << "" << "NumMemo" << keys("kp4 4") << "44" << false;
    QTest::newRow("BS on empty") << "" << "NumMemo" << keys("BS BS") << "" << false;
    QTest::newRow("BS removes one figure") << "905" << "NumMemo" << keys("BS") << "90" << false;
    QTest::newRow("C clears") << "4711" << "NumMemo" << keys("C") << "" << false;
    QTest::newRow("c clears") << "4711" << "NumMemo" << keys("c") << "" << false;
    QTest::newRow("ctrl+C clears") << "4711" << "NumMemo" << keys("ctrl+C") << "" << false;
    QTest::newRow("digits after C") << "99" << "NumMemo" << keys("C 5") << "5" << false;
    QTest::newRow("Enter keeps") << "250" << "NumMemo" << keys("Enter") << "250" << true;
    QTest::newRow("keypad Enter keeps") << "250" << "NumMemo" << keys("KpEnter") << "250" << true;
    QTest::newRow("Escape empties") << "250" << "NumMemo" << keys("1 Esc") << "" << true;
    QTest::newRow("other keys do nothing") << "7" << "NumMemo"
                                           << keys("x minus comma period Space Delete Left F5") << "7" << false;
    QTest::newRow("letters in the start value stay") << "ab" << "NumMemo" << keys("BS 6") << "a6" << false;
    QTest::newRow("a digit replaces letters") << "ab" << "NumMemo" << keys("5 BS BS 6") << "6" << false;
    QTest::newRow("keys reach the window on a digit button") << "1" << "N5Button" << keys("2 kp3 BS 9") << "29" << false;
    QTest::newRow("Space on a digit button clicks it") << "1" << "N5Button" << keys("Space 6") << "56" << false;
    QTest::newRow("Enter on the Cancel button closes as OK") << "8" << "CancelButton" << keys("Enter") << "8" << true;
    QTest::newRow("Escape on the OK button cancels") << "8" << "OKButton" << keys("Esc") << "" << true;
    QTest::newRow("C on the panel") << "8" << "NumMainPanel" << keys("C") << "" << false;
    QTest::newRow("keys sent to the window itself") << "" << "NumPadForm" << keys("4 2") << "42" << false;
}

void NumberPadTest::keys()
{
    QFETCH(QString, start);
    QFETCH(QString, target);
    QFETCH(QStringList, strokes);
    QFETCH(QString, value);
    QFETCH(bool, closed);

    TNumPadForm pad;
    pad.setValue(start);
    pad.show();
    QCOMPARE(pad.numMemo()->textCursor().selectedText(), start);
    QWidget *control = controlNamed(pad, target);
    QVERIFY(control);
    for (const QString &stroke : strokes)
        pressKey(control, stroke);
    QCOMPARE(pad.value(), value);
    QCOMPARE(pad.numMemo()->toPlainText(), value);
    QCOMPARE(pad.isVisible(), !closed);
}

void NumberPadTest::buttons_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("value");

    QTest::newRow("every digit button") << ""
                                        << QStringList{"N1Button", "N2Button", "N3Button", "N4Button", "N5Button",
                                                       "N6Button", "N7Button", "N8Button", "N9Button", "N0Button"}
                                        << "1234567890";
    QTest::newRow("arrow removes the last") << "120" << QStringList{"ArrowButton"} << "12";
    QTest::newRow("arrow on empty") << "" << QStringList{"ArrowButton", "ArrowButton"} << "";
    QTest::newRow("clear") << "555" << QStringList{"ClearButton"} << "";
    QTest::newRow("clear then digits") << "555" << QStringList{"ClearButton", "N0Button", "N7Button"} << "07";
    QTest::newRow("first digit replaces the start value") << "450" << QStringList{"N3Button", "N0Button", "N0Button"}
                                                          << "300";
    QTest::newRow("replaces letters") << "x1" << QStringList{"N2Button"} << "2";
    QTest::newRow("appends after the arrow") << "x1" << QStringList{"ArrowButton", "N2Button"} << "x2";
    QTest::newRow("clear on the start value") << "450" << QStringList{"ClearButton"} << "";
}

void NumberPadTest::buttons()
{
    QFETCH(QString, start);
    QFETCH(QStringList, clicks);
    QFETCH(QString, value);

    TNumPadForm pad;
    pad.setValue(start);
    pad.show();
    for (const QString &name : clicks) {
        auto *button = pad.findChild<QPushButton *>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE(pad.value(), value);
    QVERIFY(pad.isVisible());
}

void NumberPadTest::endings_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QString>("result");
    QTest::newRow("OK") << "click:OKButton" << "3";
    QTest::newRow("Cancel") << "click:CancelButton" << "";
    QTest::newRow("Enter") << "key:Enter" << "3";
    QTest::newRow("Escape") << "key:Esc" << "";
    QTest::newRow("close box") << "close" << "3";
}

// Through the modal call, as the records page uses it: start 12, one digit (which replaces the
// start value), then the ending.
void NumberPadTest::endings()
{
    QFETCH(QString, ending);
    QFETCH(QString, result);

    bool acted = false;
    whenModal([&](QDialog *dialog) {
        auto *pad = qobject_cast<TNumPadForm *>(dialog);
        QVERIFY(pad);
        acted = true;
        QCOMPARE(pad->value(), QStringLiteral("12"));
        QCOMPARE(pad->numMemo()->textCursor().selectedText(), QStringLiteral("12"));
        QTest::mouseClick(pad->digitButton(3), Qt::LeftButton);
        if (ending == QLatin1String("close"))
            pad->close();
        else if (ending.startsWith(QLatin1String("key:")))
            pressKey(pad->focusWidget() ? pad->focusWidget() : pad, ending.mid(4));
        else
            QTest::mouseClick(pad->findChild<QPushButton *>(ending.mid(6)), Qt::LeftButton);
    });
    const QString value = RunNumPad(nullptr, QStringLiteral("12"));
    QVERIFY(acted);
    QCOMPARE(value, result);
}

void NumberPadTest::valueShowsRightAlignedOnOneLine()
{
    TNumPadForm pad;
    pad.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pad));
    for (int i = 0; i < 3; ++i)
        pressKey(pad.numMemo(), QStringLiteral("8"));
    QPlainTextEdit *memo = pad.numMemo();
    QTextCursor start = memo->textCursor();
    start.movePosition(QTextCursor::Start);
    QTextCursor end = memo->textCursor();
    end.movePosition(QTextCursor::End);
    const int viewportWidth = memo->viewport()->width();
    QVERIFY2(memo->cursorRect(end).right() >= viewportWidth - 6,
             qPrintable(QStringLiteral("text ends at %1 of %2").arg(memo->cursorRect(end).right()).arg(viewportWidth)));
    QVERIFY(memo->cursorRect(start).left() > viewportWidth / 2);
    QCOMPARE(memo->cursorRect(start).top(), memo->cursorRect(end).top());

    // A start value with a line break keeps its first line only.
    pad.setValue(QStringLiteral("12\r\n34"));
    QCOMPARE(pad.value(), QStringLiteral("12"));
    QCOMPARE(memo->blockCount(), 1);
}

void NumberPadTest::memoHasTheFocusFirst()
{
    TNumPadForm pad;
    pad.show();
    QVERIFY(QTest::qWaitForWindowActive(&pad));
    QCOMPARE(QApplication::focusWidget(), pad.numMemo());
    QTest::keyClick(pad.numMemo(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), pad.digitButton(1));
}

void NumberPadTest::scriptTranslatesAtCreation()
{
    TempProgramDir dir;
    dir.write(QStringLiteral("LScripts/German.lng"),
              "[NumPadForm]\r\nCaption=Wert eingeben:\r\nOKButton.Caption=Gut\r\nCancelButton.Caption=Abbrechen\r\n"
              "ArrowButton.Hint=Eine Ziffer l\xc3\xb6schen\r\nClearButton.Hint=\r\n");
    SetActiveScriptPath(dir.file(QStringLiteral("LScripts/German.lng")));

    TNumPadForm pad;
    QCOMPARE(pad.windowTitle(), QStringLiteral("Wert eingeben:"));
    QCOMPARE(pad.okButton()->text(), QStringLiteral("Gut"));
    QCOMPARE(pad.cancelButton()->text(), QStringLiteral("Abbrechen"));
    // Every caption fits its button: a long one gives up the picture beside it.
    QVERIFY(!pad.okButton()->icon().isNull());
    QVERIFY(pad.cancelButton()->icon().isNull());
    QVERIFY(pad.cancelButton()->fontMetrics().horizontalAdvance(pad.cancelButton()->text()) < pad.cancelButton()->width());
    QCOMPARE(pad.arrowButton()->toolTip(), QStringLiteral("Eine Ziffer löschen"));
    QCOMPARE(pad.clearButton()->toolTip(), QStringLiteral("Clear input")); // empty value: unchanged
    QCOMPARE(pad.digitButton(7)->text(), QStringLiteral("7"));
}

void NumberPadTest::runNumPadCentresOnTheWindowAndReturnsTheValue()
{
    QWidget window;
    window.setGeometry(100, 80, 640, 480);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QPoint padCentre;
    whenModal([&](QDialog *dialog) {
        padCentre = dialog->frameGeometry().center();
        QCOMPARE(dialog->parentWidget(), &window);
        for (const char *key : {"3", "kp0", "0", "Enter"})
            pressKey(dialog->focusWidget(), QString::fromLatin1(key));
    });
    QCOMPARE(RunNumPad(&window, QStringLiteral("450")), QStringLiteral("300"));
    const QPoint windowCentre = window.frameGeometry().center();
    QVERIFY2((padCentre - windowCentre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("pad centre %1,%2, window centre %3,%4")
                            .arg(padCentre.x()).arg(padCentre.y()).arg(windowCentre.x()).arg(windowCentre.y())));
    QVERIFY(window.findChildren<TNumPadForm *>().isEmpty());
}

void NumberPadTest::dialogSeam()
{
    QWidget window;
    window.show();
    ProgramDialogs program;
    program.setParentWindow(&window);
    whenModal([&](QDialog *dialog) {
        QVERIFY(qobject_cast<TNumPadForm *>(dialog));
        QCOMPARE(dialog->parentWidget(), &window);
        pressKey(dialog->focusWidget(), QStringLiteral("BS"));
        pressKey(dialog->focusWidget(), QStringLiteral("Enter"));
    });
    QCOMPARE(program.numberPad(QStringLiteral("120")), QStringLiteral("12"));

    ScriptedDialogs scripted;
    scripted.answer(QStringLiteral("300"));
    QCOMPARE(scripted.numberPad(QStringLiteral("80")), QStringLiteral("300"));
    QCOMPARE(scripted.asked().size(), 1);
    QCOMPARE(scripted.asked().first().dialog, QStringLiteral("numberPad"));
    QCOMPARE(scripted.asked().first().text, QStringLiteral("80"));
    QCOMPARE(scripted.pendingAnswers(), 0);
}

QTEST_MAIN(NumberPadTest)
#include "test_number_pad.moc"
