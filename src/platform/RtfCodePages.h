#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>
#include <memory>

// The 8-bit text of rich text files: code pages named by number (\ansicpg, \cpg) or by a
// font's character set (\fcharset), decoded to Unicode.
namespace RtfCodePages {

constexpr int Default = 1252;

// The code page of a font character set; -1 for the character sets that mean "the document's
// code page" (ANSI, default) and for unknown ones.
int forCharset(int charset);

// The code pages of the desktop's 8-bit text that rich text files use.
bool isKnown(int codePage);

// Decodes bytes of any code page; the decoders are made once per code page.
// Unknown code pages, and those the platform cannot decode, are read as Windows-1252.
class Decoder
{
public:
    QString decode(int codePage, QByteArrayView bytes);

private:
    QStringDecoder *decoderFor(int codePage);
    std::map<int, std::unique_ptr<QStringDecoder>> m_decoders;
};

} // namespace RtfCodePages
