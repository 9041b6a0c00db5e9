#pragma once

#include "keeping/MaintenancePage.h"
#include "keeping/PageContext.h"
#include "lists/ImportExportPage.h"
#include "lists/OverviewPage.h"
#include "lists/TopPage.h"
#include "platform/SharedFileDialog.h"
#include "services/ColorChoice.h"
#include "session/PlayerSession.h"
#include "services/Settings.h"
#include "store/ListRows.h"
#include "store/PlayerFiles.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class AboutPage;
class CategoryPanel;
class ColorSwatch;
class Dialogs;
class OptionsPage;
class PictureHandlers;
class PlayerPanel;
class PlayerSelection;
class QGroupBox;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;

struct MainFormOptions
{
    // The folder that holds Data/, LScripts/, Help/ and Texts/; the executable's folder by default.
    QString programDir;
    // Called with each splash step (percent, milliseconds to wait) instead of waiting.
    std::function<void(int percent, int milliseconds)> splashProbe;
    // How long after the last edit the edited files are saved.
    int autosaveDelayMs = 2000;
};

// The main window: holds the player session, creates the pages in one place, and runs start-up
// and exit.
class TMainForm : public QWidget
{
    Q_OBJECT

public:
    TMainForm(Dialogs &dialogs, MainFormOptions options = {});
    ~TMainForm() override;

    PlayerSession &session() { return *m_session; }
    const PlayerSession &session() const { return *m_session; }
    int currentPlayer() const;
    int currentCategory() const;
    const PlayerState &player() const;
    const RowList &OverView() const;
    const PlayerFiles &playerFiles() const;
    QString programDir() const { return m_programDir; }
    QString dataDir() const { return m_programDir + QStringLiteral("/Data"); }
    Dialogs &dialogs() { return m_dialogs; }
    // The open and save file dialogs that every page shares.
    SharedFileDialog &openDialog() { return m_openDialog; }
    SharedFileDialog &saveDialog() { return m_saveDialog; }
    OptionsPage &optionsPage() { return *m_optionsPage; }
    AboutPage &aboutPage() { return *m_aboutPage; }
    MaintenancePage &maintenancePage() const { return *page<MaintenancePage>(); }
    PictureHandlers &pictures() const;
    PlayerSelection &playerSelection() const;
    TopPage &topPage() const { return *page<TopPage>(); }
    ImportExportPage &importExportPage() const { return *page<ImportExportPage>(); }
    OverviewPage &overviewPage() const { return *page<OverviewPage>(); }

    // Loads the current player, or player `player` as the current one.
    void LoadPlayerData();
    void LoadPlayerData(int player);
    void SavePlayerData();
    void LoadSettings();
    void SaveSettings();

    // The category bar and the games list (the "Maintenance" page does the work).
    CategoryPanel *CategoryPanelOf(int n) const;
    // The player panels; their captions are the player names.
    PlayerPanel *PlayerButtonOf(int n) const;
    void FillGamesList();
    void UpdateButtons();

    // The window's background colour value, as last set from WindowColor.
    qint32 windowColor() const { return m_windowColor; }
    // 0: the category bar on the left, 1: on the right.
    int categoryBarPosition() const { return m_categoryBarPosition; }
    // The column and cell titles the lists show.
    ListHeaders listHeaders() const;
    // The progress bar as long work reports to it.
    Progress progress() const;

    // Runs a handler; an error it raises is shown in the general error box. True when it ended well.
    bool guarded(const std::function<void()> &handler);

    QString playerName(int player) const;
    void setPlayerName(int player, const QString &name);
    void refreshPlayerNames();

    // 0: the category bar on the left, 1: on the right.
    void placeCategoryBar(int position);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void ExitButtonClick();
    void LngListBoxClick();
    void CategoryPositionBoxClick();

private:
    template<typename Page>
    Page *page() const
    {
        for (ProgramPage *each : m_pages)
            if (auto *found = qobject_cast<Page *>(each))
                return found;
        return nullptr;
    }
    // The pages, each built from the context on its sheet.
    void createPages();
    // A page on a new tab of the page control, or on a sheet that another page made.
    template<typename Page>
    void addPage(const char *sheetName = nullptr, const char *caption = nullptr)
    {
        if (sheetName)
            addSheet(sheetName, caption);
        m_pages.push_back(new Page(*m_context));
    }
    void addSheet(const char *name, const char *caption);
    static QWidget *newSheet(const char *name);
    QWidget *sheet(const char *name) const;
    void chooseOptionsColor(ColorSwatch *swatch);
    void showDamagedFilesSetAside(const QStringList &paths);
    void FormCreate();
    bool FormClose();
    void FormResize();
    bool FormKeyDown(QKeyEvent *event);
    void buildControls();

    // What the settings set in the window.
    QSize screenSize() const;
    // The part of the screen that windows may take (without task bars and docks).
    QSize availableSize() const;
    void setWindowColor(qint32 color);
    // Every text of the active script: the window, the player names, the help file list, the
    // About text, the dialogs, the lists' titles.
    void applyLanguageTexts();
    void translateWindow();
    void fillHelpFileList();

    Dialogs &m_dialogs;
    SharedFileDialog m_openDialog;
    SharedFileDialog m_saveDialog;
    ColorChoice m_colors;
    MainFormOptions m_options;
    QString m_programDir;
    PlayerSession *m_session = nullptr;
    std::unique_ptr<PageContext> m_context;
    std::vector<ProgramPage *> m_pages;

    qint32 m_windowColor = 0;
    int m_categoryBarPosition = 0;

    std::unique_ptr<OptionsPage> m_optionsPage;
    std::unique_ptr<AboutPage> m_aboutPage;

    QTabWidget *m_gameControl = nullptr;
    QWidget *m_bottomBar = nullptr;
    QGroupBox *m_progressBox = nullptr;
    QProgressBar *m_progBar = nullptr;
    Progress m_progress;
    QPushButton *m_exitButton = nullptr;
};
