#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QTextDocument;

// The editor's files: reading them as rich or plain text, and writing them back as plain text.
// No widgets here.
namespace DocumentFile {

// How a plain-text file's bytes became text, so that saving writes the same bytes again.
struct Encoding
{
    int codePage = 0; // CodePage::Utf8 or one of its single-byte pages
    bool byteOrderMark = false;
};

// What a document read from RTF, or typed afresh, is saved in: the ANSI code page on Windows,
// UTF-8 elsewhere.
Encoding systemEncoding();

// Plain text as read from a file: on Windows in the ANSI code page; elsewhere UTF-8 when the
// bytes are valid UTF-8, else Windows-1252, which gives every byte a character of its own.
struct Decoded
{
    QString text;
    Encoding encoding;
};
Decoded decode(const QByteArray &bytes);

// A path ending in "com" or "exe", in any letter case: a program, which an edit would ruin.
bool isProgram(const QString &path);

// A path ending in ".txt" or ".rtf", in any letter case: what a drop opens in the editor.
bool isDocument(const QString &path);

// The bytes of a file, or nothing with the reason in *error.
std::optional<QByteArray> read(const QString &path, QString *error);

// Puts a file's bytes into the document: RTF markup with its formatting, anything else as
// plain text. Leaves nothing to undo and the document unmodified; returns how to save it.
Encoding load(const QByteArray &bytes, QTextDocument &document);

// The document as a plain-text file holds it: no formatting, paragraphs and line breaks ended
// by CR LF, no-break spaces kept.
QString plainText(const QTextDocument &document);

// Writes the document's plain text over the path, atomically: until the new file is complete
// the old one stays as it was. False, with the reason in *error, when nothing was written:
// no path, a folder, a read-only file, a folder that does not exist, a full disk, or
// characters the encoding cannot store.
bool save(const QTextDocument &document, const QString &path, const Encoding &encoding,
          QString *error);

} // namespace DocumentFile
