#include "keeping/PlayerSelection.h"

#include "keeping/CategoryBar.h"
#include "keeping/MaintenancePage.h"
#include "keeping/PlayerLoading.h"
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

PlayerSelection::PlayerSelection(MaintenancePage &page, PageContext &context)
    : QObject(page.playerSelectionBox()),
      m_page(page),
      m_context(context),
      m_box(page.playerSelectionBox()),
      m_renameButton(page.playerRenameButton())
{
    for (int n = 1; n <= 10; ++n) {
        auto *panel = new PlayerPanel(n, m_box);
        m_panels[size_t(n - 1)] = panel;
        connect(panel, &PlayerPanel::pressed, this, [this, panel] { PlayerButton1MouseDown(panel); });
        ConnectHandler(panel, &PlayerPanel::clicked, this, m_context, [this, panel] { PlayerButton1Click(panel); });
    }
    for (int n = 1; n < 10; ++n)
        QWidget::setTabOrder(PlayerButtonOf(n), PlayerButtonOf(n + 1));
    QWidget::setTabOrder(PlayerButtonOf(10), m_renameButton);
    ConnectHandler(m_renameButton, &QToolButton::clicked, this, m_context, [this] { PlayerRenameButtonClick(); });
    connect(&m_context.session, &PlayerSession::playerNamesChanged, this, &PlayerSelection::showPlayerNames);
    showCurrentPlayer(m_context.session.currentPlayer());
    m_box->installEventFilter(this);
    ArrangePlayerButtons();
}

void PlayerSelection::showPlayerNames()
{
    for (int n = 1; n <= PlayerSession::PlayerCount; ++n)
        PlayerButtonOf(n)->setCaption(m_context.session.playerName(n));
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
    const int old = m_context.session.currentPlayer();
    if (p == old)
        return;

    // The old player's data must be safe before another player's replaces it in memory. The
    // session takes a loaded player whole or not at all: after a failure it still holds the
    // player it had, and the panels say so.
    try {
        m_context.session.save();
        LoadPlayer(m_context, p);
    } catch (...) {
        showCurrentPlayer(m_context.session.currentPlayer());
        throw;
    }
}

void PlayerSelection::PlayerRenameButtonClick()
{
    const QString prompt = LngText(QStringLiteral("Messages"), QStringLiteral("Please enter player name:"));
    // Names go into one-line files: line breaks become blanks.
    const QString name = LineText::oneLine(m_context.dialogs.inputText(prompt, false));
    if (name.isEmpty())
        return;
    m_context.session.renameCurrentPlayer(name);
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
