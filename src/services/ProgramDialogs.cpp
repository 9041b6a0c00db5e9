#include "services/ProgramDialogs.h"

#include "platform/ColorValue.h"
#include "services/DateCal.h"
#include "services/GradientDialogFrame.h"
#include "services/MessDlg.h"
#include "services/NumPad.h"
#include "services/PictureWindow.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

bool ProgramDialogs::msgBox(const QString &text, const QString &caption, const QString &kind)
{
    const Open open(*this);
    return MsgBox(text, caption, kind, parentWindow());
}

QString ProgramDialogs::inputText(const QString &prompt, bool hidden)
{
    const Open open(*this);
    return InputText(prompt, hidden, parentWindow());
}

QString ProgramDialogs::selectFromList(const QString &prompt, const QString &choices)
{
    const Open open(*this);
    return SelectFromList(prompt, choices, parentWindow());
}

void ProgramDialogs::showError(const QString &message)
{
    const Open open(*this);
    EnsureDialogTexts();
    using Frame = GradientDialogFrame;
    Frame box(message, Frame::Icon::Critical, {{QStringLiteral("OKButton"), DialogTexts().ok, Frame::OkEnding}},
              GradientStartColor(), GradientEndColor(), parentWindow());
    box.setObjectName(QStringLiteral("ErrorForm"));
    box.setWindowTitle(QStringLiteral("Tallimo"));
    box.setDefaultButton(box.buttons().first());
    box.setCancelButton(box.buttons().first());
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

std::optional<qint32> ProgramDialogs::chooseColor(qint32 initial)
{
    const Open open(*this);
    const QColor chosen = QColorDialog::getColor(ColorValue::toColor(initial), parentWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return ColorValue::fromColor(chosen);
}

QString ProgramDialogs::openFileName(const QString &filter, int &filterIndex, const QString &initialDir)
{
    return fileName(FileDialogMode::Open, filter, filterIndex, initialDir);
}

QString ProgramDialogs::saveFileName(const QString &filter, int &filterIndex, const QString &initialDir)
{
    return fileName(FileDialogMode::Save, filter, filterIndex, initialDir);
}

QString ProgramDialogs::fileName(FileDialogMode mode, const QString &filter, int &filterIndex,
                                 const QString &initialDir)
{
    const Open open(*this);
    QFileDialog dialog(parentWindow(), QString(), initialDir);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (mode == FileDialogMode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    const QStringList filters = nameFilters(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(filterIndex - 1, filters.first()));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    if (!filters.isEmpty())
        filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles().first();
}

bool ProgramDialogs::shellOpen(const QString &target)
{
    return QDesktopServices::openUrl(shellUrl(target));
}

void ProgramDialogs::showPicture(const QImage &picture, const QString &title)
{
    ShowPictureWindow(parentWindow(), picture, title);
}

QString ProgramDialogs::numberPad(const QString &start)
{
    const Open open(*this);
    return RunNumPad(parentWindow(), start);
}

std::optional<int> ProgramDialogs::calendar(int dateNumber, int firstWeekday)
{
    const Open open(*this);
    return RunCalendar(parentWindow(), dateNumber, firstWeekday);
}

QStringList ProgramDialogs::nameFilters(const QString &filter)
{
    QStringList result;
    if (filter.isEmpty())
        return result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QStringList given;
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const QString &pattern : parts.at(i + 1).split(QLatin1Char(';'))) {
                const QString trimmed = pattern.trimmed();
                if (trimmed.isEmpty())
                    continue;
                given.append(trimmed);
                // "*.*" means every file, also one whose name has no full stop.
                patterns.append(trimmed == u"*.*" ? QStringLiteral("*") : trimmed);
            }
        }
        if (patterns.isEmpty())
            patterns.append(QStringLiteral("*"));
        QString description = parts.at(i).trimmed();
        const QString givenPatterns = QStringLiteral("(%1)").arg(given.join(QLatin1Char(' ')));
        if (given != patterns && description.endsWith(givenPatterns))
            description = description.chopped(givenPatterns.size()).trimmed();
        const QString list = patterns.join(QLatin1Char(' '));
        const QString shownPatterns = QStringLiteral("(%1)").arg(list);
        if (description.isEmpty())
            result.append(shownPatterns);
        else if (description.endsWith(shownPatterns)) // the description names its patterns already
            result.append(description);
        else
            result.append(description + u' ' + shownPatterns);
    }
    return result;
}

QUrl ProgramDialogs::shellUrl(const QString &target)
{
    const QUrl url(target, QUrl::TolerantMode);
    // A one-letter scheme is a drive letter, not a link.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl::fromUserInput(target);
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}
