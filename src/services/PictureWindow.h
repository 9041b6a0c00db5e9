#pragma once

class QImage;
class QString;
class QWidget;

// Opens a window of the program that shows the picture at its own size, scrolling where it is
// larger than the screen allows. The window is owned by owner, closes itself and does not block.
QWidget *ShowPictureWindow(QWidget *owner, const QImage &picture, const QString &title);
