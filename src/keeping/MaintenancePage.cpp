#include "keeping/MaintenancePage.h"

#include "keeping/CategoryBar.h"
#include "keeping/CategoryPage.h"
#include "keeping/CategoryPanel.h"
#include "keeping/GamesListModel.h"
#include "keeping/GamesListView.h"
#include "keeping/Pictures.h"
#include "keeping/PlayerLoading.h"
#include "keeping/PlayerSelection.h"
#include "keeping/RecordsPage.h"
#include "platform/ColorValue.h"
#include "platform/Dialogs.h"
#include "platform/PictureButton.h"
#include "services/ColorChoice.h"
#include "services/ColorSwatch.h"
#include "services/TransProg.h"
#include "store/AppError.h"
#include "store/DataTree.h"
#include "store/LineText.h"
#include "store/Points.h"
#include "store/ProgressSteps.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int PlayerSelectionBoxHeight = 49;

void setWindowColorOf(QWidget *widget, qint32 color)
{
    QPalette colors = widget->palette();
    colors.setColor(QPalette::Window, ColorValue::toColor(color));
    widget->setPalette(colors);
    widget->setAutoFillBackground(true);
}

// A pencil over a line of text.
QIcon renameIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.setPen(QPen(QColor(30, 80, 170), 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(4, 11), QPointF(12, 3));
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawLine(QPointF(2.5, 12.5), QPointF(4, 11));
    return QIcon(pixmap);
}

QString messageText(const char *key)
{
    return LngText(QStringLiteral("Messages"), QLatin1String(key));
}

} // namespace

MaintenancePage::MaintenancePage(PageContext &context)
    : ProgramPage(context.sheet(QStringLiteral("MaintenanceSheet"))),
      m_context(context),
      m_sheet(context.sheet(QStringLiteral("MaintenanceSheet")))
{
    buildControls();
    m_players = new PlayerSelection(*this, m_context);
    m_pictures = new PictureHandlers(*this, m_context);
    connectHandlers();
}

MaintenancePage::~MaintenancePage() = default;

void MaintenancePage::buildControls()
{
    auto *pageLayout = new QVBoxLayout(m_sheet);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    pageLayout->setSpacing(4);

    m_playerSelectionBox = new QGroupBox(QStringLiteral("Currently selected player"), m_sheet);
    m_playerSelectionBox->setObjectName(QStringLiteral("PlayerSelectionBox"));
    m_playerSelectionBox->setFixedHeight(PlayerSelectionBoxHeight);
    // The rename button sits right of the box, level with the panels.
    auto *playerRow = new QHBoxLayout;
    playerRow->setSpacing(4);
    playerRow->addWidget(m_playerSelectionBox, 1);
    m_playerRenameButton = MakePictureButton(m_sheet, QStringLiteral("PlayerRenameButton"),
                                             QStringLiteral("Rename player"),
                                             ThemeIcon("edit-rename", renameIcon()));
    playerRow->addWidget(m_playerRenameButton, 0, Qt::AlignBottom);
    pageLayout->addLayout(playerRow);

    m_body = new QHBoxLayout;
    m_body->setSpacing(4);
    pageLayout->addLayout(m_body, 1);

    m_bar = new CategoryBar(m_sheet);
    m_body->addWidget(m_bar);

    m_mainRightPanel = new QLabel(
        QStringLiteral("No games available. To add a game, please press the \"+\" button."), m_sheet);
    m_mainRightPanel->setObjectName(QStringLiteral("MainRightPanel"));
    m_mainRightPanel->setAlignment(Qt::AlignCenter);
    m_mainRightPanel->setWordWrap(true);
    m_mainRightPanel->setFrameShape(QFrame::StyledPanel);
    m_mainRightPanel->setMargin(8);
    m_mainRightPanel->setAutoFillBackground(true);
    m_body->addWidget(m_mainRightPanel, 1);

    m_enterControlPanel = new QWidget(m_mainRightPanel);
    m_enterControlPanel->setObjectName(QStringLiteral("EnterControlPanel"));
    m_enterControlPanel->setAutoFillBackground(true);
    m_enterControlPanel->setVisible(false);
    auto *enterLayout = new QVBoxLayout(m_enterControlPanel);
    enterLayout->setContentsMargins(0, 0, 0, 0);
    enterLayout->setSpacing(4);
    m_enterControl = new QTabWidget(m_enterControlPanel);
    m_enterControl->setObjectName(QStringLiteral("EnterControl"));
    enterLayout->addWidget(m_enterControl, 1);

    m_recordsPage = new RecordsPage(m_context);
    m_enterControl->addTab(m_recordsPage, QStringLiteral("Records"));
    m_topSheet = new QWidget;
    m_topSheet->setObjectName(QStringLiteral("TopSheet"));
    m_enterControl->addTab(m_topSheet, QStringLiteral("Top List"));
    m_categorySheet = new QWidget;
    m_categorySheet->setObjectName(QStringLiteral("CategorySheet"));
    m_enterControl->addTab(m_categorySheet, QStringLiteral("Category"));
    m_categoryPage = new CategoryPage(m_categorySheet);

    m_mainRightPanel->installEventFilter(this);
}

void MaintenancePage::connectHandlers()
{
    for (int n = 1; n <= 5; ++n) {
        CategoryPanel *panel = CategoryPanelOf(n);
        ConnectHandler(panel, &CategoryPanel::clicked, this, m_context, [this, panel] { CategoryPanel1Click(panel); });
    }
    // The shown game is the selected one: every change of the selected row shows its game, except
    // the page's own changes of the list, which show the game themselves.
    connect(gamesListView()->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_changingGamesList)
            m_context.run([&] { GamesListViewClick(); });
    });
    ConnectHandler(gamesListView(), &GamesListView::selectedRowClicked, this, m_context, [this] { GamesListViewClick(); });
    ConnectHandler(m_bar->gameAddButton(), &QToolButton::clicked, this, m_context, [this] { GameAddButtonClick(); });
    ConnectHandler(m_bar->gameRenameButton(), &QToolButton::clicked, this, m_context, [this] { GameRenameButtonClick(); });
    ConnectHandler(m_bar->gameDeleteButton(), &QToolButton::clicked, this, m_context, [this] { GameDeleteButtonClick(); });
    connect(m_categoryPage->catTitleEdit(), &QLineEdit::textChanged, this, [this] { CatTitleEditChange(); });
    ConnectHandler(m_categoryPage->catApplyButton(), &QToolButton::clicked, this, m_context, [this] { CatApplyButtonClick(); });
    for (ColorSwatch *swatch :
         {m_categoryPage->catColor(), m_categoryPage->gameTitleColor(), m_categoryPage->gameListColor()})
        ConnectHandler(swatch, &ColorSwatch::pressed, this, m_context, [this, swatch] { chooseColor(swatch); });
    connect(m_recordsPage, &RecordsPage::buttonsChanged, this, [this] { UpdateButtons(); });
    connect(&m_context.session, &PlayerSession::playerLoaded, this,
            [this] { m_context.run([&] { showLoadedPlayer(); }); });
    connect(&m_context.session, &PlayerSession::categoriesRenamed, this, &MaintenancePage::showRenamedCategories);
}

void MaintenancePage::chooseColor(ColorSwatch *swatch)
{
    m_context.colors.choose(*swatch);
}

void MaintenancePage::retranslate()
{
    m_recordsPage->retranslateColumns();
    // Categories still named by default take the new language's names.
    m_context.session.renameDefaultCategories(CurrentDefaultCategoryNames(), DefaultCategoryWords());
}

void MaintenancePage::showRenamedCategories(const QList<int> &categories)
{
    for (int k : categories) {
        if (const ListRow *row = m_context.session.category(k))
            CategoryPanelOf(k)->setCaption(row->caption);
    }
    // The Category page shows the new name too, unless the user has typed one there.
    const int current = m_context.session.currentCategory();
    const ListRow *row = m_context.session.category(current);
    QLineEdit *edit = m_categoryPage->catTitleEdit();
    if (row && categories.contains(current) && IsDefaultCategoryName(edit->text(), current, DefaultCategoryWords()))
        edit->setText(row->caption);
}

void MaintenancePage::windowResized()
{
    resizeRows();
    m_players->ArrangePlayerButtons();
}

void MaintenancePage::showLoadedPlayer()
{
    const RowList &categories = m_context.session.data().catListView;
    for (int n = 1; n <= DataTree::CategoryCount && n <= categories.size(); ++n) {
        const ListRow &row = categories[n - 1];
        CategoryPanelOf(n)->setCaption(row.caption);
        CategoryPanelOf(n)->setColorValue(parseStoredInteger(row.subItem(0)));
    }
    // Category 1 as a click on its panel: the games list filled and its first game shown.
    CategoryPanel1Click(CategoryPanelOf(1));
}

CategoryPanel *MaintenancePage::CategoryPanelOf(int n) const
{
    return m_bar->panelOf(n);
}

GamesListView *MaintenancePage::gamesListView() const
{
    return m_bar->gamesListView();
}

GamesListModel *MaintenancePage::gamesModel() const
{
    return m_bar->gamesModel();
}

int MaintenancePage::selectedGameIndex() const
{
    const int row = gamesListView()->selectedRow();
    return row < 0 ? -1 : gamesModel()->row(row).gameIndex;
}

std::optional<GameRef> MaintenancePage::selectedGame() const
{
    const int game = selectedGameIndex();
    if (game < 0)
        return std::nullopt;
    return GameRef{m_context.session.currentCategory(), game};
}

void MaintenancePage::placeCategoryBar(int position)
{
    m_body->removeWidget(m_bar);
    m_body->insertWidget(position == 1 ? 1 : 0, m_bar);
}

void MaintenancePage::CategoryPanel1Click(CategoryPanel *sender)
{
    const int k = sender->number();
    m_bar->stackPanels(k);
    m_context.session.setCurrentCategory(k);
    setGameAreaColor(sender->colorValue());
    // The "Category" page, the title field and the games list show the selected category, so
    // that Apply writes into it what it shows.
    if (m_context.session.category(k))
        ShowCategoryProperties(k);
    FillGamesList();
    showGame();
}

void MaintenancePage::FillGamesList()
{
    const QScopedValueRollback changing(m_changingGamesList, true);
    GamesListModel *model = gamesModel();
    model->clear();
    const DataTree &tree = m_context.session.data().dataView;
    const DataNode *root = tree.isEmpty() ? nullptr : &tree.root();
    const int categories = root ? int(root->children.size()) : 0;
    ProgressSteps progress(m_context.progress, categories);

    QList<GameRow> rows;
    const int category = m_context.session.currentCategory();
    if (category >= 1 && category <= categories) {
        const std::vector<DataNode> &gameSlots = root->children[size_t(category - 1)].children;
        rows.reserve(qsizetype(gameSlots.size()));
        for (size_t i = 0; i < gameSlots.size(); ++i) {
            progress.reach(qint64(i) + 1);
            const DataNode &game = gameSlots[i];
            if (game.text.isEmpty())
                continue;
            // A game node without its picture index (a damaged file) shows as a game without picture.
            QString picIndex;
            if (game.children.size() > 2 && !game.children[2].children.empty())
                picIndex = game.children[2].children.front().text;
            rows.append({game.text, picIndex, int(i)});
        }
    }
    progress.finish();
    model->setRows(std::move(rows));

    if (model->rowCount() > 0) {
        gamesListView()->selectRow(0);
        GamesListViewClick();
    } else {
        showNoGame();
    }
}

void MaintenancePage::GamesListViewClick()
{
    setTitle(QString());
    const int row = gamesListView()->selectedRow();
    if (row >= 0) {
        setTitle(gamesModel()->row(row).name);
        showGame();
    }
    // On the range the list or the game set.
    if (row >= 0)
        ProgressSteps::reach(m_context.progress, 60);
    UpdateButtons();
    ProgressSteps::reach(m_context.progress, 100);
}

bool MaintenancePage::isDuplicate(const QString &name) const
{
    return gamesModel()->findName(name, Qt::CaseInsensitive) >= 0;
}

void MaintenancePage::GameAddButtonClick()
{
    const QString name = LineText::oneLine(m_context.dialogs.inputText(messageText("Please enter game name:"), false));
    if (name.isEmpty())
        return;
    if (isDuplicate(name)) {
        m_context.dialogs.msgBox(messageText("Game already exists."), QString(), QStringLiteral("i"));
        return;
    }
    m_context.session.addGame(m_context.session.currentCategory(), name);
    const QScopedValueRollback changing(m_changingGamesList, true);
    FillGamesList();
    gamesListView()->selectRow(gamesModel()->findName(name, Qt::CaseSensitive));
    setTitle(name);
    showGame();
    UpdateButtons();
}

void MaintenancePage::GameRenameButtonClick()
{
    const int row = gamesListView()->selectedRow();
    if (row < 0)
        return;
    const int g = gamesModel()->row(row).gameIndex;
    const QString name = LineText::oneLine(m_context.dialogs.inputText(QStringLiteral("Please enter new name:"), false));
    if (name.isEmpty())
        return;
    if (isDuplicate(name)) {
        m_context.dialogs.msgBox(messageText("Game already exists."), QString(), QStringLiteral("i"));
        return;
    }
    m_context.session.renameGame({m_context.session.currentCategory(), g}, name);
    const QScopedValueRollback changing(m_changingGamesList, true);
    const int moved = gamesModel()->rename(row, name);
    gamesListView()->scrollTo(gamesModel()->index(moved));
    setTitle(name);
}

void MaintenancePage::GameDeleteButtonClick()
{
    const int row = gamesListView()->selectedRow();
    if (row < 0)
        return;
    if (!m_context.dialogs.msgBox(messageText("Are you sure?"), QString(), QStringLiteral("c")))
        return;
    const int g = gamesModel()->row(row).gameIndex;
    // The session forgets the game as the shown one: nothing is stored into it any more.
    m_context.session.deleteGame({m_context.session.currentCategory(), g});
    const QScopedValueRollback changing(m_changingGamesList, true);
    gamesModel()->removeAt(row);
    clearShownGame();
    if (gamesModel()->rowCount() > 0) {
        gamesListView()->selectRow(0);
        GamesListViewClick();
    } else {
        showNoGame();
    }
}

void MaintenancePage::showNoGame()
{
    setTitle(QString());
    UpdateButtons();
}

void MaintenancePage::CatTitleEditChange()
{
    m_categoryPage->catApplyButton()->setEnabled(!m_categoryPage->catTitleEdit()->text().isEmpty());
}

void MaintenancePage::CatApplyButtonClick()
{
    const int k = m_context.session.currentCategory();
    StoreCategoryProperties(k);
    ShowCategoryProperties(k);
}

void MaintenancePage::StoreCategoryProperties(int k)
{
    // A name of blanks alone keeps the name the category had.
    m_context.session.setCategory(k, LineText::oneLine(m_categoryPage->catTitleEdit()->text()),
                                  m_categoryPage->catColor()->colorValue(),
                                  m_categoryPage->gameTitleColor()->colorValue(),
                                  m_categoryPage->gameListColor()->colorValue());
    ApplyCategoryColors(m_categoryPage->catColor()->colorValue(), k);
}

void MaintenancePage::ApplyCategoryColors(qint32 color, int k)
{
    CategoryPanelOf(k)->setColorValue(color);
    setGameAreaColor(color);
    m_categoryPage->catColor()->setColorValue(color);
    setGamesListColor(m_categoryPage->gameListColor()->colorValue());
    setTitleColor(m_categoryPage->gameTitleColor()->colorValue());
}

void MaintenancePage::ShowCategoryProperties(int k)
{
    const ListRow *category = m_context.session.category(k);
    if (!category)
        throw AppError::indexOutOfBounds(k - 1);
    const ListRow &row = *category;
    CategoryPanel *panel = CategoryPanelOf(k);
    panel->setCaption(row.caption);
    m_categoryPage->catTitleEdit()->setText(row.caption);
    panel->setColorValue(parseStoredInteger(row.subItem(0)));
    m_categoryPage->catColor()->setColorValue(panel->colorValue());
    setTitleColor(parseStoredInteger(row.subItem(1)));
    m_categoryPage->gameTitleColor()->setColorValue(titleColor());
    const qint32 listColor = parseStoredInteger(row.subItem(2));
    setGamesListColor(listColor);
    m_categoryPage->gameListColor()->setColorValue(listColor);
    setGameAreaColor(m_categoryPage->catColor()->colorValue());
}

void MaintenancePage::UpdateButtons()
{
    updateRecordButtons();
    const bool gameSelected = gamesListView()->selectedRow() >= 0;
    m_enterControlPanel->setVisible(gameSelected);
    m_bar->gameDeleteButton()->setEnabled(gameSelected);
}

void MaintenancePage::setGameAreaColor(qint32 color)
{
    setWindowColorOf(m_mainRightPanel, color);
    setWindowColorOf(m_bar->gamesBox(), color);
}

void MaintenancePage::setGamesListColor(qint32 color)
{
    QPalette colors = gamesListView()->palette();
    colors.setColor(QPalette::Base, ColorValue::toColor(color));
    gamesListView()->setPalette(colors);
}

void MaintenancePage::resizeRows()
{
    m_enterControlPanel->setGeometry(4, 4, m_mainRightPanel->width() - 8, m_mainRightPanel->height() - 8);
    m_categoryPage->centrePropertyBox();
    m_bar->centreGameButtons();
}

bool MaintenancePage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mainRightPanel && event->type() == QEvent::Resize)
        m_enterControlPanel->setGeometry(4, 4, m_mainRightPanel->width() - 8, m_mainRightPanel->height() - 8);
    return QObject::eventFilter(watched, event);
}

// The game area's pages.

QString MaintenancePage::title() const
{
    return m_recordsPage->title();
}

qint32 MaintenancePage::titleColor() const
{
    return m_recordsPage->titleColor();
}

void MaintenancePage::setTitle(const QString &title)
{
    m_recordsPage->setTitle(title);
}

void MaintenancePage::setTitleColor(qint32 color)
{
    m_recordsPage->setTitleColor(color);
}

void MaintenancePage::showGame()
{
    m_recordsPage->ShowGame(selectedGame());
}

void MaintenancePage::clearShownGame()
{
    // With the deleted game's row gone nothing is selected: ShowGame empties the records list,
    // the game comment and the game picture.
    m_recordsPage->ClearEntryFields();
    m_recordsPage->ShowGame(selectedGame());
}

void MaintenancePage::updateRecordButtons()
{
    m_recordsPage->updateRecordButtons();
}
