#include "lists/PlayerExchange.h"

#include "services/TransProg.h"
#include "store/AppError.h"
#include "store/AtomicFileGroup.h"
#include "store/PlayerFiles.h"
#include "store/Points.h"
#include "store/TextCodec.h"
#include "store/TextFile.h"

#include <QFileInfo>
#include <QList>

namespace PlayerExchange {

namespace {

// Longest part of a bad first line the error message quotes; a wrong file (a picture, say) may
// have no line break for many kilobytes.
constexpr qsizetype QuotedLength = 100;

void report(const Progress &progress, int position)
{
    if (progress)
        progress(position);
}

void appendLine(QByteArray &out, QByteArrayView line)
{
    out.append(line.data(), line.size());
    out.append("\r\n", 2);
}

QByteArray joined(const QList<QByteArrayView> &lines, qsizetype from, qsizetype to)
{
    qsizetype size = 0;
    for (qsizetype i = from; i < to; ++i)
        size += lines[i].size() + 2;
    QByteArray bytes;
    bytes.reserve(size);
    for (qsizetype i = from; i < to; ++i)
        appendLine(bytes, lines[i]);
    return bytes;
}

qint32 countOf(QByteArrayView line)
{
    const QString text = TextCodec::decode(line);
    try {
        return parseStoredInteger(text);
    } catch (const AppError &) {
        if (text.size() <= QuotedLength)
            throw;
        throw AppError::notAnInteger(text.left(QuotedLength) + QStringLiteral("..."));
    }
}

} // namespace

QByteArray exchangeBytes(QByteArrayView records, QByteArrayView player)
{
    const QList<QByteArrayView> recordLines = TextFile::splitLines(records);
    const QList<QByteArrayView> playerLines = TextFile::splitLines(player);
    QByteArray bytes;
    bytes.reserve(records.size() + player.size() + 2 * (recordLines.size() + playerLines.size()) + 24);
    appendLine(bytes, QByteArray::number(recordLines.size()));
    for (QByteArrayView line : recordLines)
        appendLine(bytes, line);
    for (QByteArrayView line : playerLines)
        appendLine(bytes, line);
    return bytes;
}

PlayerBytes splitExchange(QByteArrayView exchange)
{
    const QList<QByteArrayView> lines = TextFile::splitLines(exchange);
    if (lines.isEmpty())
        throw AppError::indexOutOfBounds(0);
    const qint32 count = countOf(lines.first());
    if (count < 0)
        throw AppError(LngText(QStringLiteral("Messages"),
                               QStringLiteral("The number of record lines in this file is negative. "
                                              "The file is not imported.")));
    const qsizetype following = lines.size() - 1;
    if (count > following)
        throw AppError::indexOutOfBounds(following);
    const qsizetype recordsEnd = 1 + qsizetype(count);
    return {joined(lines, 1, recordsEnd), joined(lines, recordsEnd, lines.size())};
}

bool exportPlayer(const PlayerFiles &files, int player, const QString &target, const Progress &progress)
{
    const QString recordsPath = files.recordsPath(player);
    if (!QFileInfo::exists(recordsPath))
        return false;
    report(progress, 25);
    const QByteArray records = TextFile::readBytes(recordsPath);
    report(progress, 50);
    const QByteArray playerFile = TextFile::readBytes(files.playerPath(player));
    report(progress, 75);
    TextFile::writeAtomically(target, exchangeBytes(records, playerFile));
    report(progress, 100);
    return true;
}

bool importPlayer(const QString &source, const PlayerFiles &files, int player, const Confirm &confirm,
                  const Progress &progress)
{
    if (!QFileInfo::exists(source))
        return false;
    if (confirm && !confirm())
        return false;
    report(progress, 25);
    const PlayerBytes split = splitExchange(TextFile::readBytes(source));
    report(progress, 50);
    AtomicFileGroup group;
    group.add(files.recordsPath(player), split.records);
    report(progress, 75);
    group.add(files.playerPath(player), split.player);
    group.commit();
    report(progress, 100);
    return true;
}

} // namespace PlayerExchange
