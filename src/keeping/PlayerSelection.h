#pragma once

#include "keeping/PageContext.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>

class MaintenancePage;
class PlayerPanel;
class QGroupBox;
class QToolButton;

// The ten player panels of PlayerSelectionBox and the rename button beside it: choosing the
// current player and renaming it. The panels show the session's player names.
class PlayerSelection : public QObject
{
    Q_OBJECT

public:
    PlayerSelection(MaintenancePage &page, PageContext &context);

    // PlayerButton1 ... PlayerButton10 for n = 1 ... 10, PlayerButton1 for any other n.
    PlayerPanel *PlayerButtonOf(int n) const;
    QToolButton *playerRenameButton() const { return m_renameButton; }

    // The current player's panel raised and bold, the others plain.
    void showCurrentPlayer(int player);

    // Handlers.
    void PlayerButton1MouseDown(PlayerPanel *sender);
    void PlayerButton1Click(PlayerPanel *sender);
    void PlayerRenameButtonClick();
    void ArrangePlayerButtons();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPlayerNames();

    MaintenancePage &m_page;
    PageContext &m_context;
    QGroupBox *m_box;
    QToolButton *m_renameButton;
    std::array<PlayerPanel *, 10> m_panels{};
};
