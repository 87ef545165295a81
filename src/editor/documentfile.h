#pragma once

#include "editor/codepage.h"
#include "editor/filestamp.h"
#include "platform/result.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

// The editor's files: reading them as rich or plain text, and writing them back as plain text.
// No widgets here.
namespace DocumentFile {

// A path ending in "com" or "exe", in any letter case: a program, which an edit would ruin.
bool isProgram(const QString &path);

// A path ending in ".txt" or ".rtf", in any letter case: what a drop opens in the editor.
bool isDocument(const QString &path);

// The bytes of a file, or why they cannot be read. *stamp, when given, gets the file's stamp as
// it was read.
Result<QByteArray> read(const QString &path, FileStamp *stamp = nullptr);

// Puts a file's bytes into the document: RTF markup with its formatting, anything else as
// plain text. Leaves nothing to undo and the document unmodified; returns how to save it.
CodePage::Encoding load(const QByteArray &bytes, QTextDocument &document);

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
Status save(const QTextDocument &document, const QString &path, const CodePage::Encoding &encoding,
            FileOrigin *origin = nullptr);

} // namespace DocumentFile
