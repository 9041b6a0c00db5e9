#pragma once

#include "keeping/KeepingContext.h"
#include "platform/SharedFileDialog.h"
#include "services/Settings.h"
#include "store/ListRows.h"
#include "store/PlayerFiles.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class AboutPage;
class CategoryPanel;
class MaintenancePage;
class ColorSwatch;
class Dialogs;
class ImportExportPage;
class OptionsPage;
class PictureHandlers;
class PlayerPanel;
class PlayerSelection;
class OverviewPage;
class QGroupBox;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;
class TopPage;

struct MainFormOptions
{
    // The folder that holds Data/, LScripts/, Help/ and Texts/; the executable's folder by default.
    QString programDir;
    // Called with each splash step (percent, milliseconds to wait) instead of waiting.
    std::function<void(int percent, int milliseconds)> splashProbe;
    // How long after the last edit the edited files are saved.
    int autosaveDelayMs = 2000;
};

// The main window: owns the shared state of the whole run and runs start-up and exit.
class TMainForm : public QWidget, public PlayerWindow, public KeepingContext
{
    Q_OBJECT

public:
    TMainForm(Dialogs &dialogs, MainFormOptions options = {});
    ~TMainForm() override;

    // Shared state.
    int CurrentPlayer = 1;
    int CurrentCategory = 1;
    PlayerState &player() { return m_player; }
    RowList &OverView() { return m_overView; }
    const PlayerFiles &playerFiles() const { return m_files; }
    QString programDir() const { return m_programDir; }
    QString dataDir() const { return m_programDir + QStringLiteral("/Data"); }
    Dialogs &dialogs() override { return m_dialogs; }
    SharedFileDialog &openDialog() override { return m_openDialog; }
    SharedFileDialog &saveDialog() override { return m_saveDialog; }
    OptionsPage &optionsPage() { return *m_optionsPage; }
    MaintenancePage &maintenancePage() { return *m_maintenance; }
    PictureHandlers &pictures() { return *m_pictures; }
    PlayerSelection &playerSelection() { return *m_players; }
    TopPage &topPage() { return *m_topPage; }
    AboutPage &aboutPage() { return *m_aboutPage; }
    ImportExportPage &importExportPage() { return *m_importExport; }
    OverviewPage &overviewPage() { return *m_overviewPage; }

    void LoadPlayerData();
    void SavePlayerData();
    void LoadSettings();
    void SaveSettings();

    // The category bar and the games list (the "Maintenance" page does the work).
    CategoryPanel *CategoryPanelOf(int n) const;
    // The player panels; their captions are the player names.
    PlayerPanel *PlayerButtonOf(int n) const;
    void FillGamesList();
    void UpdateButtons();

    // The shared handler of every colour swatch: the colour dialog, then what the swatch sets.
    void CatColorMouseDown(ColorSwatch *swatch);

    // The window's background colour value, as last set from WindowColor.
    qint32 windowColor() const { return m_windowColor; }
    // 0: the category bar on the left, 1: on the right.
    int categoryBarPosition() const { return m_categoryBarPosition; }
    // The lists' column and cell titles of the active language.
    const ListHeaders &listHeaders() const { return m_listHeaders; }

    // Runs a handler; an error it raises is shown in the general error box. True when it ended well.
    bool guarded(const std::function<void()> &handler);

    // PlayerWindow
    QString defaultCategoryName(int category) override;
    void setCategoryPanel(int category, const QString &caption, qint32 color) override;
    QString categoryPanelCaption(int category) const override;
    qint32 categoryPanelColor(int category) const override;
    void selectFirstCategory() override;
    void updateButtons() override;
    void refreshPlayerNames() override;
    QString playerName(int player) const override;
    void setPlayerName(int player, const QString &name) override;

    // KeepingContext
    PlayerState &playerState() override { return m_player; }
    int currentCategory() const override { return CurrentCategory; }
    int selectedGameIndex() const override;
    QProgressBar *progressBar() override { return m_progBar; }
    QWidget *mainWindow() override { return this; }
    int firstWeekday() const override;
    ListLineColors lineColors() const override;
    // Marks the files as unsaved and saves them once no edit has followed for a moment.
    void playerChanged(DataFiles changed) override;

    // 0: the category bar on the left, 1: on the right.
    void placeCategoryBar(int position);
    void showCategoryProperties(int category) override;
    void playerPictureChanged() override;
    void topListChanged() override;
    void damagedFilesSetAside(const QStringList &paths) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void ExitButtonClick();
    void LngListBoxClick();
    void CategoryPositionBoxClick();

private:
    void FormCreate();
    bool FormClose();
    void FormResize();
    bool FormKeyDown(QKeyEvent *event);
    void buildControls();
    void readOverviewFile();
    // After an import over the current player's files: that player loaded again and shown.
    void reloadCurrentPlayer();
    // The autosave: writes the files with unsaved edits, unless the player's data is in use.
    void saveUnsavedFiles();

    // What the settings set in the window.
    QSize screenSize() const;
    void setWindowColor(qint32 color);
    // Every text of the active script: the window, the player names, the help file list, the
    // About text, the dialogs, the lists' titles.
    void applyLanguageTexts();
    void translateWindow();
    void fillHelpFileList();
    void setListHeaders(const ListHeaders &headers);

    Dialogs &m_dialogs;
    SharedFileDialog m_openDialog;
    SharedFileDialog m_saveDialog;
    MainFormOptions m_options;
    QString m_programDir;
    PlayerFiles m_files;
    PlayerState m_player;
    RowList m_overView;
    QTimer *m_autosaveTimer = nullptr;
    // Above 0 while a player is loaded or saved, or the overview or an import reads or writes
    // players' files: no autosave then.
    int m_busy = 0;

    qint32 m_windowColor = 0;
    int m_categoryBarPosition = 0;
    ListHeaders m_listHeaders;
    qint32 m_lastConfirmedColor = 0; // where the colour dialog starts: black until a colour is confirmed

    std::unique_ptr<OptionsPage> m_optionsPage;
    std::unique_ptr<AboutPage> m_aboutPage;
    MaintenancePage *m_maintenance = nullptr;
    ImportExportPage *m_importExport = nullptr;
    PictureHandlers *m_pictures = nullptr;
    PlayerSelection *m_players = nullptr;
    OverviewPage *m_overviewPage = nullptr;
    TopPage *m_topPage = nullptr;

    QTabWidget *m_gameControl = nullptr;
    QWidget *m_bottomBar = nullptr;
    QGroupBox *m_progressBox = nullptr;
    QProgressBar *m_progBar = nullptr;
    QPushButton *m_exitButton = nullptr;
};
