// The one thread that does all the work of one web session: its pages, its pictures and its
// connections live on it. Other threads hand it tasks and may wait for them with a time-out.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class TSessionWorker
{
public:
    // Starts the thread; OnStart runs first on it.
    explicit TSessionWorker(std::function<void()> OnStart);
    // Runs the tasks still queued, then OnStop (when given to Stop), and joins the thread.
    ~TSessionWorker();
    TSessionWorker(const TSessionWorker &) = delete;
    TSessionWorker &operator=(const TSessionWorker &) = delete;

    // Queues a task; False once the worker is stopping.
    bool Post(std::function<void()> Task);
    // Queues Task and waits for it at most TimeoutMs; False when it did not finish in time
    // (it still runs later, so it must own what it touches) or could not be queued.
    bool Invoke(const std::function<void()> &Task, int TimeoutMs);
    // Queues OnStop as the last task and joins the thread; later calls do nothing.
    void Stop(std::function<void()> OnStop = {});

    bool IsWorkerThread() const { return std::this_thread::get_id() == m_thread.get_id(); }

private:
    void Run(std::function<void()> OnStart);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    bool m_stopping = false;
    std::thread m_thread;
};
