#include "dxt/thread_pool.h"

#include <algorithm>

namespace morvane::dxt {

ThreadPool::ThreadPool(int threads) {
    for (int i = 1; i < threads; ++i) workers_.emplace_back([this] { work(); });
}

ThreadPool::~ThreadPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& w : workers_) w.join();
}

ThreadPool& ThreadPool::shared() {
    static ThreadPool pool(std::max(1, int(std::thread::hardware_concurrency())));
    return pool;
}

void ThreadPool::drain(Job& job) {
    for (int i = job.next.fetch_add(1); i < job.count; i = job.next.fetch_add(1)) {
        (*job.task)(i);
        job.done.fetch_add(1);
    }
}

void ThreadPool::run(int count, const std::function<void(int)>& task) {
    std::unique_lock<std::mutex> exclusive(run_mutex_, std::try_to_lock);
    if (workers_.empty() || count <= 1 || !exclusive.owns_lock()) {
        for (int i = 0; i < count; ++i) task(i);
        return;
    }
    Job job;
    job.task = &task;
    job.count = count;
    {
        std::lock_guard lock(mutex_);
        job_ = &job;
        ++generation_;
    }
    wake_.notify_all();
    drain(job);
    std::unique_lock lock(mutex_);
    job_ = nullptr;  // workers that wake from now on find nothing to do
    finished_.wait(lock, [&] { return busy_workers_ == 0 && job.done.load() == count; });
}

void ThreadPool::work() {
    unsigned long seen = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
        if (stopping_) return;
        seen = generation_;
        Job* job = job_;
        if (!job) continue;
        ++busy_workers_;
        lock.unlock();
        drain(*job);
        lock.lock();
        --busy_workers_;
        finished_.notify_all();
    }
}

}  // namespace morvane::dxt
