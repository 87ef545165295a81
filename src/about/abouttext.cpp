#include "abouttext.h"

#include "common/maker.h"

#include <QStringList>

QString aboutText()
{
    const QStringList lines = {
        QStringLiteral("Copyright ") + Maker::Copyright,
        QString(),
        QStringLiteral("Tarnwick:"),
        QStringLiteral("This program uses the command line tool Transfolio.exe"),
        QStringLiteral("to transmit and receive files from the PC to the Atari Portfolio"),
        QStringLiteral("or vice versa."),
        QString(),
        QStringLiteral("Transfolio:"),
        Maker::ToolCredit,
        QString(),
        QStringLiteral("E-Mail:"),
        Maker::ContactEmail,
    };
    return lines.join(QStringLiteral("\r\n"));
}
