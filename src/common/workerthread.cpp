#include "workerthread.h"

#include <QObject>

WorkerThread::WorkerThread(QObject *receiver, Work work, std::function<void()> done)
    : m_thread(QThread::create([this, work = std::move(work)] { work(m_stop); }))
{
    // Queued: the signal comes from the worker's thread.
    QObject::connect(m_thread.get(), &QThread::finished, receiver, std::move(done),
                     Qt::QueuedConnection);
    m_thread->start();
}

WorkerThread::~WorkerThread()
{
    m_stop = true;
    m_thread->wait();
}
