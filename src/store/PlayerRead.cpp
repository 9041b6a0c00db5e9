#include "store/PlayerRead.h"

#include "store/AppError.h"
#include "store/Points.h"
#include "store/TextCodec.h"
#include "store/TextFile.h"

namespace {

constexpr int TailLines = 4;

void readCategories(const QString &line, const std::array<QString, 5> &defaultNames, PlayerRead &read)
{
    RowList rows;
    CommaTextToList(line, rows);
    for (int n = 1; n <= DataTree::CategoryCount; ++n) {
        const ListRow fallback = DefaultCategoryRow(n, defaultNames[size_t(n - 1)]);
        if (n - 1 >= rows.size()) {
            read.damage.fileErrors.append(AppError::indexOutOfBounds(n - 1).message());
            rows.append(fallback);
            continue;
        }
        ListRow &row = rows[n - 1];
        while (row.subItems.size() < fallback.subItems.size())
            row.subItems.append(QString());
        for (qsizetype i = 0; i < fallback.subItems.size(); ++i) {
            try {
                parseStoredInteger(row.subItems[i]);
            } catch (const AppError &error) {
                read.damage.fileErrors.append(error.message());
                row.subItems[i] = fallback.subItems[i];
            }
        }
    }
    read.categories = std::move(rows);
}

void defaultCategories(const std::array<QString, 5> &defaultNames, PlayerRead &read)
{
    read.categories.clear();
    for (int n = 1; n <= DataTree::CategoryCount; ++n)
        read.categories.append(DefaultCategoryRow(n, defaultNames[size_t(n - 1)]));
}

void repairTree(PlayerRead &read)
{
    read.damage.tree = RepairTree(read.tree, read.pictureStore);
}

} // namespace

qint32 DefaultCategoryColor(int category)
{
    static const qint32 colors[] = {10092543, 10079487, 10066431, 16751001, 16763955};
    return colors[qBound(1, category, 5) - 1];
}

std::array<QString, 5> DefaultCategoryNames(const QString &word)
{
    std::array<QString, 5> names;
    for (int n = 1; n <= 5; ++n)
        names[size_t(n - 1)] = word + u' ' + QString::number(n);
    return names;
}

bool IsDefaultCategoryName(const QString &name, int category, const QStringList &words)
{
    const QString number = u' ' + QString::number(category);
    if (!name.endsWith(number))
        return false;
    const QStringView word = QStringView(name).chopped(number.size());
    return !word.isEmpty() && words.contains(word);
}

QList<int> RenameDefaultCategories(RowList &categories, const std::array<QString, 5> &names,
                                   const QStringList &words)
{
    QList<int> renamed;
    for (int n = 1; n <= DataTree::CategoryCount && n <= categories.size(); ++n) {
        QString &caption = categories[n - 1].caption;
        const QString &name = names[size_t(n - 1)];
        if (caption != name && IsDefaultCategoryName(caption, n, words)) {
            caption = name;
            renamed.append(n);
        }
    }
    return renamed;
}

ListRow DefaultCategoryRow(int category, const QString &name)
{
    return {name,
            {QString::number(DefaultCategoryColor(category)), QString::number(DefaultTitleFieldColor),
             QString::number(DefaultGamesListColor)}};
}

void ReadRecordsBytes(QByteArrayView bytes, PlayerRead &read)
{
    const QString error = read.tree.loadFromBytes(bytes, DataTree::TooDeep::Keep);
    if (!error.isEmpty())
        read.damage.fileErrors.append(error);
}

QList<QByteArray> PlayerFileLines(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    TextFile::forEachLine(bytes, [&](QByteArrayView line) { lines.append(line.toByteArray()); });
    return lines;
}

void ReadPlayerLines(QList<QByteArray> lines, const std::array<QString, 5> &defaultNames, PlayerRead &read)
{
    // The four fixed lines count from the end; they are text, the rest is picture text.
    const qsizetype count = lines.size();
    QByteArray textBytes;
    for (qsizetype i = qMax<qsizetype>(0, count - TailLines); i < count; ++i)
        textBytes += lines[i];
    const bool utf8 = TextCodec::isValidUtf8(textBytes);
    auto textLine = [&](qsizetype fromEnd) { return TextCodec::decode(lines[count - fromEnd], utf8); };

    if (count >= 1)
        read.name = textLine(1);
    if (count >= 2) {
        try {
            TextToPicture(lines[count - 2], read.playerPicture);
        } catch (const AppError &error) {
            read.damage.fileErrors.append(error.message());
            read.playerPicture.clear();
        }
    }
    if (count >= 3) {
        const QString topList = textLine(3);
        if (!topList.isEmpty())
            CommaTextToList(topList, read.topList);
    }
    if (count >= TailLines) {
        readCategories(textLine(4), defaultNames, read);
        lines.resize(count - TailLines);
        read.pictureStore = std::move(lines);
    } else {
        // Too short to tell the lines apart: no picture store, default categories.
        read.damage.fileErrors.append(AppError::indexOutOfBounds(-1).message());
        defaultCategories(defaultNames, read);
    }
    repairTree(read);
}

void ReadWithoutPlayerFile(const QString &error, const std::array<QString, 5> &defaultNames, PlayerRead &read)
{
    read.damage.fileErrors.append(error);
    defaultCategories(defaultNames, read);
    repairTree(read);
}
