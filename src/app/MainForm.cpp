#include "app/MainForm.h"

#include "app/SplashScreen.h"
#include "keeping/CategoryPanel.h"
#include "keeping/DamageReport.h"
#include "keeping/MaintenancePage.h"
#include "keeping/Pictures.h"
#include "keeping/PlayerPanel.h"
#include "keeping/PlayerSelection.h"
#include "keeping/RecordsPage.h"
#include "lists/ImportExportPage.h"
#include "lists/ListCsvExport.h"
#include "lists/OverviewPage.h"
#include "lists/TopPage.h"
#include "platform/ColorValue.h"
#include "platform/Dialogs.h"
#include "platform/HandlerGuard.h"
#include "services/AboutPage.h"
#include "services/ColorSwatch.h"
#include "services/MessDlg.h"
#include "services/OptionsPage.h"
#include "services/TransProg.h"
#include "store/AppError.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int BottomBarHeight = 49;

// Counts a section during which the player's data must not be saved by the autosave.
class BusyScope
{
public:
    explicit BusyScope(int &depth) : m_depth(depth) { ++m_depth; }
    ~BusyScope() { --m_depth; }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    int &m_depth;
};

} // namespace

TMainForm::TMainForm(Dialogs &dialogs, MainFormOptions options)
    : m_dialogs(dialogs),
      m_openDialog(dialogs, SharedFileDialog::Kind::Open),
      m_saveDialog(dialogs, SharedFileDialog::Kind::Save),
      m_options(std::move(options)),
      m_programDir(m_options.programDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_options.programDir),
      m_files(m_programDir + QStringLiteral("/Data"))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tallimo"));
    resize(640, 480);
    m_dialogs.setParentWindow(this);
    m_autosaveTimer = new QTimer(this);
    m_autosaveTimer->setSingleShot(true);
    m_autosaveTimer->setInterval(m_options.autosaveDelayMs);
    connect(m_autosaveTimer, &QTimer::timeout, this, &TMainForm::saveUnsavedFiles);
    buildControls();
    FormCreate();
}

TMainForm::~TMainForm()
{
    // Hidden while every part is whole: the close in QWidget's destructor would lay out lists
    // that ask this window for their line colours.
    hide();
    if (qApp)
        qApp->removeEventFilter(this);
    if (m_dialogs.parentWindow() == this)
        m_dialogs.setParentWindow(nullptr);
}

void TMainForm::buildControls()
{
    m_gameControl = new QTabWidget(this);
    m_gameControl->setObjectName(QStringLiteral("GameControl"));
    m_gameControl->setDocumentMode(false);
    // Page tabs drawn as buttons.
    m_gameControl->setStyleSheet(QStringLiteral(
        "QTabWidget#GameControl > QTabBar::tab { border: 1px solid palette(dark); border-radius: 3px;"
        " padding: 4px 10px; margin: 2px; background: palette(button); }"
        "QTabWidget#GameControl > QTabBar::tab:selected { background: palette(midlight); border-style: inset; }"));
    const struct
    {
        const char *name;
        const char *caption;
    } pages[] = {
        {"MaintenanceSheet", "Maintenance"}, {"OverviewSheet", "Overview"}, {"ImportExportSheet", "Im- / Export"},
        {"OptionsSheet", "Options"},         {"HelpSheet", "Help"},         {"AboutSheet", "About"},
    };
    for (const auto &page : pages) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QLatin1String(page.name));
        m_gameControl->addTab(sheet, QString::fromLatin1(page.caption));
    }

    MaintenancePage::Hooks hooks;
    hooks.setCurrentCategory = [this](int category) { CurrentCategory = category; };
    hooks.guarded = [this](const std::function<void()> &handler) { return guarded(handler); };
    m_maintenance = new MaintenancePage(m_gameControl->findChild<QWidget *>(QStringLiteral("MaintenanceSheet")), *this,
                                        std::move(hooks));
    connect(m_maintenance, &MaintenancePage::swatchPressed, this,
            [this](ColorSwatch *swatch) { guarded([&] { CatColorMouseDown(swatch); }); });

    // Pictures and players.
    m_pictures = new PictureHandlers(*m_maintenance, *this, dataDir(),
                                     [this](const std::function<void()> &handler) { return guarded(handler); });
    PlayerSelection::Hooks playerHooks;
    playerHooks.currentPlayer = [this] { return CurrentPlayer; };
    playerHooks.savePlayerData = [this] { SavePlayerData(); };
    playerHooks.loadPlayer = [this](int player) {
        CurrentCategory = 1;
        CurrentPlayer = player;
        LoadPlayerData();
    };
    playerHooks.refreshPlayerNames = [this] { refreshPlayerNames(); };
    playerHooks.guarded = [this](const std::function<void()> &handler) { return guarded(handler); };
    m_players = new PlayerSelection(*m_maintenance, *this, std::move(playerHooks));
    OverviewPage::Hooks overviewHooks;
    // The overview build saves the player and reads every player's files.
    overviewHooks.guarded = [this](const std::function<void()> &handler) {
        const BusyScope busy(m_busy);
        return guarded(handler);
    };
    overviewHooks.savePlayerData = [this] { SavePlayerData(); };
    m_overviewPage = new OverviewPage(m_gameControl->findChild<QWidget *>(QStringLiteral("OverviewSheet")), *this, *this,
                                      m_files, m_overView, std::move(overviewHooks));
    // The top list and the records list's CSV export.
    m_topPage = new TopPage(m_maintenance->topSheet(), *this);
    m_topPage->setGuard([this](const std::function<void()> &handler) { return guarded(handler); });
    connect(&m_maintenance->recordsPage(), &RecordsPage::exportCsvRequested, this,
            [this] { guarded([&] { RecListExpCSVButtonClick(*this, m_maintenance->recordsPage()); }); });

    m_optionsPage = std::make_unique<OptionsPage>(m_gameControl->findChild<QWidget *>(QStringLiteral("OptionsSheet")));
    // Queued: the change of language refills LngListBox, which must not happen inside its own signal.
    connect(m_optionsPage.get(), &OptionsPage::languageSelected, this, &TMainForm::LngListBoxClick,
            Qt::QueuedConnection);
    connect(m_optionsPage.get(), &OptionsPage::categoryPositionClicked, this, &TMainForm::CategoryPositionBoxClick);
    connect(m_optionsPage.get(), &OptionsPage::swatchPressed, this,
            [this](ColorSwatch *swatch) { guarded([&] { CatColorMouseDown(swatch); }); });
    m_optionsPage->sheet()->installEventFilter(this);

    ImportExportPage::Hooks exchangeHooks;
    // An import writes a player's files and may load them again.
    exchangeHooks.guarded = [this](const std::function<void()> &handler) {
        const BusyScope busy(m_busy);
        return guarded(handler);
    };
    exchangeHooks.currentPlayer = [this] { return CurrentPlayer; };
    exchangeHooks.reloadCurrentPlayer = [this] { reloadCurrentPlayer(); };
    exchangeHooks.savePlayerData = [this] { SavePlayerData(); };
    m_importExport = new ImportExportPage(m_gameControl->findChild<QWidget *>(QStringLiteral("ImportExportSheet")),
                                          *this, m_files, std::move(exchangeHooks));

    m_aboutPage = std::make_unique<AboutPage>(m_gameControl->findChild<QWidget *>(QStringLiteral("AboutSheet")), m_dialogs);

    m_bottomBar = new QWidget(this);
    m_bottomBar->setObjectName(QStringLiteral("BottomPanel"));
    m_progressBox = new QGroupBox(QStringLiteral("Progress"), m_bottomBar);
    m_progressBox->setObjectName(QStringLiteral("ProgressBox"));
    m_progBar = new QProgressBar(m_progressBox);
    m_progBar->setObjectName(QStringLiteral("ProgBar"));
    m_progBar->setRange(0, 100);
    m_progBar->setValue(0);
    m_progBar->setTextVisible(false);
    m_exitButton = new QPushButton(QStringLiteral("Exit"), m_bottomBar);
    m_exitButton->setObjectName(QStringLiteral("ExitButton"));
    connect(m_exitButton, &QPushButton::clicked, this, &TMainForm::ExitButtonClick);
}

void TMainForm::FormCreate()
{
    // Key preview: the window sees key presses before the focused control.
    qApp->installEventFilter(this);

    TSplashScreen splash;
    splash.show();
    auto progress = [&](int percent, int milliseconds) {
        if (m_options.splashProbe) {
            splash.gauge()->setValue(percent);
            m_options.splashProbe(percent, milliseconds);
        } else {
            SetSplashProgress(splash, percent, milliseconds);
        }
    };
    progress(10, 0);

    CurrentCategory = 1;
    CurrentPlayer = 1;
    m_player.playerData.clear();
    // The program keeps everything in Data/; a missing folder is made rather than failing every save.
    QDir().mkpath(dataDir());
    // A save that was cut off is finished or undone before any file is read.
    guarded([&] { m_files.recoverInterruptedSave(); });

    const bool loaded = guarded([&] {
        LoadSettings();
        progress(25, 0);
        LoadPlayerData();
        progress(50, 0);
        FillGamesList();
        progress(75, 0);
    });
    // The last overview is read even when player 1's files could not be, so the next save keeps it.
    const bool overviewRead = guarded([&] { readOverviewFile(); });
    if (loaded && overviewRead)
        progress(100, 500);
}

void TMainForm::readOverviewFile()
{
    m_overView = m_files.readOverview();
    m_overviewPage->clearGameAndCategoryFilters();
    m_overviewPage->FillOverviewGrids();
    m_overviewPage->FillOverviewFilters();
}

void TMainForm::LoadPlayerData()
{
    const BusyScope busy(m_busy);
    // Edits not saved by now belong to the data that the load replaces, and so do the games shown.
    m_player.unsaved = {};
    m_autosaveTimer->stop();
    m_maintenance->recordsPage().forgetShownGame();
    const PlayerDamage damage = m_files.LoadPlayerData(CurrentPlayer, m_player, *this);
    if (damage.any()) {
        m_dialogs.showError(DamageReportText(damage, [this](int k) { return m_player.catListView.value(k - 1).caption; }));
        // The files as they were are kept aside: the repaired player replaces them soon, so a
        // crash cannot bring the same report back.
        playerChanged(AllDataFiles);
    }
}

void TMainForm::reloadCurrentPlayer()
{
    CurrentCategory = 1;
    LoadPlayerData();
    // Category 1 as a click on its panel: the games list filled and its first game shown.
    selectFirstCategory();
}

void TMainForm::SavePlayerData()
{
    const BusyScope busy(m_busy);
    m_maintenance->recordsPage().keepEditedComment();
    m_files.SavePlayerData(CurrentPlayer, m_player, *this, m_overView);
    m_autosaveTimer->stop();
}

void TMainForm::playerChanged(DataFiles changed)
{
    m_player.unsaved |= changed;
    m_autosaveTimer->start();
}

void TMainForm::saveUnsavedFiles()
{
    if (!m_player.unsaved)
        return;
    // The timer may fire inside a dialog's event loop. A player half loaded or half saved, or
    // players' files in use, wait for the next round; any other moment holds a whole player.
    if (m_busy > 0) {
        m_autosaveTimer->start();
        return;
    }
    const BusyScope busy(m_busy);
    guarded([&] { m_files.SavePlayerData(CurrentPlayer, m_player, *this, m_overView, m_player.unsaved); });
}

void TMainForm::LoadSettings()
{
    const ProgramSettings settings = Settings::LoadSettings(m_programDir, m_dialogs, screenSize());
    m_optionsPage->setLanguages(Settings::languageEntries(m_programDir));
    m_optionsPage->reset(settings);
    for (int n = 1; n <= 10; ++n)
        setPlayerName(n, settings.playerNames[size_t(n - 1)]);
    move(settings.windowPosition);
    if (settings.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    setWindowColor(settings.windowColor);
    placeCategoryBar(settings.categoryPosition);
    SetGradientStartColor(settings.msgStartColor);
    SetGradientEndColor(settings.msgEndColor);
    applyLanguageTexts();
}

void TMainForm::SaveSettings()
{
    ProgramSettings settings;
    m_optionsPage->apply(settings);
    for (int n = 1; n <= 10; ++n)
        settings.playerNames[size_t(n - 1)] = playerName(n);
    settings.windowPosition = pos();
    settings.maximized = isMaximized();
    Settings::SaveSettings(m_programDir, settings);
}

void TMainForm::LngListBoxClick()
{
    const QString language = m_optionsPage->selectedLanguage();
    if (language.isEmpty())
        return;
    const bool changed = guarded([&] {
        // Only the texts change: names, options and colours stay as the user left them.
        PlayerNames names;
        for (int n = 1; n <= 10; ++n)
            names[size_t(n - 1)] = playerName(n);
        names = Settings::ChangeLanguage(m_programDir, language, pos(), names);
        for (int n = 1; n <= 10; ++n)
            setPlayerName(n, names[size_t(n - 1)]);
        applyLanguageTexts();
    });
    if (!changed) {
        // Nothing changed: show the language still in use.
        m_optionsPage->selectLanguage(QFileInfo(ActiveScriptPath()).fileName());
    }
}

void TMainForm::CategoryPositionBoxClick()
{
    placeCategoryBar(m_optionsPage->categoryPosition());
}

CategoryPanel *TMainForm::CategoryPanelOf(int n) const
{
    return m_maintenance->CategoryPanelOf(n);
}

PlayerPanel *TMainForm::PlayerButtonOf(int n) const
{
    return m_players->PlayerButtonOf(n);
}

void TMainForm::FillGamesList()
{
    m_maintenance->FillGamesList();
}

void TMainForm::UpdateButtons()
{
    m_maintenance->UpdateButtons();
}

int TMainForm::selectedGameIndex() const
{
    return m_maintenance->selectedGameIndex();
}

int TMainForm::firstWeekday() const
{
    return m_optionsPage->firstWeekday();
}

ListLineColors TMainForm::lineColors() const
{
    return {m_optionsPage->alternatingLines(), m_optionsPage->lineColor1()->colorValue(),
            m_optionsPage->lineColor2()->colorValue()};
}

void TMainForm::CatColorMouseDown(ColorSwatch *swatch)
{
    const std::optional<qint32> chosen = m_dialogs.chooseColor(m_lastConfirmedColor);
    if (!chosen)
        return;
    m_lastConfirmedColor = *chosen;
    swatch->setColorValue(*chosen);
    if (swatch == m_optionsPage->windowColor())
        setWindowColor(*chosen);
    else if (swatch == m_optionsPage->msgStartColor())
        SetGradientStartColor(*chosen);
    else if (swatch == m_optionsPage->msgEndColor())
        SetGradientEndColor(*chosen);
}

bool TMainForm::guarded(const std::function<void()> &handler)
{
    return RunGuarded(m_dialogs, handler);
}

void TMainForm::ExitButtonClick()
{
    close();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool TMainForm::FormClose()
{
    if (!m_optionsPage->doNotShowExitDialog()
        && !m_dialogs.msgBox(LngText(QStringLiteral("Messages"), QStringLiteral("Do you really want to exit the program?")),
                             QString(), QStringLiteral("c")))
        return false;
    if (!guarded([&] { SavePlayerData(); }))
        return false;
    // The player's data is safe now; settings that cannot be written are reported, and the
    // window closes all the same rather than holding the user in a program that cannot end.
    guarded([&] { SaveSettings(); });
    m_player.playerData.clear();
    return true;
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize()
{
    const int w = width();
    const int h = height();
    m_gameControl->setGeometry(0, 0, w, h - BottomBarHeight);
    m_bottomBar->setGeometry(0, h - BottomBarHeight, w, BottomBarHeight);
    m_progressBox->setGeometry(4, 0, 165, BottomBarHeight - 4);
    m_progBar->setGeometry(8, 18, 149, 17);
    m_exitButton->setGeometry(176, 8, w - 180, 33);
    if (m_optionsPage)
        m_optionsPage->centreOptionsBox();
    m_maintenance->resizeRows();
    m_players->ArrangePlayerButtons();
    m_topPage->resizeColumns();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    // A page gets its size only when it is laid out in the page control.
    if (event->type() == QEvent::Resize && m_optionsPage && watched == m_optionsPage->sheet())
        m_optionsPage->centreOptionsBox();
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this)
        return FormKeyDown(static_cast<QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

bool TMainForm::FormKeyDown(QKeyEvent *)
{
    return false;
}

QString TMainForm::defaultCategoryName(int category)
{
    return LngText(QStringLiteral("Captions"), QStringLiteral("Category")) + u' ' + QString::number(category);
}

void TMainForm::setCategoryPanel(int category, const QString &caption, qint32 color)
{
    CategoryPanel *panel = CategoryPanelOf(category);
    panel->setCaption(caption);
    panel->setColorValue(color);
}

QString TMainForm::categoryPanelCaption(int category) const
{
    return CategoryPanelOf(category)->text();
}

qint32 TMainForm::categoryPanelColor(int category) const
{
    return CategoryPanelOf(category)->colorValue();
}

void TMainForm::selectFirstCategory()
{
    m_maintenance->CategoryPanel1Click(CategoryPanelOf(1));
}

void TMainForm::updateButtons()
{
    UpdateButtons();
}

// Copies the ten player names (the player panels' captions) wherever else they are shown.
void TMainForm::refreshPlayerNames()
{
    QStringList names;
    for (int n = 1; n <= 10; ++n)
        names.append(playerName(n));
    if (m_importExport)
        m_importExport->setPlayerNames(names);
    if (m_overviewPage)
        m_overviewPage->setPlayerNames(names);
}

QString TMainForm::playerName(int player) const
{
    return PlayerButtonOf(player)->text();
}

void TMainForm::setPlayerName(int player, const QString &name)
{
    PlayerButtonOf(player)->setCaption(name);
}

QSize TMainForm::screenSize() const
{
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->geometry().size() : QSize();
}

void TMainForm::setWindowColor(qint32 color)
{
    m_windowColor = color;
    QPalette colors = palette();
    colors.setColor(QPalette::Window, ColorValue::toColor(color));
    setPalette(colors);
    setAutoFillBackground(true);
}

void TMainForm::applyLanguageTexts()
{
    translateWindow();
    refreshPlayerNames();
    fillHelpFileList();
    m_aboutPage->loadDonationText(m_programDir, m_optionsPage->selectedLanguage());
    Settings::translateDialogs();
    setListHeaders(Settings::listHeaders());
}

void TMainForm::translateWindow()
{
    TranslateForm(this);
    m_importExport->retranslate();
}

void TMainForm::placeCategoryBar(int position)
{
    m_categoryBarPosition = position == 1 ? 1 : 0;
    m_maintenance->placeCategoryBar(m_categoryBarPosition);
}

void TMainForm::fillHelpFileList() {}

void TMainForm::setListHeaders(const ListHeaders &headers)
{
    m_listHeaders = headers;
    m_overviewPage->setHeaderTexts(headers.gamesGridCells, headers.bestCell);
    m_topPage->setColumnCaptions(headers.topColumns);
    m_maintenance->recordsPage().retranslateColumns();
}

void TMainForm::showCategoryProperties(int category)
{
    m_maintenance->ShowCategoryProperties(category);
}

void TMainForm::playerPictureChanged()
{
    m_pictures->showPlayerPicture();
}

void TMainForm::topListChanged()
{
    m_topPage->showList(m_player.topView);
}

void TMainForm::damagedFilesSetAside(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names.append(QDir::toNativeSeparators(path));
    const QString text = LngText(QStringLiteral("Messages"),
                                 QStringLiteral("The files of this player could not be read completely. "
                                                "They have been kept unchanged as:"));
    m_dialogs.msgBox(text + u'\n' + names.join(u'\n'), QString(), QStringLiteral("i"));
}
