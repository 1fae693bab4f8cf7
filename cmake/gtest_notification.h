// GoogleTest's Notification for the win32 thread model, whose libstdc++ has no
// std::mutex or std::condition_variable. Included ahead of every GoogleTest
// header in the cross builds; GoogleTest then takes this one instead of its own.
#pragma once
#include <atomic>
#include <thread>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified_.store(true); }

    // Only GoogleTest's own thread tests wait; ours run on one thread.
    void WaitForNotification() {
        while (!notified_.load())
            std::this_thread::yield();
    }

private:
    std::atomic<bool> notified_{false};
};

} // namespace testing::internal
