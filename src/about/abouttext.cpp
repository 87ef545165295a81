#include "abouttext.h"

#include "common/maker.h"

#include <QCoreApplication>
#include <QStringList>

QString aboutText()
{
    const QStringList lines = {
        QStringLiteral("Copyright ") + Maker::Copyright,
        QString(),
        QStringLiteral("Tarnwick:"),
        QCoreApplication::translate("AboutText",
                                    "This program uses the command line tool Transfolio.exe"),
        QCoreApplication::translate(
            "AboutText", "to transmit and receive files from the PC to the Atari Portfolio"),
        QCoreApplication::translate("AboutText", "or vice versa."),
        QString(),
        QStringLiteral("Transfolio:"),
        QCoreApplication::translate("AboutText", Maker::ToolCredit),
        QString(),
        QCoreApplication::translate("AboutText", "E-Mail:"),
        Maker::ContactEmail,
    };
    return lines.join(QStringLiteral("\r\n"));
}
