#include "store/TextCodec.h"

#include <cstring>

namespace TextCodec {

bool isValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        // Fast path over plain ASCII, eight bytes at a time.
        while (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ULL)
                break;
            p += 8;
        }
        if (p >= end)
            break;
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra;
        unsigned int codePoint;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            codePoint = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            codePoint = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            codePoint = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (p[i] & 0x3F);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
        if ((extra == 2 && codePoint < 0x800) || (extra == 3 && codePoint < 0x10000)
            || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF)
            return false;
        p += extra + 1;
    }
    return true;
}

bool isAscii(QByteArrayView bytes)
{
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    quint64 bits = 0;
    for (; end - p >= 8; p += 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        bits |= word;
    }
    for (; p < end; ++p)
        bits |= static_cast<unsigned char>(*p);
    return (bits & 0x8080808080808080ULL) == 0;
}

QString decodeWindows1252(QByteArrayView bytes)
{
    // 0x80..0x9F differ from Latin-1; the five undefined codes map to themselves.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        out[i] = (c >= 0x80 && c <= 0x9F) ? high[c - 0x80] : char16_t(c);
    }
    return text;
}

void appendUtf8(QByteArray &out, QStringView text)
{
    const qsizetype n = text.size();
    const char16_t *in = text.utf16();
    qsizetype i = 0;
    // Plain ASCII goes straight through.
    const qsizetype start = out.size();
    out.resize(start + n);
    char *dst = out.data() + start;
    while (i < n && in[i] < 0x80) {
        dst[i] = char(in[i]);
        ++i;
    }
    if (i == n)
        return;
    out.resize(start + i);
    for (; i < n; ++i) {
        char32_t c = in[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (in[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // a lone surrogate cannot be written
        }
        if (c < 0x80) {
            out.append(char(c));
        } else if (c < 0x800) {
            out.append(char(0xC0 | (c >> 6)));
            out.append(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.append(char(0xE0 | (c >> 12)));
            out.append(char(0x80 | ((c >> 6) & 0x3F)));
            out.append(char(0x80 | (c & 0x3F)));
        } else {
            out.append(char(0xF0 | (c >> 18)));
            out.append(char(0x80 | ((c >> 12) & 0x3F)));
            out.append(char(0x80 | ((c >> 6) & 0x3F)));
            out.append(char(0x80 | (c & 0x3F)));
        }
    }
}

} // namespace TextCodec
