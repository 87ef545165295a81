#pragma once

#include <qnamespace.h>
#include <QtGlobal>

#include <string_view>

namespace Rtf {

// What a control word does where the reader takes it.
enum class Action : quint8 {
    Skip, // a destination the editor does not show
    Align,
    AnsiCodePage,
    Background,
    Blue,
    Bold,
    Char,
    Charset,
    CodePage,
    ColorTable,
    DefaultFont,
    Field,
    FieldInstruction,
    Font,
    FontCodePage,
    FontSize,
    FontTable,
    FootnoteMark,
    FootnoteStart,
    Foreground,
    Green,
    Italic,
    Paragraph,
    ParagraphDefaults,
    Plain,
    Red,
    Script,
    Shape,
    ShapeText,
    Strike,
    Underline,
    Unicode,
    UnicodeSkip, // known, so that \* before it skips nothing; the tokenizer keeps the count
};

enum class Underline : quint8 { None, Single, Dotted, Dashed, Wave };
enum class Script : quint8 { Normal, Super, Sub };

// A group that a shape's text word opens shows as text; elsewhere that word is a flag.
constexpr int OpensTextBox = 1;

struct ControlWord
{
    std::string_view name;
    Action action;
    int value = 0; // the character, alignment, code page or style the word stands for
};

// The entry of a known word, or nullptr.
const ControlWord *findControlWord(std::string_view name);

} // namespace Rtf
