#pragma once

#include "platform/ListLineColors.h"

#include <QObject>
#include <QStringList>

#include <array>

class ColorSwatch;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QWidget;
class RadioGroup;
struct ProgramSettings;

// The controls of the "Options" page. While the program runs the settings live in these
// controls; the rest of the program reads them here.
class OptionsPage : public QObject
{
    Q_OBJECT

public:
    // Builds OptionsBox and its groups on the page.
    explicit OptionsPage(QWidget *sheet);

    QWidget *sheet() const { return m_sheet; }
    QGroupBox *optionsBox() const { return m_optionsBox; }
    QListWidget *genOptListBox() const { return m_genOptListBox; }
    QListWidget *lngListBox() const { return m_lngListBox; }
    QCheckBox *lineColorChkBox() const { return m_lineColorChkBox; }
    ColorSwatch *lineColor1() const { return m_lineColor1; }
    ColorSwatch *lineColor2() const { return m_lineColor2; }
    QComboBox *firstWeekdayCombo() const { return m_firstWeekdayCombo; }
    RadioGroup *categoryPositionBox() const { return m_categoryPositionBox; }
    ColorSwatch *msgStartColor() const { return m_msgStartColor; }
    ColorSwatch *msgEndColor() const { return m_msgEndColor; }
    ColorSwatch *windowColor() const { return m_windowColor; }
    QList<ColorSwatch *> swatches() const;

    // The ticks of GenOptListBox, item 0 being "Do not show exit dialog".
    static constexpr std::array OptionTexts{"Do not show exit dialog"};
    static constexpr int optionCount() { return int(OptionTexts.size()); }
    bool option(int index) const;
    void setOption(int index, bool ticked);
    bool doNotShowExitDialog() const { return option(0); }

    bool alternatingLines() const;
    void setAlternatingLines(bool alternating);

    // 0 = Sunday .. 6 = Saturday.
    int firstWeekday() const;
    // Alternating lines and the two line colours, as the lists draw them.
    ListLineColors lineColors() const;
    void setFirstWeekday(int day);

    // 0 = left, 1 = right.
    int categoryPosition() const;
    void setCategoryPosition(int position);

    // The entries of LngListBox; an unchanged list keeps its items.
    void setLanguages(const QStringList &entries);
    QStringList languages() const;
    // Selects the entry equal to fileName without regard to letter case; with none, nothing
    // is selected and false returned. Emits no languageSelected().
    bool selectLanguage(const QString &fileName);
    // The selected entry; empty when nothing is selected.
    QString selectedLanguage() const;

    // The settings of the page into its controls (the language selected as by selectLanguage),
    // and back out of them; player names, window position and state are not the page's.
    void reset(const ProgramSettings &settings);
    void apply(ProgramSettings &settings) const;

    // OptionsBox centred in the page.
    void centreOptionsBox();

signals:
    // The user selected an entry of LngListBox.
    void languageSelected();
    // A colour swatch of the page was pressed.
    void swatchPressed(ColorSwatch *swatch);
    // The user clicked a button of CategoryPositionBox.
    void categoryPositionClicked(int index);

private:
    ColorSwatch *addSwatch(const char *name, QWidget *parent, int left, int top, int width, int height);

    QWidget *m_sheet;
    QGroupBox *m_optionsBox = nullptr;
    QListWidget *m_genOptListBox = nullptr;
    QListWidget *m_lngListBox = nullptr;
    QCheckBox *m_lineColorChkBox = nullptr;
    ColorSwatch *m_lineColor1 = nullptr;
    ColorSwatch *m_lineColor2 = nullptr;
    QComboBox *m_firstWeekdayCombo = nullptr;
    RadioGroup *m_categoryPositionBox = nullptr;
    ColorSwatch *m_msgStartColor = nullptr;
    ColorSwatch *m_msgEndColor = nullptr;
    ColorSwatch *m_windowColor = nullptr;
    bool m_settingLanguages = false;
};
