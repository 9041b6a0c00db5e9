#pragma once

#include <QIcon>
#include <QString>
#include <QStyle>

class QToolButton;
class QWidget;

// The desktop theme's icon of that name, or the style's standard picture where the theme has none.
QIcon ThemeIcon(const QWidget *widget, const char *themeName, QStyle::StandardPixmap fallback);
// The desktop theme's icon of that name, or our own where the theme has none.
QIcon ThemeIcon(const char *themeName, const QIcon &fallback);

// A button that shows only a picture, size x size pixels: its hint is its tooltip and its
// accessible name, and it takes focus from the keyboard. Without a picture it shows the hint.
QToolButton *MakePictureButton(QWidget *parent, const QString &name, const QString &hint, const QIcon &icon,
                               int size = 26);
