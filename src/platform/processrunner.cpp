#include "processrunner.h"

#include "platform/windowsargs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#ifdef Q_OS_WIN
#include "platform/windowsprocess.h"
#endif

namespace {} // namespace

ProcessRunner::ProcessRunner(QObject *parent)
    : ToolRunner(parent)
{}

ProcessRunner::~ProcessRunner()
{
#ifdef Q_OS_WIN
    stop();
#else
    // Nothing may be reported by a runner that is going away.
    if (m_process) {
        m_process->disconnect(this);
        stop();
        m_process->waitForFinished(1000);
        delete m_process;
    }
#endif
}

Result<ProcessRunner::Launch> ProcessRunner::plan(const QString &commandLine)
{
    QStringList arguments = WindowsArgs::split(commandLine);
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return Failure{
            QCoreApplication::translate("ProcessRunner", "The command line names no program.")};

    const QString name = arguments.takeFirst();
    if (name.contains(QLatin1Char('/'))) {
        const QFileInfo info(name);
        if (!info.exists())
            return Failure{
                QCoreApplication::translate("ProcessRunner", "%1 does not exist.").arg(name)};
        if (!info.isFile() || !info.isExecutable())
            return Failure{
                QCoreApplication::translate("ProcessRunner", "%1 is not an executable file.")
                    .arg(name)};
        return Launch{info.absoluteFilePath(), arguments};
    }
    const QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty())
        return Failure{QCoreApplication::translate("ProcessRunner", "%1 was not found on the PATH.")
                           .arg(name)};
    return Launch{program, arguments};
}

#ifdef Q_OS_WIN

Status ProcessRunner::start(const QString &commandLine)
{
    // Not QProcess: it would write the program again in its own spelling (slashes turned,
    // quotes its own way). The tool gets the line exactly as built.
    auto child = std::make_unique<WindowsProcess::Child>();
    std::wstring reason;
    if (!child->start(commandLine.toStdWString(), &reason))
        return Failure{QString::fromStdWString(reason)};
    m_child = std::move(child);
    if (!m_poll) {
        m_poll = new QTimer(this);
        m_poll->setInterval(15);
        connect(m_poll, &QTimer::timeout, this, &ProcessRunner::poll);
    }
    m_poll->start();
    return {};
}

void ProcessRunner::poll()
{
    if (!m_child)
        return;
    const std::string bytes = m_child->readAvailable();
    if (!bytes.empty())
        emit output(QByteArray(bytes.data(), qsizetype(bytes.size())));
    unsigned long code = 0;
    if (!m_child->ended(&code))
        return;
    m_poll->stop();
    m_child.reset();
    emit finished(int(code), false);
}

void ProcessRunner::stop()
{
    if (m_child)
        m_child->terminate();
}

#else

Status ProcessRunner::start(const QString &commandLine)
{
    const Result<Launch> launch = plan(commandLine);
    if (!launch)
        return Failure{launch.reason()};
    if (m_process)
        m_process->deleteLater();
    m_process = new QProcess(this);
    QProcess *process = m_process;
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProgram(launch->program);
    process->setArguments(launch->arguments);
    connect(process, &QProcess::readyReadStandardOutput, this,
            [this, process] { emit output(process->readAllStandardOutput()); });
    connect(process, &QProcess::finished, this,
            [this, process](int exitCode, QProcess::ExitStatus status) {
                const QByteArray rest = process->readAllStandardOutput();
                if (!rest.isEmpty())
                    emit output(rest);
                emit finished(exitCode, status == QProcess::CrashExit);
            });
    process->start();
    if (!process->waitForStarted()) {
        const QString reason = process->errorString();
        process->disconnect(this);
        return Failure{reason};
    }
    return {};
}

void ProcessRunner::stop()
{
    if (m_process && m_process->state() != QProcess::NotRunning)
        m_process->kill();
}

#endif
