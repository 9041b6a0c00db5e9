#pragma once

#include "platform/PressableControl.h"

#include <QtGlobal>

// A small filled rectangle showing a colour value, with the hint "Click to change". A press of
// any mouse button, or Space or Enter while it has the focus, emits pressed() once; what follows
// is up to the window that owns it. Its accessible name follows its hint.
class ColorSwatch : public PressableControl
{
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget *parent = nullptr);

    qint32 colorValue() const { return m_color; }
    void setColorValue(qint32 color);

    QSize sizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    qint32 m_color = 0;
};
