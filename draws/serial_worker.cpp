#include "draws/serial_worker.h"

#include <utility>

namespace sanxing {

// Everything the thread touches lives here, so that a thread left running after a timed
// out shutdown never reaches freed memory.
struct SerialWorker::JobContext::Shared {
    PostToUi post;
    mutable std::mutex mutex;
    std::condition_variable wake;          // the thread: a job waits, or shutdown
    mutable std::condition_variable done;  // waiters: idle, or the thread ended
    std::optional<Job> waiting;
    bool running = false;
    bool closed = false;                               // shut down: no more jobs, no more posts
    bool finished = false;                             // the thread has left its loop
    std::shared_ptr<std::atomic<bool>> runningCancel;  // the running job's flag

    void cancelRunningLocked() {
        if (runningCancel) *runningCancel = true;
    }

    void loop(const std::shared_ptr<Shared>& self) {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return closed || waiting.has_value(); });
            if (closed) break;
            Job job = std::move(*waiting);
            waiting.reset();
            running = true;
            runningCancel = std::make_shared<std::atomic<bool>>(false);
            JobContext context(self, runningCancel);
            lock.unlock();
            job(context);
            job = nullptr;  // whatever the job holds goes before it counts as done
            lock.lock();
            running = false;
            runningCancel.reset();
            done.notify_all();
        }
        finished = true;
        done.notify_all();
    }
};

void SerialWorker::JobContext::post(Task task) const {
    // Under the lock, so that a shutdown or supersede that has returned is never followed
    // by a post of the job it cancelled.
    std::lock_guard lock(shared_->mutex);
    if (!shared_->closed && !*cancel_) shared_->post(std::move(task));
}

SerialWorker::SerialWorker(PostToUi post) : shared_(std::make_shared<JobContext::Shared>()) {
    shared_->post = std::move(post);
}

SerialWorker::~SerialWorker() { shutdown(); }

void SerialWorker::startThreadLocked() {
    if (thread_.joinable()) return;
    thread_ = std::thread([shared = shared_] { shared->loop(shared); });
}

bool SerialWorker::offer(Job job) {
    std::lock_guard lock(shared_->mutex);
    if (shared_->closed || shared_->running || shared_->waiting) return false;
    queueLocked(std::move(job));
    return true;
}

void SerialWorker::queueLocked(Job job) {
    shared_->waiting = std::move(job);
    startThreadLocked();
    shared_->wake.notify_one();
}

void SerialWorker::replace(Job job) {
    std::lock_guard lock(shared_->mutex);
    if (!shared_->closed) queueLocked(std::move(job));
}

void SerialWorker::supersede(Job job) {
    std::lock_guard lock(shared_->mutex);
    if (shared_->closed) return;
    shared_->cancelRunningLocked();
    queueLocked(std::move(job));
}

bool SerialWorker::idle() const {
    std::lock_guard lock(shared_->mutex);
    return !shared_->running && !shared_->waiting;
}

bool SerialWorker::waitIdle(std::chrono::milliseconds limit) const {
    std::unique_lock lock(shared_->mutex);
    return shared_->done.wait_for(lock, limit, [this] { return !shared_->running && !shared_->waiting; });
}

void SerialWorker::close() {
    std::lock_guard lock(shared_->mutex);
    shared_->closed = true;
    shared_->waiting.reset();
    shared_->cancelRunningLocked();
    shared_->wake.notify_one();
}

bool SerialWorker::shutdown(std::chrono::milliseconds limit) {
    close();
    if (!thread_.joinable()) return true;
    std::unique_lock lock(shared_->mutex);
    const bool ended = shared_->done.wait_for(lock, limit, [this] { return shared_->finished; });
    lock.unlock();
    if (ended) {
        thread_.join();
    } else {
        thread_.detach();
    }
    return ended;
}

}  // namespace sanxing
