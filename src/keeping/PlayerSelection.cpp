#include "keeping/PlayerSelection.h"

#include "keeping/CategoryBar.h"
#include "keeping/KeepingContext.h"
#include "keeping/MaintenancePage.h"
#include "keeping/PlayerPanel.h"
#include "keeping/RecordsPage.h"
#include "platform/Dialogs.h"
#include "services/TransProg.h"
#include "store/AppError.h"
#include "store/DataTree.h"
#include "store/LineText.h"

#include <QEvent>
#include <QGroupBox>
#include <QToolButton>

#include <optional>

PlayerSelection::PlayerSelection(MaintenancePage &page, KeepingContext &context, Hooks hooks)
    : QObject(page.playerSelectionBox()),
      m_page(page),
      m_context(context),
      m_hooks(std::move(hooks)),
      m_box(page.playerSelectionBox()),
      m_renameButton(page.playerRenameButton())
{
    for (int n = 1; n <= 10; ++n) {
        auto *panel = new PlayerPanel(n, m_box);
        m_panels[size_t(n - 1)] = panel;
        connect(panel, &PlayerPanel::pressed, this, [this, panel] { PlayerButton1MouseDown(panel); });
        connect(panel, &PlayerPanel::clicked, this, [this, panel] { run([&] { PlayerButton1Click(panel); }); });
    }
    for (int n = 1; n < 10; ++n)
        QWidget::setTabOrder(PlayerButtonOf(n), PlayerButtonOf(n + 1));
    QWidget::setTabOrder(PlayerButtonOf(10), m_renameButton);
    connect(m_renameButton, &QToolButton::clicked, this, [this] { run([&] { PlayerRenameButtonClick(); }); });
    showCurrentPlayer(m_hooks.currentPlayer ? m_hooks.currentPlayer() : 1);
    m_box->installEventFilter(this);
    ArrangePlayerButtons();
}

void PlayerSelection::run(const std::function<void()> &handler)
{
    RunGuarded(m_hooks.guarded, m_context.dialogs(), handler);
}

PlayerPanel *PlayerSelection::PlayerButtonOf(int n) const
{
    return m_panels[size_t(n >= 1 && n <= 10 ? n - 1 : 0)];
}

void PlayerSelection::showCurrentPlayer(int player)
{
    for (int n = 1; n <= 10; ++n)
        PlayerButtonOf(n)->setCurrent(false);
    PlayerButtonOf(player)->setCurrent(true);
}

void PlayerSelection::PlayerButton1MouseDown(PlayerPanel *sender)
{
    sender->setLowered();
}

void PlayerSelection::PlayerButton1Click(PlayerPanel *sender)
{
    for (PlayerPanel *panel : m_panels)
        panel->setCurrent(false);
    sender->setCurrent(true);
    const int p = sender->number();
    const int old = m_hooks.currentPlayer();
    if (p == old)
        return;

    // The old player's data must be safe before another player's replaces it in memory.
    try {
        m_hooks.savePlayerData();
    } catch (...) {
        showCurrentPlayer(old);
        throw;
    }

    std::optional<AppError> failure;
    try {
        m_hooks.loadPlayer(p);
    } catch (const AppError &error) {
        failure = error;
    }
    // The bar shows category 1, whose games are listed; the list and the game area show what
    // was loaded, also when the load stopped early, so that no row names a game of the old player.
    try {
        m_page.categoryBar()->stackPanels(1);
        m_page.FillGamesList();
        m_page.recordsPage().ShowGame();
    } catch (const AppError &error) {
        if (!failure)
            failure = error;
    }
    if (failure)
        throw *failure;
}

void PlayerSelection::PlayerRenameButtonClick()
{
    const QString prompt = LngText(QStringLiteral("Messages"), QStringLiteral("Please enter player name:"));
    // Names go into one-line files: line breaks become blanks.
    const QString name = LineText::oneLine(m_context.dialogs().inputText(prompt, false));
    if (name.isEmpty())
        return;
    PlayerButtonOf(m_hooks.currentPlayer())->setCaption(name);
    m_context.playerChanged(DataFile::Player);
    if (m_hooks.refreshPlayerNames)
        m_hooks.refreshPlayerNames();
}

void PlayerSelection::ArrangePlayerButtons()
{
    const int w = m_box->width() / 10;
    const QRect area = m_box->contentsRect();
    for (int i = 1; i <= 10; ++i)
        PlayerButtonOf(i)->setGeometry((i - 1) * w, area.top(), w, area.height());
}

bool PlayerSelection::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && event->type() == QEvent::Resize)
        ArrangePlayerButtons();
    return QObject::eventFilter(watched, event);
}
