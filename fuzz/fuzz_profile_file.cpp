// Profile files: any bytes as a file; every key read, and a write must change only its key.
#include "platform/ProfileFile.h"
#include "store/AppError.h"
#include "store/LineText.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QPair>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

QString g_path;

void putFile(const QByteArray &bytes)
{
    QFile file(g_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        __builtin_trap();
}

// Section and key names as the file spells them, found by a plain scan of its lines.
QList<QPair<QString, QString>> namesIn(const QByteArray &bytes)
{
    QList<QPair<QString, QString>> names;
    QString section;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith(u'[') && line.contains(u']')) {
            section = line.mid(1, line.indexOf(u']') - 1).trimmed();
        } else if (line.contains(u'=')) {
            names.append({section, line.left(line.indexOf(u'=')).trimmed()});
            names.append({section.toUpper(), line.left(line.indexOf(u'=')).trimmed().toLower()});
        }
        if (names.size() > 64)
            break;
    }
    names.append({QStringLiteral("Fuzz"), QStringLiteral("Key")});
    return names;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int argc = 1;
    static char name[] = "fuzz_profile_file";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    g_path = dir.filePath(QStringLiteral("fuzz.ini"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    putFile(bytes);
    const auto names = namesIn(bytes);

    ProfileFile file(g_path);
    QStringList before;
    for (const auto &[section, key] : names) {
        before.append(file.readString(section, key, QStringLiteral("\x01")));
        (void)file.readInteger(section, key, 7);
        (void)file.readBool(section, key, true);
        (void)ProfileFile::parseInteger(before.last());
    }

    // Write one value: it reads back, and no other key changes.
    const auto &[section, key] = names.first();
    const QString value = QString::fromLatin1(bytes.left(40)).remove(QChar(0)).simplified();
    const bool writable = !section.isEmpty() && !key.isEmpty() && !section.contains(u']') && !key.contains(u'=')
                          && !key.startsWith(u';') && !key.startsWith(u'[') && !section.contains(u'\r')
                          && !key.contains(u'\r') && !section.contains(QChar(0)) && !key.contains(QChar(0)) && section == section.trimmed() && key == key.trimmed();
    if (!writable)
        return 0;
    try {
        file.writeString(section, key, value);
    } catch (const AppError &) {
        __builtin_trap();
    }
    const ProfileFile again(g_path);
    // Characters that could cut the line are written as blanks.
    if (again.readString(section, key, QString()) != LineText::withoutBreaks(value))
        __builtin_trap();
    for (qsizetype i = 0; i < names.size(); ++i) {
        const auto &[s, k] = names[i];
        if (s.compare(section, Qt::CaseInsensitive) == 0 && k.compare(key, Qt::CaseInsensitive) == 0)
            continue;
        if (again.readString(s, k, QStringLiteral("\x01")) != before[i])
            __builtin_trap();
    }
    return 0;
}
