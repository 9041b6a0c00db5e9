#include "platform/ProfileFile.h"

#include "store/AppError.h"
#include "store/LineText.h"
#include "store/TextFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString foldName(QStringView name) { return name.toString().toCaseFolded(); }

// What one line of a profile file is.
struct ParsedLine
{
    enum Kind { Other, SectionHeader, KeyValue } kind = Other;
    QStringView name; // section or key
    QStringView value;
};

ParsedLine parseLine(QStringView line)
{
    ParsedLine parsed;
    const QStringView text = trimBlanks(line);
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        if (close > 0) {
            parsed.kind = ParsedLine::SectionHeader;
            parsed.name = trimBlanks(text.mid(1, close - 1));
        }
        return parsed;
    }
    if (text.startsWith(u';'))
        return parsed;
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return parsed;
    parsed.name = trimBlanks(text.left(equals));
    if (parsed.name.isEmpty())
        return parsed;
    parsed.kind = ParsedLine::KeyValue;
    parsed.value = trimBlanks(text.mid(equals + 1));
    return parsed;
}

QString valueOf(QStringView raw)
{
    if (raw.size() >= 2 && (raw.front() == u'"' || raw.front() == u'\'') && raw.back() == raw.front())
        raw = raw.mid(1, raw.size() - 2);
    if (raw.size() > ProfileFile::MaxValueLength) {
        qsizetype cut = ProfileFile::MaxValueLength;
        if (raw[cut - 1].isHighSurrogate())
            --cut; // never split a character in two
        raw = raw.left(cut);
    }
    return raw.toString();
}

AppError unableToWrite(const QString &path) { return AppError(QStringLiteral("Unable to write to %1"), {path}); }

struct SnapshotCache
{
    QMutex mutex;
    QHash<QString, std::shared_ptr<const ProfileFile>> files;
};

SnapshotCache &snapshotCache()
{
    static SnapshotCache cache;
    return cache;
}

// A write may leave size and times as they were (same second, same length): the snapshot
// of the file is dropped so that the next lookup reads it again.
void forgetSnapshot(const QString &path)
{
    SnapshotCache &cache = snapshotCache();
    QMutexLocker lock(&cache.mutex);
    cache.files.remove(path);
}

} // namespace

ProfileFile::Stamp ProfileFile::Stamp::of(const QString &path)
{
    const QFileInfo info(path);
    Stamp stamp;
    stamp.exists = info.exists();
    if (stamp.exists) {
        stamp.size = info.size();
        stamp.modified = info.lastModified().toMSecsSinceEpoch();
        stamp.changed = info.metadataChangeTime().toMSecsSinceEpoch();
    }
    return stamp;
}

ProfileFile::ProfileFile(QString path) : m_path(std::move(path))
{
    reload();
}

void ProfileFile::reload()
{
    // The stamp is taken before the read, so a change during the read shows as a change later.
    m_stamp = Stamp::of(m_path);
    m_lines.clear();
    m_unreadable = false;
    if (m_stamp.exists) {
        try {
            m_lines = TextFile::decodeLines(TextFile::readBytes(m_path));
        } catch (const AppError &) {
            m_unreadable = true;
        }
    }
    buildIndex();
}

void ProfileFile::buildIndex()
{
    m_sections.clear();
    Section *current = nullptr;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        QStringView line = m_lines[i];
        if (i == 0 && line.startsWith(QChar::ByteOrderMark))
            line = line.sliced(1); // editors may put one in front of UTF-8
        const ParsedLine parsed = parseLine(line);
        if (parsed.kind == ParsedLine::SectionHeader) {
            const QString name = foldName(parsed.name);
            // A repeated section adds nothing: lookups and writes use the first one.
            if (m_sections.contains(name)) {
                current = nullptr;
            } else {
                current = &m_sections.insert(name, Section{i, -1, {}}).value();
            }
        } else if (parsed.kind == ParsedLine::KeyValue && current) {
            current->lastKeyLine = i;
            const QString key = foldName(parsed.name);
            if (!current->keys.contains(key))
                current->keys.insert(key, Entry{i, valueOf(parsed.value)});
        }
    }
}

const ProfileFile::Entry *ProfileFile::find(const QString &section, const QString &key) const
{
    const auto s = m_sections.constFind(section.toCaseFolded());
    if (s == m_sections.cend())
        return nullptr;
    const auto k = s->keys.constFind(key.toCaseFolded());
    return k == s->keys.cend() ? nullptr : &k.value();
}

QString ProfileFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const Entry *entry = find(section, key);
    return entry ? entry->value : defaultValue;
}

int ProfileFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const Entry *entry = find(section, key);
    if (!entry)
        return defaultValue;
    return parseInteger(entry->value).value_or(defaultValue);
}

bool ProfileFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool ProfileFile::hasKey(const QString &section, const QString &key) const
{
    return find(section, key) != nullptr;
}

std::optional<int> ProfileFile::parseInteger(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && text[i] == u'$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i == n)
        return std::nullopt;
    const quint64 limit = hex ? 0xFFFFFFFFull : 2147483648ull;
    quint64 magnitude = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + quint64(digit);
        if (magnitude > limit)
            return std::nullopt;
    }
    if (hex) {
        // Hexadecimal values are 32-bit patterns: 0xFFFFFFFF is -1, as colour values need.
        quint32 bits = quint32(magnitude);
        if (negative)
            bits = 0u - bits;
        return qint32(bits);
    }
    if (!negative && magnitude > 2147483647ull)
        return std::nullopt;
    return negative ? int(-qint64(magnitude)) : int(magnitude);
}

QString ProfileFile::encodeValue(const QString &value)
{
    const QString text = LineText::withoutBreaks(value);
    const bool blankAtEnds = !text.isEmpty() && (isBlank(text.front()) || isBlank(text.back()));
    const bool quotedLook = text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'')
                            && text.back() == text.front();
    if (blankAtEnds || quotedLook)
        return u'"' + text + u'"';
    return text;
}

void ProfileFile::beginUpdate()
{
    if (m_updating)
        return;
    if (Stamp::of(m_path) != m_stamp)
        reload();
    m_linesBeforeUpdate = m_lines;
    m_updating = true;
}

void ProfileFile::endUpdate()
{
    if (!m_updating)
        return;
    m_updating = false;
    if (m_lines == m_linesBeforeUpdate)
        return;
    try {
        storeLines();
    } catch (const AppError &) {
        m_lines = m_linesBeforeUpdate;
        buildIndex();
        throw;
    }
}

void ProfileFile::storeLines()
{
    try {
        TextFile::writeLines(m_path, m_lines);
    } catch (const AppError &) {
        throw unableToWrite(m_path);
    }
    m_stamp = Stamp::of(m_path);
    forgetSnapshot(m_path);
}

void ProfileFile::write(const QString &section, const QString &key, const QString &value)
{
    if (!m_updating && Stamp::of(m_path) != m_stamp)
        reload(); // keep what others wrote since this object read the file
    if (m_unreadable)
        throw unableToWrite(m_path); // never replace a file whose contents are unknown

    const QStringList previous = m_lines;
    const auto s = m_sections.constFind(section.toCaseFolded());
    if (s == m_sections.cend()) {
        if (!m_lines.isEmpty() && !trimBlanks(m_lines.last()).isEmpty())
            m_lines.append(QString());
        m_lines.append(u'[' + section + u']');
        m_lines.append(key + u'=' + encodeValue(value));
    } else {
        const auto k = s->keys.constFind(key.toCaseFolded());
        if (k != s->keys.cend()) {
            const QStringView writtenKey = parseLine(m_lines[k->line]).name;
            m_lines[k->line] = writtenKey.toString() + u'=' + encodeValue(value);
        } else {
            const qsizetype at = (s->lastKeyLine >= 0 ? s->lastKeyLine : s->header) + 1;
            m_lines.insert(at, key + u'=' + encodeValue(value));
        }
    }

    if (m_updating) {
        buildIndex();
        return;
    }
    try {
        storeLines();
    } catch (const AppError &) {
        m_lines = previous;
        throw;
    }
    buildIndex();
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    write(section, key, value);
}

void ProfileFile::writeInteger(const QString &section, const QString &key, int value)
{
    write(section, key, QString::number(value));
}

void ProfileFile::writeBool(const QString &section, const QString &key, bool value)
{
    write(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

std::shared_ptr<const ProfileFile> ProfileFile::cached(const QString &path)
{
    SnapshotCache &cache = snapshotCache();
    const Stamp stamp = Stamp::of(path);
    QMutexLocker lock(&cache.mutex);
    const auto it = cache.files.constFind(path);
    if (it != cache.files.cend() && (*it)->m_stamp == stamp)
        return *it;
    auto fresh = std::make_shared<const ProfileFile>(path);
    cache.files.insert(path, fresh);
    return fresh;
}
