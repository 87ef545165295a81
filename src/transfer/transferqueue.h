#pragma once

#include "transfer/tooloutput.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class ToolRunner;

// One run of the tool: what it moves where, and its command line.
struct ToolRun
{
    QString what;
    QString commandLine;
};

// The program's one queue of tool runs: the tool drives one parallel port, so a run starts
// only when the one before it has ended, whichever press queued it. Every run of the
// program's life stays listed, with its state and what the tool printed.
class TransferQueue final : public QObject
{
    Q_OBJECT
public:
    enum class State { Waiting, Running, Done, Failed, NotStarted, Stopped };

    struct Entry
    {
        ToolRun run;
        int press = 0;
        State state = State::Waiting;
        int exitCode = 0;
        ToolOutput output;
    };

    explicit TransferQueue(ToolRunner &runner, QObject *parent = nullptr);

    // Queues the runs of one press and returns at once. When one of them cannot be started,
    // startFailed is called once and the rest of this press is dropped.
    void add(const std::vector<ToolRun> &runs, std::function<void()> startFailed);
    // Ends the running run and drops the waiting ones.
    void stop();
    // Forgets the runs that have ended.
    void clearFinished();

    bool busy() const;
    int size() const { return int(m_entries.size()); }
    const Entry &entry(int index) const { return m_entries[std::size_t(index)]; }
    // The running entry, or -1.
    int running() const { return m_running; }

    static QString stateText(const Entry &entry);

signals:
    void added();
    void changed(int index);
    void printed(int index);
    void cleared();

private:
    void startNext();
    void runFinished(int exitCode, bool crashed);
    void drop(int press, State state);

    ToolRunner &m_runner;
    std::vector<Entry> m_entries;
    std::vector<std::function<void()>> m_startFailed; // by press
    int m_running = -1;
    bool m_stopping = false;
    bool m_starting = false;
};
