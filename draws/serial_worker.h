#pragma once
// A worker thread that runs one job at a time, for the network work of the draw list and
// the announcement page. A job runs off the UI thread and hands what it found to the UI
// thread through `post`, the front end's way of queueing work there; it never touches a
// widget or the window's controls itself.
//
// Three ways to hand in a job: `offer` runs it only when the worker is free (nothing runs,
// nothing waits), else drops it; `replace` lets it wait behind the running job, in place
// of any job that waited before; `supersede` does the same and cancels the running job,
// whose posts are dropped from then on. `shutdown` drops the waiting job, cancels the
// running one and waits a bounded time for it; after that nothing more reaches `post`.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace sanxing {

class SerialWorker {
public:
    using Task = std::function<void()>;
    using PostToUi = std::function<void(Task)>;

    // What a running job may use.
    class JobContext {
    public:
        // Set once this job is cancelled; transfers watch it.
        const std::atomic<bool>& cancel() const { return *cancel_; }
        // Queues `task` for the UI thread; dropped once the job is cancelled or the
        // worker is shut down.
        void post(Task task) const;

    private:
        friend class SerialWorker;
        struct Shared;
        JobContext(std::shared_ptr<Shared> shared, std::shared_ptr<std::atomic<bool>> cancel)
            : shared_(std::move(shared)), cancel_(std::move(cancel)) {}
        std::shared_ptr<Shared> shared_;
        std::shared_ptr<std::atomic<bool>> cancel_;
    };
    using Job = std::function<void(const JobContext&)>;

    explicit SerialWorker(PostToUi post);
    ~SerialWorker();  // shutdown(kShutdownWait)
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    static constexpr std::chrono::milliseconds kShutdownWait{2000};

    // True when the job was taken.
    bool offer(Job job);
    void replace(Job job);
    void supersede(Job job);

    // Nothing runs and nothing waits.
    bool idle() const;
    // Waits until idle; false when `limit` passed first.
    bool waitIdle(std::chrono::milliseconds limit) const;

    // Drops the waiting job and cancels the running one; later jobs are refused and
    // nothing more is posted.
    void close();
    // close(), then waits up to `limit` for the running job. A job that outlasts the limit
    // is left to finish on its own. Returns whether the thread ended in time.
    bool shutdown(std::chrono::milliseconds limit = kShutdownWait);

private:
    void startThreadLocked();
    void queueLocked(Job job);

    std::shared_ptr<JobContext::Shared> shared_;
    std::thread thread_;
};

}  // namespace sanxing
