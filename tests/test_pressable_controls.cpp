#include "keeping/CategoryPanel.h"
#include "keeping/PlayerPanel.h"
#include "services/ColorSwatch.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// A shown control of that class, with the caption where it has one.
std::unique_ptr<QAbstractButton> makeControl(const QString &kind, const QString &caption)
{
    std::unique_ptr<QAbstractButton> control;
    if (kind == "CategoryPanel") {
        auto *panel = new CategoryPanel(2);
        panel->setCaption(caption);
        control.reset(panel);
    } else if (kind == "PlayerPanel") {
        auto *panel = new PlayerPanel(2);
        panel->setCaption(caption);
        control.reset(panel);
    } else {
        control = std::make_unique<ColorSwatch>();
    }
    control->resize(80, 16);
    control->show();
    return control;
}

} // namespace

class PressableControlsTest : public QObject
{
    Q_OBJECT

private slots:
    void accessibleButton_data() { addControls(); }
    void accessibleButton();
    void mouseAndKeysPressOnce_data() { addControls(); }
    void mouseAndKeysPressOnce();

private:
    void addControls();
};

void PressableControlsTest::addControls()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QString>("caption"); // text(); empty for a swatch
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("onPress"); // emitted on the mouse press, not on the release
    QTest::addColumn<bool>("anyButton"); // the right mouse button emits it too
    const QString caption = "Rock & Roll"; // no mnemonic: shown and named with its '&'
    QTest::newRow("category panel clicked")
        << "CategoryPanel" << QByteArray(SIGNAL(clicked())) << caption << caption << false << false;
    QTest::newRow("player panel clicked")
        << "PlayerPanel" << QByteArray(SIGNAL(clicked())) << caption << caption << false << false;
    QTest::newRow("player panel pressed")
        << "PlayerPanel" << QByteArray(SIGNAL(pressed())) << caption << caption << true << false;
    QTest::newRow("colour swatch pressed")
        << "ColorSwatch" << QByteArray(SIGNAL(pressed())) << QString() << "Click to change" << true << true;
}

void PressableControlsTest::accessibleButton()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, signal);
    QFETCH(QString, caption);
    QFETCH(QString, name);
    const auto control = makeControl(kind, caption);
    QCOMPARE(control->text(), caption);
    QVERIFY(control->shortcut().isEmpty());
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control.get());
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QAccessibleActionInterface *actions = iface->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));

    QSignalSpy spy(control.get(), signal.constData());
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(!control->isDown()); // the press has run its course
    QCOMPARE(spy.count(), 1);
}

void PressableControlsTest::mouseAndKeysPressOnce()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, signal);
    QFETCH(QString, caption);
    QFETCH(bool, onPress);
    QFETCH(bool, anyButton);
    const auto control = makeControl(kind, caption);
    QVERIFY(QTest::qWaitForWindowExposed(control.get()));
    QSignalSpy spy(control.get(), signal.constData());

    QTest::mousePress(control.get(), Qt::LeftButton);
    QCOMPARE(spy.count(), onPress ? 1 : 0);
    QTest::mouseRelease(control.get(), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);

    spy.clear();
    QTest::mouseClick(control.get(), Qt::RightButton);
    QCOMPARE(spy.count(), anyButton ? 1 : 0);

    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        spy.clear();
        QTest::keyClick(control.get(), key);
        QCOMPARE(spy.count(), 1);
    }

    // Arrow keys pass on to the parent, as from a plain widget, and press nothing.
    spy.clear();
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
        QKeyEvent arrow(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(control.get(), &arrow);
        QVERIFY(!arrow.isAccepted());
    }
    QCOMPARE(spy.count(), 0);
}

QTEST_MAIN(PressableControlsTest)
#include "test_pressable_controls.moc"
