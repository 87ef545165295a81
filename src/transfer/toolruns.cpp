#include "toolruns.h"

#include "common/pathtext.h"
#include "platform/dialogs.h"
#include "transfer/toolcommands.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace {

QString arrow(const QString &from, const QString &to)
{
    return from + QStringLiteral(" \u2192 ") + to;
}

Status checkLength(const QString &portfolioPath)
{
    if (portfolioPath.size() <= ToolCommands::LongestPortfolioPath)
        return {};
    return Failure{QCoreApplication::translate(
                       "ToolRuns", "The Portfolio path %1 is %2 characters long; the transfer tool "
                                   "uses only the first %3 of a Portfolio path. Please choose a "
                                   "shorter folder or name.")
                       .arg(portfolioPath)
                       .arg(portfolioPath.size())
                       .arg(ToolCommands::LongestPortfolioPath)};
}

} // namespace

namespace ToolRuns {

QString startFailedMessage()
{
    return QCoreApplication::translate(
        "ToolRuns", "Error! Please check the path of transfolio.exe or your sources!");
}

Runs transmit(const ToolCommands &tool, const QString &pcFolder, const QStringList &names,
              const QString &pofoDrive, const QString &pofoFolder, bool overwrite)
{
    if (!tool.checkToolFolder())
        return Failure{startFailedMessage()};
    std::vector<ToolRun> runs;
    QHash<QString, QStringList> byTarget; // the Portfolio ignores letter case
    QStringList targets;
    for (const QString &name : names) {
        const QString target = ToolCommands::portfolioName(name, pofoDrive, pofoFolder);
        if (Status length = checkLength(target); !length)
            return Failure{length.reason()};
        const QString key = target.toUpper();
        if (!byTarget.contains(key))
            targets.append(key);
        byTarget[key].append(name);
        const QString pcFile = PathText::native(PathText::withSeparator(pcFolder) + name);
        runs.push_back({arrow(pcFile, target),
                        tool.transmit(pcFolder, name, pofoDrive, pofoFolder, overwrite)});
    }
    // However many files clash, the message stays readable: the first names of the first
    // clashes, and how many more there are.
    constexpr qsizetype ShownClashes = 10;
    constexpr qsizetype ShownNames = 5;
    QStringList clashes;
    int unshown = 0;
    for (const QString &target : std::as_const(targets)) {
        const QStringList &files = byTarget[target];
        if (files.size() < 2)
            continue;
        if (clashes.size() == ShownClashes) {
            ++unshown;
            continue;
        }
        QString names = files.first(std::min(files.size(), ShownNames)).join(QStringLiteral(", "));
        if (files.size() > ShownNames)
            names = QCoreApplication::translate("ToolRuns", "%1 and %2 more")
                        .arg(names, QString::number(files.size() - ShownNames));
        clashes.append(
            QCoreApplication::translate("ToolRuns", "%1 would all become %2").arg(names, target));
    }
    if (unshown > 0)
        clashes.append(
            QCoreApplication::translate("ToolRuns", "Not listed: %1 more of them.").arg(unshown));
    if (!clashes.isEmpty()) {
        return Failure{QCoreApplication::translate(
                           "ToolRuns",
                           "These files would get the same name on the Portfolio, so one "
                           "would replace or block the other:\n%1\nPlease rename them or "
                           "send them one at a time.")
                           .arg(clashes.join(QLatin1Char('\n')))};
    }
    return runs;
}

Runs receive(const ToolCommands &tool, const QStringList &sources, const QString &destination,
             bool destinationIsFolder, bool overwrite)
{
    if (!tool.checkToolFolder())
        return Failure{startFailedMessage()};
    if (sources.size() > 1 && !destinationIsFolder) {
        return Failure{QCoreApplication::translate(
                           "ToolRuns", "%1 is not a folder, and %2 Portfolio files cannot all be "
                                       "received into one file. Please pick a folder.")
                           .arg(PathText::native(destination))
                           .arg(sources.size())};
    }
    std::vector<ToolRun> runs;
    for (const QString &source : sources) {
        if (Status length = checkLength(source); !length)
            return Failure{length.reason()};
        runs.push_back({arrow(source, PathText::native(destination)),
                        tool.receive(source, destination, overwrite)});
    }
    return runs;
}

Runs backup(const ToolCommands &tool, const QStringList &folders, const QString &destination)
{
    if (!tool.checkToolFolder())
        return Failure{startFailedMessage()};
    if (destination.isEmpty())
        return Failure{QCoreApplication::translate(
            "ToolRuns", "Please enter the destination folder on your PC (step 2).")};
    std::vector<ToolRun> runs;
    for (const QString &folder : folders) {
        const QString pattern = ToolCommands::backupSource(folder);
        if (Status length = checkLength(pattern); !length)
            return Failure{length.reason()};
        runs.push_back({arrow(pattern, destination), tool.backup(folder, destination)});
    }
    return runs;
}

void queue(TransferQueue &transfers, const Runs &runs, Dialogs &dialogs, QWidget *parent)
{
    if (!runs) {
        dialogs.message(parent, runs.reason());
        return;
    }
    const QPointer<QWidget> owner = parent;
    transfers.add(*runs, [&dialogs, owner] { dialogs.message(owner, startFailedMessage()); });
}

} // namespace ToolRuns
