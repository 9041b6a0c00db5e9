#include "platform/RtfCodePages.h"

#include "store/TextCodec.h"

#include <QByteArrayList>

#include <algorithm>

namespace RtfCodePages {

int forCharset(int charset)
{
    switch (charset) {
    case 2: return 1252;   // symbol: the bytes stand for themselves
    case 77: return 10000; // Mac Roman
    case 128: return 932;  // Japanese
    case 129: return 949;  // Korean
    case 134: return 936;  // simplified Chinese
    case 136: return 950;  // traditional Chinese
    case 161: return 1253; // Greek
    case 162: return 1254; // Turkish
    case 163: return 1258; // Vietnamese
    case 177: return 1255; // Hebrew
    case 178: return 1256; // Arabic
    case 186: return 1257; // Baltic
    case 204: return 1251; // Cyrillic
    case 222: return 874;  // Thai
    case 238: return 1250; // Central European
    case 254: return 437;  // PC 437
    case 255: return 850;  // OEM
    default: return -1;
    }
}

bool isKnown(int codePage)
{
    static const int known[] = {437, 708, 720, 737, 775, 850, 852, 855, 857, 860, 861, 862, 863, 864, 865, 866, 869,
                                874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258,
                                10000, 65001};
    return std::find(std::begin(known), std::end(known), codePage) != std::end(known);
}

QStringDecoder *Decoder::decoderFor(int codePage)
{
    if (!isKnown(codePage))
        return nullptr;
    const auto found = m_decoders.find(codePage);
    if (found != m_decoders.end())
        return found->second.get();

    QByteArrayList names;
    switch (codePage) {
    case 65001: names = {"UTF-8"}; break;
    case 10000: names = {"macintosh"}; break;
    case 932: names = {"windows-31j", "Shift_JIS"}; break;
    case 936: names = {"windows-936", "GBK"}; break;
    case 949: names = {"windows-949", "CP949"}; break;
    case 950: names = {"windows-950", "Big5"}; break;
    default:
        names = {"windows-" + QByteArray::number(codePage), "CP" + QByteArray::number(codePage),
                 "IBM" + QByteArray::number(codePage)};
        break;
    }
    std::unique_ptr<QStringDecoder> decoder;
    for (const QByteArray &name : names) {
        auto candidate = std::make_unique<QStringDecoder>(name.constData(), QStringConverter::Flag::Stateless);
        if (candidate->isValid()) {
            decoder = std::move(candidate);
            break;
        }
    }
    QStringDecoder *result = decoder.get();
    m_decoders.emplace(codePage, std::move(decoder)); // a null entry remembers "not available"
    return result;
}

QString Decoder::decode(int codePage, QByteArrayView bytes)
{
    if (codePage == 1252 || bytes.isEmpty())
        return TextCodec::decodeWindows1252(bytes);
    bool ascii = true;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) // every code page here keeps ASCII as it is; lead bytes of two-byte ones are high
        return QString::fromLatin1(bytes);
    QStringDecoder *decoder = decoderFor(codePage);
    if (!decoder)
        return TextCodec::decodeWindows1252(bytes);
    return decoder->decode(bytes);
}

} // namespace RtfCodePages
