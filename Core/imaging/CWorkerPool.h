// CWorkerPool: a small pool of worker threads that the processors and the
// chain share to split the rows of a picture.
#pragma once

#include "TesLibApi.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// ForRows(count, task) calls task(first, last) for ranges [first, last) that
// together cover the rows 0 ... count - 1 exactly once, on the pool's workers
// and on the calling thread, and returns when every range is done. Tasks
// write disjoint rows and keep no state from one range to the next, so the
// result does not depend on the thread count. A call made while the pool is
// busy (from a task, or from a second thread) runs the whole range on the
// calling thread. A task that throws on the calling thread ends the job: the
// helpers finish the ranges they hold, take no more, and the exception passes
// on to the caller of ForRows. Tasks must not throw on a worker.
//
// The thread count starts at the number of hardware threads (1 ... 16); with
// 1 every task runs on the calling thread. Workers are started when a job
// first needs them and then wait for the next job; one that wakes after
// every range of a job is taken sits that job out, so a short job never
// waits for a worker to wake. The shared pool lives as long as the process.
class TESLIB_API CWorkerPool
{
public:
    CWorkerPool();
    ~CWorkerPool();
    CWorkerPool(const CWorkerPool&) = delete;
    CWorkerPool& operator=(const CWorkerPool&) = delete;

    // The pool of the processors and the chain.
    static CWorkerPool& Shared();

    int GetThreadCount() const { return m_threadCount.load(); }
    // Threads a job may use, the calling one included; clamped to 1 ... 64.
    void SetThreadCount(int count);

    void ForRows(int count, const std::function<void(int, int)>& task);

private:
    void WorkerLoop(int index);
    void RunRanges();
    // Stops the handing out of ranges and waits for the helpers that joined.
    void EndJob();

    std::atomic<int> m_threadCount;
    std::mutex m_jobMutex; // held by the thread whose job runs
    std::mutex m_mutex;    // guards the fields below
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::vector<std::thread> m_workers;
    bool m_stopping;
    unsigned m_generation;     // counts jobs, so a worker sees a new one
    int m_helpers;             // workers that may take part in the current job
    bool m_open;               // whether the current job still has ranges to take
    std::atomic<int> m_joined; // workers running the current job's ranges
    const std::function<void(int, int)>* m_pTask;
    int m_rowCount;
    int m_rangeCount;
    std::atomic<int> m_nextRange;
};
