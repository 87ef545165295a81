#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// Runs the transfer tool, one command line at a time, and reports what it prints and how it
// ended. Standard output and error arrive together, as the tool wrote them.
class ToolRunner : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Fails, with the reason, when no process could be started. At most one run at a time.
    virtual Status start(const QString &commandLine) = 0;
    // Ends the running process; finished() follows.
    virtual void stop() = 0;

signals:
    void output(const QByteArray &bytes);
    // crashed: ended by a signal or killed; never counts as success.
    void finished(int exitCode, bool crashed);
};
