#pragma once

#include <QAbstractButton>
#include <QFrame>

class QPainter;

// A control that draws itself and is a button to the keyboard and the accessibility bus: a
// click, Space, or Return or Enter while it has the focus presses it. Arrow keys pass on to the
// parent as from a plain widget, they do not move the focus; every mouse press and release stops
// at the control. It takes the focus by Tab and click, and its colours are the window's.
class PressableControl : public QAbstractButton
{
    Q_OBJECT

public:
    explicit PressableControl(QWidget *parent = nullptr);

protected:
    // The text without a mnemonic: an '&' in a name is shown and is no shortcut.
    void setPlainText(const QString &text);

    // Draws a frame of that shape around the whole control; returns the area inside it.
    QRect drawFrame(QPainter &painter, QFrame::Shape shape, QFrame::Shadow shadow) const;
    // The size of the text inside such a frame.
    QSize textSizeHint(QFrame::Shape shape, QFrame::Shadow shadow) const;
    // The area inside a frame of that shape around rect.
    QRect frameContents(const QRect &rect, QFrame::Shape shape, QFrame::Shadow shadow) const;
    // The focus rectangle, drawn inside the edge when the control has the focus.
    void drawFocus(QPainter &painter, const QColor &background) const;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
