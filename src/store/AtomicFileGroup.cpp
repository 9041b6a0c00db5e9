#include "store/AtomicFileGroup.h"

#include "store/AppError.h"
#include "store/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

AtomicFileGroup::AtomicFileGroup() = default;
AtomicFileGroup::~AtomicFileGroup() = default;

void AtomicFileGroup::add(const QString &path, QByteArrayView bytes)
{
    Pending pending;
    pending.path = path;
    if (QFileInfo(path).isFile())
        pending.previous = TextFile::readBytes(path);
    pending.file = std::make_unique<QSaveFile>(path);
    // Unbuffered, so a short write shows in write()'s result rather than at commit.
    if (!pending.file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        || pending.file->write(bytes.data(), bytes.size()) != bytes.size())
        throw AppError::cannotCreate(path);
    m_pending.push_back(std::move(pending));
}

void AtomicFileGroup::commit()
{
    for (size_t i = 0; i < m_pending.size(); ++i) {
        if (!m_pending[i].file->commit()) {
            const QString failed = m_pending[i].path;
            restore(i);
            m_pending.clear();
            throw AppError::cannotCreate(failed);
        }
    }
    m_pending.clear();
}

void AtomicFileGroup::restore(size_t committed)
{
    // Best effort: the error of the failed file is what the user is told.
    for (size_t i = committed; i-- > 0;) {
        const Pending &done = m_pending[i];
        try {
            if (done.previous)
                TextFile::writeAtomically(done.path, *done.previous);
            else
                QFile::remove(done.path);
        } catch (const AppError &) {
        }
    }
}
