#pragma once

#include "platform/HandlerGuard.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>

class KeepingContext;
class MaintenancePage;
class PlayerPanel;
class QGroupBox;
class QToolButton;

// The ten player panels of PlayerSelectionBox and the rename button beside it: choosing the
// current player and renaming it. The panels' captions are where the player names live.
class PlayerSelection : public QObject
{
    Q_OBJECT

public:
    struct Hooks
    {
        // The main window's CurrentPlayer.
        std::function<int()> currentPlayer;
        // SavePlayerData for the current player.
        std::function<void()> savePlayerData;
        // CurrentCategory = 1, CurrentPlayer = the player, LoadPlayerData.
        std::function<void(int)> loadPlayer;
        // Copies the ten names wherever else they are shown.
        std::function<void()> refreshPlayerNames;
        // Runs a handler and shows an error it raises; true when it ended well.
        HandlerGuard guarded;
    };

    PlayerSelection(MaintenancePage &page, KeepingContext &context, Hooks hooks);

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
    void run(const std::function<void()> &handler);

    MaintenancePage &m_page;
    KeepingContext &m_context;
    Hooks m_hooks;
    QGroupBox *m_box;
    QToolButton *m_renameButton;
    std::array<PlayerPanel *, 10> m_panels{};
};
