#pragma once

#include <QString>

// Starts one command line as a separate process, without waiting for it.
class CommandStarter
{
public:
    virtual ~CommandStarter() = default;

    // False, with a reason in *error when given, when the process could not be started.
    virtual bool start(const QString &commandLine, QString *error = nullptr) = 0;
};
