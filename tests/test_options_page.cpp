#include "platform/ColorValue.h"
#include "platform/RadioGroup.h"
#include "services/AboutPage.h"
#include "services/ColorSwatch.h"
#include "services/MessDlg.h"
#include "services/OptionsPage.h"
#include "support/StartedWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

namespace {

void showOptionsPage(StartedWindow &s)
{
    auto *pages = s.form->findChild<QTabWidget *>("GameControl");
    pages->setCurrentWidget(s.form->findChild<QWidget *>("OptionsSheet"));
}

} // namespace

class OptionsPageTest : public QObject
{
    Q_OBJECT

private slots:
    void groupsAtTheirPlaces_data();
    void groupsAtTheirPlaces();
    void controlsAndTexts();
    void optionsBoxCentredInPage();
    void swatchShowsItsColourAndFollowsHint();
    void swatchConfirmAndCancel_data();
    void swatchConfirmAndCancel();
    void dialogStartsWithLastConfirmedColour();
    void swatchOpensFromKeyboard();
    void categoryBarFollowsPositionBox();
    void donationLinksOpenInShell();
};

void OptionsPageTest::groupsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("AllOptBox") << "AllOptBox" << "General options" << QRect(8, 16, 209, 113);
    QTest::newRow("Sprachbox") << "Sprachbox" << "Language" << QRect(224, 16, 129, 113);
    QTest::newRow("ListLineColorBox") << "ListLineColorBox" << "List line color" << QRect(360, 16, 145, 113);
    QTest::newRow("FirstWeekdayBox") << "FirstWeekdayBox" << "First day of the week" << QRect(8, 136, 161, 45);
    QTest::newRow("CategoryPositionBox") << "CategoryPositionBox" << "Category bar position" << QRect(176, 136, 177, 97);
    QTest::newRow("MessageWindowBox") << "MessageWindowBox" << "Message window" << QRect(360, 136, 145, 97);
    QTest::newRow("WindowColorBox") << "WindowColorBox" << "Window color" << QRect(8, 184, 161, 49);
}

void OptionsPageTest::groupsAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    TempProgramDir dir;
    StartedWindow s(dir);
    QGroupBox *optionsBox = s.options().optionsBox();
    QCOMPARE(optionsBox->objectName(), QString("OptionsBox"));
    QCOMPARE(optionsBox->title(), QString("Program options"));
    QCOMPARE(optionsBox->size(), QSize(513, 241));
    QCOMPARE(optionsBox->parentWidget()->objectName(), QString("OptionsSheet"));
    auto *group = optionsBox->findChild<QGroupBox *>(name, Qt::FindDirectChildrenOnly);
    QVERIFY(group);
    QCOMPARE(group->title(), caption);
    QCOMPARE(group->geometry(), geometry);
}

void OptionsPageTest::controlsAndTexts()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    OptionsPage &o = s.options();
    QCOMPARE(o.genOptListBox()->objectName(), QString("GenOptListBox"));
    QCOMPARE(o.genOptListBox()->count(), 1);
    QListWidgetItem *exitOption = o.genOptListBox()->item(0);
    QCOMPARE(exitOption->text(), QString("Do not show exit dialog"));
    QVERIFY(exitOption->flags() & Qt::ItemIsUserCheckable);
    QCOMPARE(o.genOptListBox()->parentWidget()->objectName(), QString("AllOptBox"));
    QCOMPARE(o.lngListBox()->parentWidget()->objectName(), QString("Sprachbox"));
    QCOMPARE(o.lineColorChkBox()->text(), QString("alternating"));

    QStringList days;
    for (int i = 0; i < o.firstWeekdayCombo()->count(); ++i)
        days << o.firstWeekdayCombo()->itemText(i);
    QCOMPARE(days, (QStringList{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}));

    QCOMPARE(o.categoryPositionBox()->items(), (QStringList{"Left", "Right"}));
    QCOMPARE(o.categoryPositionBox()->columns(), 2);

    const struct
    {
        const char *swatch, *group, *label;
    } swatches[] = {
        {"LineColor1", "ListLineColorBox", "Color 1:"},
        {"LineColor2", "ListLineColorBox", "Color 2:"},
        {"MsgStartColor", "MessageWindowBox", "Start color:"},
        {"MsgEndColor", "MessageWindowBox", "End color:"},
        {"WindowColor", "WindowColorBox", nullptr},
    };
    for (const auto &entry : swatches) {
        auto *swatch = o.optionsBox()->findChild<ColorSwatch *>(entry.swatch);
        QVERIFY2(swatch, entry.swatch);
        QCOMPARE(swatch->parentWidget()->objectName(), QString(entry.group));
        QCOMPARE(swatch->toolTip(), QString("Click to change"));
        QCOMPARE(swatch->focusPolicy(), Qt::StrongFocus);
        if (entry.label) {
            QLabel *label = nullptr;
            for (QLabel *candidate : swatch->parentWidget()->findChildren<QLabel *>())
                if (candidate->buddy() == swatch)
                    label = candidate;
            QVERIFY2(label, entry.swatch);
            QCOMPARE(label->text(), QString(entry.label));
        }
    }
    QCOMPARE(o.swatches().size(), 5);
}

void OptionsPageTest::optionsBoxCentredInPage()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    showOptionsPage(s);
    QWidget *page = s.options().sheet();
    QGroupBox *box = s.options().optionsBox();
    for (const QSize size : {QSize(640, 480), QSize(900, 700), QSize(500, 300)}) {
        s.form->resize(size);
        QTRY_COMPARE(page->width() > 0, true);
        QCOMPARE(box->pos(), QPoint(page->width() / 2 - 513 / 2, page->height() / 2 - 241 / 2));
    }
}

void OptionsPageTest::swatchShowsItsColourAndFollowsHint()
{
    ColorSwatch swatch;
    swatch.resize(40, 20);
    swatch.setColorValue(0x0000FF); // red
    QCOMPARE(swatch.grab().toImage().pixelColor(20, 10), QColor(255, 0, 0));
    swatch.setColorValue(0xFF0000); // blue
    QCOMPARE(swatch.grab().toImage().pixelColor(20, 10), QColor(0, 0, 255));
    swatch.setColorValue(ColorValue::ButtonFace);
    QCOMPARE(swatch.grab().toImage().pixelColor(20, 10), ColorValue::toColor(ColorValue::ButtonFace));

    QCOMPARE(swatch.accessibleName(), QString("Click to change"));
    swatch.setToolTip("Zum Ändern klicken");
    QCOMPARE(swatch.accessibleName(), QString("Zum Ändern klicken"));
}

void OptionsPageTest::swatchConfirmAndCancel_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("WindowColor") << "WindowColor";
    QTest::newRow("MsgStartColor") << "MsgStartColor";
    QTest::newRow("MsgEndColor") << "MsgEndColor";
    QTest::newRow("LineColor1") << "LineColor1";
    QTest::newRow("LineColor2") << "LineColor2";
}

void OptionsPageTest::swatchConfirmAndCancel()
{
    QFETCH(QString, name);
    TempProgramDir dir;
    StartedWindow s(dir);
    showOptionsPage(s);
    auto *swatch = s.options().optionsBox()->findChild<ColorSwatch *>(name);
    QVERIFY(swatch);
    const qint32 before = swatch->colorValue();
    const qint32 chosen = 0x336699;

    // Cancel changes nothing.
    s.dialogs.cancelColor();
    QTest::mouseClick(swatch, Qt::LeftButton);
    QCOMPARE(s.dialogs.askedOf("color").size(), 1);
    QCOMPARE(swatch->colorValue(), before);
    QCOMPARE(s.form->windowColor(), ColorValue::ButtonFace);
    QCOMPARE(GradientStartColor(), ColorValue::Yellow);
    QCOMPARE(GradientEndColor(), ColorValue::Fuchsia);

    // Confirm: the swatch, and what it sets, at once.
    s.dialogs.answerColor(chosen);
    QTest::mouseClick(swatch, Qt::LeftButton);
    QCOMPARE(swatch->colorValue(), chosen);
    QCOMPARE(s.form->windowColor(), name == "WindowColor" ? chosen : ColorValue::ButtonFace);
    QCOMPARE(s.form->palette().color(QPalette::Window),
             ColorValue::toColor(name == "WindowColor" ? chosen : ColorValue::ButtonFace));
    QCOMPARE(GradientStartColor(), name == "MsgStartColor" ? chosen : ColorValue::Yellow);
    QCOMPARE(GradientEndColor(), name == "MsgEndColor" ? chosen : ColorValue::Fuchsia);
    QVERIFY(s.dialogs.errors().isEmpty());
}

void OptionsPageTest::dialogStartsWithLastConfirmedColour()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    showOptionsPage(s);
    OptionsPage &o = s.options();
    s.dialogs.cancelColor();
    QTest::mouseClick(o.lineColor2(), Qt::LeftButton); // starts black, not with the swatch's yellow
    s.dialogs.answerColor(0x00AA00);
    QTest::mouseClick(o.lineColor1(), Qt::LeftButton);
    s.dialogs.cancelColor();
    QTest::mouseClick(o.windowColor(), Qt::LeftButton); // the last confirmed colour, from another swatch
    s.dialogs.answerColor(0x0000BB);
    QTest::mouseClick(o.msgEndColor(), Qt::LeftButton); // a cancel in between does not count
    QStringList initial;
    for (const auto &asked : s.dialogs.askedOf("color"))
        initial << asked.text;
    QCOMPARE(initial, (QStringList{"0", "0", QString::number(0x00AA00), QString::number(0x00AA00)}));
}

void OptionsPageTest::swatchOpensFromKeyboard()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    showOptionsPage(s);
    ColorSwatch *swatch = s.options().msgStartColor();
    swatch->setFocus();
    s.dialogs.answerColor(0x010203);
    QTest::keyClick(swatch, Qt::Key_Space);
    QCOMPARE(GradientStartColor(), 0x010203);
    s.dialogs.answerColor(0x040506);
    QTest::keyClick(swatch, Qt::Key_Return);
    QCOMPARE(swatch->colorValue(), 0x040506);
    QTest::keyClick(swatch, Qt::Key_A); // other keys open nothing (no answer is queued)
    QCOMPARE(s.dialogs.askedOf("color").size(), 2);
}

void OptionsPageTest::categoryBarFollowsPositionBox()
{
    TempProgramDir dir;
    {
        StartedWindow s(dir);
        showOptionsPage(s);
        RadioGroup *box = s.options().categoryPositionBox();
        QTest::mouseClick(box->button(1), Qt::LeftButton);
        QCOMPARE(box->itemIndex(), 1);
        QCOMPARE(s.form->categoryBarPosition(), 1);
        QTest::mouseClick(box->button(0), Qt::LeftButton);
        QCOMPARE(s.form->categoryBarPosition(), 0);
        QTest::mouseClick(box->button(1), Qt::LeftButton);
        QVERIFY(s.exit());
    }
    StartedWindow s(dir);
    QCOMPARE(s.options().categoryPosition(), 1);
    QCOMPARE(s.form->categoryBarPosition(), 1);
}

void OptionsPageTest::donationLinksOpenInShell()
{
    TempProgramDir dir;
    StartedWindow s(dir);
    QTextBrowser *edit = s.form->aboutPage().donationsEdit();
    QCOMPARE(edit->objectName(), QString("DonationsEdit"));
    QVERIFY(edit->isReadOnly());
    QCOMPARE(edit->parentWidget()->objectName(), QString("AboutSheet"));
    emit edit->anchorClicked(QUrl("https://example.org/give"));
    const auto shell = s.dialogs.askedOf("shell");
    QCOMPARE(shell.size(), 1);
    QCOMPARE(shell.first().text, QString("https://example.org/give"));
    QVERIFY(edit->source().isEmpty()); // the field itself does not follow the link

    // A missing file leaves the field as it was.
    edit->setPlainText("before");
    QVERIFY(!s.form->aboutPage().loadDonationText(dir.path(), "English.lng"));
    QCOMPARE(edit->toPlainText(), QString("before"));
}

QTEST_MAIN(OptionsPageTest)
#include "test_options_page.moc"
