#pragma once

#include <QString>
#include <QStringList>

// The one-line encoding of a list of strings: items separated by commas; an item holding a
// blank, a control character, a comma or a double quote stands in double quotes with inner
// quotes doubled. Writing and reading back gives the same list for items without NUL.
namespace CommaText {

QString fromList(const QStringList &items);
QStringList toList(const QString &text);

} // namespace CommaText
