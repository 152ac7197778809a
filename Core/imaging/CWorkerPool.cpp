// CWorkerPool: job hand-over between the calling thread and the workers.
#include "CWorkerPool.h"

#include <chrono>

#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
#  include <emmintrin.h>
#endif

namespace {

const int kMaxThreads = 64;
// Ranges per taking thread: smaller ranges even out rows of unequal cost
// (a rotated picture has few pixels in its top and bottom rows).
const int kRangesPerThread = 4;
// How long the calling thread watches for the helpers' last ranges to end
// before it sleeps: their ranges are short, and being woken from a sleep
// costs tens of microseconds, a fair part of a job on a small picture.
const auto kFinishWatch = std::chrono::microseconds(50);

// Tells the processor that the thread is waiting in a loop.
inline void SpinPause()
{
#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
    _mm_pause();
#endif
}

// True while this thread runs ranges of a job, as its caller or as a worker:
// a job started there (from a task) runs whole on this thread.
thread_local bool t_bInJob = false;

// Marks the calling thread as inside a job while it lives.
class InJobScope
{
public:
    InJobScope() : m_bWasInJob(t_bInJob) { t_bInJob = true; }
    ~InJobScope() { t_bInJob = m_bWasInJob; }
    InJobScope(const InJobScope&) = delete;
    InJobScope& operator=(const InJobScope&) = delete;

private:
    bool m_bWasInJob;
};

int DefaultThreadCount()
{
    const unsigned hardware = std::thread::hardware_concurrency();
    if (hardware == 0)
        return 1;
    return hardware > 16 ? 16 : static_cast<int>(hardware);
}

} // namespace

CWorkerPool::CWorkerPool()
    : m_threadCount(DefaultThreadCount()), m_stopping(false), m_generation(0), m_helpers(0), m_open(false), m_joined(0),
      m_pTask(nullptr), m_rowCount(0), m_rangeCount(0), m_nextRange(0)
{
}

CWorkerPool::~CWorkerPool()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

CWorkerPool& CWorkerPool::Shared()
{
    // Never destroyed: its workers may still wait when the process (or, on
    // Windows, the library) goes away, and joining them then is not safe.
    static CWorkerPool* pPool = new CWorkerPool();
    return *pPool;
}

void CWorkerPool::SetThreadCount(int count)
{
    m_threadCount.store(count < 1 ? 1 : (count > kMaxThreads ? kMaxThreads : count));
}

void CWorkerPool::ForRows(int count, const std::function<void(int, int)>& task)
{
    if (count <= 0)
        return;
    const int threads = m_threadCount.load();
    if (threads <= 1 || count == 1 || t_bInJob) {
        task(0, count);
        return;
    }
    // Another thread's job is running: this one runs on its own.
    std::unique_lock<std::mutex> job(m_jobMutex, std::try_to_lock);
    if (!job.owns_lock()) {
        task(0, count);
        return;
    }

    const int ranges = count < threads * kRangesPerThread ? count : threads * kRangesPerThread;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const int helpers = (threads < ranges ? threads : ranges) - 1;
        while (static_cast<int>(m_workers.size()) < helpers) {
            const int index = static_cast<int>(m_workers.size());
            m_workers.emplace_back(&CWorkerPool::WorkerLoop, this, index);
        }
        m_pTask = &task;
        m_rowCount = count;
        m_rangeCount = ranges;
        m_nextRange.store(0);
        m_helpers = helpers;
        m_open = true;
        ++m_generation;
    }
    m_wake.notify_all();
    InJobScope inJob;
    // However the caller's ranges end, a thrown exception included, the job
    // ends here: no range is taken any more and the helpers' ranges are over
    // before the task (and the rows it writes) can go away.
    struct JobEnd
    {
        CWorkerPool& pool;
        ~JobEnd() { pool.EndJob(); }
    } jobEnd{ *this };
    RunRanges();
}

void CWorkerPool::EndJob()
{
    // Every range is taken (or, after an exception, none is to be taken any
    // more): a worker that wakes from now on has nothing to do, so it no
    // longer joins, and only the joined ones are waited for.
    m_nextRange.store(m_rangeCount);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = false;
    }
    const auto watchEnd = std::chrono::steady_clock::now() + kFinishWatch;
    while (m_joined.load() != 0 && std::chrono::steady_clock::now() < watchEnd)
        SpinPause();
    std::unique_lock<std::mutex> lock(m_mutex);
    m_done.wait(lock, [this] { return m_joined.load() == 0; });
    m_pTask = nullptr;
}

void CWorkerPool::WorkerLoop(int index)
{
    t_bInJob = true;
    unsigned seen = 0;
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [&] { return m_stopping || (m_open && m_generation != seen); });
        if (m_stopping)
            return;
        seen = m_generation;
        if (index >= m_helpers)
            continue;
        ++m_joined;
        lock.unlock();
        RunRanges();
        lock.lock();
        if (--m_joined == 0)
            m_done.notify_one();
    }
}

void CWorkerPool::RunRanges()
{
    // Range k covers rows [k * count / ranges, (k + 1) * count / ranges).
    const long long count = m_rowCount;
    const long long ranges = m_rangeCount;
    for (int k = m_nextRange.fetch_add(1); k < ranges; k = m_nextRange.fetch_add(1))
        (*m_pTask)(static_cast<int>(k * count / ranges), static_cast<int>((k + 1) * count / ranges));
}
