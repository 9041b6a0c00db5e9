#include "platform/RtfReader.h"

#include "platform/RtfCodePages.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <optional>

namespace {

enum class Destination { Text, FontTable, ColorTable, Picture, FieldInstruction };

struct CharProps
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int font = -1;        // index into the font table; -1 is the default font
    int halfPoints = 24;
    int foreground = -1;  // index into the colour table; -1 is automatic
    int background = -1;
    int vertical = 0;     // 1 superscript, -1 subscript
    int link = -1;        // index into the link targets
    bool operator==(const CharProps &) const = default;
};

struct ParaProps
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0; // twips
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    bool operator==(const ParaProps &) const = default;
};

struct Group
{
    Destination destination = Destination::Text;
    CharProps chars;
    ParaProps para;
    int unicodeSkip = 1;  // \uc: fallback characters after each \u
    int field = -1;       // index into the field instructions
    bool starred = false; // \* seen: an unknown destination word skips the group
};

struct FontEntry
{
    QString name;
    int codePage = -1;
};

struct Field
{
    QString instruction;
    bool linkKnown = false;
    int link = -1;
};

struct PictureState
{
    enum Kind { Unsupported, Png, Jpeg } kind = Unsupported;
    QByteArray data;
    int nibble = -1;
    int goalWidth = 0; // twips
    int goalHeight = 0;
    int scaleX = 100;
    int scaleY = 100;
    bool visible = false;
    bool tooLarge = false;
};

constexpr qsizetype MaxWordLength = 32;
constexpr int MaxTwips = 31680; // 22 inches

int clampInt(qint64 value, int low, int high) { return int(std::clamp<qint64>(value, low, high)); }

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Characters a text document reserves for its own structure never come from the file.
QString sanitized(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20 && c != u'\t')
            continue;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                out += text[i];
                out += text[++i];
            } else {
                out += QChar::ReplacementCharacter;
            }
            continue;
        }
        if (QChar::isLowSurrogate(c) || c == 0xFDD0 || c == 0xFDD1 || c == QChar::ObjectReplacementCharacter
            || c == 0xFFFE || c == 0xFFFF) {
            out += QChar::ReplacementCharacter;
        } else if (c == QChar::ParagraphSeparator) {
            out += u' ';
        } else {
            out += QChar(c);
        }
    }
    return out;
}

class RtfParser
{
public:
    RtfParser(QByteArrayView input, QTextDocument &doc) : m_p(input.data()), m_end(input.data() + input.size()), m_doc(doc), m_cursor(&doc) {}

    void run()
    {
        m_cursor.beginEditBlock();
        while (m_p < m_end && !m_done) {
            const char c = *m_p;
            if (c == '{') {
                ++m_p;
                openGroup();
            } else if (c == '}') {
                ++m_p;
                closeGroup();
            } else if (c == '\\') {
                ++m_p;
                controlSequence();
            } else if (c == '\r' || c == '\n' || c == '\0') {
                ++m_p;
            } else {
                textRun();
            }
        }
        finishDocument();
        m_cursor.endEditBlock();
    }

private:
    // ---- groups

    void openGroup()
    {
        m_fallbackLeft = 0;
        if (m_skipDepth > 0) {
            ++m_skipDepth;
        } else if (m_groups.isEmpty()) {
            m_groups.append(Group{});
        } else if (m_groups.size() >= Rtf::MaxGroupDepth) {
            m_skipDepth = 1;
        } else {
            Group inner = m_groups.last();
            inner.starred = false;
            m_groups.append(inner);
        }
    }

    void closeGroup()
    {
        m_fallbackLeft = 0;
        if (m_skipDepth > 0) {
            --m_skipDepth;
            return;
        }
        if (m_groups.isEmpty()) {
            m_done = true;
            return;
        }
        // A picture is placed while its own group is still the current one.
        if (endsPicture())
            finishPicture();
        if (group().destination == Destination::FontTable)
            commitFont();
        const Group closed = m_groups.takeLast();
        if (m_groups.isEmpty()) {
            m_endPara = closed.para;
            m_done = true;
        }
    }

    // The group that has just begun is passed over to its closing brace. The outermost
    // group never is.
    void skipGroup()
    {
        if (m_groups.size() <= 1)
            return;
        if (endsPicture())
            m_picture.reset();
        m_groups.removeLast();
        m_skipDepth = 1;
    }

    // Whether the current group is the outermost group of a picture.
    bool endsPicture() const
    {
        const qsizetype n = m_groups.size();
        return n > 0 && m_groups[n - 1].destination == Destination::Picture
               && (n == 1 || m_groups[n - 2].destination != Destination::Picture);
    }

    Group &group() { return m_groups.last(); }

    // ---- tokens

    void controlSequence()
    {
        if (m_p >= m_end)
            return;
        if (!isLetter(*m_p)) {
            controlSymbol(*m_p++);
            return;
        }
        const char *start = m_p;
        while (m_p < m_end && isLetter(*m_p))
            ++m_p;
        const QByteArrayView word(start, m_p - start);
        bool hasParam = false;
        qint64 param = 0;
        if (m_p < m_end && (isDigit(*m_p) || (*m_p == '-' && m_p + 1 < m_end && isDigit(m_p[1])))) {
            const bool negative = *m_p == '-';
            if (negative)
                ++m_p;
            hasParam = true;
            while (m_p < m_end && isDigit(*m_p)) {
                if (param < 10'000'000'000LL)
                    param = param * 10 + (*m_p - '0');
                ++m_p;
            }
            param = std::clamp<qint64>(negative ? -param : param, -2147483647LL, 2147483647LL);
        }
        if (m_p < m_end && *m_p == ' ')
            ++m_p;
        if (word.size() > MaxWordLength)
            return;
        controlWord(word, hasParam, int(param));
    }

    void controlSymbol(char c)
    {
        if (c == '\'') {
            // The two hex digits belong to the symbol even where it is skipped.
            int byte = -1;
            if (m_end - m_p >= 2 && hexValue(m_p[0]) >= 0 && hexValue(m_p[1]) >= 0) {
                byte = hexValue(m_p[0]) * 16 + hexValue(m_p[1]);
                m_p += 2;
            }
            if (m_skipDepth > 0 || takeFallback() || byte < 0)
                return;
            const char b = char(byte);
            bytesOut(QByteArrayView(&b, 1));
            return;
        }
        if (m_skipDepth > 0 || m_groups.isEmpty() || takeFallback())
            return;
        switch (c) {
        case '{':
        case '}':
        case '\\':
            bytesOut(QByteArrayView(&c, 1));
            break;
        case '~': charsOut(QString(QChar(0x00A0))); break;
        case '-': charsOut(QString(QChar(0x00AD))); break;
        case '_': charsOut(QString(QChar(0x2011))); break;
        case '\t': charsOut(QStringLiteral("\t")); break;
        case '\r':
        case '\n': paragraphBreak(); break;
        case '*': group().starred = true; break;
        default: break;
        }
    }

    // A character after \u that stands in for it is dropped.
    bool takeFallback()
    {
        if (m_fallbackLeft <= 0)
            return false;
        --m_fallbackLeft;
        return true;
    }

    void textRun()
    {
        const char *start = m_p;
        while (m_p < m_end && *m_p != '{' && *m_p != '}' && *m_p != '\\' && *m_p != '\r' && *m_p != '\n' && *m_p != '\0')
            ++m_p;
        if (m_skipDepth > 0 || m_groups.isEmpty())
            return;
        QByteArrayView run(start, m_p - start);
        if (m_fallbackLeft > 0) {
            const qsizetype dropped = std::min<qsizetype>(m_fallbackLeft, run.size());
            m_fallbackLeft -= int(dropped);
            run = run.sliced(dropped);
        }
        if (!run.isEmpty())
            bytesOut(run);
    }

    void binaryData(qint64 length)
    {
        const qint64 n = std::clamp<qint64>(length, 0, m_end - m_p);
        const QByteArrayView data(m_p, n);
        m_p += n;
        if (m_skipDepth > 0 || m_groups.isEmpty() || takeFallback())
            return;
        if (group().destination == Destination::Picture && m_picture) {
            if (m_picture->data.size() + data.size() > Rtf::MaxPictureBytes)
                m_picture->tooLarge = true;
            else
                m_picture->data += data;
        }
    }

    // ---- control words

    void controlWord(QByteArrayView word, bool hasParam, int param)
    {
        if (word == "bin") {
            binaryData(hasParam ? param : 0);
            return;
        }
        if (m_skipDepth > 0 || m_groups.isEmpty() || takeFallback())
            return;
        Group &g = group();
        const bool starred = g.starred;
        g.starred = false;
        if (destinationWord(word, starred))
            return;
        if (word == "u") {
            unicodeChar(param);
            m_fallbackLeft = g.unicodeSkip;
            return;
        }
        if (word == "uc") {
            g.unicodeSkip = clampInt(param, 0, 100);
            return;
        }
        if (starred) {
            skipGroup();
            return;
        }
        const bool on = !hasParam || param != 0;
        switch (g.destination) {
        case Destination::FontTable:
            fontTableWord(word, param);
            return;
        case Destination::ColorTable:
            colorTableWord(word, param);
            return;
        case Destination::Picture:
            pictureWord(word, param);
            return;
        case Destination::Text:
        case Destination::FieldInstruction:
            break;
        }
        CharProps &ch = g.chars;
        ParaProps &para = g.para;

        if (word == "par" || word == "sect" || word == "page") {
            paragraphBreak();
        } else if (word == "line") {
            charsOut(QString(QChar::LineSeparator));
        } else if (word == "tab") {
            charsOut(QStringLiteral("\t"));
        } else if (word == "cell" || word == "nestcell") {
            if (g.destination == Destination::Text)
                m_cellPending = true;
        } else if (word == "row" || word == "nestrow") {
            m_cellPending = false;
            paragraphBreak();
        } else if (word == "b") {
            ch.bold = on;
        } else if (word == "i") {
            ch.italic = on;
        } else if (word == "strike" || word == "striked") {
            ch.strike = on;
        } else if (word == "v") {
            ch.hidden = on;
        } else if (word == "ulnone") {
            ch.underline = false;
        } else if (word.startsWith("ul") && isUnderlineWord(word)) {
            ch.underline = on;
        } else if (word == "f") {
            ch.font = std::max(param, 0);
        } else if (word == "fs") {
            ch.halfPoints = param > 0 ? std::min(param, 3276) : 24;
        } else if (word == "cf") {
            ch.foreground = std::max(param, 0);
        } else if (word == "cb" || word == "highlight" || word == "chcbpat") {
            ch.background = param > 0 ? param : -1;
        } else if (word == "super") {
            ch.vertical = 1;
        } else if (word == "sub") {
            ch.vertical = -1;
        } else if (word == "nosupersub") {
            ch.vertical = 0;
        } else if (word == "plain") {
            const int link = ch.link;
            ch = CharProps{};
            ch.link = link;
        } else if (word == "pard") {
            para = ParaProps{};
        } else if (word == "ql") {
            para.alignment = Qt::AlignLeft;
        } else if (word == "qc") {
            para.alignment = Qt::AlignHCenter;
        } else if (word == "qr") {
            para.alignment = Qt::AlignRight;
        } else if (word == "qj" || word == "qd") {
            para.alignment = Qt::AlignJustify;
        } else if (word == "li") {
            para.left = clampInt(param, -MaxTwips, MaxTwips);
        } else if (word == "ri") {
            para.right = clampInt(param, -MaxTwips, MaxTwips);
        } else if (word == "fi") {
            para.first = clampInt(param, -MaxTwips, MaxTwips);
        } else if (word == "sb") {
            para.before = clampInt(param, 0, MaxTwips);
        } else if (word == "sa") {
            para.after = clampInt(param, 0, MaxTwips);
        } else if (word == "ansi") {
            m_codePage = 1252;
        } else if (word == "mac") {
            m_codePage = 10000;
        } else if (word == "pc") {
            m_codePage = 437;
        } else if (word == "pca") {
            m_codePage = 850;
        } else if (word == "ansicpg") {
            if (param > 0)
                m_codePage = param;
        } else if (word == "deff") {
            m_defaultFont = std::max(param, 0);
        } else {
            specialCharacter(word);
        }
    }

    static bool isUnderlineWord(QByteArrayView word)
    {
        static const char *const words[] = {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                            "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                                            "ulthldash", "ululdbwave", "ulw", "ulwave"};
        return std::any_of(std::begin(words), std::end(words), [&](const char *w) { return word == w; });
    }

    void specialCharacter(QByteArrayView word)
    {
        static const struct { const char *word; char16_t c; } table[] = {
            {"emdash", 0x2014}, {"endash", 0x2013}, {"emspace", 0x2003}, {"enspace", 0x2002},
            {"qmspace", 0x2005}, {"bullet", 0x2022}, {"lquote", 0x2018}, {"rquote", 0x2019},
            {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"zwj", 0x200D}, {"zwnj", 0x200C},
            {"zwbo", 0x200B}, {"ltrmark", 0x200E}, {"rtlmark", 0x200F},
        };
        for (const auto &entry : table) {
            if (word == entry.word) {
                charsOut(QString(QChar(entry.c)));
                return;
            }
        }
    }

    // Words that set the destination of their group. True when the word was one.
    bool destinationWord(QByteArrayView word, bool starred)
    {
        Group &g = group();
        if (word == "fonttbl") {
            g.destination = Destination::FontTable;
        } else if (word == "colortbl") {
            g.destination = Destination::ColorTable;
            m_colors.clear();
            m_color = {};
            m_formatValid = false;
        } else if (word == "pict") {
            if (g.destination != Destination::Picture) {
                m_picture = PictureState{};
                m_picture->visible = g.destination == Destination::Text && !g.chars.hidden;
                g.destination = Destination::Picture;
            }
        } else if (word == "field") {
            if (m_fields.size() < 1'000'000) {
                g.field = int(m_fields.size());
                m_fields.append(Field{});
            }
        } else if (word == "fldinst") {
            if (g.field >= 0 && g.destination == Destination::Text)
                g.destination = Destination::FieldInstruction;
            else
                skipGroup();
        } else if (word == "fldrslt") {
            g.destination = Destination::Text;
            if (g.field >= 0)
                g.chars.link = linkOf(m_fields[g.field]);
        } else if (word == "shppict") {
            // the picture as current writers store it: read as usual
        } else if (!starred && isSkippedDestination(word)) {
            skipGroup();
        } else {
            return false;
        }
        return true;
    }

    static bool isSkippedDestination(QByteArrayView word)
    {
        static const char *const words[] = {
            "stylesheet", "info", "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr",
            "footerf", "footnote", "annotation", "revtbl", "nonshppict", "ftnsep", "ftnsepc", "ftncn",
            "aftnsep", "aftnsepc", "aftncn", "xe", "tc", "txe", "rxe", "objdata", "themedata",
            "colorschememapping", "datastore", "latentstyles", "fldtype", "listtable", "listoverridetable",
            "rsidtbl", "filetbl", "generator", "xmlnstbl", "pgdsctbl", "mmathPr", "shpinst", "atnid",
            "atnauthor", "keycode", "template", "docvar", "userprops", "pn", "pnseclvl", "bkmkstart", "bkmkend"};
        return std::any_of(std::begin(words), std::end(words), [&](const char *w) { return word == w; });
    }

    // The link of a field's result; worked out once per field, however many results it has.
    int linkOf(Field &field)
    {
        if (!field.linkKnown) {
            field.linkKnown = true;
            const QString target = Rtf::hyperlinkTarget(field.instruction);
            if (!target.isEmpty()) {
                field.link = int(m_links.size());
                m_links.append(target);
            }
        }
        return field.link;
    }

    // ---- tables of fonts and colours, pictures

    void fontTableWord(QByteArrayView word, int param)
    {
        if (word == "f") {
            commitFont();
            m_fontIndex = std::max(param, 0);
            m_font = FontEntry{};
        } else if (word == "fcharset") {
            if (m_fontIndex >= 0 && !m_fontCodePageFixed)
                m_font.codePage = RtfCodePages::forCharset(param);
        } else if (word == "cpg") {
            if (m_fontIndex >= 0 && param > 0) {
                m_font.codePage = param;
                m_fontCodePageFixed = true;
            }
        }
    }

    void commitFont()
    {
        if (m_fontIndex >= 0) {
            m_font.name = m_font.name.trimmed();
            m_fonts.insert(m_fontIndex, m_font);
            m_formatValid = false;
        }
        m_fontIndex = -1;
        m_fontCodePageFixed = false;
        m_font = FontEntry{};
    }

    void fontNameBytes(QByteArrayView bytes)
    {
        while (!bytes.isEmpty()) {
            const qsizetype semicolon = bytes.indexOf(';');
            const QByteArrayView piece = semicolon < 0 ? bytes : bytes.first(semicolon);
            if (m_fontIndex >= 0 && m_font.name.size() < 256)
                m_font.name += m_decoder.decode(m_font.codePage >= 0 ? m_font.codePage : m_codePage, piece);
            if (semicolon < 0)
                break;
            commitFont();
            bytes = bytes.sliced(semicolon + 1);
        }
    }

    void colorTableWord(QByteArrayView word, int param)
    {
        const int value = clampInt(param, 0, 255);
        if (word == "red") {
            m_color.red = value;
            m_color.set = true;
        } else if (word == "green") {
            m_color.green = value;
            m_color.set = true;
        } else if (word == "blue") {
            m_color.blue = value;
            m_color.set = true;
        }
    }

    void colorTableBytes(QByteArrayView bytes)
    {
        for (char c : bytes) {
            if (c != ';')
                continue;
            m_colors.append(m_color.set ? QColor(m_color.red, m_color.green, m_color.blue) : QColor());
            m_color = {};
            m_formatValid = false;
        }
    }

    void pictureWord(QByteArrayView word, int param)
    {
        if (!m_picture)
            return;
        PictureState &pic = *m_picture;
        if (word == "pngblip")
            pic.kind = PictureState::Png;
        else if (word == "jpegblip")
            pic.kind = PictureState::Jpeg;
        else if (word == "emfblip" || word == "wmetafile" || word == "macpict" || word == "dibitmap"
                 || word == "wbitmap" || word == "pmmetafile")
            pic.kind = PictureState::Unsupported;
        else if (word == "picwgoal")
            pic.goalWidth = clampInt(param, 0, MaxTwips);
        else if (word == "pichgoal")
            pic.goalHeight = clampInt(param, 0, MaxTwips);
        else if (word == "picscalex")
            pic.scaleX = clampInt(param, 1, 1000);
        else if (word == "picscaley")
            pic.scaleY = clampInt(param, 1, 1000);
    }

    void pictureBytes(QByteArrayView bytes)
    {
        if (!m_picture || m_picture->tooLarge)
            return;
        PictureState &pic = *m_picture;
        for (char c : bytes) {
            const int v = hexValue(c);
            if (v < 0)
                continue;
            if (pic.nibble < 0) {
                pic.nibble = v;
                continue;
            }
            if (pic.data.size() >= Rtf::MaxPictureBytes) {
                pic.tooLarge = true;
                return;
            }
            pic.data.append(char(pic.nibble * 16 + v));
            pic.nibble = -1;
        }
    }

    void finishPicture()
    {
        if (!m_picture)
            return;
        const PictureState pic = std::move(*m_picture);
        m_picture.reset();
        if (!pic.visible || pic.tooLarge || pic.kind == PictureState::Unsupported || pic.data.isEmpty())
            return;

        QByteArray data = pic.data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, pic.kind == PictureState::Png ? "png" : "jpeg");
        reader.setAllocationLimit(256);
        const QSize size = reader.size();
        if (!size.isValid() || size.isEmpty())
            return;
        const qint64 pixels = qint64(size.width()) * size.height();
        if (pixels > Rtf::MaxPicturePixels || m_pixels + pixels > Rtf::MaxDocumentPixels)
            return;
        m_pixels += pixels; // failed attempts cost work too
        const QImage image = reader.read();
        if (image.isNull())
            return;

        cellSeparator();
        flushText();
        const QString name = QStringLiteral("rtf-image:%1").arg(++m_imageCount);
        m_doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
        QTextImageFormat format;
        format.setName(name);
        if (pic.goalWidth > 0)
            format.setWidth(Rtf::twipsToUnits(qint64(pic.goalWidth) * pic.scaleX / 100));
        if (pic.goalHeight > 0)
            format.setHeight(Rtf::twipsToUnits(qint64(pic.goalHeight) * pic.scaleY / 100));
        m_cursor.insertImage(format);
        m_blockPara = group().para;
    }

    // ---- text

    void unicodeChar(int param)
    {
        qint64 code = param;
        if (code < 0)
            code += 65536;
        if (code < 0 || code > 0x10FFFF)
            return;
        // Halves of a surrogate pair come one \u at a time and join in the text.
        if (code <= 0xFFFF)
            charsOut(QString(QChar(char16_t(code))));
        else
            charsOut(QString(QChar::highSurrogate(char32_t(code))) + QChar(QChar::lowSurrogate(char32_t(code))));
    }

    int codePageOf(const CharProps &chars) const
    {
        const auto font = m_fonts.constFind(chars.font >= 0 ? chars.font : m_defaultFont);
        if (font != m_fonts.cend() && font->codePage > 0)
            return font->codePage;
        return m_codePage;
    }

    void bytesOut(QByteArrayView bytes)
    {
        Group &g = group();
        switch (g.destination) {
        case Destination::Text:
            if (g.chars.hidden)
                return;
            cellSeparator();
            {
                const int codePage = codePageOf(g.chars);
                if (!m_bytes.isEmpty() && (m_bytesProps != g.chars || m_bytesCodePage != codePage))
                    flushBytes();
                m_bytesProps = g.chars;
                m_bytesCodePage = codePage;
                m_bytes += bytes;
                m_blockPara = g.para;
            }
            return;
        case Destination::FontTable:
            fontNameBytes(bytes);
            return;
        case Destination::ColorTable:
            colorTableBytes(bytes);
            return;
        case Destination::Picture:
            pictureBytes(bytes);
            return;
        case Destination::FieldInstruction:
            if (g.field >= 0 && m_fields[g.field].instruction.size() < 65536)
                m_fields[g.field].instruction += m_decoder.decode(m_codePage, bytes);
            return;
        }
    }

    void charsOut(const QString &text)
    {
        Group &g = group();
        switch (g.destination) {
        case Destination::Text:
            if (g.chars.hidden)
                return;
            cellSeparator();
            appendText(text, g.chars);
            m_blockPara = g.para;
            return;
        case Destination::FontTable:
            if (m_fontIndex >= 0 && m_font.name.size() < 256)
                m_font.name += text;
            return;
        case Destination::FieldInstruction:
            if (g.field >= 0 && m_fields[g.field].instruction.size() < 65536)
                m_fields[g.field].instruction += text;
            return;
        case Destination::ColorTable:
        case Destination::Picture:
            return;
        }
    }

    // Cells of a table row are separated by tabs; the row's last cell needs none.
    void cellSeparator()
    {
        if (!m_cellPending)
            return;
        m_cellPending = false;
        appendText(QStringLiteral("\t"), group().chars);
    }

    void appendText(const QString &text, const CharProps &props)
    {
        flushBytes();
        if (!m_text.isEmpty() && m_textProps != props)
            flushText();
        m_textProps = props;
        m_text += text;
    }

    void flushBytes()
    {
        if (m_bytes.isEmpty())
            return;
        const QString text = m_decoder.decode(m_bytesCodePage, m_bytes);
        m_bytes.clear();
        if (!m_text.isEmpty() && m_textProps != m_bytesProps)
            flushText();
        m_textProps = m_bytesProps;
        m_text += text;
    }

    void flushText()
    {
        flushBytes();
        if (m_text.isEmpty())
            return;
        m_cursor.insertText(sanitized(m_text), charFormat(m_textProps));
        m_text.clear();
    }

    QTextCharFormat charFormat(const CharProps &props)
    {
        if (m_formatValid && props == m_formatProps)
            return m_format;
        QTextCharFormat f;
        f.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(props.italic);
        f.setFontUnderline(props.underline);
        f.setFontStrikeOut(props.strike);
        f.setFontPointSize(props.halfPoints / 2.0);
        const auto font = m_fonts.constFind(props.font >= 0 ? props.font : m_defaultFont);
        if (font != m_fonts.cend() && !font->name.isEmpty())
            f.setFontFamilies(QStringList{font->name});
        const QColor foreground = colorAt(props.foreground);
        if (foreground.isValid())
            f.setForeground(foreground);
        const QColor background = colorAt(props.background);
        if (background.isValid())
            f.setBackground(background);
        if (props.vertical != 0)
            f.setVerticalAlignment(props.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                                      : QTextCharFormat::AlignSubScript);
        if (props.link >= 0) {
            f.setAnchor(true);
            f.setAnchorHref(m_links[props.link]);
            f.setFontUnderline(true);
            if (!foreground.isValid())
                f.setForeground(QColor(0, 0, 255));
        }
        m_format = f;
        m_formatProps = props;
        m_formatValid = true;
        return f;
    }

    QColor colorAt(int index) const { return index >= 0 && index < m_colors.size() ? m_colors[index] : QColor(); }

    QTextBlockFormat blockFormat(const ParaProps &para) const
    {
        QTextBlockFormat f;
        f.setAlignment(para.alignment);
        f.setLeftMargin(Rtf::twipsToUnits(para.left));
        f.setRightMargin(Rtf::twipsToUnits(para.right));
        f.setTextIndent(Rtf::twipsToUnits(para.first));
        f.setTopMargin(Rtf::twipsToUnits(para.before));
        f.setBottomMargin(Rtf::twipsToUnits(para.after));
        return f;
    }

    void paragraphBreak()
    {
        if (group().destination != Destination::Text)
            return;
        flushText();
        m_cellPending = false;
        setBlockProps(group().para);
        m_cursor.insertBlock(); // the new paragraph starts with the same format
        m_blockPara = group().para;
    }

    void setBlockProps(const ParaProps &para)
    {
        if (m_blockFormatSet && para == m_blockFormatProps)
            return;
        m_cursor.setBlockFormat(blockFormat(para));
        m_blockFormatProps = para;
        m_blockFormatSet = true;
    }

    void finishDocument()
    {
        if (m_picture && !m_groups.isEmpty())
            finishPicture();
        flushText();
        if (!m_groups.isEmpty())
            m_endPara = m_groups.first().para;
        const QTextBlock last = m_cursor.block();
        if (last.length() > 1) {
            setBlockProps(m_blockPara);
        } else if (m_doc.blockCount() > 1) {
            // The paragraph mark that ends the text opens no empty paragraph of its own.
            m_cursor.movePosition(QTextCursor::End);
            m_cursor.deletePreviousChar();
        } else {
            setBlockProps(m_endPara);
        }
    }

    const char *m_p;
    const char *m_end;
    QTextDocument &m_doc;
    QTextCursor m_cursor;
    bool m_done = false;

    QList<Group> m_groups;
    qint64 m_skipDepth = 0;
    int m_fallbackLeft = 0;

    int m_codePage = RtfCodePages::Default;
    int m_defaultFont = 0;
    RtfCodePages::Decoder m_decoder;

    QHash<int, FontEntry> m_fonts;
    FontEntry m_font;
    int m_fontIndex = -1;
    bool m_fontCodePageFixed = false;

    QList<QColor> m_colors;
    struct { int red = 0, green = 0, blue = 0; bool set = false; } m_color;

    QList<Field> m_fields;
    QStringList m_links;

    std::optional<PictureState> m_picture;
    qint64 m_pixels = 0;
    int m_imageCount = 0;

    QByteArray m_bytes;
    CharProps m_bytesProps;
    int m_bytesCodePage = RtfCodePages::Default;
    QString m_text;
    CharProps m_textProps;
    bool m_cellPending = false;
    ParaProps m_blockPara;
    ParaProps m_endPara;
    ParaProps m_blockFormatProps; // the format the cursor's paragraph has
    bool m_blockFormatSet = false;

    QTextCharFormat m_format;
    CharProps m_formatProps;
    bool m_formatValid = false;
};

} // namespace

namespace Rtf {

QString hyperlinkTarget(const QString &instruction)
{
    struct Token
    {
        QString text;
        bool quoted;
    };
    QList<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = instruction.size();
    while (i < n && tokens.size() < 64) {
        while (i < n && instruction[i].isSpace())
            ++i;
        if (i >= n)
            break;
        if (instruction[i] == u'"') {
            const qsizetype close = instruction.indexOf(u'"', i + 1);
            const qsizetype stop = close < 0 ? n : close;
            tokens.append({instruction.mid(i + 1, stop - i - 1), true});
            i = stop + 1;
        } else {
            const qsizetype start = i;
            while (i < n && !instruction[i].isSpace())
                ++i;
            tokens.append({instruction.mid(start, i - start), false});
        }
    }
    if (tokens.isEmpty() || tokens[0].quoted || tokens[0].text.compare(QLatin1String("HYPERLINK"), Qt::CaseInsensitive) != 0)
        return QString();
    QString url;
    QString place;
    for (qsizetype t = 1; t < tokens.size(); ++t) {
        const Token &token = tokens[t];
        if (!token.quoted && token.text.startsWith(u'\\')) {
            const QString name = token.text.mid(1).toLower();
            if (name == u"l" && t + 1 < tokens.size())
                place = tokens[++t].text;
            else if ((name == u"o" || name == u"t") && t + 1 < tokens.size())
                ++t;
            continue;
        }
        if (url.isEmpty())
            url = token.text;
    }
    if (!place.isEmpty())
        return url + u'#' + place;
    return url;
}

} // namespace Rtf

bool ReadRtf(QByteArrayView rtf, QTextDocument &doc)
{
    qsizetype start = 0;
    while (start < rtf.size() && (rtf[start] == ' ' || rtf[start] == '\t' || rtf[start] == '\r' || rtf[start] == '\n'))
        ++start;
    if (!rtf.sliced(start).startsWith("{\\rtf"))
        return false;
    const bool undo = doc.isUndoRedoEnabled();
    doc.clear();
    doc.setUndoRedoEnabled(false);
    RtfParser parser(rtf.sliced(start), doc);
    parser.run();
    doc.setUndoRedoEnabled(undo);
    return true;
}

bool LoadRtfFile(const QString &path, QTextDocument &doc)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    return ReadRtf(bytes, doc);
}
