#pragma once

#include "platform/commandstarter.h"

// Starts command lines as real processes.
class ProcessStarter final : public CommandStarter
{
public:
    bool start(const QString &commandLine, QString *error = nullptr) override;
};
