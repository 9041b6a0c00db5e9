#include "app/MainForm.h"

#include "app/SplashScreen.h"
#include "keeping/CategoryPanel.h"
#include "keeping/PlayerLoading.h"
#include "keeping/PlayerPanel.h"
#include "keeping/PlayerSelection.h"
#include "keeping/RecordsPage.h"
#include "lists/OverviewBuild.h"
#include "lists/TopListModel.h"
#include "platform/ColorValue.h"
#include "platform/Dialogs.h"
#include "platform/HandlerGuard.h"
#include "platform/ProgressBar.h"
#include "platform/WindowPlacement.h"
#include "services/AboutPage.h"
#include "services/ColorSwatch.h"
#include "services/MessDlg.h"
#include "services/OptionsPage.h"
#include "services/TransProg.h"
#include "store/AppError.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int BottomBarHeight = 49;

} // namespace

TMainForm::TMainForm(Dialogs &dialogs, MainFormOptions options)
    : m_dialogs(dialogs),
      m_openDialog(dialogs, SharedFileDialog::Kind::Open),
      m_saveDialog(dialogs, SharedFileDialog::Kind::Save),
      m_colors(dialogs),
      m_options(std::move(options)),
      m_programDir(m_options.programDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_options.programDir)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tallimo"));
    // Every page is laid out for the designed size; larger screens give a larger first size.
    setMinimumSize(Settings::DesignedWindowSize);
    resize(FirstWindowSize(availableSize(), minimumSize()));
    m_dialogs.setParentWindow(this);
    m_session = new PlayerSession(dataDir(), m_options.autosaveDelayMs, this);
    connect(m_session, &PlayerSession::autosaveFailed, this, [this](const QString &message) { m_dialogs.showError(message); });
    connect(m_session, &PlayerSession::damagedFilesSetAside, this, &TMainForm::showDamagedFilesSetAside);
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
    // The pages go first, while the session and the context they were built with are whole.
    m_pages.clear();
    delete m_gameControl;
    m_gameControl = nullptr;
}

void TMainForm::buildControls()
{
    m_gameControl = new QTabWidget(this);
    m_gameControl->setObjectName(QStringLiteral("GameControl"));
    m_gameControl->setDocumentMode(false);
    // Page tabs drawn as buttons. The style sheet sits on the tab bar alone: on the page control
    // it would style every page's controls too, and they would no longer draw their palettes.
    m_gameControl->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { border: 1px solid palette(dark); border-radius: 3px;"
        " padding: 4px 10px; margin: 2px; background: palette(button); }"
        "QTabBar::tab:selected { background: palette(midlight); border-style: inset; }"));

    // The Options page first: every other page reads its choices.
    m_optionsPage = std::make_unique<OptionsPage>(newSheet("OptionsSheet"));
    // Queued: the change of language refills LngListBox, which must not happen inside its own signal.
    connect(m_optionsPage.get(), &OptionsPage::languageSelected, this, &TMainForm::LngListBoxClick,
            Qt::QueuedConnection);
    connect(m_optionsPage.get(), &OptionsPage::categoryPositionClicked, this, &TMainForm::CategoryPositionBoxClick);
    connect(m_optionsPage.get(), &OptionsPage::swatchPressed, this,
            [this](ColorSwatch *swatch) { guarded([&] { chooseOptionsColor(swatch); }); });
    m_optionsPage->sheet()->installEventFilter(this);

    m_context = std::make_unique<PageContext>(PageContext{
        .window = *this,
        .session = *m_session,
        .dialogs = m_dialogs,
        .openDialog = m_openDialog,
        .saveDialog = m_saveDialog,
        .colors = m_colors,
        .options = *m_optionsPage,
        // The bar is made below, with the bottom bar.
        .progress =
            [this](qint64 position, qint64 last) {
                if (m_progress)
                    m_progress(position, last);
            },
        .guarded = [this](const std::function<void()> &handler) { return guarded(handler); },
    });
    createPages();

    m_bottomBar = new QWidget(this);
    m_bottomBar->setObjectName(QStringLiteral("BottomPanel"));
    m_progressBox = new QGroupBox(QStringLiteral("Progress"), m_bottomBar);
    m_progressBox->setObjectName(QStringLiteral("ProgressBox"));
    m_progBar = new QProgressBar(m_progressBox);
    m_progBar->setObjectName(QStringLiteral("ProgBar"));
    m_progBar->setRange(0, 100);
    m_progBar->setValue(0);
    m_progBar->setTextVisible(false);
    m_progress = ProgressOnBar(m_progBar);
    m_exitButton = new QPushButton(QStringLiteral("Exit"), m_bottomBar);
    m_exitButton->setObjectName(QStringLiteral("ExitButton"));
    connect(m_exitButton, &QPushButton::clicked, this, &TMainForm::ExitButtonClick);
}

// The page control's tabs in their order, and the pages inside them.
void TMainForm::createPages()
{
    addPage<MaintenancePage>("MaintenanceSheet", "Maintenance");
    addPage<TopPage>(); // on the Maintenance page's "Top List" sheet
    addPage<OverviewPage>("OverviewSheet", "Overview");
    addPage<ImportExportPage>("ImportExportSheet", "Im- / Export");
    m_gameControl->addTab(m_optionsPage->sheet(), QStringLiteral("Options"));
    m_gameControl->addTab(newSheet("HelpSheet"), QStringLiteral("Help"));
    m_gameControl->addTab(newSheet("AboutSheet"), QStringLiteral("About"));
    m_aboutPage = std::make_unique<AboutPage>(sheet("AboutSheet"), m_dialogs);
}

void TMainForm::addSheet(const char *name, const char *caption)
{
    m_gameControl->addTab(newSheet(name), QString::fromLatin1(caption));
}

QWidget *TMainForm::newSheet(const char *name)
{
    auto *sheet = new QWidget;
    sheet->setObjectName(QLatin1String(name));
    return sheet;
}

QWidget *TMainForm::sheet(const char *name) const
{
    return m_gameControl->findChild<QWidget *>(QLatin1String(name));
}

void TMainForm::FormCreate()
{
    // Key preview: the window sees key presses before the focused control.
    qApp->installEventFilter(this);

    TSplashScreen splash;
    splash.show();
    // The language question and every report of the start come above the splash.
    splash.giveWayTo(m_dialogs);
    auto progress = [&](int percent, int milliseconds) {
        if (m_options.splashProbe) {
            splash.gauge()->setValue(percent);
            m_options.splashProbe(percent, milliseconds);
        } else {
            SetSplashProgress(splash, percent, milliseconds);
        }
    };
    progress(10, 0);

    // The program keeps everything in Data/; a missing folder is made rather than failing every save.
    QDir().mkpath(dataDir());
    // A save that was cut off is finished or undone before any file is read.
    guarded([&] { m_session->files().recoverInterruptedSave(); });

    const bool loaded = guarded([&] {
        LoadSettings();
        progress(25, 0);
        // Player 1; the load lists its games and shows the first one.
        LoadPlayerData();
        progress(50, 0);
        progress(75, 0);
    });
    // The last overview is read even when player 1's files could not be, so the next save keeps it.
    const bool overviewRead = guarded([&] { m_session->readOverview(); });
    if (loaded && overviewRead)
        progress(100, 500);
}

int TMainForm::currentPlayer() const
{
    return m_session->currentPlayer();
}

int TMainForm::currentCategory() const
{
    return m_session->currentCategory();
}

const PlayerState &TMainForm::player() const
{
    return m_session->data();
}

const RowList &TMainForm::OverView() const
{
    return m_session->overview();
}

const PlayerFiles &TMainForm::playerFiles() const
{
    return m_session->files();
}

PictureHandlers &TMainForm::pictures() const
{
    return maintenancePage().pictures();
}

PlayerSelection &TMainForm::playerSelection() const
{
    return maintenancePage().playerSelection();
}

Progress TMainForm::progress() const
{
    return m_progress;
}

void TMainForm::LoadPlayerData()
{
    LoadPlayerData(m_session->currentPlayer());
}

void TMainForm::LoadPlayerData(int player)
{
    LoadPlayer(*m_context, player);
}

void TMainForm::SavePlayerData()
{
    m_session->save();
}

void TMainForm::LoadSettings()
{
    const QStringList languages = Settings::languageEntries(m_programDir);
    const ProgramSettings settings = Settings::LoadSettings(m_programDir, languages, m_dialogs, screenSize(), size());
    m_optionsPage->setLanguages(languages);
    m_optionsPage->reset(settings);
    m_session->setPlayerNames(QStringList(settings.playerNames.begin(), settings.playerNames.end()));
    // A position stored on a screen that is no longer there, or that has shrunk, is brought back.
    winId(); // the platform window knows the frame
    move(PlaceOnScreen(QRect(settings.windowPosition, frameGeometry().size()), AvailableScreenAreas()));
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
        m_session->setPlayerNames(QStringList(names.begin(), names.end()));
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
    return maintenancePage().CategoryPanelOf(n);
}

PlayerPanel *TMainForm::PlayerButtonOf(int n) const
{
    return playerSelection().PlayerButtonOf(n);
}

void TMainForm::FillGamesList()
{
    maintenancePage().FillGamesList();
}

void TMainForm::UpdateButtons()
{
    maintenancePage().UpdateButtons();
}

void TMainForm::chooseOptionsColor(ColorSwatch *swatch)
{
    if (!m_colors.choose(*swatch))
        return;
    const qint32 chosen = swatch->colorValue();
    if (swatch == m_optionsPage->windowColor())
        setWindowColor(chosen);
    else if (swatch == m_optionsPage->msgStartColor())
        SetGradientStartColor(chosen);
    else if (swatch == m_optionsPage->msgEndColor())
        SetGradientEndColor(chosen);
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
    return true;
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize()
{
    if (!m_gameControl)
        return;
    const int w = width();
    const int h = height();
    m_gameControl->setGeometry(0, 0, w, h - BottomBarHeight);
    m_bottomBar->setGeometry(0, h - BottomBarHeight, w, BottomBarHeight);
    m_progressBox->setGeometry(4, 0, 165, BottomBarHeight - 4);
    m_progBar->setGeometry(8, 18, 149, 17);
    m_exitButton->setGeometry(176, 8, w - 180, 33);
    if (m_optionsPage)
        m_optionsPage->centreOptionsBox();
    for (ProgramPage *page : m_pages)
        page->windowResized();
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

QString TMainForm::playerName(int player) const
{
    return m_session->playerName(player);
}

void TMainForm::setPlayerName(int player, const QString &name)
{
    m_session->setPlayerName(player, name);
}

void TMainForm::refreshPlayerNames()
{
    // Every list of the names is filled again, as after a change of language.
    m_session->setPlayerNames(m_session->playerNames());
}

QSize TMainForm::screenSize() const
{
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->geometry().size() : QSize();
}

QSize TMainForm::availableSize() const
{
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->availableGeometry().size() : QSize();
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
}

void TMainForm::translateWindow()
{
    TranslateForm(this);
    for (ProgramPage *page : m_pages)
        page->retranslate();
}

void TMainForm::placeCategoryBar(int position)
{
    m_categoryBarPosition = position == 1 ? 1 : 0;
    maintenancePage().placeCategoryBar(m_categoryBarPosition);
}

void TMainForm::fillHelpFileList() {}

ListHeaders TMainForm::listHeaders() const
{
    auto titles = [](const QAbstractItemModel &model, int first, int count) {
        QStringList shown;
        for (int column = first; column < first + count; ++column)
            shown.append(model.headerData(column, Qt::Horizontal).toString());
        return shown;
    };
    // No., Game, Category, the ten players, Best.
    const QStringList overview = overviewPage().shownHeader();
    return {
        .recordColumns = titles(*maintenancePage().recordsPage().displayRecView()->model(), 1, 3),
        .topColumns = titles(*topPage().model(), 0, 5),
        .gamesGridCells = overview.mid(0, 3),
        .bestCell = overview.value(3 + Overview::PlayerCount),
    };
}

void TMainForm::showDamagedFilesSetAside(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names.append(QDir::toNativeSeparators(path));
    const QString text = LngText(QStringLiteral("Messages"),
                                 QStringLiteral("The files of this player could not be read completely. "
                                                "They have been kept unchanged as:"));
    m_dialogs.msgBox(text + u'\n' + names.join(u'\n'), QString(), QStringLiteral("i"));
}
