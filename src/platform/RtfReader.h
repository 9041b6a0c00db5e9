#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

class QTextDocument;

// Reads Rich Text Format into a text document: paragraphs with alignment, indents and
// spacing; bold, italic, underline, strike-out, font, size and colours of the text; links of
// HYPERLINK fields as anchors; embedded PNG and JPEG pictures as image resources. Tables show
// their cells separated by tabs, one row per paragraph. Everything else is passed over.
// No input can crash the reader, hang it or make it take memory out of proportion.
//
// Returns false and leaves the document untouched when the bytes are not rich text (they
// must start with "{\rtf" after optional blanks); otherwise replaces the document's contents.
bool ReadRtf(QByteArrayView rtf, QTextDocument &doc);

// The same for a file; false, with the document untouched, when the file cannot be read.
bool LoadRtfFile(const QString &path, QTextDocument &doc);

namespace Rtf {

constexpr int MaxGroupDepth = 1000;            // deeper groups are passed over
constexpr qint64 MaxPicturePixels = 50'000'000; // larger pictures are left out
constexpr qint64 MaxDocumentPixels = 100'000'000; // all pictures of one document together
constexpr qsizetype MaxPictureBytes = 64 * 1024 * 1024;

// Lengths in twips (1/1440 inch) as lengths of the document (pixels at 96 per inch, the
// unit in which text documents lay out margins and pictures).
constexpr qreal twipsToUnits(qint64 twips) { return qreal(twips) / 15.0; }

// The target of a field instruction such as HYPERLINK "url" or HYPERLINK \l "place":
// the address, "#place", or "url#place"; empty for fields that are no link.
QString hyperlinkTarget(const QString &instruction);

} // namespace Rtf
