#include "services/PictureWindow.h"

#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// Escape closes it, as it closes the program's dialogs.
class PictureWindow : public QWidget
{
public:
    explicit PictureWindow(QWidget *owner) : QWidget(owner, Qt::Window) {}

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
            close();
        else
            QWidget::keyPressEvent(event);
    }
};

} // namespace

QWidget *ShowPictureWindow(QWidget *owner, const QImage &picture, const QString &title)
{
    auto *window = new PictureWindow(owner);
    window->setObjectName(QStringLiteral("PictureWindow"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(title);

    auto *label = new QLabel;
    label->setObjectName(QStringLiteral("PictureLabel"));
    label->setPixmap(QPixmap::fromImage(picture));
    label->setAlignment(Qt::AlignCenter);

    auto *scroll = new QScrollArea(window);
    scroll->setWidget(label);
    scroll->setWidgetResizable(true);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setFrameShape(QFrame::NoFrame);

    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    // The picture's own size, within the screen's free area.
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    QSize size = picture.size() + QSize(2, 2);
    if (screen) {
        const QSize room = screen->availableGeometry().size() * 9 / 10;
        size = size.boundedTo(room);
    }
    window->resize(size.expandedTo(QSize(160, 120)));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
