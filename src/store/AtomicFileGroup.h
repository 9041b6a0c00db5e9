#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QSaveFile;

// Files that are replaced together. add() writes each file in full beside its target, so a
// file that cannot be written fails before any target changes; commit() then puts them in place
// in the order added. When one cannot be put in place, the targets replaced before it get their
// old bytes back (or are removed when they were new). A group destroyed without commit()
// leaves every target as it was.
class AtomicFileGroup
{
public:
    AtomicFileGroup();
    ~AtomicFileGroup();
    AtomicFileGroup(const AtomicFileGroup &) = delete;
    AtomicFileGroup &operator=(const AtomicFileGroup &) = delete;

    // Throws "Cannot create file %s" when the file cannot be written, or "Cannot open file %s"
    // when the file it replaces cannot be read (it could not be put back).
    void add(const QString &path, QByteArrayView bytes);

    // Throws "Cannot create file %s" for the first file that cannot be put in place.
    void commit();

private:
    struct Pending
    {
        QString path;
        std::optional<QByteArray> previous; // nothing: the target did not exist
        std::unique_ptr<QSaveFile> file;
    };
    void restore(size_t committed);

    std::vector<Pending> m_pending;
};
