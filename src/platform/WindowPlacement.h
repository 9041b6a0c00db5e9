#pragma once

class QWidget;

// Centres the window, frame included, on the other window; on the screen without one.
void CenterWindowOn(QWidget *window, const QWidget *on);
