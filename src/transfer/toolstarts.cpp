#include "toolstarts.h"

#include "platform/commandstarter.h"
#include "platform/dialogs.h"

namespace ToolStarts {

bool startEach(const QStringList &commandLines, CommandStarter &starter, Dialogs &dialogs,
               QWidget *parent)
{
    for (const QString &line : commandLines) {
        if (!starter.start(line)) {
            dialogs.message(parent, Failed);
            return false;
        }
    }
    return true;
}

} // namespace ToolStarts
