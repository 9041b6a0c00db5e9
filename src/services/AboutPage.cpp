#include "services/AboutPage.h"

#include "platform/Dialogs.h"
#include "platform/RtfReader.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

AboutPage::AboutPage(QWidget *sheet, Dialogs &dialogs) : QObject(nullptr), m_dialogs(dialogs)
{
    m_donationsEdit = new QTextBrowser(sheet);
    m_donationsEdit->setObjectName(QStringLiteral("DonationsEdit"));
    m_donationsEdit->setReadOnly(true);
    m_donationsEdit->setOpenLinks(false);
    m_donationsEdit->setOpenExternalLinks(false);
    m_donationsEdit->setTextInteractionFlags(Qt::TextBrowserInteraction);
    connect(m_donationsEdit, &QTextBrowser::anchorClicked, this,
            [this](const QUrl &link) {
                // A place inside the text scrolls there; anything else goes to the shell.
                if (link.scheme().isEmpty() && link.path().isEmpty() && link.hasFragment())
                    m_donationsEdit->scrollToAnchor(link.fragment());
                else
                    m_dialogs.shellOpen(link.toString());
            });

    auto *layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_donationsEdit);
}

QString AboutPage::donationTextPath(const QString &programDir, const QString &languageEntry)
{
    const bool german = languageEntry == QLatin1String("German.lng");
    return programDir + (german ? QStringLiteral("/Texts/Spenden.rtf") : QStringLiteral("/Texts/Donation.rtf"));
}

bool AboutPage::loadDonationText(const QString &programDir, const QString &languageEntry)
{
    const QString path = donationTextPath(programDir, languageEntry);
    if (!QFileInfo(path).isFile())
        return false;
    return LoadRtfFile(path, *m_donationsEdit->document());
}
