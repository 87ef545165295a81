// Feeds any bytes to the RTF reader as a file, as pasted bytes and as pasted text, and to the
// code pages. Crashes, leaks and undefined behaviour are the sanitizers' to find; what the
// reader promises beyond that is checked here, and a broken promise aborts.
#include "editor/codepage.h"
#include "editor/rtfreader.h"

#include <QGuiApplication>
#include <QSet>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The document's text; none of it a control code (tab aside) or a lone surrogate.
QString checkedText(const QTextDocument &document)
{
    const QString text = document.toRawText();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
            std::abort();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            std::abort();
    }
    return text;
}

// What the document's formats hold: a share of each format, and every distinct string once.
// Reading must leave no more than a small multiple of its input, or a small file could fill
// the memory with formats that each copy a long font name.
qsizetype heldByFormats(const QTextDocument &document)
{
    QSet<const QChar *> seen;
    qsizetype bytes = 0;
    const auto string = [&](const QString &s) {
        if (!seen.contains(s.constData())) {
            seen.insert(s.constData());
            bytes += s.size() * qsizetype(sizeof(QChar));
        }
    };
    for (const QTextFormat &format : document.allFormats()) {
        bytes += 64;
        for (const QVariant &value : format.properties()) {
            if (value.typeId() == QMetaType::QString) {
                string(value.toString());
            } else if (value.typeId() == QMetaType::QStringList) {
                for (const QString &s : value.toStringList())
                    string(s);
            }
        }
    }
    return bytes;
}

QString pastedIntoEmpty(const auto &markup)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    Rtf::read(markup, cursor);
    return checkedText(document);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // QTextDocument's fonts want an application; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Rtf::isMarkup(bytes);

    QTextDocument loaded;
    Rtf::load(bytes, loaded);
    const QString file = checkedText(loaded);
    if (heldByFormats(loaded) > 16 * qsizetype(size) + 4096)
        std::abort();

    // Pasting differs from loading only in keeping the final paragraph mark.
    const QString pasted = pastedIntoEmpty(bytes);
    if (pasted != file && pasted != file + QChar(QChar::ParagraphSeparator))
        std::abort();
    // Markup as text reads as the same markup as bytes, as long as it is ASCII.
    if (std::all_of(data, data + size, [](uint8_t b) { return b < 0x80; })
        && pastedIntoEmpty(QString::fromLatin1(bytes)) != pasted)
        std::abort();

    // Pasted over a selection inside a paragraph, as bytes and then as text; the same bytes
    // taken as UTF-16 reach characters (and lone surrogates) that bytes cannot.
    QTextDocument target;
    QTextCursor cursor(&target);
    cursor.insertText(QStringLiteral("before middle after"));
    cursor.setPosition(7);
    cursor.setPosition(13, QTextCursor::KeepAnchor);
    Rtf::read(bytes, cursor);
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    Rtf::isMarkup(text);
    Rtf::read(text, cursor);
    checkedText(target);

    // A single-byte page takes any bytes back to themselves.
    for (const int page : {1250, 1252, 1255, 874, 437}) {
        const CodePage::Encoded back = CodePage::encode(CodePage::decode(bytes, page), page);
        if (!back.complete || back.bytes != bytes)
            std::abort();
    }
    CodePage::encode(text, 1251);
    CodePage::encode(text, CodePage::Utf8);
    return 0;
}
