// The serial worker: one job at a time, ticks dropped while busy, a waiting job replaced,
// results handed to the UI thread, and a bounded shutdown.

#include "draws/serial_worker.h"

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "runtime/manual_loop.h"
#include "runtime/time_limits.h"

namespace sanxing {
namespace {

using namespace std::chrono_literals;

// A job that waits until the test lets it go (or it is cancelled).
class Gate {
public:
    SerialWorker::Job job(std::string name, std::vector<std::string>& ran) {
        return [this, name, &ran](const SerialWorker::JobContext& context) {
            started_.set_value();
            while (!open_.load() && !context.cancel().load()) std::this_thread::sleep_for(1ms);
            context.post([name, &ran] { ran.push_back(name); });
        };
    }
    void waitStarted() { ASSERT_EQ(started_.get_future().wait_for(kWaitLimit), std::future_status::ready); }
    void open() { open_ = true; }

private:
    std::promise<void> started_;
    std::atomic<bool> open_{false};
};

class SerialWorkerTest : public ::testing::Test {
protected:
    SerialWorker::Job job(std::string name) {
        return [this, name](const SerialWorker::JobContext& context) {
            context.post([this, name] { ran.push_back(name); });
        };
    }
    void settle() {
        ASSERT_TRUE(worker.waitIdle(kWaitLimit));
        loop.runPosted();
    }

    ManualLoop loop;
    std::vector<std::string> ran;
    SerialWorker worker{[this](SerialWorker::Task task) { loop.post(std::move(task)); }};
};

TEST_F(SerialWorkerTest, ResultsWaitForTheUiThread) {
    ASSERT_TRUE(worker.offer(job("a")));
    ASSERT_TRUE(worker.waitIdle(kWaitLimit));
    EXPECT_TRUE(ran.empty());  // posted, not run: only the owner of the loop runs it
    loop.runPosted();
    EXPECT_EQ(ran, std::vector<std::string>{"a"});
}

TEST_F(SerialWorkerTest, OfferIsDroppedWhileAJobRunsOrWaits) {
    Gate gate;
    ASSERT_TRUE(worker.offer(gate.job("running", ran)));
    gate.waitStarted();
    EXPECT_FALSE(worker.offer(job("tick while running")));
    worker.replace(job("load"));
    EXPECT_FALSE(worker.offer(job("tick while a load waits")));
    gate.open();
    settle();
    EXPECT_EQ(ran, (std::vector<std::string>{"running", "load"}));
    EXPECT_TRUE(worker.offer(job("tick when free")));
    settle();
    EXPECT_EQ(ran.back(), "tick when free");
}

TEST_F(SerialWorkerTest, ReplaceTakesThePlaceOfTheWaitingJob) {
    Gate gate;
    worker.replace(gate.job("running", ran));
    gate.waitStarted();
    worker.replace(job("first kind"));
    worker.replace(job("second kind"));
    gate.open();
    settle();
    EXPECT_EQ(ran, (std::vector<std::string>{"running", "second kind"}));
}

TEST_F(SerialWorkerTest, ShutdownCancelsTheRunningJobAndDropsItsResults) {
    Gate gate;
    ASSERT_TRUE(worker.offer(gate.job("running", ran)));
    gate.waitStarted();
    worker.replace(job("waiting"));
    EXPECT_TRUE(worker.shutdown(2s));  // the gate gives way to the cancel flag
    loop.runPosted();
    EXPECT_TRUE(ran.empty());
    EXPECT_FALSE(worker.offer(job("after")));
    worker.replace(job("after"));
    EXPECT_TRUE(worker.idle());
}

TEST_F(SerialWorkerTest, AJobThatIgnoresCancelIsLeftBehindAfterTheLimit) {
    auto release = std::make_shared<std::atomic<bool>>(false);
    auto started = std::make_shared<std::promise<void>>();
    auto finished = std::make_shared<std::promise<void>>();
    ASSERT_TRUE(worker.offer([release, started, finished](const SerialWorker::JobContext& context) {
        started->set_value();
        while (!release->load()) std::this_thread::sleep_for(1ms);
        context.post([] { FAIL() << "a result after shutdown"; });
        finished->set_value();
    }));
    ASSERT_EQ(started->get_future().wait_for(kWaitLimit), std::future_status::ready);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(worker.shutdown(100ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    *release = true;  // the job goes on by itself and its post goes nowhere
    ASSERT_EQ(finished->get_future().wait_for(kWaitLimit), std::future_status::ready);
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(loop.runPosted(), 0u);
}

}  // namespace
}  // namespace sanxing
