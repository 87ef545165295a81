#pragma once

#include "platform/result.h"
#include "transfer/transferqueue.h"

#include <QString>
#include <QStringList>

#include <vector>

class Dialogs;
class QWidget;
class ToolCommands;

// The runs of one press, or why the press starts nothing: a request the tool would carry out
// wrongly is refused whole, before anything is queued.
namespace ToolRuns {

using Runs = Result<std::vector<ToolRun>>;

// The message for a tool that cannot be started.
QString startFailedMessage();

Runs transmit(const ToolCommands &tool, const QString &pcFolder, const QStringList &names,
              const QString &pofoDrive, const QString &pofoFolder, bool overwrite);
// destinationIsFolder: the PC destination is an existing folder.
Runs receive(const ToolCommands &tool, const QStringList &sources, const QString &destination,
             bool destinationIsFolder, bool overwrite);
// The destination is checked for being empty here; whether it exists is the window's question.
Runs backup(const ToolCommands &tool, const QStringList &folders, const QString &destination);

// Queues the runs, or shows why the press starts nothing; a run that cannot be started later
// shows startFailedMessage() once, over parent while it is still there.
void queue(TransferQueue &transfers, const Runs &runs, Dialogs &dialogs, QWidget *parent);

} // namespace ToolRuns
