#pragma once

#include <QString>

// The one rule for a user's text that goes into a line of the program's files (game and
// category names, player names, record comments, the lines of a game comment, settings).
namespace LineText {

// Every character that could end or cut a line (CR, LF, NUL and the other control characters,
// the Unicode line and paragraph separators) as a blank.
QString withoutBreaks(const QString &text);

// withoutBreaks, then no blanks at either end: a line that starts with a blank would read back
// one level deeper in the records file.
QString oneLine(const QString &text);

} // namespace LineText
