#pragma once
// A small pool of threads that lives as long as the library: a call hands it numbered tasks, works on
// them itself too, and returns only when every task is done, so callers see an ordinary synchronous
// function. Tasks must not depend on which thread runs them (each writes only its own output).
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace morvane::dxt {

class ThreadPool {
public:
    // `threads` counts the caller too: 1 means no extra threads.
    explicit ThreadPool(int threads);
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    int threads() const { return int(workers_.size()) + 1; }

    // Runs task(0) .. task(count - 1) and returns when all have finished. When the pool is already busy
    // with another caller's job, the tasks run on the calling thread alone.
    void run(int count, const std::function<void(int)>& task);

    // The library's pool, one thread per hardware thread, started on first use.
    static ThreadPool& shared();

private:
    struct Job {
        const std::function<void(int)>* task = nullptr;
        int count = 0;
        std::atomic<int> next{0};
        std::atomic<int> done{0};
    };

    void work();
    static void drain(Job& job);

    std::vector<std::thread> workers_;
    std::mutex run_mutex_;  // one job at a time
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    Job* job_ = nullptr;
    unsigned long generation_ = 0;
    int busy_workers_ = 0;
    bool stopping_ = false;
};

}  // namespace morvane::dxt
