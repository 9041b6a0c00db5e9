#pragma once

#include "platform/PressableControl.h"

// One player panel of the player selection box: the player's name. The current player's
// panel has a raised border and a bold caption, the others no border and a plain caption.
// A press emits pressed(); a click, or Space or Enter while it has the focus, emits clicked().
class PlayerPanel : public PressableControl
{
    Q_OBJECT

public:
    // number: the player 1..10, the panel's place in the tab order + 1.
    PlayerPanel(int number, QWidget *parent = nullptr);

    int number() const { return m_number; }

    // The name shown, text(), and the accessible name.
    void setCaption(const QString &caption);

    // The name as drawn now: a name too wide even in the smallest font ends in "…".
    QString shownText() const;
    bool isCut() const { return shownText() != text(); }
    // The tooltip a pointer resting on the panel gets: the whole name when it is cut.
    QString currentToolTip() const;

    // Raised border and bold caption, or no border and a plain caption.
    void setCurrent(bool current);
    bool isCurrent() const { return m_current; }
    // The border of a pressed panel, while it is held down.
    void setLowered();

    // The border drawn now.
    QFrame::Shape frameShape() const;
    QFrame::Shadow frameShadow() const;

    QSize sizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The room for the name inside the border drawn now.
    QRect textArea() const;
    // The font the name is drawn in: the panel's, made smaller down to a readable size while
    // the name does not fit.
    QFont fittedFont(int width) const;

    bool showsLowered() const { return m_lowered && isDown(); }

    int m_number;
    bool m_current = false;
    bool m_lowered = false;
};
