#include "services/OptionsPage.h"

#include "platform/RadioGroup.h"
#include "services/ColorSwatch.h"
#include "services/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QScopedValueRollback>

namespace {

QGroupBox *addGroup(const char *name, const char *caption, QWidget *parent, int left, int top, int width, int height)
{
    auto *box = new QGroupBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(left, top, width, height);
    return box;
}

QLabel *addLabel(const char *name, const char *caption, QWidget *parent, int left, int top, int width, int height)
{
    auto *label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(left, top, width, height);
    return label;
}

} // namespace

OptionsPage::OptionsPage(QWidget *sheet) : QObject(nullptr), m_sheet(sheet)
{
    m_optionsBox = addGroup("OptionsBox", "Program options", sheet, 48, 72, 513, 241);

    QGroupBox *allOptBox = addGroup("AllOptBox", "General options", m_optionsBox, 8, 16, 209, 113);
    m_genOptListBox = new QListWidget(allOptBox);
    m_genOptListBox->setObjectName(QStringLiteral("GenOptListBox"));
    m_genOptListBox->setGeometry(8, 18, 193, 87);
    // Long option texts (in other languages) wrap instead of hiding behind a scroll bar.
    m_genOptListBox->setWordWrap(true);
    m_genOptListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_genOptListBox->setTextElideMode(Qt::ElideNone);
    for (const char *text : OptionTexts) {
        auto *option = new QListWidgetItem(QString::fromLatin1(text), m_genOptListBox);
        option->setFlags(option->flags() | Qt::ItemIsUserCheckable);
        option->setCheckState(Qt::Unchecked);
    }

    QGroupBox *sprachbox = addGroup("Sprachbox", "Language", m_optionsBox, 224, 16, 129, 113);
    m_lngListBox = new QListWidget(sprachbox);
    m_lngListBox->setObjectName(QStringLiteral("LngListBox"));
    m_lngListBox->setGeometry(8, 18, 113, 87);
    m_lngListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_lngListBox, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_settingLanguages && !selectedLanguage().isEmpty())
            emit languageSelected();
    });

    QGroupBox *lineColorBox = addGroup("ListLineColorBox", "List line color", m_optionsBox, 360, 16, 145, 113);
    m_lineColorChkBox = new QCheckBox(QStringLiteral("alternating"), lineColorBox);
    m_lineColorChkBox->setObjectName(QStringLiteral("LineColorChkBox"));
    m_lineColorChkBox->setGeometry(8, 20, 129, 21);
    QLabel *color1Label = addLabel("LineColor1Label", "Color 1:", lineColorBox, 8, 52, 60, 21);
    m_lineColor1 = addSwatch("LineColor1", lineColorBox, 72, 52, 57, 21);
    color1Label->setBuddy(m_lineColor1);
    QLabel *color2Label = addLabel("LineColor2Label", "Color 2:", lineColorBox, 8, 82, 60, 21);
    m_lineColor2 = addSwatch("LineColor2", lineColorBox, 72, 82, 57, 21);
    color2Label->setBuddy(m_lineColor2);

    QGroupBox *weekdayBox = addGroup("FirstWeekdayBox", "First day of the week", m_optionsBox, 8, 136, 161, 45);
    m_firstWeekdayCombo = new QComboBox(weekdayBox);
    m_firstWeekdayCombo->setObjectName(QStringLiteral("FirstWeekdayCombo"));
    m_firstWeekdayCombo->setGeometry(8, 17, 145, 22);
    m_firstWeekdayCombo->addItems(
        {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"});
    m_firstWeekdayCombo->setCurrentIndex(0);

    m_categoryPositionBox = new RadioGroup(m_optionsBox);
    m_categoryPositionBox->setObjectName(QStringLiteral("CategoryPositionBox"));
    m_categoryPositionBox->setTitle(QStringLiteral("Category bar position"));
    m_categoryPositionBox->setGeometry(176, 136, 177, 97);
    m_categoryPositionBox->setItems({QStringLiteral("Left"), QStringLiteral("Right")});
    m_categoryPositionBox->setColumns(2);
    m_categoryPositionBox->setItemIndex(0);
    connect(m_categoryPositionBox, &RadioGroup::clicked, this, &OptionsPage::categoryPositionClicked);

    QGroupBox *messageBox = addGroup("MessageWindowBox", "Message window", m_optionsBox, 360, 136, 145, 97);
    QLabel *startLabel = addLabel("MsgStartColorLabel", "Start color:", messageBox, 8, 30, 86, 21);
    m_msgStartColor = addSwatch("MsgStartColor", messageBox, 96, 30, 41, 21);
    startLabel->setBuddy(m_msgStartColor);
    QLabel *endLabel = addLabel("MsgEndColorLabel", "End color:", messageBox, 8, 62, 86, 21);
    m_msgEndColor = addSwatch("MsgEndColor", messageBox, 96, 62, 41, 21);
    endLabel->setBuddy(m_msgEndColor);

    QGroupBox *windowColorBox = addGroup("WindowColorBox", "Window color", m_optionsBox, 8, 184, 161, 49);
    m_windowColor = addSwatch("WindowColor", windowColorBox, 8, 20, 145, 21);
}

ColorSwatch *OptionsPage::addSwatch(const char *name, QWidget *parent, int left, int top, int width, int height)
{
    auto *swatch = new ColorSwatch(parent);
    swatch->setObjectName(QLatin1String(name));
    swatch->setGeometry(left, top, width, height);
    connect(swatch, &ColorSwatch::pressed, this, [this, swatch] { emit swatchPressed(swatch); });
    return swatch;
}

QList<ColorSwatch *> OptionsPage::swatches() const
{
    return {m_lineColor1, m_lineColor2, m_msgStartColor, m_msgEndColor, m_windowColor};
}

bool OptionsPage::option(int index) const
{
    const QListWidgetItem *item = m_genOptListBox->item(index);
    return item && item->checkState() == Qt::Checked;
}

void OptionsPage::setOption(int index, bool ticked)
{
    if (QListWidgetItem *item = m_genOptListBox->item(index))
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

bool OptionsPage::alternatingLines() const
{
    return m_lineColorChkBox->isChecked();
}

void OptionsPage::setAlternatingLines(bool alternating)
{
    m_lineColorChkBox->setChecked(alternating);
}

int OptionsPage::firstWeekday() const
{
    return m_firstWeekdayCombo->currentIndex();
}

void OptionsPage::setFirstWeekday(int day)
{
    m_firstWeekdayCombo->setCurrentIndex(day);
}

int OptionsPage::categoryPosition() const
{
    return m_categoryPositionBox->itemIndex();
}

void OptionsPage::setCategoryPosition(int position)
{
    m_categoryPositionBox->setItemIndex(position);
}

void OptionsPage::setLanguages(const QStringList &entries)
{
    if (languages() == entries)
        return; // the list may be refilled while its own selection signal runs
    const QScopedValueRollback<bool> quiet(m_settingLanguages, true);
    m_lngListBox->clear();
    m_lngListBox->addItems(entries);
}

QStringList OptionsPage::languages() const
{
    QStringList entries;
    for (int i = 0; i < m_lngListBox->count(); ++i)
        entries.append(m_lngListBox->item(i)->text());
    return entries;
}

bool OptionsPage::selectLanguage(const QString &fileName)
{
    const QScopedValueRollback<bool> quiet(m_settingLanguages, true);
    for (int i = 0; i < m_lngListBox->count(); ++i) {
        if (m_lngListBox->item(i)->text().compare(fileName, Qt::CaseInsensitive) == 0) {
            m_lngListBox->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    m_lngListBox->clearSelection();
    m_lngListBox->setCurrentRow(-1, QItemSelectionModel::Clear);
    return false;
}

QString OptionsPage::selectedLanguage() const
{
    const QList<QListWidgetItem *> selected = m_lngListBox->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void OptionsPage::reset(const ProgramSettings &settings)
{
    selectLanguage(settings.language);
    for (int i = 0; i < optionCount(); ++i)
        setOption(i, settings.options[size_t(i)]);
    setAlternatingLines(settings.alternatingLines);
    m_lineColor1->setColorValue(settings.lineColor1);
    m_lineColor2->setColorValue(settings.lineColor2);
    setFirstWeekday(settings.firstWeekday);
    m_msgStartColor->setColorValue(settings.msgStartColor);
    m_msgEndColor->setColorValue(settings.msgEndColor);
    m_windowColor->setColorValue(settings.windowColor);
    setCategoryPosition(settings.categoryPosition);
}

void OptionsPage::apply(ProgramSettings &settings) const
{
    settings.language = selectedLanguage();
    for (int i = 0; i < optionCount(); ++i)
        settings.options[size_t(i)] = option(i);
    settings.alternatingLines = alternatingLines();
    settings.lineColor1 = m_lineColor1->colorValue();
    settings.lineColor2 = m_lineColor2->colorValue();
    settings.firstWeekday = firstWeekday();
    settings.msgStartColor = m_msgStartColor->colorValue();
    settings.msgEndColor = m_msgEndColor->colorValue();
    settings.windowColor = m_windowColor->colorValue();
    settings.categoryPosition = categoryPosition();
}

void OptionsPage::centreOptionsBox()
{
    m_optionsBox->move(m_sheet->width() / 2 - m_optionsBox->width() / 2,
                       m_sheet->height() / 2 - m_optionsBox->height() / 2);
}

ListLineColors OptionsPage::lineColors() const
{
    return {alternatingLines(), m_lineColor1->colorValue(), m_lineColor2->colorValue()};
}
