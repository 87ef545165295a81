#pragma once

#include "editor/codepage.h"
#include "editor/rtfcontrolwords.h"
#include "editor/rtftokenizer.h"

#include <QColor>
#include <QHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <optional>
#include <vector>

namespace Rtf {

// What becomes of a last \par: pasted text keeps it as a paragraph of its own; a file's ends
// its last paragraph.
enum class FinalBreak : quint8 { Keep, EndsLastParagraph };

// Character formatting as the markup states it. Compared for every piece of text, and made
// into a QTextCharFormat only once per run of equal formatting.
struct CharProps
{
    int font = -1;
    int halfPoints = 24; // RTF's own default of 12 points
    int color = 0;
    int background = 0;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    Underline underline = Underline::None;
    Script script = Script::Normal;

    bool operator==(const CharProps &) const = default;
};

size_t qHash(const CharProps &p, size_t seed = 0);

// Builds the document at a cursor from the tokens of its markup: the group state, the font
// and colour tables, the formats, and the text with its paragraphs.
class Builder final
{
public:
    // Takes the cursor: a second one on the document would slow down every insertion.
    Builder(QTextCursor cursor, FinalBreak finalBreak);

    void take(const Token &token);
    // The document's group has closed: whatever follows is no part of it.
    bool done() const { return m_done; }
    // Puts out what is held back; the cursor then stands after the text.
    void finish();
    QTextCursor &cursor() { return m_cursor; }
    const QTextCursor &cursor() const { return m_cursor; }

private:
    // Instruction: a field's code, kept to show what a field without a result would. Shape: a
    // drawing, which shows nothing but the text of its text box.
    enum class Destination : quint8 { Text, FontTable, ColorTable, Instruction, Shape, Skip };

    // What an RTF group carries and gives back when it closes.
    struct Group
    {
        CharProps chars;
        int codePage = CodePage::Western; // of chars.font, resolved when the font changes
        Qt::Alignment alignment = Qt::AlignLeft;
        Destination destination = Destination::Text;
    };

    Group &top() { return m_stack.back(); }
    Destination destination() const
    {
        return m_overflow > 0 ? Destination::Skip : m_stack.back().destination;
    }

    void unstar(const ControlWord *entry);
    void openGroups(qint64 count);
    void closeGroup();
    void symbol(char16_t c);
    void text(const Token &token);
    void textUnits(QStringView units);
    void tableText(const Token &token);
    void instructionBytes(QByteArrayView bytes);
    void instructionUnit(char16_t c);
    void settleInstruction();
    void finishField();
    QString fieldFallback(QStringView code);
    QString symbolField(QStringView code, qsizetype i);

    void controlWord(const ControlWord &entry, const Token &token);
    void fontTableWord(const ControlWord &entry, const Token &token);
    void shapeWord(const ControlWord &entry);
    void colorTableWord(const ControlWord &entry, const Token &token);
    bool destinationWord(const ControlWord &entry);
    bool characterWord(const ControlWord &entry, const Token &token);
    void documentWord(const ControlWord &entry, const Token &token);
    void character(char16_t c);
    void unicode(int parameter);
    void byte(uchar b);
    int codePageOf(int font) const;
    int pageOfFont(int charset, int codePage, QStringView family) const;

    // Output: text gathers into a run of one format until the format changes.
    void beginText();
    void appendBytes(QByteArrayView bytes, int codePage);
    void settleBytes();
    void appendUnit(char16_t c);
    void settleRun();
    void flushRun();
    void paragraph();
    void align(Qt::Alignment alignment);
    void endParagraph(Qt::Alignment alignment, const CharProps &props);
    void emitBreak();
    QTextCharFormat format(const CharProps &props) const;
    QString formatKey(const CharProps &props, std::optional<QColor> foreground,
                      std::optional<QColor> background, int familyId) const;
    std::optional<QColor> color(int index) const;

    // Tables.
    void fontNameByte(uchar b) { m_fontName.bytes.append(char(b)); }
    void fontNameUnit(char16_t c);
    void commitFont();
    void commitColor();

    QTextCursor m_cursor;
    const FinalBreak m_finalBreak;
    const QTextBlockFormat m_baseBlock;

    std::vector<Group> m_stack; // [0] stands outside the document's group
    qint64 m_overflow = 0;      // groups open beyond MaxGroupDepth
    bool m_done = false;
    bool m_groupStart = false; // nothing but \* since the last '{'
    bool m_starred = false;    // \* right after a '{', waiting for its destination

    int m_documentCodePage = CodePage::Western;
    int m_defaultFont = -1;
    // Fields open around the text; each stands at the depth of its group.
    struct Field
    {
        std::size_t depth;
        qint64 textMark; // m_textCount at its start: the same at its end when it showed nothing
        QString code;
        QByteArray bytes; // of the code, not yet decoded
        int codePage = CodePage::Western;
    };
    std::vector<Field> m_fields;
    qint64 m_textCount = 0; // pieces of text shown so far

    // The next footnote's number. Its mark is shown; its text, like headers, is not.
    qint64 m_footnote = 1;

    struct Font
    {
        QString family;
        int charset = -1;
        int codePage = 0; // its \cpg, where given
        int familyId = 0; // the same for every font of the same family
    };
    QHash<int, Font> m_fonts;
    QHash<QString, int> m_familyIds;
    QHash<QString, int> m_fontOfFamily; // the first font of each name
    struct
    {
        int number = -1;
        int charset = -1;
        int codePage = 0;
        QByteArray bytes;
        QString name;
    } m_fontName;

    std::vector<std::optional<QColor>> m_colors;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colorGiven = false;

    QString m_run;
    CharProps m_runProps;
    QByteArray m_bytes; // undecoded, so that multi-byte sequences meet
    int m_bytesCodePage = CodePage::Western;
    CodePage::ReadingDecoder m_decoder;
    char16_t m_highSurrogate = 0;

    // A \par is held back until more text shows it was not the last.
    bool m_breakPending = false;
    Qt::Alignment m_breakAlignment = Qt::AlignLeft;
    CharProps m_breakProps;
    bool m_textSinceBreak = false;
    Qt::Alignment m_textAlignment = Qt::AlignLeft;

    // The cursor's block as far as it matters here, kept because asking the document for it
    // costs more than the rest of reading a paragraph.
    Qt::Alignment m_blockAlignment;
    bool m_atBlockStart;
    std::optional<CharProps> m_blockMark; // its own character format, once set here

    mutable QHash<CharProps, QTextCharFormat> m_formats;
};

} // namespace Rtf
