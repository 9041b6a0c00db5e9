// Rich text reader: any bytes, read into a text document whose every fragment is then visited.
// (No layout: font look-ups for the random font names would only exercise the font library.)
#include "platform/RtfReader.h"

#include <QGuiApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qgetenv("QT_QPA_FONTDIR").isEmpty())
        qputenv("QT_QPA_FONTDIR", "/usr/share/fonts/truetype");
    static int argc = 1;
    static char name[] = "fuzz_rtf";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    if (!ReadRtf(input, doc)) {
        // Bytes without the header still go through the parser, behind one.
        const QByteArray framed = QByteArray("{\\rtf1 ") + input.toByteArray();
        if (!ReadRtf(framed, doc))
            __builtin_trap();
    }
    qsizetype characters = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            characters += fragment.length();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) {
                const QVariant image = doc.resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
                if (image.value<QImage>().isNull())
                    __builtin_trap(); // every image placed has its picture
            }
        }
        characters += 1;
    }
    if (characters != doc.characterCount())
        __builtin_trap();
    (void)doc.toPlainText();
    return 0;
}
