#include "app/SplashScreen.h"

#include "platform/Dialogs.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QThread>

namespace {

// The splash picture: drawn, so the program ships no image file for it.
QPixmap splashPicture(QSize size)
{
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(20, 60, 120));
    gradient.setColorAt(1, QColor(90, 160, 220));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setPen(QColor(255, 255, 255, 60));
    for (int i = -size.height(); i < size.width(); i += 18)
        painter.drawLine(i, size.height(), i + size.height(), 0);
    return pixmap;
}

} // namespace

TSplashScreen::TSplashScreen()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashScreen"));
    setFixedSize(312, 183);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("SplashPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(rect());

    auto *picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("SplashImage"));
    picture->setScaledContents(true);
    picture->setGeometry(2, 2, width() - 4, height() - 4);
    picture->setPixmap(splashPicture(picture->size()));

    auto *name = new QLabel(QStringLiteral("Tallimo"), panel);
    name->setObjectName(QStringLiteral("ProgramNameLabel"));
    QFont nameFont = name->font();
    nameFont.setPointSize(28);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    name->setGeometry(20, 30, 272, 56);

    auto *logo = new QLabel(QStringLiteral("scores for households and clubs"), panel);
    logo->setObjectName(QStringLiteral("QuendraLogoImage"));
    logo->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    logo->setGeometry(22, 86, 272, 20);

    auto *strip = new QFrame(panel);
    strip->setObjectName(QStringLiteral("GaugeStrip"));
    strip->setStyleSheet(QStringLiteral("background: white;"));
    strip->setGeometry(width() - 150, height() - 36, 141, 27);

    m_gauge = new QProgressBar(strip);
    m_gauge->setObjectName(QStringLiteral("Gauge"));
    m_gauge->setRange(0, 100);
    m_gauge->setValue(0);
    m_gauge->setTextVisible(false);
    m_gauge->setGeometry(6, 5, 129, 17);
    m_gauge->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid gray; background: white; }"
                                          "QProgressBar::chunk { background: red; }"));

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + area.width() / 2 - width() / 2, area.y() + area.height() / 2 - height() / 2);
    }
}

TSplashScreen::~TSplashScreen()
{
    if (m_dialogs)
        m_dialogs->setOpenWatch({});
}

void TSplashScreen::giveWayTo(Dialogs &dialogs)
{
    m_dialogs = &dialogs;
    dialogs.setOpenWatch([this](bool open) {
        if (open) {
            hide();
        } else {
            show();
            repaint(); // no event loop runs yet
        }
    });
}

void SetSplashProgress(TSplashScreen &splash, int percent, int milliseconds)
{
    splash.gauge()->setValue(percent);
    splash.repaint();
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}
