#include "toolstarts.h"

#include "platform/commandstarter.h"
#include "platform/dialogs.h"

#include <QCoreApplication>

namespace ToolStarts {

bool startEach(const QStringList &commandLines, CommandStarter &starter, Dialogs &dialogs,
               QWidget *parent)
{
    for (const QString &line : commandLines) {
        if (!starter.start(line)) {
            dialogs.message(parent,
                            QCoreApplication::translate(
                                "ToolStarts",
                                "Error! Please check the path of transfolio.exe or your sources!"));
            return false;
        }
    }
    return true;
}

} // namespace ToolStarts
