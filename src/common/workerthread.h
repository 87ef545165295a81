#pragma once

#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

class QObject;

// Work that needs no widget, run in a thread of its own so that the windows go on painting.
// When it ends, `done` runs in the thread of `receiver`, unless the receiver is gone by then.
// Destroying the worker asks the work to stop (it looks at the flag it is given) and waits for
// it, so that no thread outlives what it works for.
class WorkerThread final
{
public:
    using Work = std::function<void(const std::atomic_bool &stop)>;

    WorkerThread(QObject *receiver, Work work, std::function<void()> done);
    ~WorkerThread();
    WorkerThread(const WorkerThread &) = delete;
    WorkerThread &operator=(const WorkerThread &) = delete;

    void requestStop() { m_stop = true; }

private:
    std::atomic_bool m_stop{false};
    std::unique_ptr<QThread> m_thread;
};
