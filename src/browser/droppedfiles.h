#pragma once

#include "platform/result.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// What a drop of files onto the PC file list shows. No widgets here.
namespace DroppedFiles {

struct Plan
{
    QString folder;    // the folder to open; empty when nothing local was dropped
    QStringList names; // its files to select, in the order dropped
    int leftOut = 0;   // dropped entries that cannot be selected there
    QString refused;   // the first entry that is not on this computer, as the user knows it
    QString unusable;  // why nothing is done: an entry's name cannot be used exactly
};

// One folder alone opens that folder. Anything else opens the folder of the first entry on
// this computer and selects the files dropped from it; folders, files of other folders and
// addresses that are not local count as left out. A local entry whose name cannot be used
// exactly stops the whole drop: its look-alike would be selected.
Plan plan(const QList<QUrl> &urls);

// Whether the local file a URL names can be used exactly.
Status usable(const QUrl &url);

} // namespace DroppedFiles
