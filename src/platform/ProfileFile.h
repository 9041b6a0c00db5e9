#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <optional>

// A profile file: "[Section]" lines open sections, "key=value" lines below them hold values.
// Sections and keys match without regard to letter case; blanks around keys and values are
// ignored; a value in a matching pair of double or single quotes loses them; at most
// MaxValueLength characters of a value are read. Lines before the first section, comments
// (";") and unrecognised lines are kept as they are but never match.
//
// The file is read once, at construction and on reload(); reads are lookups in memory.
// Every write goes to the file at once, atomically, changing only the line it concerns.
class ProfileFile
{
public:
    static constexpr qsizetype MaxValueLength = 2047;

    // Reads the file; a missing or unreadable file reads as empty.
    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }
    void reload();

    // The value, or the default when the section or key is absent.
    // A key present with an empty value reads as the empty text.
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Decimal, optionally signed, or hexadecimal after "$", "0x" or "0X"; anything else
    // (or a number beyond 32 bits) gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // Read as an integer; any value other than 0 is true.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;
    bool hasKey(const QString &section, const QString &key) const;

    // Each write replaces the key's line in place, or adds the key at the end of its section,
    // or adds the section at the end of the file; the file is created when missing.
    // Throws AppError "Unable to write to <path>" when the file cannot be written; then the
    // file and this object keep their previous contents.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    // Between beginUpdate() and endUpdate() writes change only memory; endUpdate() writes the
    // file once, atomically. When that fails it throws "Unable to write to <path>", and the
    // file and this object keep what they held before beginUpdate().
    void beginUpdate();
    void endUpdate();

    // The file's contents as they are on disk now, shared between callers: read again only
    // when the file's size or times changed since the last call, or after a write through
    // a ProfileFile. Cheap enough for a call per lookup.
    static std::shared_ptr<const ProfileFile> cached(const QString &path);

    // The integer rule of readInteger, for one text.
    static std::optional<int> parseInteger(QStringView text);

    // What a value's line holds after "=": the value, quoted when reading it back would
    // otherwise lose blanks or quotes at its ends; line breaks become blanks.
    static QString encodeValue(const QString &value);

private:
    struct Stamp
    {
        bool exists = false;
        qint64 size = 0;
        qint64 modified = 0;
        qint64 changed = 0;
        bool operator==(const Stamp &) const = default;
        static Stamp of(const QString &path);
    };
    struct Entry
    {
        qsizetype line;
        QString value;
    };
    struct Section
    {
        qsizetype header;
        qsizetype lastKeyLine;
        QHash<QString, Entry> keys;
    };

    const Entry *find(const QString &section, const QString &key) const;
    void buildIndex();
    void write(const QString &section, const QString &key, const QString &value);
    // Writes m_lines to the file; throws "Unable to write to <path>".
    void storeLines();

    QString m_path;
    QStringList m_lines;
    QHash<QString, Section> m_sections;
    Stamp m_stamp;
    bool m_unreadable = false;
    bool m_updating = false;
    QStringList m_linesBeforeUpdate;
};
