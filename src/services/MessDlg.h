#pragma once

#include "services/GradientPicture.h"

#include <QString>
#include <QtGlobal>

class QWidget;

// The program's own modal dialogs: message and confirmation box, text input and choice from
// a list. They look alike (see GradientDialogFrame) and take their button texts, titles and
// gradient colours from the process-wide state below; they do no lookups of their own.

// The eight texts the dialogs show on buttons and in titles.
struct DialogTextSet
{
    QString ok;
    QString cancel;
    QString yes;
    QString no;
    QString information;
    QString confirmation;
    QString warning;
    QString input;

    bool operator==(const DialogTextSet &) const = default;
};

// Empty until set; EnsureDialogTexts fills the empty ones with the English words.
const DialogTextSet &DialogTexts();
void SetDialogTexts(const DialogTextSet &texts);
void EnsureDialogTexts();

// Colour values of the gradient behind every dialog, top and bottom; black until set.
qint32 GradientStartColor();
qint32 GradientEndColor();
void SetGradientStartColor(qint32 color);
void SetGradientEndColor(qint32 color);

// A modal message box, always on top. The first letter of kind chooses it, in any case:
// "c" asks with Yes and No, "w" warns, "i" informs, any other letter informs under the fixed
// title "Information". An empty caption gives the kind's title. Returns false for No, for
// Escape on a confirmation and for the close box; true otherwise.
bool MsgBox(const QString &text, const QString &caption, const QString &kind, QWidget *parent = nullptr);

// A one-line text input under the prompt; hidden input shows "*" for every character.
// Returns the typed text for OK or Enter, the empty text for Cancel, Escape or the close box.
QString InputText(const QString &prompt, bool hidden, QWidget *parent = nullptr);

// A choice from the entries of a comma text, the first one selected. OK, Enter and Escape
// return the selected entry; the close box or an empty list give the empty text.
QString SelectFromList(const QString &prompt, const QString &choicesCommaText, QWidget *parent = nullptr);
