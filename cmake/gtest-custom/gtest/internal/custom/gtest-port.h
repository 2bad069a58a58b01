#pragma once
// GoogleTest's Notification, which pauses the threads GoogleTest itself starts, is written with
// std::mutex; the Windows compiler we ship with (win32 thread model) has none. Our tests never
// start GoogleTest threads, so a flag is all it needs.
#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_) {
        }
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace testing::internal
