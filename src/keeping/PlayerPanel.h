#pragma once

#include <QLabel>

// One player panel of the player selection box: the player's name. The current player's
// panel has a raised border and a bold caption, the others no border and a plain caption.
// A press emits pressed(); a click, or Space or Enter while it has the focus, emits clicked().
class PlayerPanel : public QLabel
{
    Q_OBJECT

public:
    // number: the player 1..10, the panel's place in the tab order + 1.
    PlayerPanel(int number, QWidget *parent = nullptr);

    int number() const { return m_number; }

    void setCaption(const QString &caption);

    // Raised border and bold caption, or no border and a plain caption.
    void setCurrent(bool current);
    bool isCurrent() const { return m_current; }
    // The border of a pressed panel.
    void setLowered();

signals:
    void pressed();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_number;
    bool m_current = false;
    bool m_pressed = false;
};
