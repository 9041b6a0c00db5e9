#include "keeping/CategoryBar.h"

#include "keeping/CategoryPanel.h"
#include "keeping/GamesListModel.h"
#include "keeping/GamesListView.h"
#include "platform/PictureButton.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int ButtonSize = 26;
constexpr int ButtonPanelWidth = 28;

enum class Glyph { Rename, Add, Delete, Open };

QIcon glyphIcon(Glyph glyph)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
    case Glyph::Add:
        p.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(8, 2), QPointF(8, 14));
        p.drawLine(QPointF(2, 8), QPointF(14, 8));
        break;
    case Glyph::Delete:
        p.setPen(QPen(QColor(192, 0, 0), 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(2, 8), QPointF(14, 8));
        break;
    case Glyph::Open:
        // A folder.
        p.setPen(QPen(QColor(120, 90, 20), 1));
        p.setBrush(QColor(240, 200, 90));
        p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(6.5, 3.5), QPointF(8, 5.5), QPointF(14.5, 5.5),
                                 QPointF(14.5, 13.5), QPointF(1.5, 13.5)}));
        break;
    case Glyph::Rename:
        // A pencil over a line of text.
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
        p.setPen(QPen(QColor(30, 80, 170), 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(4, 11), QPointF(12, 3));
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.drawLine(QPointF(2.5, 12.5), QPointF(4, 11));
        break;
    }
    return QIcon(pixmap);
}

// The desktop theme's name of the picture.
const char *themeName(Glyph glyph)
{
    switch (glyph) {
    case Glyph::Add: return "list-add";
    case Glyph::Delete: return "list-remove";
    case Glyph::Open: return "document-open";
    case Glyph::Rename: return "edit-rename";
    }
    return "";
}

QToolButton *makeButton(const char *name, const char *hint, Glyph glyph, QWidget *parent)
{
    return MakePictureButton(parent, QLatin1String(name), QLatin1String(hint),
                             ThemeIcon(themeName(glyph), glyphIcon(glyph)), ButtonSize);
}

} // namespace

CategoryBar::CategoryBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CatBarPanel"));
    setFixedWidth(BarWidth);

    m_playerBox = new QGroupBox(QStringLiteral("Player picture"), this);
    m_playerBox->setObjectName(QStringLiteral("PlayerBox"));
    auto *pictureLayout = new QHBoxLayout(m_playerBox);
    pictureLayout->setContentsMargins(4, 2, 2, 4);
    pictureLayout->setSpacing(2);
    m_playerPic = new QLabel(m_playerBox);
    m_playerPic->setObjectName(QStringLiteral("PlayerPic"));
    // Centred and not stretched: a larger picture shows its middle.
    m_playerPic->setAlignment(Qt::AlignCenter);
    m_playerPic->setMinimumSize(1, 1);
    m_playerPic->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    pictureLayout->addWidget(m_playerPic, 1);
    m_playerPicAddButton = makeButton("PlayerPicAddButton", "Open picture", Glyph::Open, m_playerBox);
    pictureLayout->addWidget(m_playerPicAddButton, 0, Qt::AlignTop);

    for (int n = 1; n <= 5; ++n)
        m_panels[size_t(n - 1)] = new CategoryPanel(n, this);

    m_gamesBox = new QGroupBox(QStringLiteral("Games list"), this);
    m_gamesBox->setObjectName(QStringLiteral("GamesBox"));
    m_gamesBox->setAutoFillBackground(true);
    auto *gamesLayout = new QHBoxLayout(m_gamesBox);
    gamesLayout->setContentsMargins(4, 2, 2, 4);
    gamesLayout->setSpacing(2);
    m_gamesListView = new GamesListView(m_gamesBox);
    m_gamesModel = new GamesListModel(m_gamesListView);
    m_gamesListView->setModel(m_gamesModel);
    gamesLayout->addWidget(m_gamesListView, 1);
    m_gamesBoxRightPanel = new QWidget(m_gamesBox);
    m_gamesBoxRightPanel->setObjectName(QStringLiteral("GamesBoxRightPanel"));
    m_gamesBoxRightPanel->setFixedWidth(ButtonPanelWidth);
    gamesLayout->addWidget(m_gamesBoxRightPanel);
    m_gameBoxButtonPanel = new QWidget(m_gamesBoxRightPanel);
    m_gameBoxButtonPanel->setObjectName(QStringLiteral("GameBoxButtonPanel"));
    m_gameBoxButtonPanel->resize(ButtonPanelWidth, 3 * ButtonSize + 2 * 4);
    m_renameButton = makeButton("GameRenameButton", "Rename game", Glyph::Rename, m_gameBoxButtonPanel);
    m_addButton = makeButton("GameAddButton", "Add new game", Glyph::Add, m_gameBoxButtonPanel);
    m_deleteButton = makeButton("GameDeleteButton", "Delete game", Glyph::Delete, m_gameBoxButtonPanel);
    m_renameButton->move(1, 0);
    m_addButton->move(1, ButtonSize + 4);
    m_deleteButton->move(1, 2 * (ButtonSize + 4));
    m_deleteButton->setEnabled(false);
    m_gamesBoxRightPanel->installEventFilter(this);

    // Keys of the games list, as its buttons: Insert adds, F2 renames, Delete deletes after the question.
    const std::pair<QKeySequence, QToolButton *> keys[] = {{QKeySequence(Qt::Key_Insert), m_addButton},
                                                           {QKeySequence(Qt::Key_F2), m_renameButton},
                                                           {QKeySequence::Delete, m_deleteButton}};
    for (const auto &[sequence, button] : keys) {
        auto *shortcut = new QShortcut(sequence, m_gamesListView, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, button, &QToolButton::click);
    }

    stackPanels(1);
}

CategoryPanel *CategoryBar::panelOf(int n) const
{
    return m_panels[size_t(n >= 1 && n <= 5 ? n - 1 : 0)];
}

void CategoryBar::stackPanels(int k)
{
    m_stacked = qBound(1, k, 5);
    for (int n = 1; n <= 5; ++n)
        panelOf(n)->setBold(n == m_stacked);
    layoutBar();
    chainTabOrder();
}

void CategoryBar::layoutBar()
{
    const int w = width();
    const int h = height();
    m_playerBox->setGeometry(0, 0, w, PlayerBoxHeight);
    int top = PlayerBoxHeight;
    for (int n = 1; n <= m_stacked; ++n) {
        panelOf(n)->setGeometry(0, top, w, CategoryPanel::PanelHeight);
        top += CategoryPanel::PanelHeight;
    }
    int bottom = h - (5 - m_stacked) * CategoryPanel::PanelHeight;
    for (int n = m_stacked + 1; n <= 5; ++n)
        panelOf(n)->setGeometry(0, bottom + (n - m_stacked - 1) * CategoryPanel::PanelHeight, w,
                                CategoryPanel::PanelHeight);
    m_gamesBox->setGeometry(0, top, w, qMax(0, bottom - top));
}

void CategoryBar::chainTabOrder()
{
    QWidget *previous = panelOf(1);
    auto chain = [&previous](QWidget *next) {
        if (next != previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int n = 2; n <= m_stacked; ++n)
        chain(panelOf(n));
    chain(m_gamesListView);
    chain(m_renameButton);
    chain(m_addButton);
    chain(m_deleteButton);
    for (int n = m_stacked + 1; n <= 5; ++n)
        chain(panelOf(n));
}

void CategoryBar::centreGameButtons()
{
    m_gameBoxButtonPanel->move(0, m_gamesBoxRightPanel->height() / 2 - m_gameBoxButtonPanel->height() / 2);
}

void CategoryBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutBar();
}

bool CategoryBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_gamesBoxRightPanel && event->type() == QEvent::Resize)
        centreGameButtons();
    return QWidget::eventFilter(watched, event);
}
