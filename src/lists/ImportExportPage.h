#pragma once

#include "keeping/PageContext.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;
class RadioGroup;

// The "Im- / Export" page: one player's records and player files written into one exchange
// file, or such a file written back as the data of a chosen player.
class ImportExportPage : public ProgramPage
{
    Q_OBJECT

public:
    enum Task { Export = 0, Import = 1 };

    // Builds ImportExportBox centred on the page.
    explicit ImportExportPage(PageContext &context);

    QWidget *sheet() const { return m_sheet; }
    QGroupBox *importExportBox() const { return m_box; }
    RadioGroup *taskBox() const { return m_taskBox; }
    QLineEdit *filePathEdit() const { return m_filePathEdit; }
    QToolButton *findPathButton() const { return m_findPathButton; }
    QComboBox *playerCombo() const { return m_playerCombo; }
    QPushButton *exportButton() const { return m_exportButton; }
    QPushButton *importButton() const { return m_importButton; }

    // Refills IEPlayerCombo with the names and selects the first.
    void setPlayerNames(const QStringList &names);
    // The player number of the chosen entry (entry i is player i + 1); 0 with none chosen.
    int chosenPlayer() const;

    // The names screen readers give the path field and the player list: their boxes' captions,
    // as the language script has them.
    void retranslate() override;

    // Handlers.
    void TaskBoxClick();
    void FindPathButtonClick();
    void FilePathEditChange();
    void ExportButtonClick();
    void ImportButtonClick();

private:
    void build();
    void setProgress(int position);
    bool confirmImport(int player);

    QWidget *m_sheet;
    PageContext &m_context;

    QGroupBox *m_box = nullptr;
    RadioGroup *m_taskBox = nullptr;
    QLineEdit *m_filePathEdit = nullptr;
    QToolButton *m_findPathButton = nullptr;
    QComboBox *m_playerCombo = nullptr;
    QPushButton *m_exportButton = nullptr;
    QPushButton *m_importButton = nullptr;
};
