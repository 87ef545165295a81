#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QTextDocument;

// The editor's files: reading them as rich or plain text, and writing them back as plain text.
// No widgets here.
namespace DocumentFile {

// Windows' numbers for the Unicode forms that a file announces with a byte-order mark.
constexpr int Utf16Le = 1200;
constexpr int Utf16Be = 1201;
constexpr int Utf32Le = 12000;
constexpr int Utf32Be = 12001;

// How a plain-text file's bytes became text, so that saving writes the same bytes again.
struct Encoding
{
    int codePage = 0; // CodePage::Utf8, one of its single-byte pages, or a Unicode form above
    bool byteOrderMark = false;
};

// What a document read from RTF, or typed afresh, is saved in: the ANSI code page on Windows,
// UTF-8 elsewhere.
Encoding systemEncoding();

// Plain text as read from a file: UTF-16 or UTF-32 after their byte-order mark; on Windows
// otherwise in the ANSI code page; elsewhere UTF-8 when the bytes are valid UTF-8, else
// Windows-1252, which gives every byte a character of its own.
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

// A file as it stood when it was read: which file it was, its length and its last change.
struct Stamp
{
    quint64 device = 0;
    quint64 inode = 0; // with device, 0 where the system does not say
    qint64 size = -1;
    qint64 modified = 0; // nanoseconds since 1970
    qint64 changed = 0;  // status change (inode) time, nanoseconds since 1970: a rewrite that
                         // restores size and modification time still moves it

    bool operator==(const Stamp &) const = default;
};

// The file a document was read from, and how it stood then.
struct Origin
{
    QString path;
    Stamp stamp;
};

// The bytes of a file, or why they cannot be read. *stamp, when given, gets the file's stamp as
// it was read.
Result<QByteArray> read(const QString &path, Stamp *stamp = nullptr);

// Whether saving to the target would overwrite what another program changed: the target is
// the document's file, and that file is no longer the one that was read, or was written since.
// A file that is gone holds nothing to lose.
bool changedOnDisk(const Origin &origin, const QString &target);

// Puts a file's bytes into the document: RTF markup with its formatting, anything else as
// plain text. Leaves nothing to undo and the document unmodified; returns how to save it.
Encoding load(const QByteArray &bytes, QTextDocument &document);

// The file a save to the path writes: the path itself, or the existing file a link at the path
// points to; or why nothing may be saved there (no path, a folder, a link to nothing, something
// that is not a regular file).
Result<QString> saveTarget(const QString &path);

// Writes the document's plain text over the path (its saveTarget()), atomically: until every byte
// of the new file is written the old one stays as it was, and a file replaced keeps its owner,
// group and mode where the system lets us. A failure says why nothing was written: no path, a
// folder, a link to nothing, a read-only file, a folder that does not exist, a full disk, or
// characters the encoding cannot store. When the path is the file of *origin, its stamp becomes the
// one of the file written.
Status save(const QTextDocument &document, const QString &path, const Encoding &encoding,
            Origin *origin = nullptr);

} // namespace DocumentFile
