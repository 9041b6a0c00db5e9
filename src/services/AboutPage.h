#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class QTextBrowser;
class QWidget;

// The "About" page: the donation text in a read-only rich-text field whose links open in the
// desktop's shell.
class AboutPage : public QObject
{
    Q_OBJECT

public:
    AboutPage(QWidget *sheet, Dialogs &dialogs);

    QTextBrowser *donationsEdit() const { return m_donationsEdit; }

    // Texts/Spenden.rtf when the language entry is exactly "German.lng", else Texts/Donation.rtf.
    static QString donationTextPath(const QString &programDir, const QString &languageEntry);

    // Loads the donation text for the language entry; a missing or unreadable file leaves the
    // field as it was. True when a text was loaded.
    bool loadDonationText(const QString &programDir, const QString &languageEntry);

private:
    Dialogs &m_dialogs;
    QTextBrowser *m_donationsEdit;
};
