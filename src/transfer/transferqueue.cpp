#include "transferqueue.h"

#include "platform/toolrunner.h"

#include <QCoreApplication>

#include <type_traits>
#include <utility>

// The list of entries grows by moving them; one that could only be copied would make every
// growth copy all the runs so far.
static_assert(std::is_nothrow_move_constructible_v<TransferQueue::Entry>);

TransferQueue::TransferQueue(ToolRunner &runner, QObject *parent)
    : QObject(parent)
    , m_runner(runner)
{
    connect(&m_runner, &ToolRunner::output, this, [this](const QByteArray &bytes) {
        if (m_running < 0)
            return;
        m_entries[std::size_t(m_running)].output.append(bytes);
        emit printed(m_running);
    });
    connect(&m_runner, &ToolRunner::finished, this, &TransferQueue::runFinished);
}

void TransferQueue::add(const std::vector<ToolRun> &runs, std::function<void()> startFailed)
{
    if (runs.empty())
        return;
    const int press = int(m_startFailed.size());
    m_startFailed.push_back(std::move(startFailed));
    for (const ToolRun &run : runs)
        m_entries.push_back({run, press, State::Waiting, 0, {}});
    emit added();
    startNext();
}

void TransferQueue::startNext()
{
    // A start failure's message may run an event loop of its own; no second start meanwhile.
    if (m_running >= 0 || m_starting)
        return;
    m_starting = true;
    for (int i = 0; i < size(); ++i) {
        Entry &entry = m_entries[std::size_t(i)];
        if (entry.state != State::Waiting)
            continue;
        entry.state = State::Running;
        m_running = i;
        emit changed(i);
        const Status started = m_runner.start(entry.run.commandLine);
        if (started)
            break;
        m_running = -1;
        Entry &failed = m_entries[std::size_t(i)];
        failed.output.append(started.reason().toLocal8Bit() + '\n');
        failed.state = State::NotStarted;
        emit changed(i);
        const int press = failed.press;
        drop(press, State::NotStarted);
        if (auto report = std::exchange(m_startFailed[std::size_t(press)], {}))
            report();
    }
    m_starting = false;
}

void TransferQueue::runFinished(int exitCode, bool crashed)
{
    if (m_running < 0)
        return;
    Entry &entry = m_entries[std::size_t(m_running)];
    entry.exitCode = exitCode;
    if (m_stopping)
        entry.state = State::Stopped;
    else if (crashed || exitCode != 0)
        entry.state = State::Failed;
    else
        entry.state = State::Done;
    const int index = m_running;
    m_running = -1;
    m_stopping = false;
    emit changed(index);
    // The runner is still inside its own signal: the next run starts from the event loop.
    QMetaObject::invokeMethod(this, &TransferQueue::startNext, Qt::QueuedConnection);
}

void TransferQueue::drop(int press, State state)
{
    for (int i = 0; i < size(); ++i) {
        Entry &entry = m_entries[std::size_t(i)];
        if (entry.press == press && entry.state == State::Waiting) {
            entry.state = state;
            emit changed(i);
        }
    }
}

void TransferQueue::stop()
{
    for (int i = 0; i < size(); ++i) {
        Entry &entry = m_entries[std::size_t(i)];
        if (entry.state == State::Waiting) {
            entry.state = State::Stopped;
            emit changed(i);
        }
    }
    if (m_running >= 0) {
        m_stopping = true;
        m_runner.stop();
    }
}

void TransferQueue::clearFinished()
{
    std::vector<Entry> kept;
    int running = -1;
    for (int i = 0; i < size(); ++i) {
        Entry &entry = m_entries[std::size_t(i)];
        if (entry.state != State::Waiting && entry.state != State::Running)
            continue;
        if (i == m_running)
            running = int(kept.size());
        kept.push_back(std::move(entry));
    }
    m_entries = std::move(kept);
    m_running = running;
    emit cleared();
}

bool TransferQueue::busy() const
{
    for (const Entry &entry : m_entries) {
        if (entry.state == State::Waiting || entry.state == State::Running)
            return true;
    }
    return false;
}

QString TransferQueue::stateText(const Entry &entry)
{
    switch (entry.state) {
    case State::Waiting:
        return QCoreApplication::translate("TransferQueue", "Waiting");
    case State::Running:
        return QCoreApplication::translate("TransferQueue", "Running");
    case State::Done:
        return QCoreApplication::translate("TransferQueue", "Done");
    case State::Failed:
        return QCoreApplication::translate("TransferQueue", "Failed (exit %1)").arg(entry.exitCode);
    case State::NotStarted:
        return QCoreApplication::translate("TransferQueue", "Not started");
    case State::Stopped:
        return QCoreApplication::translate("TransferQueue", "Stopped");
    }
    return {};
}
