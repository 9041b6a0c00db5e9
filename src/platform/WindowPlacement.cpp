#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CenterWindowOn(QWidget *window, const QWidget *on)
{
    window->winId(); // the platform window knows the frame
    const QRect area = on ? on->frameGeometry()
                          : (window->screen() ? window->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.left() + area.width() / 2 - size.width() / 2, area.top() + area.height() / 2 - size.height() / 2);
}
