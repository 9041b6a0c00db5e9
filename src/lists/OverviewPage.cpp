#include "lists/OverviewPage.h"

#include "services/CsvExport.h"
#include "services/ListCsvExport.h"
#include "lists/OverviewBuild.h"
#include "lists/OverviewGrid.h"
#include "platform/Dialogs.h"
#include "platform/PictureButton.h"
#include "session/PlayerSession.h"
#include "platform/SharedFileDialog.h"
#include "services/TransProg.h"
#include "store/AppError.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int GamesGridWidth = 300;
constexpr int ButtonSize = 30;

QToolButton *makeButton(QWidget *parent, const char *name, const char *hint, const QIcon &icon)
{
    QToolButton *button = MakePictureButton(parent, QLatin1String(name), QLatin1String(hint), icon, ButtonSize);
    button->setIconSize(QSize(20, 20));
    return button;
}

// A group box holding one drop-down list.
QComboBox *makeFilter(QWidget *parent, QHBoxLayout *row, const char *boxName, const char *caption, const char *comboName,
                      QStringListModel *&model)
{
    auto *box = new QGroupBox(QLatin1String(caption), parent);
    box->setObjectName(QLatin1String(boxName));
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 6);
    auto *combo = new QComboBox(box);
    combo->setObjectName(QLatin1String(comboName));
    combo->setAccessibleName(QLatin1String(caption));
    combo->setEditable(false);
    // Thousands of game names: the width comes from the layout, not from measuring every entry.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(6);
    combo->setMaxVisibleItems(20);
    model = new QStringListModel(combo);
    combo->setModel(model);
    layout->addWidget(combo);
    row->addWidget(box, 3);
    return combo;
}

} // namespace

OverviewPage::OverviewPage(PageContext &context)
    : ProgramPage(context.sheet(QStringLiteral("OverviewSheet"))),
      m_sheet(context.sheet(QStringLiteral("OverviewSheet"))),
      m_context(context)
{
    buildControls();
    connectHandlers();
    setHeaderTexts({QStringLiteral("No."), QStringLiteral("Game"), QStringLiteral("Category")}, QStringLiteral("Best"));
    PlayerSession &session = m_context.session;
    connect(&session, &PlayerSession::playerNamesChanged, this, [this] { setPlayerNames(m_context.session.playerNames()); });
    connect(&session, &PlayerSession::overviewChanged, this, [this] {
        FillOverviewFilters();
        FillOverviewGrids();
    });
}

void OverviewPage::retranslate()
{
    const QString captions = QStringLiteral("Captions");
    setHeaderTexts({LngText(captions, QStringLiteral("No.")), LngText(captions, QStringLiteral("Game")),
                    LngText(captions, QStringLiteral("Category"))},
                   LngText(captions, QStringLiteral("Best")));
}

OverviewPage::~OverviewPage()
{
    // The grids outlive this object; what they draw must not reach the main window any more.
    for (OverviewGridView *grid : {m_gamesGrid, m_pointsGrid}) {
        if (auto *delegate = qobject_cast<OverviewCellDelegate *>(grid->itemDelegate()))
            delegate->setLineColors(nullptr);
        if (auto *header = qobject_cast<OverviewGridHeader *>(grid->horizontalHeader()))
            header->setLineColors(nullptr);
    }
}

void OverviewPage::buildControls()
{
    auto *pageLayout = new QVBoxLayout(m_sheet);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    pageLayout->setSpacing(4);
    auto *topRow = new QHBoxLayout;
    topRow->setSpacing(4);
    pageLayout->addLayout(topRow, 1);

    // Both grids sit in one area whose geometry the page sets itself (see layoutGrids).
    m_gridArea = new QWidget(m_sheet);
    topRow->addWidget(m_gridArea, 1);
    auto lineColors = [this] { return m_context.lineColors(); };
    m_gamesGrid = new OverviewGridView(OverviewGridModel::Grid::Games, lineColors, m_gridArea);
    m_gamesGrid->setObjectName(QStringLiteral("OVGamesGrid"));
    m_gamesGrid->setAccessibleName(QStringLiteral("Overview games"));
    m_gamesGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_gamesGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pointsGrid = new OverviewGridView(OverviewGridModel::Grid::Points, lineColors, m_gridArea);
    m_pointsGrid->setObjectName(QStringLiteral("OVPointsGrid"));
    m_pointsGrid->setAccessibleName(QStringLiteral("Overview points"));
    m_pointsGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pointsGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_gridArea->setMinimumSize(GamesGridWidth + 120, 120);
    m_gridArea->installEventFilter(this);
    m_pointsGrid->viewport()->installEventFilter(this);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    m_updateButton = makeButton(m_sheet, "OverviewUpdateButton", "Create list",
                                ThemeIcon(m_sheet, "view-refresh", QStyle::SP_BrowserReload));
    m_printPreviewButton = makeButton(m_sheet, "OverviewPrintPreviewButton", "Print preview",
                                      ThemeIcon(m_sheet, "document-print-preview", QStyle::SP_FileDialogContentsView));
    m_printButton = makeButton(m_sheet, "OverviewPrintButton", "Print",
                               ThemeIcon(m_sheet, "document-print", QStyle::SP_DriveFDIcon));
    m_expCsvButton = makeButton(m_sheet, "OverviewExpCSVButton", "Export list to CSV file",
                                ThemeIcon(m_sheet, "document-export", QStyle::SP_DialogSaveButton));
    for (QToolButton *button : {m_updateButton, m_printPreviewButton, m_printButton, m_expCsvButton})
        buttons->addWidget(button);
    buttons->addStretch(1);
    topRow->addLayout(buttons);
    m_printPreviewButton->setEnabled(false);
    m_printButton->setEnabled(false);
    m_expCsvButton->setEnabled(false);

    m_filterBox = new QGroupBox(QStringLiteral("Filters"), m_sheet);
    m_filterBox->setObjectName(QStringLiteral("FilterBox"));
    auto *filters = new QHBoxLayout(m_filterBox);
    filters->setContentsMargins(6, 2, 6, 6);
    filters->setSpacing(6);
    m_gameFilter = makeFilter(m_filterBox, filters, "GameFilterBox", "Game filter", "GameFilterCombo", m_gameFilterModel);
    m_categoryFilter = makeFilter(m_filterBox, filters, "CategoryFilterBox", "Category filter", "CategoryFilterCombo",
                                  m_categoryFilterModel);
    m_itemsPanel = new QLabel(m_filterBox);
    m_itemsPanel->setObjectName(QStringLiteral("OverviewItemsPanel"));
    m_itemsPanel->setAlignment(Qt::AlignCenter);
    m_itemsPanel->setWordWrap(true);
    m_itemsPanel->setFrameShape(QFrame::StyledPanel);
    m_itemsPanel->setFrameShadow(QFrame::Sunken);
    m_itemsPanel->setMinimumWidth(80);
    QFont bold = m_itemsPanel->font();
    bold.setBold(true);
    m_itemsPanel->setFont(bold);
    filters->addWidget(m_itemsPanel, 2);
    m_bestPlayerFilter = makeFilter(m_filterBox, filters, "BestPlayerFilterBox", "Best player filter",
                                    "BestPlayerFilterCombo", m_bestPlayerFilterModel);
    pageLayout->addWidget(m_filterBox);

    // Tab order: the buttons, the grids, the filters.
    QWidget::setTabOrder(m_updateButton, m_printPreviewButton);
    QWidget::setTabOrder(m_printPreviewButton, m_printButton);
    QWidget::setTabOrder(m_printButton, m_expCsvButton);
    QWidget::setTabOrder(m_expCsvButton, m_gamesGrid);
    QWidget::setTabOrder(m_gamesGrid, m_pointsGrid);
    QWidget::setTabOrder(m_pointsGrid, m_gameFilter);
    QWidget::setTabOrder(m_gameFilter, m_categoryFilter);
    QWidget::setTabOrder(m_categoryFilter, m_bestPlayerFilter);
}

void OverviewPage::connectHandlers()
{
    ConnectHandler(m_updateButton, &QToolButton::clicked, this, m_context, [this] { OverviewUpdateButtonClick(); });
    connect(m_printPreviewButton, &QToolButton::clicked, this, &OverviewPage::printPreviewRequested);
    connect(m_printButton, &QToolButton::clicked, this, &OverviewPage::printRequested);
    ConnectHandler(m_expCsvButton, &QToolButton::clicked, this, m_context, [this] { OverviewExpCSVButtonClick(); });
    ConnectHandler(m_gameFilter, &QComboBox::activated, this, m_context, [this] { GameFilterComboClick(); });
    ConnectHandler(m_categoryFilter, &QComboBox::activated, this, m_context, [this] { CategoryFilterComboClick(); });
    ConnectHandler(m_bestPlayerFilter, &QComboBox::activated, this, m_context, [this] { CategoryFilterComboClick(); });
    connect(m_pointsGrid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { OVPointsGridTopLeftChanged(); });
    // A wheel turned over the games grid moves the points grid, which the games grid follows.
    connect(m_gamesGrid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncingScroll)
            m_pointsGrid->verticalScrollBar()->setValue(value);
    });
}

bool OverviewPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && (watched == m_gridArea || watched == m_pointsGrid->viewport()))
        layoutGrids();
    return QObject::eventFilter(watched, event);
}

void OverviewPage::layoutGrids()
{
    const QSize area = m_gridArea->size();
    m_pointsGrid->setGeometry(GamesGridWidth, 0, qMax(0, area.width() - GamesGridWidth), area.height());
    // The games grid ends where the points grid's rows end, above its horizontal scroll bar, so
    // that both show the same number of rows and scroll through the same range.
    const int rowsBottom = m_pointsGrid->viewport()->geometry().bottom() + 1 + m_pointsGrid->frameWidth();
    m_gamesGrid->setGeometry(0, 0, GamesGridWidth, qBound(0, rowsBottom, area.height()));
}

void OverviewPage::OVPointsGridTopLeftChanged()
{
    m_syncingScroll = true;
    m_gamesGrid->verticalScrollBar()->setValue(m_pointsGrid->verticalScrollBar()->value());
    m_syncingScroll = false;
}

void OverviewPage::setPlayerNames(const QStringList &names)
{
    OverviewGridModel *model = m_pointsGrid->gridModel();
    for (int n = 0; n < Overview::PlayerCount; ++n)
        model->setHeaderData(n, Qt::Horizontal, names.value(n));
}

QStringList OverviewPage::playerNames() const
{
    QStringList names;
    for (int n = 0; n < Overview::PlayerCount; ++n)
        names.append(m_pointsGrid->gridModel()->headerData(n, Qt::Horizontal).toString());
    return names;
}

void OverviewPage::setHeaderTexts(const QStringList &gamesCells, const QString &bestCell)
{
    for (int column = 0; column < 3; ++column)
        m_gamesGrid->gridModel()->setHeaderData(column, Qt::Horizontal, gamesCells.value(column));
    m_pointsGrid->gridModel()->setHeaderData(Overview::PlayerCount, Qt::Horizontal, bestCell);
    retranslateFilterTexts();
}

void OverviewPage::retranslateFilterTexts()
{
    // The first entry of each filter list and the item count follow a change of language; the
    // chosen entries stay chosen.
    const QString all = Overview::AllEntry(LngText(QStringLiteral("Captions"), QStringLiteral("All")));
    for (QStringListModel *model : {m_gameFilterModel, m_categoryFilterModel, m_bestPlayerFilterModel})
        if (model->rowCount() > 0)
            model->setData(model->index(0), all);
    showItemCount();
}

void OverviewPage::showItemCount()
{
    m_itemsPanel->setText(QString::number(itemCount()) + u' '
                          + LngText(QStringLiteral("Messages"), QStringLiteral("items listed.")));
}

void OverviewPage::fillCombo(QComboBox *combo, QStringListModel *model, const QStringList &entries)
{
    model->setStringList(entries);
    combo->setCurrentIndex(entries.isEmpty() ? -1 : 0);
}

void OverviewPage::FillOverviewFilters()
{
    const QString all = Overview::AllEntry(LngText(QStringLiteral("Captions"), QStringLiteral("All")));
    const Overview::FilterLists lists = Overview::MakeFilterLists(m_context.session.overview(), playerNames(), all);
    fillCombo(m_gameFilter, m_gameFilterModel, lists.games);
    fillCombo(m_categoryFilter, m_categoryFilterModel, lists.categories);
    fillCombo(m_bestPlayerFilter, m_bestPlayerFilterModel, lists.bestPlayers);
}

Overview::FilterChoice OverviewPage::filterChoice() const
{
    auto choiceOf = [](const QComboBox *combo) { return Overview::ChoiceOf(combo->currentIndex(), combo->currentText()); };
    return {choiceOf(m_gameFilter), choiceOf(m_categoryFilter), choiceOf(m_bestPlayerFilter)};
}

void OverviewPage::FillOverviewGrids()
{
    RowList passing = Overview::PassingRows(m_context.session.overview(), filterChoice());
    m_gamesGrid->gridModel()->setRows(passing);
    m_pointsGrid->gridModel()->setRows(std::move(passing));
    showItemCount();
    UpdateOverviewButtons();
}

int OverviewPage::itemCount() const
{
    const OverviewGridModel *model = m_gamesGrid->gridModel();
    return model->cellText(0, 0).isEmpty() ? 0 : model->rowCount();
}

void OverviewPage::UpdateOverviewButtons()
{
    const bool rows = !m_gamesGrid->gridModel()->cellText(0, 0).isEmpty();
    m_printPreviewButton->setEnabled(rows);
    m_printButton->setEnabled(rows);
    m_expCsvButton->setEnabled(rows);
}

void OverviewPage::GameFilterComboClick()
{
    FillOverviewGrids();
}

void OverviewPage::CategoryFilterComboClick()
{
    FillOverviewGrids();
}

void OverviewPage::OverviewUpdateButtonClick()
{
    // The rows stay until the save is done, so that a save that fails loses none of them.
    PlayerSession &session = m_context.session;
    // The player is saved and every player's files are read: no autosave meanwhile.
    const PlayerSession::Busy busy(session);
    session.save();
    Overview::BuildResult built = Overview::BuildOverview(session.files(), session.playerNames(), m_context.progress);
    session.setPlayerNames(built.names);
    // The session's change fills the filters and the grids.
    session.setOverview(std::move(built.rows));

    if (!built.damaged.isEmpty()) {
        QStringList lines;
        for (const Overview::DamagedPlayer &damaged : built.damaged)
            lines.append(session.playerName(damaged.player) + QStringLiteral(": ")
                         + LngText(QStringLiteral("Messages"), damaged.error));
        const QString text = LngText(QStringLiteral("Messages"),
                                     QStringLiteral("The files of these players could not be read. "
                                                    "They take no part in the overview:"));
        m_context.dialogs.msgBox(text + u'\n' + lines.join(u'\n'), QString(), QStringLiteral("i"));
    }
}

QStringList OverviewPage::shownHeader() const
{
    QStringList header;
    for (int column = 0; column < 3; ++column)
        header.append(m_gamesGrid->gridModel()->headerData(column, Qt::Horizontal).toString());
    for (int column = 0; column <= Overview::PlayerCount; ++column)
        header.append(m_pointsGrid->gridModel()->headerData(column, Qt::Horizontal).toString());
    return header;
}

QList<QStringList> OverviewPage::shownRows() const
{
    QList<QStringList> rows;
    const int count = itemCount();
    rows.reserve(count);
    const OverviewGridModel *games = m_gamesGrid->gridModel();
    const OverviewGridModel *points = m_pointsGrid->gridModel();
    for (int row = 0; row < count; ++row) {
        QStringList fields;
        fields.reserve(3 + Overview::PlayerCount + 1);
        for (int column = 0; column < 3; ++column)
            fields.append(games->cellText(row, column));
        for (int column = 0; column <= Overview::PlayerCount; ++column)
            fields.append(points->cellText(row, column));
        rows.append(std::move(fields));
    }
    return rows;
}

void OverviewPage::OverviewExpCSVButtonClick()
{
    const QString path = chooseCsvPath(m_context.saveDialog);
    if (path.isEmpty())
        return;
    CsvExport::write(path, shownHeader(), shownRows());
}
