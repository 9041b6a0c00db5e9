#include "platform/WindowPlacement.h"

#include <QTest>

class WindowPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void firstWindowSize_data();
    void firstWindowSize();
    void placeOnScreen_data();
    void placeOnScreen();
};

void WindowPlacementTest::firstWindowSize_data()
{
    QTest::addColumn<QSize>("available");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("large screen: three quarters") << QSize(1920, 1040) << QSize(1440, 780);
    QTest::newRow("odd sizes round down") << QSize(1601, 1003) << QSize(1200, 752);
    QTest::newRow("1024 by 768") << QSize(1024, 768) << QSize(768, 576);
    QTest::newRow("three quarters below the minimum") << QSize(800, 600) << QSize(640, 480);
    QTest::newRow("wide and low: each way on its own") << QSize(2560, 600) << QSize(1920, 480);
    QTest::newRow("the minimum fills the area") << QSize(640, 480) << QSize(640, 480);
    QTest::newRow("area below the minimum") << QSize(600, 400) << QSize(640, 480);
    QTest::newRow("no screen") << QSize(0, 0) << QSize(640, 480);
}

void WindowPlacementTest::firstWindowSize()
{
    QFETCH(QSize, available);
    QFETCH(QSize, expected);
    QCOMPARE(FirstWindowSize(available, QSize(640, 480)), expected);
}

void WindowPlacementTest::placeOnScreen_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QList<QRect>>("areas");
    QTest::addColumn<QPoint>("expected");
    // A screen with a task bar at the top, and a second screen on its right.
    const QRect first(0, 30, 1600, 970);
    const QRect second(1600, 0, 1280, 1024);
    const QList<QRect> one{first};
    const QList<QRect> two{first, second};
    QTest::newRow("inside: stays") << QRect(100, 200, 800, 600) << one << QPoint(100, 200);
    QTest::newRow("touching the edges: stays") << QRect(0, 30, 1600, 970) << one << QPoint(0, 30);
    QTest::newRow("under the task bar") << QRect(100, 0, 800, 600) << one << QPoint(100, 30);
    QTest::newRow("beyond the right edge") << QRect(1200, 200, 800, 600) << one << QPoint(800, 200);
    QTest::newRow("beyond the bottom edge") << QRect(100, 900, 800, 600) << one << QPoint(100, 400);
    QTest::newRow("far away") << QRect(-5000, 9000, 800, 600) << one << QPoint(0, 400);
    QTest::newRow("larger than the area: its top left") << QRect(300, 300, 1700, 1100) << one << QPoint(0, 30);
    QTest::newRow("on the second screen: stays") << QRect(2000, 10, 800, 600) << two << QPoint(2000, 10);
    QTest::newRow("mostly on the second screen") << QRect(1500, 100, 800, 600) << two << QPoint(1600, 100);
    QTest::newRow("mostly on the first screen") << QRect(1000, 100, 800, 600) << two << QPoint(800, 100);
    QTest::newRow("the second screen gone") << QRect(2000, 10, 800, 600) << one << QPoint(800, 30);
    QTest::newRow("no screens: stays") << QRect(-5000, 9000, 800, 600) << QList<QRect>() << QPoint(-5000, 9000);
}

void WindowPlacementTest::placeOnScreen()
{
    QFETCH(QRect, frame);
    QFETCH(QList<QRect>, areas);
    QFETCH(QPoint, expected);
    QCOMPARE(PlaceOnScreen(frame, areas), expected);
}

QTEST_GUILESS_MAIN(WindowPlacementTest)
#include "test_window_placement.moc"
