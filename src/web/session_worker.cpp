#include "web/session_worker.h"

#include <chrono>
#include <memory>

TSessionWorker::TSessionWorker(std::function<void()> OnStart)
    : m_thread([this, OnStart = std::move(OnStart)]() mutable { Run(std::move(OnStart)); })
{
}

TSessionWorker::~TSessionWorker()
{
    Stop();
}

bool TSessionWorker::Post(std::function<void()> Task)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stopping)
            return false;
        m_tasks.push_back(std::move(Task));
    }
    m_wake.notify_one();
    return true;
}

bool TSessionWorker::Invoke(const std::function<void()> &Task, int TimeoutMs)
{
    // The waiter may give up; what the task signals lives on in shared state.
    struct TDone
    {
        std::mutex Mutex;
        std::condition_variable Signal;
        bool Finished = false;
    };
    auto done = std::make_shared<TDone>();
    const bool queued = Post([Task, done] {
        Task();
        {
            std::lock_guard<std::mutex> lock(done->Mutex);
            done->Finished = true;
        }
        done->Signal.notify_all();
    });
    if (!queued)
        return false;
    std::unique_lock<std::mutex> lock(done->Mutex);
    return done->Signal.wait_for(lock, std::chrono::milliseconds(TimeoutMs), [&] { return done->Finished; });
}

void TSessionWorker::Stop(std::function<void()> OnStop)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stopping)
            return;
        if (OnStop)
            m_tasks.push_back(std::move(OnStop));
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void TSessionWorker::Run(std::function<void()> OnStart)
{
    if (OnStart)
        OnStart();
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
            if (m_tasks.empty())
                return;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        // A task reports its own failures; one that escapes must not end the session's thread.
        try {
            task();
        } catch (...) {
        }
    }
}
