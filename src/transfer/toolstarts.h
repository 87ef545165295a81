#pragma once

#include <QString>
#include <QStringList>

class CommandStarter;
class Dialogs;
class QWidget;

namespace ToolStarts {

// Starts the command lines one after the other without waiting. The first that cannot be
// started ends the press: the message is shown once and none of the rest is started.
// False when one failed.
bool startEach(const QStringList &commandLines, CommandStarter &starter, Dialogs &dialogs,
               QWidget *parent);

} // namespace ToolStarts
