#include "support/Modal.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

void whenModal(std::function<void(QDialog *)> act)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        QPointer<QDialog> guard(dialog);
        act(dialog);
        QTimer::singleShot(3000, [guard] {
            if (guard && guard->isVisible()) {
                qWarning("dialog left open by the test; closing it");
                guard->done(-1);
            }
        });
    });
    poll->start();
}
