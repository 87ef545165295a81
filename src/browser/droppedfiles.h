#pragma once

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
};

// One folder alone opens that folder. Anything else opens the folder of the first entry on
// this computer and selects the files dropped from it; folders, files of other folders and
// addresses that are not local count as left out.
Plan plan(const QList<QUrl> &urls);

} // namespace DroppedFiles
