#pragma once

#include "store/ListRows.h"
#include "store/PlayerFiles.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class Dialogs;
class QGroupBox;
class QProgressBar;
class QPushButton;
class QTabWidget;

struct MainFormOptions
{
    // The folder that holds Data/, LScripts/, Help/ and Texts/; the executable's folder by default.
    QString programDir;
    // Called with each splash step (percent, milliseconds to wait) instead of waiting.
    std::function<void(int percent, int milliseconds)> splashProbe;
};

// The main window: owns the shared state of the whole run and runs start-up and exit.
class TMainForm : public QWidget, public PlayerWindow
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
    Dialogs &dialogs() { return m_dialogs; }

    void LoadPlayerData();
    void SavePlayerData();

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

private:
    void FormCreate();
    bool FormClose();
    void FormResize();
    bool FormKeyDown(QKeyEvent *event);
    void buildControls();
    void readOverviewFile();

    Dialogs &m_dialogs;
    MainFormOptions m_options;
    QString m_programDir;
    PlayerFiles m_files;
    PlayerState m_player;
    RowList m_overView;

    struct CategoryPanelState
    {
        QString caption;
        qint32 color = 0;
    };
    std::array<CategoryPanelState, 5> m_categoryPanels;
    std::array<QString, 10> m_playerNames;

    QTabWidget *m_gameControl = nullptr;
    QWidget *m_bottomBar = nullptr;
    QGroupBox *m_progressBox = nullptr;
    QProgressBar *m_progBar = nullptr;
    QPushButton *m_exitButton = nullptr;
};
