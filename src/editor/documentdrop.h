#pragma once

#include "platform/result.h"

#include <QList>
#include <QString>
#include <QUrl>

// What a drop onto the document window opens. No widgets here.
namespace DocumentDrop {

// Whether the drop names files at all: such a drop never pastes its addresses into the text.
bool holdsFiles(const QList<QUrl> &urls);

// The one .txt or .rtf file on this computer that the drop holds, or why it opens nothing:
// more than one entry, a folder, a file that is gone or is not a document, a file elsewhere.
Result<QString> document(const QList<QUrl> &urls);

} // namespace DocumentDrop
