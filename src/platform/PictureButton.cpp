#include "platform/PictureButton.h"

#include <QToolButton>
#include <QWidget>

QIcon ThemeIcon(const QWidget *widget, const char *themeName, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(themeName), widget->style()->standardIcon(fallback, nullptr, widget));
}

QIcon ThemeIcon(const char *themeName, const QIcon &fallback)
{
    return QIcon::fromTheme(QLatin1String(themeName), fallback);
}

QToolButton *MakePictureButton(QWidget *parent, const QString &name, const QString &hint, const QIcon &icon, int size)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoRaise(false);
    if (icon.isNull()) {
        button->setText(hint);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    } else {
        button->setIcon(icon);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    button->setFixedSize(size, size);
    return button;
}
